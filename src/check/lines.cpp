// One line at a time: declarations before "begin", statements after it, and the
// explanation of a line that no statement takes.
#include <cstdarg>
#include <cstring>

#include "checker.hpp"
#include "vp/handlers.hpp"

namespace vp::check {

bool is_blank_line(const CheckedLine& line) {
  for (int i = 0; i < line.length; ++i)
    if (line.text[i] != ' ' && line.text[i] != '\t' && line.text[i] != '\r') return false;
  return true;
}

int comment_mark(const char* text, bool* quoted) {
  bool in_quotes = false;
  for (int i = 0; text[i] != '\0'; ++i) {
    if (text[i] == '\'') in_quotes = !in_quotes;
    if ((text[i] == '/' && text[i + 1] == '/') || (text[i] == '(' && text[i + 1] == '*')) {
      *quoted = in_quotes;
      return i;
    }
  }
  return -1;
}

void does_nothing(Findings& f, const CheckedLine& line, const char* format, ...) {
  char why[kMessageSize];
  va_list args;
  va_start(args, format);
  vsnprintf(why, sizeof(why), format, args);
  va_end(args);
  add_finding(f, line.number, line.facts.indent + 1, Check::kLineDoesNothing, Severity::kError,
              "this line does nothing: %s", why);
}

namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool word_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The keyword of a row without its leading blanks, and the word it begins with.
std::string_view bare_keyword(int row) {
  std::string_view k = kStatements[row].keyword;
  while (!k.empty() && k.front() == ' ') k.remove_prefix(1);
  return k;
}

int keyword_word(std::string_view k) {
  int n = 0;
  while (n < static_cast<int>(k.size()) && word_char(k[n])) ++n;
  return n;
}

bool starts_ignoring_case(const char* text, std::string_view k, bool* exact) {
  *exact = true;
  for (size_t i = 0; i < k.size(); ++i) {
    if (text[i] == '\0' || lower(text[i]) != lower(k[i])) return false;
    if (text[i] != k[i]) *exact = false;
  }
  return true;
}

// Pascal statements this language does not have, and what to write instead.
struct Missing {
  const char* word;
  const char* advice;
};
constexpr Missing kMissing[] = {
    {"for", "loops are written with while or repeat"},
    {"else", "write a second if with the opposite comparison"},
    {"case", "there is no case: write one if per value"},
    {"procedure", "there are no procedures: write the lines where they are needed"},
    {"function", "there are no functions: write the lines where they are needed"},
    {"with", "there is no with statement"},
    {"uses", "there are no units"},
    {"type", "there are no type declarations"},
};

int edit_distance_small(std::string_view a, std::string_view b) {
  if (a.size() > 24 || b.size() > 24) return 99;
  int row[25];
  for (size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      int best = diagonal + (lower(a[i - 1]) == b[j - 1] ? 0 : 1);
      if (above + 1 < best) best = above + 1;
      if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
      row[j] = best;
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A keyword of the table standing at the line's first word, but not in the form
// the table searches for.
bool explain_keyword(Findings& f, const CheckedLine& line) {
  const char* t = line.text + line.facts.indent;
  int blanks = 0;
  while (blanks < line.facts.indent && line.text[line.facts.indent - 1 - blanks] == ' ') ++blanks;
  const bool tab = memchr(line.text, '\t', static_cast<size_t>(line.facts.indent)) != nullptr;
  int word = 0;
  while (word_char(t[word])) ++word;
  const std::string_view first(t, static_cast<size_t>(word));
  int close = -1;
  for (int r = 0; r < kRowCount; ++r) {
    const std::string_view k = bare_keyword(r);
    const int kw = keyword_word(k);
    if (kStatements[r].declaration || kw == 0) continue;
    const Shown shown_k = shown(k.data(), static_cast<int>(k.size()));
    bool exact;
    if (starts_ignoring_case(t, k, &exact)) {
      if (!exact && !kStatements[r].any_case) {
        does_nothing(f, line, "'%s' is found only in lower case", shown_k.text);
      } else if (blanks < 2) {
        does_nothing(f, line, "a statement needs two blanks right before its keyword '%s'%s",
                     shown_k.text, tab ? " (a tab does not count)" : "");
      } else {
        return false;  // its further condition failed: told by its own check
      }
      return true;
    }
    const std::string_view kword = k.substr(0, static_cast<size_t>(kw));
    bool same;
    if (word == kw && starts_ignoring_case(t, kword, &same)) {
      does_nothing(f, line,
                   "the keyword is written '%s', exactly so (what follows the word "
                   "counts)",
                   shown_k.text);
      return true;
    }
    if (word > 2 && close < 0 && edit_distance_small(first, kword) <= (kw > 5 ? 2 : 1)) close = r;
  }
  if (close >= 0) {
    const std::string_view k = bare_keyword(close);
    char text[kShownSize];
    snprintf(text, sizeof(text), "%s", shown(k.data(), keyword_word(k)).text);
    does_nothing(f, line, "'%s' is no statement; did you mean '%s'?", shown(t, word).text, text);
    return true;
  }
  return false;
}

void explain_does_nothing(ScriptState& s, Findings& f, const CheckedLine& line, int constant) {
  const char* t = line.text + line.facts.indent;
  if (constant >= 0) {
    does_nothing(f, line, "'%s' is a constant, and an assignment to a constant is dropped",
                 shown(s.slots[constant].name).text);
    return;
  }
  int word = 0;
  while (word_char(t[word]) || t[word] == '.') ++word;
  const char* after = t + word;
  while (*after == ' ') ++after;
  if (word > 0 && after[0] == ':' && after[1] == '=') {
    if (memchr(line.text, '\t', static_cast<size_t>(line.facts.indent)) != nullptr &&
        find_slot(s, t, word) >= 0) {
      does_nothing(f, line,
                   "an assignment is found only after blanks, and this line is "
                   "indented with a tab");
      return;
    }
    check_name_use(s, f, line, line.facts.indent, t, word, "the assignment does nothing");
    return;
  }
  if (word > 0 && after[0] == ':' && line.facts.indent > 0) {
    does_nothing(f, line,
                 "a label stands at the very start of its line, or goto never finds "
                 "it");
    return;
  }
  if (t[0] == '{') {
    does_nothing(f, line, "braces are no comment here: a comment is a line holding '//' or '(*'");
    return;
  }
  if (explain_keyword(f, line)) return;
  for (const Missing& m : kMissing) {
    bool exact;
    const size_t n = strlen(m.word);
    if (static_cast<size_t>(word) == n && starts_ignoring_case(t, m.word, &exact)) {
      does_nothing(f, line, "'%s' is no statement of this language; %s", m.word, m.advice);
      return;
    }
  }
  does_nothing(f, line, "no statement matches it, and it assigns no declared variable");
}

bool label_line(const ScriptState& s, const CheckedLine& line) {
  const char* t = line.text;
  if (t[0] == ' ' || t[0] == '\t') return false;
  int n = 0;
  while (t[n] != '\0' && t[n] != ' ' && t[n] != ':' && t[n] != '\r') ++n;
  return t[n] == ':' || s.goto_landing == line.number;
}

}  // namespace

namespace {

bool declaration_keyword_first(const CheckedLine& line) {
  const char* t = line.text + line.facts.indent;
  for (int r = 0; r < kRowCount; ++r) {
    if (!kStatements[r].declaration) continue;
    std::string_view k = bare_keyword(r);
    while (!k.empty() && k.back() == ' ') k.remove_suffix(1);
    if (!k.empty() && strncmp(t, k.data(), k.size()) == 0 && !word_char(t[k.size()])) return true;
  }
  return false;
}

// The rows of a line that run after "begin", when the line is an if line too.
void check_if_line(Findings& f, const CheckedLine& line, uint64_t rows, int if_row) {
  for (uint64_t left = rows & ~(uint64_t{1} << if_row); left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Role role = kStatements[r].role;
    if (role == Role::kLoopEnd) continue;
    const std::string_view k = bare_keyword(r);
    const char* where = strstr(line.text, kStatements[r].keyword.data());
    const int column =
        where == nullptr ? line.facts.indent : static_cast<int>(where - line.text) + 2;
    add_finding(f, line.number, column + 1, Check::kStatementOnIfLine, Severity::kError,
                "'%s' on the if line runs whatever the condition: an if governs the next line "
                "only; put it on a line of its own",
                shown(k.data(), keyword_word(k)).text);
  }
}

}  // namespace

void check_statement_line(ScriptState& s, Findings& f, const CheckedLine& line) {
  if (is_blank_line(line)) return;
  const LineClass& c = line.facts;
  if (declaration_keyword_first(line)) {
    add_finding(f, line.number, c.indent + 1, Check::kDeclarationAfterBegin, Severity::kError,
                "a declaration after the line holding 'begin' is not taken: move it before "
                "'begin'");
    return;
  }
  const uint64_t rows = c.rows & ~kDeclarationRows;
  int constant = -1;
  const int slot = assigned_slot(s, line, &constant);
  int if_row = -1;
  for (int r = 0; r < kRowCount; ++r)
    if (kStatements[r].role == Role::kIf && (c.keyword_rows >> r & 1) != 0) if_row = r;
  if (if_row >= 0 && (rows >> if_row & 1) == 0) {
    add_finding(f, line.number, c.indent + 1, Check::kIfWithAnd, Severity::kError,
                "this line holds ' and', so it is no if: the next line always runs; an if "
                "takes one comparison, so put the second one in an if block under the first");
    return;
  }
  if (rows == 0 && slot < 0) {
    if ((c.marks & (kMarkBegin | kMarkEnd | kMarkProgram)) != 0 || label_line(s, line)) return;
    if (line.number == 1 && line.text[0] == '#' && line.text[1] == '!') return;
    explain_does_nothing(s, f, line, constant);
    return;
  }
  if (if_row >= 0)
    check_if_line(f, line, rows, if_row);
  else if (std::popcount(rows) >= 2)
    add_finding(f, line.number, c.indent + 1, Check::kSeveralStatements, Severity::kWarning,
                "several statements on one line run in the order of the statement table, not "
                "of the line, and each reads its arguments as if it began the line; give each "
                "its own line");
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Role role = kStatements[r].role;
    if (role == Role::kIf || role == Role::kUntil)
      check_condition(s, f, line, r);
    else if (role == Role::kWhileLess || role == Role::kWhileMore || role == Role::kWhileCount)
      check_while_head(s, f, line, r);
    else
      check_arguments(s, f, line, r);
  }
  if (slot >= 0 && rows == 0) check_assignment(s, f, line, slot);
}

}  // namespace vp::check
