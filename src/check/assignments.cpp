// Assignment lines: the right-hand side as the run takes it, copied as written from
// four characters after the name, computed, or joined.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

int find_from(const CheckedLine& line, char c, int from) {
  for (int i = from < 0 ? 0 : from; i < line.length; ++i)
    if (line.text[i] == c) return i;
  return -1;
}

// An operator character standing against an operand: the line holds no operator
// text, so it is copied as written instead of computed or joined.
int unspaced_operator(const CheckedLine& line, int from, int to, bool string) {
  bool quoted = false;
  int first = from;
  while (first < to && line.text[first] == ' ') ++first;
  for (int p = first; p < to; ++p) {
    const char c = line.text[p];
    if (c == '\'') quoted = !quoted;
    if (quoted || p == first) continue;
    const bool op = string ? c == '+' : strchr("+-*/^%", c) != nullptr;
    if (op && (at(line, p - 1) != ' ' || at(line, p + 1) != ' ')) return p;
  }
  return -1;
}

// A bare name: a letter or '_' and then letters, digits or '_'.
bool is_word(const char* text, int length) {
  const auto letter = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
  };
  if (!letter(text[0])) return false;
  for (int i = 1; i < length; ++i)
    if (!letter(text[i]) && !(text[i] >= '0' && text[i] <= '9')) return false;
  return true;
}

void check_copied(ScriptState& s, Findings& f, const CheckedLine& line, int slot) {
  const Slot& v = s.slots[slot];
  const int name_end = line.facts.indent + static_cast<int>(strlen(v.name));
  const int value_column = name_end + 4;
  const int semicolon = find_from(line, ';', value_column);
  const Shown name = shown(v.name);
  if (strncmp(line.text + name_end, " := ", 4) != 0) {
    char stored[kShownSize + 16] = "nothing";
    if (semicolon == value_column)
      snprintf(stored, sizeof(stored), "an empty text");
    else if (semicolon > value_column)
      snprintf(stored, sizeof(stored), "'%s'",
               shown(line.text + value_column, semicolon - value_column).text);
    add_finding(f, line.number, name_end + 1, Check::kAssignmentSpacing, Severity::kError,
                "write one blank on each side of ':=' ('%s := value;'): the value is read from "
                "four characters after the name, so this line stores %s",
                name.text, stored);
    return;
  }
  if (semicolon < 0) return;
  const bool string = v.type == 's';
  const int op = unspaced_operator(line, value_column, semicolon, string);
  if (op >= 0) {
    add_finding(f, line.number, op + 1, Check::kOperatorSpacing, Severity::kError,
                "this stores the text '%s' as written: %s needs a blank on each side of each "
                "operator",
                shown(line.text + value_column, semicolon - value_column).text,
                string ? "joining with '+'" : "arithmetic");
    return;
  }
  int a = value_column;
  int b = semicolon;
  while (b > a && line.text[b - 1] == ' ') --b;
  const int other = a < b && line.text[a] != '\'' ? find_slot(s, line.text + a, b - a) : -1;
  if (other >= 0) {
    const Shown copied = shown(line.text + a, b - a);
    const bool number = v.type == 'i' || v.type == 'r';
    char fix[kShownSize * 2 + 48] = "";  // room for both texts and the words around them
    if (string || number)
      snprintf(fix, sizeof(fix), "; write '%s := %s + %s;' to copy its value", name.text,
               copied.text, string ? "''" : "0");
    add_finding(f, line.number, a + 1, Check::kCopiesName, Severity::kWarning,
                "this stores the text '%s', not the value of the variable %s%s", copied.text,
                copied.text, fix);
  } else if (a < b && is_word(line.text + a, b - a)) {
    // Most often a variable that was never declared, or a text meant to be quoted.
    const Shown word = shown(line.text + a, b - a);
    char hint[96];
    suggest_name(s, line.text + a, b - a, hint, sizeof(hint));
    add_finding(f, line.number, a + 1, Check::kBareWord, Severity::kNote,
                "this stores the word '%s' as written: no variable is named %s; quote a text "
                "that is meant as one%s",
                word.text, word.text, hint);
  }
}

// concat(a,b) reads each argument from the character after '(' or ','.
void check_concat_commas(Findings& f, const CheckedLine& line) {
  const char* call = strstr(line.text, "concat(");
  bool quoted = false;
  for (const char* p = call + 7; *p != '\0'; ++p) {
    if (*p == '\'') quoted = !quoted;
    if (quoted) continue;
    if (*p == ')') return;
    if (*p == ',' && p[1] == ' ') {
      add_finding(f, line.number, static_cast<int>(p - line.text) + 2, Check::kBlankAfterComma,
                  Severity::kError,
                  "concat reads its second argument from right after the comma: the blank "
                  "makes it a name that no variable holds; write concat(a,b)");
      return;
    }
  }
}

}  // namespace

void check_assignment(ScriptState& s, Findings& f, const CheckedLine& line, int slot) {
  const Slot& v = s.slots[slot];
  const OperatorTexts ops = operator_texts(line.text);
  const bool number = v.type == 'i' || v.type == 'r';
  if (!ops.semicolon && (ops.assign_mark || (ops.math && number))) {
    add_finding(f, line.number, line.length + 1, Check::kMissingSemicolon, Severity::kError,
                "no ';' on this line: the run stops here with \"Pascal Error: parse error:\"");
    return;
  }
  if (v.type == 's' && ops.concat_call) check_concat_commas(f, line);
  const bool copied = v.type == 's' ? !ops.plus : !ops.copy_blocked;
  // A value written in the script, or a computed number, is no one's name.
  if (copied || number) s.slots[slot].from_input = false;
  if (copied) {
    check_copied(s, f, line, slot);
    return;
  }
  const int equals = find_from(line, '=', 1);
  const int semicolon = find_from(line, ';', equals);
  if (equals < 0 || semicolon < 0) return;
  if (number && ops.math)
    check_operand_names(s, f, line, line.text + equals + 1, semicolon - equals - 1, equals + 1,
                        true);
  if (v.type == 's' && ops.plus)
    check_operand_names(s, f, line, line.text + equals + 1, semicolon - equals - 1, equals + 1,
                        false);
}

}  // namespace vp::check
