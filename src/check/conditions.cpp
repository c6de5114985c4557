// The comparisons of if and until, the heads of the while loops and the argument
// lists of statements: read from the column the run hands their handlers, the way
// the handlers read them.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

const char* type_word(char type) {
  switch (type) {
    case 'c':
      return "a char";
    case 'h':
      return "a hex";
    case 't':
      return "a text";
    default:
      return "an untyped";
  }
}

// The operator at p, as if and until read it; -1 for none. Leaves p on the operand.
int read_operator(const CheckedLine& line, int& p) {
  int code = -1;
  if (at(line, p) == '=') code = 0, p += 2;
  if (at(line, p) == '<' && at(line, p + 1) != '>') code = 1, p += 2;
  if (at(line, p) == '>') code = 2, p += 2;
  if (at(line, p) == '!') code = 3, p += 2;
  if (at(line, p) == '<' && at(line, p + 1) == '>') code = 3, p += 3;
  if (at(line, p) == '$') code = 4, p += 2;
  return code;
}

// What follows the comparison of an if line: "then", and nothing more it would govern.
void check_if_rest(Findings& f, const CheckedLine& line, int p) {
  while (at(line, p) == ' ') ++p;
  const char* rest = line.text + (p < line.length ? p : line.length);
  if (strncmp(rest, "then", 4) == 0) {
    const char* after = rest + 4;
    while (*after == ' ' || *after == '\r') ++after;
    const int column = static_cast<int>(after - line.text) + 1;
    if (strncmp(after, "begin", 5) == 0)
      add_finding(f, line.number, column, Check::kStatementOnIfLine, Severity::kError,
                  "'begin' on the if line opens no block: a false condition skips only the "
                  "next line; put 'begin' on a line of its own after the if line");
    else if (*after != '\0' && std::popcount(line.facts.rows) == 1)
      add_finding(f, line.number, column, Check::kStatementOnIfLine, Severity::kError,
                  "'%s' after 'then' never runs (a statement needs two blanks before it), and "
                  "the if governs the next line; put it on the next line",
                  shown(after).text);
    return;
  }
  if (*rest != '\0' && *rest != '\r')
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kWarning,
                "'%s' after the comparison is ignored: an if takes one comparison of a "
                "variable with a literal, then 'then'",
                shown(rest).text);
}

}  // namespace

namespace {

// A comparison as the run reads it: the variable, the operator, where the operand
// begins.
struct Comparison {
  bool until;
  const char* what;  // "if" or "until"
  const char* name;
  int length;
  int slot;
  int op_column;
  int code;
  int operand;  // where the operand begins
};

// Reads the name and the operator; false (with its finding) when the comparison
// goes no further.
bool read_comparison(ScriptState& s, Findings& f, const CheckedLine& line, int row, Comparison& c) {
  c.until = kStatements[row].role == Role::kUntil;
  c.what = c.until ? "until" : "if";
  const int column = column_of(line, row);
  int p = column;
  while (at(line, p) != ' ' && at(line, p) != '\0' && at(line, p) != '\r') ++p;
  c.name = line.text + column;
  c.length = p - column;
  if (c.length <= 0 || strcspn(c.name, "=<>!$") < static_cast<size_t>(c.length)) {
    add_finding(f, line.number, column + 1, Check::kConditionSyntax, Severity::kError,
                "the %s reads 'NAME OP OPERAND' with one blank on each side of the operator: "
                "'%s' names no variable, so the condition never holds",
                c.what, shown(c.name, c.length).text);
    return false;
  }
  c.slot = find_slot(s, c.name, c.length);
  if (c.slot < 0) {
    check_name_use(s, f, line, column, c.name, c.length,
                   c.until ? "the condition never holds, so the loop repeats until the "
                             "9,999-line cap"
                           : "the condition never holds, so what the if governs is skipped");
    return false;
  }
  p = c.op_column = p + 1;
  const char c0 = at(line, p);
  const char c1 = at(line, p + 1);
  c.code = read_operator(line, p);
  c.operand = p;
  if ((c1 == '=' && strchr("<>=!", c0) != nullptr) || (c0 == '=' && (c1 == '<' || c1 == '>'))) {
    add_finding(f, line.number, c.op_column + 1, Check::kConditionSyntax, Severity::kError,
                "'%c%c' is no operator of %s (they are = < > ! <> $): the operand is read "
                "from the blank after it, so this compares with an empty operand",
                c0, c1, c.what);
    return false;
  }
  if (c.code < 0) {
    add_finding(f, line.number, c.op_column + 1, Check::kConditionSyntax, Severity::kError,
                "no operator after '%s' (the operators are = < > ! <> $): the condition never "
                "holds",
                shown(c.name, c.length).text);
    return false;
  }
  return true;
}

// A string variable's operand: a quoted text.
void check_text_operand(Findings& f, const CheckedLine& line, const Comparison& c) {
  const int p = c.operand;
  if (at(line, p) != '\'') {
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                "'%s' is a string variable: its operand must be quoted ('text'); the first "
                "character here is taken for the opening quote",
                shown(c.name, c.length).text);
    return;
  }
  int q = p + 1;
  while (at(line, q) != '\'' && at(line, q) != '\0') ++q;
  if (at(line, q) != '\'')
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                "the quoted operand is not closed on this line");
  else if (!c.until)
    check_if_rest(f, line, q + 1);
}

// A number variable's operand: it runs to a blank (or, for until, a ';').
void check_number_operand(ScriptState& s, Findings& f, const CheckedLine& line,
                          const Comparison& c) {
  const int p = c.operand;
  int q = p;
  while (at(line, q) != ' ' && at(line, q) != '\0' && at(line, q) != '\r' &&
         !(c.until && at(line, q) == ';'))
    ++q;
  if (at(line, p) == '\'') {
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                "'%s' is a number variable: a quoted operand reads as 0; write the number "
                "without quotes",
                shown(c.name, c.length).text);
    return;
  }
  if (c.until) {
    check_operand_names(s, f, line, line.text + p, q - p, p, true);
    return;
  }
  const char first = at(line, p);
  const bool number =
      (first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.';
  if (!number && q > p)
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                "an if compares with a number written here: '%s' is read as a number, 0, "
                "not as a variable's value",
                shown(line.text + p, q - p).text);
  check_if_rest(f, line, q);
}

}  // namespace

void check_condition(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  Comparison c = {};
  if (!read_comparison(s, f, line, row, c)) return;
  const char type = s.slots[c.slot].type;
  const Severity never = c.until ? Severity::kError : Severity::kWarning;
  if (type != 's' && type != 'i' && type != 'r') {
    add_finding(f, line.number, c.op_column - c.length, Check::kConditionNeverHolds, never,
                "'%s' is %s variable: a comparison on it never holds%s",
                shown(c.name, c.length).text, type_word(type),
                c.until ? ", so the loop repeats until the 9,999-line cap" : "");
    return;
  }
  if (type != 's' && c.code == 4) {
    add_finding(f, line.number, c.op_column + 1, Check::kConditionNeverHolds, never,
                "'$' (contains) never holds for a number variable");
    return;
  }
  if (type == 's')
    check_text_operand(f, line, c);
  else
    check_number_operand(s, f, line, c);
}

}  // namespace vp::check
