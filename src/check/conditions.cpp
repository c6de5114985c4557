// The comparisons of if and until, the heads of the while loops and the argument
// lists of statements: read from the column the run hands their handlers, the way
// the handlers read them.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

int column_of(const CheckedLine& line, int row) {
  return line.facts.indent + static_cast<int>(kStatements[row].keyword.size()) - 2;
}

char at(const CheckedLine& line, int i) {
  return i >= 0 && i < line.length ? line.text[i] : '\0';
}

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

void check_condition(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  const bool until = kStatements[row].role == Role::kUntil;
  const char* what = until ? "until" : "if";
  const int column = column_of(line, row);
  int p = column;
  while (at(line, p) != ' ' && at(line, p) != '\0' && at(line, p) != '\r') ++p;
  const char* name = line.text + column;
  const int length = p - column;
  if (length <= 0 || strcspn(name, "=<>!$") < static_cast<size_t>(length)) {
    add_finding(f, line.number, column + 1, Check::kConditionSyntax, Severity::kError,
                "the %s reads 'NAME OP OPERAND' with one blank on each side of the operator: "
                "'%s' names no variable, so the condition never holds",
                what, shown(name, length).text);
    return;
  }
  const int slot = find_slot(s, name, length);
  if (slot < 0) {
    check_name_use(s, f, line, column, name, length,
                   until ? "the condition never holds, so the loop repeats until the "
                           "9,999-line cap"
                         : "the condition never holds, so what the if governs is skipped");
    return;
  }
  ++p;
  const int op_column = p;
  const char c0 = at(line, p);
  const char c1 = at(line, p + 1);
  const int code = read_operator(line, p);
  if ((c1 == '=' && strchr("<>=!", c0) != nullptr) || (c0 == '=' && (c1 == '<' || c1 == '>'))) {
    add_finding(f, line.number, op_column + 1, Check::kConditionSyntax, Severity::kError,
                "'%c%c' is no operator of %s (they are = < > ! <> $): the operand is read "
                "from the blank after it, so this compares with an empty operand",
                c0, c1, what);
    return;
  }
  if (code < 0) {
    add_finding(f, line.number, op_column + 1, Check::kConditionSyntax, Severity::kError,
                "no operator after '%s' (the operators are = < > ! <> $): the condition never "
                "holds",
                shown(name, length).text);
    return;
  }
  const char type = s.slots[slot].type;
  if (type != 's' && type != 'i' && type != 'r') {
    add_finding(f, line.number, column + 1, Check::kConditionNeverHolds,
                until ? Severity::kError : Severity::kWarning,
                "'%s' is %s variable: a comparison on it never holds%s", shown(name, length).text,
                type_word(type), until ? ", so the loop repeats until the 9,999-line cap" : "");
    return;
  }
  if (type != 's' && code == 4) {
    add_finding(f, line.number, op_column + 1, Check::kConditionNeverHolds,
                until ? Severity::kError : Severity::kWarning,
                "'$' (contains) never holds for a number variable");
    return;
  }
  if (type == 's') {
    if (at(line, p) != '\'') {
      add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                  "'%s' is a string variable: its operand must be quoted ('text'); the first "
                  "character here is taken for the opening quote",
                  shown(name, length).text);
      return;
    }
    int q = p + 1;
    while (at(line, q) != '\'' && at(line, q) != '\0') ++q;
    if (at(line, q) != '\'') {
      add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                  "the quoted operand is not closed on this line");
      return;
    }
    if (!until) check_if_rest(f, line, q + 1);
    return;
  }
  // A number variable: the operand runs to a blank (or, for until, a ';').
  int q = p;
  while (at(line, q) != ' ' && at(line, q) != '\0' && at(line, q) != '\r' &&
         !(until && at(line, q) == ';'))
    ++q;
  if (at(line, p) == '\'') {
    add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                "'%s' is a number variable: a quoted operand reads as 0; write the number "
                "without quotes",
                shown(name, length).text);
    return;
  }
  const char first = at(line, p);
  const bool number =
      (first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.';
  if (until) {
    check_operand_names(s, f, line, line.text + p, q - p, p, true);
  } else {
    if (!number && q > p)
      add_finding(f, line.number, p + 1, Check::kConditionSyntax, Severity::kError,
                  "an if compares with a number written here: '%s' is read as a number, 0, "
                  "not as a variable's value",
                  shown(line.text + p, q - p).text);
    check_if_rest(f, line, q);
  }
}

// The head of a while loop: its bound, and which variable it binds.
void check_while_head(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  const Role role = kStatements[row].role;
  int p;
  if (role == Role::kWhileCount) {
    p = 1;
    while (at(line, p) != '\0' && (at(line, p) < '1' || at(line, p) > '9')) ++p;
    if (at(line, p) == '\0' || at(line, p - 1) != ' ') {
      add_finding(f, line.number, line.facts.indent + 1, Check::kWhileBound, Severity::kError,
                  "the count is a number from 1 to 999 written after a blank: this head has "
                  "none, so its body runs once");
      return;
    }
  } else {
    const char op = role == Role::kWhileLess ? '<' : '>';
    p = static_cast<int>(strchr(line.text, op) - line.text) + 1;
    if (at(line, p) == '=') ++p;
    if (at(line, p) == ' ') ++p;
  }
  int end = p;
  while (at(line, end) != ' ' && at(line, end) != '\0' && at(line, end) != '\r') ++end;
  const char* bound = line.text + p;
  const int length = end - p;
  bool digits = length > 0;
  for (int i = 0; i < length; ++i)
    if (!((bound[i] >= '0' && bound[i] <= '9') || (i == 0 && bound[i] == '-'))) digits = false;
  char cut[4] = {at(line, p), at(line, p + 1), at(line, p + 2), '\0'};
  if (!digits)
    add_finding(f, line.number, p + 1, Check::kWhileBound, Severity::kError,
                "the bound '%s' is no whole number: it is read from the three characters "
                "'%s' as %d; a while bound is a number from 0 to 999 written in the head",
                shown(bound, length).text, cut, to_int(cut));
  else if (length > 3)
    add_finding(f, line.number, p + 1, Check::kWhileBound, Severity::kError,
                "the bound is read from three characters: '%s' reads as %d; a while bound is "
                "at most 999",
                shown(bound, length).text, to_int(cut));
  if (role == Role::kWhileCount) return;

  // The loop variable: the first slot whose name occurs anywhere in the line.
  const int column = line.facts.indent + 6;  // past "while "
  int q = column;
  while (at(line, q) != ' ' && at(line, q) != '\0') ++q;
  const int compared = find_slot(s, line.text + column, q - column);
  if (compared < 0) {
    check_name_use(s, f, line, column, line.text + column, q - column,
                   "the loop binds a free slot, whose value reads as 0");
    return;
  }
  int bound_slot = 0;
  while (bound_slot < kSlots && strstr(line.text, s.slots[bound_slot].name) == nullptr)
    ++bound_slot;
  if (bound_slot != compared && bound_slot < kSlots) {
    const char* name = s.slots[bound_slot].name;
    const char* where = strstr(line.text, name);
    add_finding(f, line.number, static_cast<int>(where - line.text) + 1, Check::kWhileVariable,
                Severity::kWarning,
                "this loop tests '%s', not '%s': its variable is the first declared one whose "
                "name occurs anywhere in the line; declare '%s' before '%s'",
                shown(name).text, shown(s.slots[compared].name).text,
                shown(s.slots[compared].name).text, shown(name).text);
  }
}

// Commas: each statement reads the argument after a comma from the next character,
// blanks included; write and writeln pass over one blank.
void check_commas(Findings& f, const CheckedLine& line, int row) {
  const std::string_view keyword = kStatements[row].keyword;
  if (keyword.empty() || keyword.back() != '(') return;
  const int allowed = kStatements[row].role == Role::kWrite ? 1 : 0;
  bool quoted = false;
  for (int p = column_of(line, row); p < line.length; ++p) {
    const char c = line.text[p];
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == ')') return;
    if (c != ',') continue;
    int blanks = 0;
    while (at(line, p + 1 + blanks) == ' ') ++blanks;
    if (blanks > allowed) {
      add_finding(f, line.number, p + 2 + allowed, Check::kBlankAfterComma, Severity::kError,
                  allowed == 0 ? "a blank after this comma becomes part of the next argument, "
                                 "which then names nothing; write no blank after a comma here"
                               : "one blank after a comma is passed over, a second becomes "
                                 "part of the next argument, which then names nothing");
      return;
    }
  }
}

void check_arguments(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  check_commas(f, line, row);
  const Role role = kStatements[row].role;
  const int column = column_of(line, row);
  if (role == Role::kInput) {
    int p = column;
    while (at(line, p) != ')' && at(line, p) != '[' && at(line, p) != '\0') ++p;
    if (at(line, p) == '\0') return;
    const int slot = find_slot(s, line.text + column, p - column);
    if (slot >= 0) s.slots[slot].from_input = true;
    check_name_use(s, f, line, column, line.text + column, p - column,
                   "what is read is stored nowhere");
    return;
  }
  if (role != Role::kWrite) return;
  // The variables among the arguments, scanned as write and writeln scan them.
  int p = column;
  for (int guard = 0; guard < kLineSize && p < line.length; ++guard) {
    if (at(line, p) == '\'') {
      ++p;
      while (at(line, p) != '\'' && at(line, p) != '\0') ++p;
      if (at(line, p) == '\0' || at(line, p + 1) != ',') return;
      p += 1;
      continue;
    }
    const int start = p;
    while (at(line, p) != ':' && at(line, p) != ')' && at(line, p) != ',' && at(line, p) != '\0')
      ++p;
    check_name_use(s, f, line, start, line.text + start, p - start, "nothing is written for it");
    const char d = at(line, p);
    if (d == ':') {
      const bool further =
          at(line, p + 1) == ',' || at(line, p + 2) == ',' || at(line, p + 3) == ',';
      if (!further) return;
      p = static_cast<int>(strchr(line.text + p, ',') - line.text);
    }
    if (at(line, p) != ',') return;
    ++p;
    if (at(line, p) == ' ') ++p;
  }
}

}  // namespace vp::check
