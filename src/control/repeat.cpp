// repeat and until: the repeat line records where the body starts, and a false
// until moves the script's read position back there. One position serves the whole
// run, so these loops do not nest.
#include "condition.hpp"
#include "vp/handlers.hpp"
#include "vp/numbers.hpp"

namespace vp {

void repeat_mark(Interpreter& it) {
  it.loops.repeat_start = script_position(it);
  trace(it, "**[repeat] file pointer=%ld\n", it.loops.repeat_start.offset);
  it.loops.repeat_marked = true;
}

namespace {

// An operand that names variables takes their values: every slot whose name occurs
// in the operand replaces it with its whole value, and later slots are tested
// against the replaced text.
void substitute_variables(Interpreter& it, Text<kValueSize>& operand) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* name = it.vars.names[slot];
    if (name[0] == '\0' || strstr(operand.c_str(), name) == nullptr) continue;
    trace(it, "**[until] found variable NAME '%s' \n", name);
    operand.assign(it.vars.values[slot]);
    trace(it, "****[untill] found variable value '%s' \n", operand.c_str());
  }
}

// The trace shows the operand first for = and !, the value first for < and >.
bool compare_integers(Interpreter& it, int code, int value, int operand) {
  using namespace condition;
  if (code == kEqual) trace(it, "**[until] Is '%d' = '%d' \n", operand, value);
  if (code == kLess) trace(it, "**[until] Is '%d' < '%d' \n", value, operand);
  if (code == kGreater) trace(it, "**[until] Is '%d' > '%d' \n", value, operand);
  if (code == kDiffer) trace(it, "**[until] Is '%d' ! '%d' \n", operand, value);
  return compare_numbers(code, value, operand);
}

bool compare_reals(Interpreter& it, int code, double value, double operand) {
  using namespace condition;
  if (code == kEqual) trace(it, "**[until] Is '%f' = '%f' \n", operand, value);
  if (code == kLess) trace(it, "**[until] Is '%f' < '%f' \n", value, operand);
  if (code == kGreater) trace(it, "**[until] Is '%f' > '%f' \n", value, operand);
  if (code == kDiffer) trace(it, "**[until] Is '%f' ! '%f' \n", operand, value);
  return compare_numbers(code, value, operand);
}

}  // namespace

void pascal_until(Interpreter& it, int column) {
  using namespace condition;
  if (!it.loops.repeat_marked) {
    out_text(it, "Pascal Error: Need 'repeat' command for 'until' command \n");
    end_process(it, 1);
  }
  const LineView line(it.line);

  Text<kNameSize> name;
  int p = scan_name(line, column, name) + 1;
  trace(it, "**[until] variable name: '%s'\n", name.c_str());

  const int code = scan_operator(line, p);
  trace(it, "**[until] operation = '%d'\n", code);

  const int slot = lookup_variable(it, name.c_str());
  const VarType type = slot < 0 ? VarType::none : it.vars.types[slot];
  const char* value = slot < 0 ? "" : it.vars.values[slot];
  trace(it, "**[until] found var=%s->%s\n", name.c_str(), value);

  Text<kValueSize> operand;
  if (type == VarType::integer || type == VarType::real || type == VarType::hex ||
      type == VarType::text)
    scan_bare(line, p, ';', operand);
  else if (type == VarType::string)
    scan_quoted(line, p, operand);
  if (type == VarType::integer || type == VarType::real) substitute_variables(it, operand);
  trace(it, "**[until] value : '%s'\n", operand.c_str());

  bool holds = false;
  if (type == VarType::string) holds = compare_text(code, value, operand.c_str());
  if (type == VarType::integer)
    holds = compare_integers(it, code, to_int(value), to_int(operand.c_str()));
  if (type == VarType::real)
    holds = compare_reals(it, code, to_real(value), to_real(operand.c_str()));
  trace(it, holds ? "**[until] Tested True!\n" : "**[until] Tested False!\n");

  if (!holds) seek_script(it, it.loops.repeat_start);
}

}  // namespace vp
