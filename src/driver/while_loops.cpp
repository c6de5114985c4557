// The three while forms. A head stores the read position of the line after it; each
// " end;" line tests the running loops after their body has run, and a loop that
// goes on seeks back to its stored position, so the next read returns its body.
#include "vp/handlers.hpp"
#include "vp/numbers.hpp"
#include "vp/warnings.hpp"

namespace vp {

namespace {

// The bound is read from at most three characters: 0 to 999, or -99 to -9.
using BoundText = Text<4>;

void take_bound(Interpreter& it, const LineView& line, int p, BoundText& bound) {
  for (int i = 0; i < 3 && line[p + i] != '\0'; ++i) bound.push(line[p + i]);
  const char next = line[p + 3];
  if (bound.size() == 3 && next >= '0' && next <= '9') {
    Text<kLineSize> written;
    for (int q = p; (line[q] >= '0' && line[q] <= '9') || line[q] == '-' || line[q] == '.'; ++q)
      written.push(line[q]);
    warn(it, "the while bound %s reads as %d: a bound has at most three characters",
         written.c_str(), to_int(bound.c_str()));
  }
}

// The loop variable is the first slot whose name occurs anywhere in the head line.
// A free slot's empty name occurs in every line, so some slot always binds.
int bind_loop_variable(const Interpreter& it) {
  for (int slot = 0; slot < kSlots; ++slot)
    if (strstr(it.line, it.vars.names[slot]) != nullptr) return slot;
  return kSlots - 1;
}

// The trace texts of a comparison head, which differ between the two forms.
struct HeadTraces {
  const char* name;
  const char* value;
  const char* found;  // nullptr when the form prints no such line
  const char* bound;
};

constexpr HeadTraces kLessTraces = {"**[while] var name '%s' \n", "**[while] value of var '%s' \n",
                                    "**[while less] while less loop found! \n",
                                    "**[while loop (less)] value ='%s' found!\n"};
constexpr HeadTraces kMoreTraces = {"**[while loop] var name '%s' \n",
                                    "**[while loop] value of var '%s' \n", nullptr,
                                    "**[while loop] value ='%s' found!\n"};

// Shared by the while-less and while-more heads: op is '<' or '>'.
void comparison_head(Interpreter& it, WhileState& state, char op, ScriptPlace& saved,
                     const HeadTraces& traces) {
  state.done = false;
  it.loops.slot = bind_loop_variable(it);
  if (it.vars.names[it.loops.slot][0] == '\0')
    warn(it, "no variable is named in the while line: the loop compares an empty value");
  trace(it, traces.name, it.vars.names[it.loops.slot]);
  trace(it, traces.value, it.vars.values[it.loops.slot]);
  if (traces.found != nullptr) trace(it, "%s", traces.found);

  const LineView line(it.line);
  int p = line.find(op, 0) + 1;  // the row's condition guarantees the operator
  state.or_equal = line[p] == '=';
  if (state.or_equal) ++p;
  if (line[p] == ' ') ++p;
  BoundText bound;
  take_bound(it, line, p, bound);
  trace(it, traces.bound, bound.c_str());
  state.bound = to_int(bound.c_str());

  if (!state.active) {
    saved = script_position(it);
    trace(it, "**[while loop] file pointer=%ld\n", saved.offset);
    state.active = true;
  }
}

bool pending(const WhileState& state) {
  return state.active && !state.done;
}

void finish(WhileState& state) {
  state.done = true;
  state.active = false;
}

double loop_value(const Interpreter& it) {
  return to_real(it.vars.values[it.loops.slot]);
}

}  // namespace

void while_less_head(Interpreter& it) {
  comparison_head(it, it.loops.less, '<', it.loops.less_start, kLessTraces);
}

void while_more_head(Interpreter& it) {
  comparison_head(it, it.loops.more, '>', it.loops.more_start, kMoreTraces);
}

void while_count_head(Interpreter& it) {
  WhileState& state = it.loops.count;
  state.passes = 0;
  state.done = false;
  trace(it, "**[while count] while count loop found! \n");

  // The count is the number that starts at the first digit 1 to 9 after a blank. A
  // head without one (a count of 0, a count held in a variable) has an empty bound,
  // read as 0: the body runs once, as every while body does.
  const LineView line(it.line);
  int p = 1;
  while (line[p] != '\0' && (line[p] < '1' || line[p] > '9')) ++p;
  BoundText bound;
  if (line[p] != '\0' && line[p - 1] == ' ') take_bound(it, line, p, bound);
  trace(it, "**[while loop] value ='%s' found!\n", bound.c_str());
  state.bound = to_int(bound.c_str());

  it.loops.count_start = script_position(it);
  trace(it, "**[while loop] file pointer=%ld\n", it.loops.count_start.offset);
  state.active = true;
}

bool while_end_pending(const Interpreter& it) {
  return pending(it.loops.less) || pending(it.loops.more) || pending(it.loops.count);
}

void while_end(Interpreter& it) {
  // Tested in this order; a later seek overrides an earlier one.
  WhileState& less = it.loops.less;
  for (const bool or_equal : {false, true}) {
    if (!pending(less) || less.or_equal != or_equal) continue;
    trace(it, "**[END - sub end] end found! for 'while less' \n");
    trace(it, "**[while] value of var '%s' \n", it.vars.values[it.loops.slot]);
    const double v = loop_value(it);
    if (or_equal ? v > less.bound : v >= less.bound)
      finish(less);
    else
      seek_script(it, it.loops.less_start);
  }

  WhileState& more = it.loops.more;
  for (const bool or_equal : {false, true}) {
    if (!pending(more) || more.or_equal != or_equal) continue;
    trace(it, "**[END - sub end] end found! for 'while more' \n");
    trace(it, "**[while] value of var '%s' \n", it.vars.values[it.loops.slot]);
    const double v = loop_value(it);
    if (or_equal ? v < more.bound : v <= more.bound)
      finish(more);
    else
      seek_script(it, it.loops.more_start);
  }

  WhileState& count = it.loops.count;
  if (pending(count)) {
    trace(it, "**[END - sub end] end found! for 'while count' \n");
    if (++count.passes >= count.bound)
      finish(count);
    else
      seek_script(it, it.loops.count_start);
  }
}

}  // namespace vp
