// Names: the declared slots as the variable table would hold them, which name a line
// assigns or uses, and what the run does with a name that no slot holds or that
// holds another name inside it.
#include <cstring>

#include "checker.hpp"
#include "vp/handlers.hpp"

namespace vp::check {

void place_builtin_slots(ScriptState& s) {
  for (const Builtin& b : kBuiltins) {
    copy_cut(s.slots[b.slot].name, kNameSize, b.name);
    s.slots[b.slot].type = static_cast<char>(b.type);
  }
}

int find_slot(const ScriptState& s, const char* name, int length) {
  const char first = length > 0 ? name[0] : '\0';
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* n = s.slots[slot].name;
    if (n[0] != first) continue;
    if (static_cast<int>(strnlen(n, kNameSize)) == length && strncmp(n, name, length) == 0)
      return slot;
  }
  return -1;
}

int assigned_slot(const ScriptState& s, const CheckedLine& line, int* constant_slot) {
  *constant_slot = -1;
  const int indent = line.facts.indent;
  for (int i = 0; i < indent; ++i)
    if (line.text[i] != ' ') return -1;  // a tab-indented line never assigns
  for (int slot = 0; slot < kSlots; ++slot) {
    const Slot& v = s.slots[slot];
    if (v.name[0] == '\0' || v.name[0] != line.text[indent]) continue;
    const int length = static_cast<int>(strlen(v.name));
    if (indent + length >= line.length || strncmp(line.text + indent, v.name, length) != 0)
      continue;
    const char after = line.text[indent + length];
    if (after != ' ' && after != '\t' && after != ':') continue;
    if (!v.constant) return slot;
    if (*constant_slot < 0) *constant_slot = slot;
  }
  return -1;
}

namespace {

constexpr int kCompared = 64;  // names are compared on their first 64 characters

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int distance(const char* a, int la, const char* b, int lb) {
  if (la > kCompared) la = kCompared;
  if (lb > kCompared) lb = kCompared;
  int row[kCompared + 1];
  for (int j = 0; j <= lb; ++j) row[j] = j;
  for (int i = 1; i <= la; ++i) {
    int diagonal = row[0];
    row[0] = i;
    for (int j = 1; j <= lb; ++j) {
      const int above = row[j];
      const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      int best = diagonal + cost;
      if (above + 1 < best) best = above + 1;
      if (row[j - 1] + 1 < best) best = row[j - 1] + 1;
      row[j] = best;
      diagonal = above;
    }
  }
  return row[lb];
}

bool same_ignoring_case(const char* a, int la, const char* b) {
  if (static_cast<int>(strlen(b)) != la) return false;
  for (int i = 0; i < la; ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

void suggest_name(const ScriptState& s, const char* name, int length, char* out, int size) {
  out[0] = '\0';
  int best = -1;
  // Short names are all close to each other: only a difference of letter case counts.
  int best_distance = length <= 2 ? 0 : length <= 5 ? 1 : 2;
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* n = s.slots[slot].name;
    if (n[0] == '\0') continue;
    if (same_ignoring_case(name, length, n)) {
      best = slot;
      break;
    }
    const int d = distance(name, length, n, static_cast<int>(strlen(n)));
    if (d > 0 && (d < best_distance || (d == best_distance && best < 0))) {
      best_distance = d;
      best = slot;
    }
  }
  if (best >= 0)
    snprintf(out, static_cast<size_t>(size), "; did you mean '%s'?",
             shown(s.slots[best].name).text);
}

void check_name_use(ScriptState& s, Findings& f, const CheckedLine& line, int column,
                    const char* name, int length, const char* what) {
  if (length <= 0 || name[0] == ' ' || find_slot(s, name, length) >= 0) return;
  char hint[96];
  suggest_name(s, name, length, hint, sizeof(hint));
  add_finding(f, line.number, column + 1, Check::kUndeclaredName, Severity::kError,
              "'%s' is not declared: %s%s", shown(name, length).text, what, hint);
}

namespace {

bool is_number_start(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

// One operand or '+' part, trimmed of blanks: what names it holds and which one the
// run takes. first_wins: arithmetic and until replace the text at the first match;
// the '+' join keeps the last.
void check_operand(ScriptState& s, Findings& f, const CheckedLine& line, const char* word,
                   int length, int column, bool first_wins) {
  if (length <= 0 || is_number_start(word[0]) || word[0] == '\'') return;
  char text[kValueSize];
  const int n = length < kValueSize - 1 ? length : kValueSize - 1;
  memcpy(text, word, static_cast<size_t>(n));
  text[n] = '\0';
  // Only names whose first character occurs in the text can occur in it.
  bool present[256] = {};
  for (int i = 0; i < n; ++i) present[static_cast<unsigned char>(text[i])] = true;
  int taken = -1;
  for (int slot = 0; slot < kSlots; ++slot) {
    const char* name = s.slots[slot].name;
    if (!present[static_cast<unsigned char>(name[0])] || strstr(text, name) == nullptr) continue;
    taken = slot;
    if (first_wins) break;
  }
  const int exact = find_slot(s, text, n);
  const Shown w = shown(text);
  if (taken < 0) {
    char hint[96];
    suggest_name(s, text, n, hint, sizeof(hint));
    add_finding(f, line.number, column + 1, Check::kUndeclaredName, Severity::kError,
                "'%s' is not declared and holds no declared name: it %s%s", w.text,
                first_wins ? "reads as 0" : "adds nothing", hint);
    return;
  }
  const Shown t = shown(s.slots[taken].name);
  if (exact < 0) {
    add_finding(f, line.number, column + 1, Check::kUndeclaredName, Severity::kError,
                "'%s' is not declared: the value of '%s', whose name occurs in it, is used", w.text,
                t.text);
    return;
  }
  if (taken != exact)
    add_finding(f, line.number, column + 1, Check::kNameInsideName, Severity::kWarning,
                "the name '%s' occurs inside '%s' and is declared %s it: the value of '%s' is "
                "used here; rename one of them",
                t.text, w.text, first_wins ? "before" : "after", t.text);
  if (first_wins && s.slots[taken].from_input)
    add_finding(f, line.number, column + 1, Check::kInputAsName, Severity::kNote,
                "'%s' is filled from standard input or the request: when its value is the name "
                "of a variable, that variable's value is used instead",
                t.text);
}

}  // namespace

void check_operand_names(ScriptState& s, Findings& f, const CheckedLine& line, const char* text,
                         int length, int column, bool arithmetic) {
  // Split as the run splits: arithmetic at every operator character, the '+' join at
  // '+' outside quoted texts.
  int start = 0;
  bool quoted = false;
  for (int i = 0; i <= length; ++i) {
    const char c = i < length ? text[i] : ';';
    if (!arithmetic && c == '\'') quoted = !quoted;
    const bool ends = arithmetic ? (i > start && strchr("+-*^/%#~;", c) != nullptr)
                                 : (!quoted && (c == '+' || c == ';'));
    if (!ends && i < length) continue;
    int a = start;
    int b = i;
    while (a < b && text[a] == ' ') ++a;
    while (b > a && text[b - 1] == ' ') --b;
    check_operand(s, f, line, text + a, b - a, column + a, arithmetic);
    start = i + 1;
    if (c == ';') break;
  }
}

}  // namespace vp::check
