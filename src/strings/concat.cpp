// The two ways a string variable is joined from quoted texts and other variables:
// concat(first,second) and part + part + ... .
#include "vp/handlers.hpp"

namespace vp {

namespace {

constexpr int kFirstSize = 128;  // concat's first argument: 127 characters
constexpr int kPartSize = 255;   // a part of the '+' form: 254 characters

// Copies a quoted text that starts at open + 1 up to the closing quote (or, for the
// '+' form, a ';' too). Returns the index of the character that ended it, the line
// end when there was none. Empty quotes give the empty text.
template <int N>
int copy_quoted(const LineView& line, int open, bool semicolon_ends, Text<N>& out) {
  return scan_to(line, open + 1, semicolon_ends ? "';" : "'", Until::text_end, out).at;
}

// One argument of concat: quoted, or the name of a variable up to end_mark. p stands
// on the character before the argument and is left on the character after it.
template <int N>
void concat_argument(Interpreter& it, const LineView& line, int& p, char end_mark, Text<N>& value) {
  if (line[p + 1] == '\'') {
    p = copy_quoted(line, p + 1, false, value);
    if (line[p] == '\0') {
      out_text(it, "Pascal Error - Parse error with concat\n");
      return;
    }
    ++p;  // past the closing quote
    return;
  }
  Text<kNameSize> tempstr;
  p = scan_to(line, p + 1, Stops(end_mark, end_mark), Until::text_end, tempstr).at;
  const int slot = lookup_variable(it, tempstr.c_str());
  // A name no slot holds contributes nothing.
  if (slot >= 0) value.assign(it.vars.values[slot]);
  trace(it, "**[concat]tempstr ='%s'\n", tempstr.c_str());
}

}  // namespace

void pascal_concat(Interpreter& it, const char* text, char* result) {
  result[0] = '\0';
  const LineView line(text);
  int p = line.find('(', 1);
  if (p < 0) return;

  Text<kFirstSize> value_a;
  concat_argument(it, line, p, ',', value_a);
  trace(it, "**[concat]value of value_a = '%s'\n", value_a.c_str());
  trace(it, "**[concat]value of check command[loop]='%c'\n", line[p]);

  Text<kValueSize> value_b;
  concat_argument(it, line, p, ')', value_b);
  trace(it, "**[concat]value of value_b = '%s'\n", value_b.c_str());

  copy_cut(result, kValueSize, value_a.c_str());
  append_cut(result, kValueSize, value_b.c_str());
}

namespace {

// The joined text of the '+' form as it grows, at most kValueSize - 1 characters.
struct Joined {
  char* text;
  int length;

  void append(const char* piece, int count) {
    const int room = kValueSize - 1 - length;
    const int n = count < room ? count : room;
    memcpy(text + length, piece, static_cast<size_t>(n));
    length += n;
    text[length] = '\0';
  }
};

// Joins the parts a line's plan names: its quoted texts and the current values.
void join_by_plan(const Interpreter& it, const JoinPlan& plan, const char* line, Joined& joined) {
  for (int i = 0; i < plan.count; ++i) {
    const JoinPlan::Piece& piece = plan.pieces[i];
    if (piece.slot < 0) {
      joined.append(line + piece.start, piece.length);
    } else {
      // A part's value holds at most kPartSize - 1 characters.
      const char* value = it.vars.values[piece.slot];
      joined.append(value, static_cast<int>(strnlen(value, kPartSize - 1)));
    }
  }
}

// Keeps the parts of a line as a plan, while there are few enough to keep.
struct JoinLearner {
  JoinPlan plan = {};
  bool plannable;

  void learn(int slot, int start, int count) {
    if (!plannable) return;
    if (plan.count == static_cast<int>(sizeof(plan.pieces) / sizeof(*plan.pieces))) {
      plannable = false;  // too many parts to keep: the line is joined afresh each time
      return;
    }
    plan.pieces[plan.count++] = {slot, start, count};
  }
};

}  // namespace

void concat_set(Interpreter& it, const char* text, char* result) {
  result[0] = '\0';
  Joined joined = {result, 0};
  // A line of the script joined before, outside trace mode, with the names settled:
  // its plan gives the parts. Trace mode always takes the whole way.
  JoinPlan* plan = line_plan(it, &LinePlans::join, text);
  if (plan_stands(plan, 0)) {
    join_by_plan(it, *plan, text, joined);
    return;
  }
  JoinLearner learner = {{}, plan != nullptr};

  // Every scan below stops at the line's terminator, so the text is read directly.
  const char* const line = text;
  const char* const equals = line[0] == '\0' ? nullptr : strchr(line + 1, '=');
  if (equals == nullptr) return;

  int p = static_cast<int>(equals - line) + 1;
  do {
    Text<kPartSize> part;
    Text<kPartSize> value;
    if (line[p] != '\0' && line[p + 1] == '\'') {
      // p is left on the closing quote, so the text from there to the next '+' is
      // read as a part of its own, which normally names nothing.
      const int start = p + 2;
      p = start;
      while (line[p] != '\'' && line[p] != '\0' && line[p] != ';') ++p;
      part.assign(line + start, p - start);
      value.assign(part.c_str(), part.size());
      trace(it, "**[concat_set]value set from quote '%s'\n", value.c_str());
      learner.learn(-1, start, part.size());
    } else {
      const int start = p;
      if (line[p] != '\0') ++p;
      while (line[p] != '+' && line[p] != ';' && line[p] != '\0') ++p;
      part.assign(line + start, p - start);
      int last = -1;
      for_each_name_in(it, part.c_str(), [&](int slot) {
        last = slot;
        value.assign(it.vars.values[slot]);
        trace(it, "**[Concat_Set]var '%s' found.\n", part.c_str());
        trace(it, "**[concat_set]value set from variable '%s'\n", value.c_str());
      });
      if (last >= 0) learner.learn(last, 0, 0);
    }
    if (line[p] == '+') ++p;
    joined.append(value.c_str(), value.size());
  } while (line[p] != ';' && line[p] != '\0');

  if (plan != nullptr) {
    learner.plan.status = learner.plannable ? PlanStatus::ready : PlanStatus::refused;
    *plan = learner.plan;
  }
}

}  // namespace vp
