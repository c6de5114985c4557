// The lines before "begin": the declaration rows that take a line, as the run tries
// them in table order, and what each declaration line declares.
#include <cstring>

#include "checker.hpp"
#include "vp/handlers.hpp"

namespace vp::check {

namespace {

constexpr const char* kTypeWords[] = {"string", "text", "char", "integer", "real", "hex"};

const char* type_name(char letter) {
  for (const char* w : kTypeWords)
    if (w[0] == letter) return w;
  return "no type";
}

void check_type_word(Findings& f, const CheckedLine& line, const DeclarationRead& d) {
  int end = d.type_start;
  while (end < line.length && line.text[end] != ';' && line.text[end] != ' ' &&
         line.text[end] != '\r')
    ++end;
  const int length = end - d.type_start;
  if (length <= 0) return;
  const char* word = line.text + d.type_start;
  for (const char* w : kTypeWords)
    if (static_cast<int>(strlen(w)) == length && strncmp(word, w, length) == 0) return;
  const Shown shown_word = shown(word, length);
  if (d.type != VarType::none)
    add_finding(f, line.number, d.type_start + 1, Check::kTypeWord, Severity::kWarning,
                "the type word '%s' is read as %s: only its first letter counts", shown_word.text,
                type_name(static_cast<char>(d.type)));
  else
    add_finding(f, line.number, d.type_start + 1, Check::kTypeWord, Severity::kError,
                "the type word '%s' gives no type, so the variable never computes or compares; "
                "the types are string, integer, real, char, text and hex, in lower case",
                shown_word.text);
}

void declare(ScriptState& s, Findings& f, const CheckedLine& line, Role role) {
  const int vtype = role == Role::kConstFirst || role == Role::kConstMore ? 1 : 0;
  s.block = vtype == 0 ? Block::var : Block::constant;
  const DeclarationRead d = read_declaration(line.text, vtype == 1);
  if (!d.declares) return;
  if (s.declared >= kMaxDeclarations) {
    if (s.declared++ == kMaxDeclarations)
      add_finding(f, line.number, 1, Check::kTooManyDeclarations, Severity::kError,
                  "a script holds at most 249 declarations: this one and those after it are "
                  "refused with \"Pascal Error - Variable table full\"");
    return;
  }
  Slot& v = s.slots[s.declared++];
  const int n = d.name_length < kNameSize - 1 ? d.name_length : kNameSize - 1;
  memcpy(v.name, line.text + d.name_start, static_cast<size_t>(n));
  v.name[n] = '\0';
  v.type = static_cast<char>(d.type);
  v.constant = vtype == 1 && (d.type != VarType::none || d.has_equals);
  const Shown name = shown(v.name);
  const bool first_word_const = strncmp(line.text + line.facts.indent, "const", 5) == 0;
  if (vtype == 1 && !first_word_const && role == Role::kConstFirst) {
    add_finding(f, line.number, line.facts.indent + 1, Check::kDeclarationFormat, Severity::kError,
                "this line holds 'const', so it is also read as a constant declaration of '%s' "
                "(with an error message); keep 'const' out of names",
                name.text);
    return;
  }
  if (!d.separator_found)
    add_finding(f, line.number, d.name_start + 1, Check::kDeclarationFormat, Severity::kError,
                "this declares '%s' (a name runs to the next blank) and prints an error: write "
                "'%s' with a blank on each side of '%c', one name per line",
                name.text, vtype == 0 ? "name : type;" : "name = value;", vtype == 0 ? ':' : '=');
  else if (vtype == 0)
    check_type_word(f, line, d);
  if (vtype == 1 && !d.has_equals)
    add_finding(f, line.number, d.name_start + 1, Check::kDeclarationFormat, Severity::kError,
                "the constant '%s' gets no value: write 'name = value;' with a blank on each "
                "side of '='",
                name.text);
}

}  // namespace

void check_declaration_line(ScriptState& s, Findings& f, const CheckedLine& line) {
  if (is_blank_line(line) || (line.facts.marks & kMarkProgram) != 0) return;
  if (line.number == 1 && line.text[0] == '#' && line.text[1] == '!') return;
  const char* t = line.text + line.facts.indent;
  if (strncmp(t, "var", 3) == 0 && (t[3] == '\0' || t[3] == '\r' || t[3] == ';')) {
    add_finding(f, line.number, line.facts.indent + 1, Check::kVarAlone, Severity::kError,
                "'var' alone on its line declares nothing, and the indented lines after it are "
                "not taken; write the first declaration on the var line: 'var x : integer;'");
    return;
  }
  bool taken = false;
  for (uint64_t left = line.facts.rows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    if (!kStatements[r].declaration) {
      taken = true;  // a statement runs before "begin" too
      continue;
    }
    if (!declaration_row_takes(r, line.text, s.block)) continue;
    taken = true;
    const Role role = kStatements[r].role;
    if (role == Role::kLabelFirst || role == Role::kLabelMore)
      s.block = Block::label;
    else
      declare(s, f, line, role);
  }
  if (taken) return;
  if (strstr(t, ":=") != nullptr) {
    does_nothing(f, line, "assignments run only after the line holding 'begin'");
    return;
  }
  if (strchr(t, ':') != nullptr || strchr(t, '=') != nullptr) {
    add_finding(f, line.number, line.facts.indent + 1, Check::kDeclarationFormat, Severity::kError,
                "not taken as a declaration: a declaration begins with 'var ' or 'const ', and "
                "a line that continues one is indented by three to five blanks");
    return;
  }
  does_nothing(f, line, "before the line holding 'begin' only declarations are taken");
}

}  // namespace vp::check
