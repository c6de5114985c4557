// The catalogue of checks, the findings of a script, and the comment directive that
// silences a check on the line after it.
#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "checker.hpp"

namespace vp::check {

constexpr Severity kE = Severity::kError;
constexpr Severity kW = Severity::kWarning;
constexpr Severity kN = Severity::kNote;

// In the order of Check. A name, once given, stays: editors and directives use it.
const CheckInfo kChecks[static_cast<int>(Check::kCount)] = {
    {"line-does-nothing", kE},
    {"comment-drops-line", kE},
    {"end-in-text", kE},
    {"code-after-end", kW},
    {"begin-in-text", kW},
    {"missing-frame", kE},
    {"line-too-long", kE},
    {"line-cap", kE},
    {"declaration-after-begin", kE},
    {"too-many-declarations", kE},
    {"var-alone", kE},
    {"declaration-format", kE},
    {"type-word", kE},
    {"undeclared-name", kE},
    {"copies-name", kW},
    {"operator-spacing", kE},
    {"assignment-spacing", kE},
    {"missing-semicolon", kE},
    {"name-inside-name", kW},
    {"input-as-name", kN},
    {"if-with-and", kE},
    {"statement-on-if-line", kE},
    {"if-governs-nothing", kE},
    {"condition-syntax", kE},
    {"condition-never-holds", kW},
    {"if-block-in-while", kW},
    {"if-governs-loop-end", kW},
    {"nested-if-block", kW},
    {"nested-loop", kE},
    {"loop-without-end", kE},
    {"while-bound", kE},
    {"while-variable", kW},
    {"until-without-repeat", kE},
    {"goto-label-missing", kE},
    {"goto-label-above", kE},
    {"blank-after-comma", kE},
    {"several-statements", kW},
    {"bare-word", kN},
};

const char* severity_name(Severity s) {
  switch (s) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    default:
      return "note";
  }
}

Check check_named(const char* name, int length) {
  for (int c = 0; c < static_cast<int>(Check::kCount); ++c) {
    const char* known = kChecks[c].name;
    if (static_cast<int>(strlen(known)) == length && strncmp(known, name, length) == 0)
      return static_cast<Check>(c);
  }
  return Check::kCount;
}

void add_finding(Findings& f, int line, int column, Check check, Severity severity,
                 const char* format, ...) {
  if (f.count >= kMaxFindings) {
    ++f.dropped;
    return;
  }
  Finding& x = f.items[f.count];
  x.line = line;
  x.column = column < 1 ? 1 : column;
  x.order = f.count;
  x.severity = severity;
  x.check = check;
  va_list args;
  va_start(args, format);
  vsnprintf(x.message, sizeof(x.message), format, args);
  va_end(args);
  ++f.count;
}

namespace {

bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || c == '-';
}

}  // namespace

bool read_directive(Findings& f, int line, const char* text) {
  const char* p = strstr(text, "check: ignore ");
  if (p == nullptr || f.directive_count >= kMaxDirectives) return false;
  p += strlen("check: ignore ");
  uint64_t checks = 0;
  for (;;) {
    while (*p == ' ' || *p == ',') ++p;
    const char* start = p;
    while (name_char(*p)) ++p;
    if (p == start) break;
    const Check c = check_named(start, static_cast<int>(p - start));
    if (c != Check::kCount) checks |= uint64_t{1} << static_cast<int>(c);
  }
  if (checks == 0) return false;
  f.directives[f.directive_count++] = {line, checks};
  return true;
}

void settle_findings(Findings& f) {
  int kept = 0;
  for (int i = 0; i < f.count; ++i) {
    const Finding& x = f.items[i];
    bool silenced = false;
    for (int d = 0; d < f.directive_count && !silenced; ++d) {
      const Directive& dir = f.directives[d];
      silenced = dir.line + 1 == x.line && (dir.checks >> static_cast<int>(x.check) & 1) != 0;
    }
    if (!silenced) f.items[kept++] = x;
  }
  f.count = kept;
  std::sort(f.items, f.items + f.count, [](const Finding& a, const Finding& b) {
    if (a.line != b.line) return a.line < b.line;
    if (a.column != b.column) return a.column < b.column;
    return a.order < b.order;
  });
}

Shown shown(const char* text, int length) {
  Shown s;
  if (length < 0) length = static_cast<int>(strlen(text));
  int n = 0;
  const int room = kShownSize - 1;
  const bool cut = length > room;
  const int take = cut ? room - 3 : length;
  for (int i = 0; i < take; ++i) {
    const char c = text[i];
    s.text[n++] = (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
  if (cut) {
    memcpy(s.text + n, "...", 3);
    n += 3;
  }
  s.text[n] = '\0';
  return s;
}

}  // namespace vp::check
