// Assignments: a line whose first word, after its indentation, is a variable's name
// gives that variable a new value, copied as written or computed by the arithmetic or
// one of the concatenations.
#include "vp/handlers.hpp"
#include "vp/numbers.hpp"
#include "vp/warnings.hpp"

namespace vp {

namespace {

// The operator texts of the line, as the per-line step found them for the line it
// began with, or found now when a handler has read another line since.
OperatorTexts operators_of(const Interpreter& it) {
  if (it.texts_generation == it.script.generation) return it.texts;
  return operator_texts(it.line);
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
void copy_value(Interpreter& it, int slot, const OperatorTexts& ops) {
  const VarType type = it.vars.types[slot];
  const bool is_string = type == VarType::string;
  if (!is_string && ops.copy_blocked) return;
  if (is_string && ops.plus) return;

  // The value starts past the name, a blank, ":=" and a blank.
  const int value_column = it.indent + static_cast<int>(strlen(it.vars.names[slot])) + 4;
  const LineView line(it.line);
  const int semicolon = line.find(';', value_column);
  if (semicolon < 0) return;  // no end to the value: store nothing

  char* value = it.vars.values[slot];
  int w = 0;
  for (int p = value_column; p < semicolon; ++p) {
    if (is_string && line[p] == '\'') continue;
    value[w++] = line[p];
  }
  value[w] = '\0';
}

// A line that reads as an assignment, "name := ...", where no variable has the name.
void warn_unassigned(Interpreter& it) {
  const LineView line(it.line);
  Text<kNameSize> name;
  int p = it.indent;
  while (line[p] != ' ' && line[p] != '\t' && line[p] != ':' && line[p] != '\0')
    name.push(line[p++]);
  while (line[p] == ' ') ++p;
  if (name.size() == 0 || line[p] != ':' || line[p + 1] != '=') return;
  if (find_variable(it, name.c_str()) < 0)
    warn(it, "no variable is named '%s': the assignment does nothing", name.c_str());
}

void compute(Interpreter& it, int slot) {
  const VarType type = it.vars.types[slot];
  trace(it, "**[Main] found math with variable type '%c' \n", static_cast<char>(type));
  if (type != VarType::integer && type != VarType::real) return;
  const float result = math_set(it, it.line);
  trace(it, "**[MAIN] found math set that returned '%f' \n", static_cast<double>(result));
  const int decimals = type == VarType::real ? 6 : 0;
  if (!it.tracing) {
    // The text, at most 47 characters, fits a value whole.
    format_fixed_trimmed(static_cast<double>(result), decimals, it.vars.values[slot]);
    return;
  }
  // Wide enough for the longest single-precision number with six decimals and a sign.
  char number[kNumberTextSize];
  format_fixed(static_cast<double>(result), decimals, number);
  const char* trimmed = number;
  while (*trimmed == ' ') ++trimmed;
  set_value(it, slot, trimmed);
  trace(it, "'%s' -> '%s' -> '%s' \n", number, trimmed, it.vars.values[slot]);
}

// Assigns slot from the line in it.line, which names it.
void assign_to(Interpreter& it, int slot) {
  const char* line = it.line;
  const char* name = it.vars.names[slot];
  const OperatorTexts ops = operators_of(it);
  if (ops.assign_mark && !ops.semicolon) {
    out_format(it, "Pascal Error: parse error:\n%s\n", line);
    out_text(it, "missing ; \n");
    end_process(it, 1);
  }
  trace(it, "**[MAIN] found set match for '%s' \n", name);

  copy_value(it, slot, ops);

  const VarType type = it.vars.types[slot];
  if (ops.math) compute(it, slot);
  char joined[kValueSize];
  if (type == VarType::string && ops.concat_call) {
    trace(it, "**[MAIN] concat function found. \n");
    pascal_concat(it, line, joined);
    set_value(it, slot, joined);
  }
  if (type == VarType::string && ops.plus) {
    trace(it, "**[MAIN] concat_set function found. \n");
    concat_set(it, line, joined);
    set_value(it, slot, joined);
  }
  trace(it, "**[MAIN] Value found and stored: '%s'\n", it.vars.values[slot]);
}

}  // namespace

// One pass over the blanks of the line: an operator text is a blank, the operator
// and a blank (or, for '~' and '#', a ';').
OperatorTexts operator_texts(const char* line) {
  OperatorTexts found;
  for (const char* p = line; *p != '\0'; ++p) {
    if (*p == ';') found.semicolon = true;
    if (*p == ':' && p[1] == '=') found.assign_mark = true;
    if (*p == 'c' && strncmp(p, "concat(", 7) == 0) found.concat_call = true;
    if (*p != ' ') continue;
    const char op = p[1];
    const char after = op == '\0' ? '\0' : p[2];
    switch (op) {
      case '+':
      case '-':
      case '*':
      case '/':
      case '^':
      case '%':
        if (after == ' ') {
          found.copy_blocked = found.math = true;
          if (op == '+') found.plus = true;
        }
        break;
      case '~':
      case '#':
        if (after == ' ' || after == ';') found.math = true;
        break;
      default:
        break;
    }
  }
  return found;
}

void assign_step(Interpreter& it) {
  if (!it.begin_found) return;
  // A line read again assigns the slot it assigned before.
  AssignPlan* plan = line_plan(it, &LinePlans::assign, it.line);
  if (plan_stands(plan, 0)) {
    if (plan->slot >= 0) assign_to(it, plan->slot);
    return;
  }

  const char* line = it.line;
  const int indent = it.indent;
  const char first = LineView(line)[indent];
  int assigned = -1;
  // Only the slots whose name begins with the line's first character can match.
  for_each_name_starting(it, first, [&](int slot) {
    const char* name = it.vars.names[slot];
    if (it.vars.constant[slot]) return false;
    trace(it, "**[MAIN] possible variable match found '%c...' at memory location %d:\n", name[0],
          slot);
    if (!names_variable(line, indent, name)) return false;
    // Only the first slot is assigned, so a name declared twice changes the slot
    // that every lookup finds.
    assigned = slot;
    return true;
  });
  if (plan != nullptr) {
    plan->status = PlanStatus::ready;
    plan->slot = assigned;
  }
  if (assigned >= 0)
    assign_to(it, assigned);
  else if (it.warnings.on)
    warn_unassigned(it);
}

}  // namespace vp
