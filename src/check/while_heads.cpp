// The heads of the while loops: the bound, read from three characters, and the loop
// variable, the first declared one whose name occurs anywhere in the head line.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

// The loop variable: the first slot whose name occurs anywhere in the line.
void check_loop_variable(ScriptState& s, Findings& f, const CheckedLine& line) {
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

// Where the bound begins: after the operator and one blank, or, for a count, at the
// first digit 1 to 9 after a blank; -1 when a count has none.
int bound_start(const CheckedLine& line, Role role) {
  int p;
  if (role == Role::kWhileCount) {
    p = 1;
    while (at(line, p) != '\0' && (at(line, p) < '1' || at(line, p) > '9')) ++p;
    return at(line, p) == '\0' || at(line, p - 1) != ' ' ? -1 : p;
  }
  const char op = role == Role::kWhileLess ? '<' : '>';
  p = static_cast<int>(strchr(line.text, op) - line.text) + 1;
  if (at(line, p) == '=') ++p;
  if (at(line, p) == ' ') ++p;
  return p;
}

}  // namespace

// The head of a while loop: its bound, and which variable it binds.
void check_while_head(ScriptState& s, Findings& f, const CheckedLine& line, int row) {
  const Role role = kStatements[row].role;
  const int p = bound_start(line, role);
  if (p < 0) {
    add_finding(f, line.number, line.facts.indent + 1, Check::kWhileBound, Severity::kError,
                "the count is a number from 1 to 999 written after a blank: this head has "
                "none, so its body runs once");
    return;
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
  if (role != Role::kWhileCount) check_loop_variable(s, f, line);
}

}  // namespace vp::check
