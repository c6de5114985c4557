// Assignments: a line whose first word, after its indentation, is a variable's name
// gives that variable a new value, copied as written or computed by the arithmetic or
// one of the concatenations.
#include "vp/handlers.hpp"

namespace vp {

namespace {

// Operator texts that keep a line's right-hand side from being copied as written
// (for every type but string).
constexpr const char* kCopyBlockers[] = {" + ", " * ", " / ", " % ", " ^ ", " - "};
// Operator texts that send a line to the arithmetic.
constexpr const char* kMathTexts[] = {" + ", " - ", " * ", " / ", " ^ ",
                                      " ~ ", " ~;", " # ", " #;", " % "};

bool contains_any(const char* line, const char* const* texts, int count) {
  for (int i = 0; i < count; ++i)
    if (contains(line, texts[i])) return true;
  return false;
}

// True when the line, after indent blanks, begins with name as a whole word: a
// variable x is not the first word of "xy := 5;", nor i of "if".
bool names_variable(const char* line, int indent, const char* name) {
  for (int i = 0; i < indent; ++i)
    if (line[i] != ' ') return false;  // a tab-indented line never matches
  const size_t length = strlen(name);
  if (strncmp(line + indent, name, length) != 0) return false;
  const char after = line[static_cast<size_t>(indent) + length];
  return after == ' ' || after == '\t' || after == ':';
}

// The right-hand side as written, from the value column up to the first ';' at or
// after it. Strings lose their quotes; a line that holds an operator text stores
// nothing here and keeps the old value whole for the computation that follows.
void copy_value(Interpreter& it, int slot, int value_column) {
  const LineView line(it.stread);
  const int semicolon = line.find(';', value_column);
  if (semicolon < 0) return;  // no end to the value: store nothing

  const char type = it.variable_type[slot];
  const bool is_string = type == 's';
  if (!is_string &&
      contains_any(it.stread, kCopyBlockers, sizeof(kCopyBlockers) / sizeof(*kCopyBlockers)))
    return;
  if (is_string && contains(it.stread, " + ")) return;

  char* value = it.value_of_variables[slot];
  int w = 0;
  for (int p = value_column; p < semicolon; ++p) {
    if (is_string && line[p] == '\'') continue;
    value[w++] = line[p];
  }
  value[w] = '\0';
}

void compute(Interpreter& it, int slot) {
  const char type = it.variable_type[slot];
  trace(it, "**[Main] found math with variable type '%c' \n", type);
  if (type != 'i' && type != 'r') return;
  const float result = math_set(it, it.stread);
  trace(it, "**[MAIN] found math set that returned '%f' \n", static_cast<double>(result));
  // Wide enough for the longest single-precision number with six decimals and a sign.
  char number[48];
  snprintf(number, sizeof(number), type == 'r' ? "%12.6f" : "%12.0f", static_cast<double>(result));
  const char* trimmed = number;
  while (*trimmed == ' ') ++trimmed;
  set_value(it, slot, trimmed);
  trace(it, "'%s' -> '%s' -> '%s' \n", number, trimmed, it.value_of_variables[slot]);
}

}  // namespace

void assign_step(Interpreter& it) {
  if (!it.begin_found) return;
  const char* line = it.stread;
  const int indent = it.indent;
  const char first = LineView(line)[indent];

  for (int slot = 0; slot < kSlots; ++slot) {
    const char* name = it.variable_names[slot];
    if (name[0] == '\0' || name[0] != first || it.variable_cons[slot] == 1) continue;
    trace(it, "**[MAIN] possible variable match found '%c...' at memory location %d:\n", name[0],
          slot);
    if (!names_variable(line, indent, name)) continue;

    if (contains(line, ":=") && strchr(line, ';') == nullptr) {
      out_format(it, "Pascal Error: parse error:\n%s\n", line);
      out_text(it, "missing ; \n");
      end_process(it, 1);
    }
    trace(it, "**[MAIN] found set match for '%s' \n", name);

    // The value starts past the name, a blank, ":=" and a blank.
    copy_value(it, slot, indent + static_cast<int>(strlen(name)) + 4);

    const char type = it.variable_type[slot];
    if (contains_any(line, kMathTexts, sizeof(kMathTexts) / sizeof(*kMathTexts))) compute(it, slot);
    char joined[kValueSize];
    if (contains(line, "concat(") && type == 's') {
      trace(it, "**[MAIN] concat function found. \n");
      pascal_concat(it, line, joined);
      set_value(it, slot, joined);
    }
    if (contains(line, " + ") && type == 's') {
      trace(it, "**[MAIN] concat_set function found. \n");
      concat_set(it, line, joined);
      set_value(it, slot, joined);
    }
    trace(it, "**[MAIN] Value found and stored: '%s'\n", it.value_of_variables[slot]);
    // Only the first slot is assigned, so a name declared twice changes the slot
    // that every lookup finds.
    return;
  }
}

}  // namespace vp
