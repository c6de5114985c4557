// The argument lists of statements, read from the column the run hands their
// handlers: the blanks after commas, and the variables they name.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

// Commas: each statement reads the argument after a comma from the next character,
// blanks included; write and writeln pass over one blank.
void check_commas(Findings& f, const CheckedLine& line, int row) {
  const std::string_view keyword = kStatements[row].keyword;
  if (keyword.empty() || keyword.back() != '(') return;
  // Blanks before the quoted name of a field or cookie are passed over.
  if (kStatements[row].role == Role::kForm) return;
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
  if (role == Role::kInput || role == Role::kForm) {
    // The variable ends at the comma before a field's name, at the ')' or the '[' of
    // the other readers.
    const char* stops = role == Role::kForm ? ",)" : ")[";
    int p = column;
    while (at(line, p) != '\0' && strchr(stops, at(line, p)) == nullptr) ++p;
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
