// The command line of the checker and the printing of its findings, as compiler
// diagnostics or as one JSON array.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "checker.hpp"
#include "vp/check.hpp"

namespace vp {

namespace {

using check::Finding;
using check::Findings;
using check::ScriptState;
using check::Severity;

struct Options {
  Severity shown = Severity::kNote;  // the least severe level printed
  bool json = false;
};

// The state of one script and its findings: large, and reused for every script.
ScriptState g_state;
Findings g_findings;

constexpr const char kCheckUsage[] =
    "Usage: vp --check [--severity=error|warning|note] [--format=json] FILE...\n";

bool parse_severity(const char* text, Severity* s) {
  if (strcmp(text, "error") == 0)
    *s = Severity::kError;
  else if (strcmp(text, "warning") == 0)
    *s = Severity::kWarning;
  else if (strcmp(text, "note") == 0)
    *s = Severity::kNote;
  else
    return false;
  return true;
}

void json_text(FILE* out, const char* s) {
  fputc('"', out);
  for (; *s != '\0'; ++s) {
    const auto c = static_cast<unsigned char>(*s);
    if (c == '"' || c == '\\')
      fprintf(out, "\\%c", c);
    else if (c < 0x20)
      fprintf(out, "\\u%04x", c);
    else
      fputc(c, out);
  }
  fputc('"', out);
}

void print_finding(FILE* out, const Options& o, const char* path, const Finding& x, bool* first) {
  const char* severity = check::severity_name(x.severity);
  const char* name = check::kChecks[static_cast<int>(x.check)].name;
  if (!o.json) {
    fprintf(out, "%s:%d:%d: %s: %s [%s]\n", path, x.line, x.column, severity, x.message, name);
    return;
  }
  fputs(*first ? "\n" : ",\n", out);
  *first = false;
  fputs("{\"file\":", out);
  json_text(out, path);
  fprintf(out,
          ",\"line\":%d,\"column\":%d,\"severity\":\"%s\",\"check\":\"%s\",\"message\":", x.line,
          x.column, severity, name);
  json_text(out, x.message);
  fputc('}', out);
}

// Reads the script as the run does, 255 characters at a time. Returns false when it
// cannot be read.
bool read_script(FILE* fp) {
  ScriptState& s = g_state;
  Findings& f = g_findings;
  memset(&s, 0, sizeof(s));
  f.count = f.dropped = f.directive_count = 0;
  check::place_builtin_slots(s);
  char text[kLineSize];
  int number = 1;
  bool ended_line = true;
  while (fgets_unlocked(text, kLineSize, fp) != nullptr) {
    int length = static_cast<int>(strlen(text));
    const bool has_end = length > 0 && text[length - 1] == '\n';
    if (has_end) text[--length] = '\0';
    if (!has_end && length == kLineSize - 1 && ended_line) {
      const int next = getc_unlocked(fp);
      if (next != EOF && next != '\n')
        add_finding(f, number, kLineSize, check::Check::kLineTooLong, Severity::kError,
                    "this line is longer than 255 characters: the rest, from here on, is read "
                    "as a line of its own");
      if (next != EOF) ungetc(next, fp);
    }
    check::CheckedLine line = {text, length, number, !ended_line, {}};
    check::check_line(s, f, line);
    ended_line = has_end;
    if (has_end) ++number;
  }
  if (ferror(fp)) return false;
  check::finish_script(s, f, ended_line ? number - 1 : number);
  check::settle_findings(f);
  return true;
}

}  // namespace

namespace {

// Reads the options; returns the index of the first script, or -1 after a usage
// error has been told.
int read_options(int argc, const char* const* argv, Options& o, FILE* err) {
  for (int i = 2; i < argc; ++i) {
    const char* a = argv[i];
    if (strcmp(a, "--") == 0) return i + 1 < argc ? i + 1 : -1;
    if (a[0] != '-' || a[1] == '\0') return i;
    if (strncmp(a, "--severity=", 11) == 0 && parse_severity(a + 11, &o.shown)) continue;
    if (strcmp(a, "--format=json") == 0 || strcmp(a, "--format=text") == 0) {
      o.json = a[9] == 'j';
      continue;
    }
    fprintf(err, "vp: unknown option '%s'\n", a);
    return -1;
  }
  return -1;
}

// Prints the findings of the script just read; true when one is an error.
bool print_findings(FILE* out, const Options& o, const char* path, bool* first) {
  bool error = false;
  for (int k = 0; k < g_findings.count; ++k) {
    const Finding& x = g_findings.items[k];
    if (x.severity == Severity::kError) error = true;
    if (x.severity <= o.shown) print_finding(out, o, path, x, first);
  }
  return error;
}

}  // namespace

int check_script(FILE* fp, const char* name, FILE* out) {
  if (!read_script(fp)) return 2;
  bool first = true;
  return print_findings(out, Options{}, name, &first) ? 1 : 0;
}

int check_command(int argc, const char* const* argv, FILE* out, FILE* err) {
  Options o;
  const int first_file = read_options(argc, argv, o, err);
  if (first_file < 0) {
    fputs(kCheckUsage, err);
    return 2;
  }

  int status = 0;
  bool first = true;
  if (o.json) fputc('[', out);
  for (int i = first_file; i < argc; ++i) {
    const char* path = argv[i];
    FILE* fp = fopen(path, "r");
    struct stat st;
    if (fp != nullptr && fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode)) {
      fclose(fp);
      fp = nullptr;
      errno = EISDIR;
    }
    if (fp == nullptr || !read_script(fp)) {
      fprintf(err, "vp: cannot read '%s': %s\n", path, strerror(errno));
      if (fp != nullptr) fclose(fp);
      status = 2;
      continue;
    }
    fclose(fp);
    if (print_findings(out, o, path, &first) && status == 0) status = 1;
    if (g_findings.dropped > 0)
      fprintf(err, "vp: %s: %d more findings not shown\n", path, g_findings.dropped);
  }
  if (o.json) fputs(first ? "]\n" : "\n]\n", out);
  fflush(out);
  return status;
}

}  // namespace vp
