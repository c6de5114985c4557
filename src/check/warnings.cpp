// Run-time warnings on standard error, through the host.
#include "vp/warnings.hpp"

#include <cstdarg>

namespace vp {

namespace {

void vwarn(Interpreter& it, int line, const char* fmt, va_list args) {
  char buf[1024];
  // Line 0: about the file as a whole.
  int n = line > 0 ? snprintf(buf, sizeof(buf), "%s:%d: warning: ", it.warnings.script, line)
                   : snprintf(buf, sizeof(buf), "%s: warning: ", it.warnings.script);
  if (n < 0) return;
  if (n < static_cast<int>(sizeof(buf)) - 1) {
    const int m = vsnprintf(buf + n, sizeof(buf) - static_cast<size_t>(n), fmt, args);
    if (m > 0) n += m;
  }
  if (n > static_cast<int>(sizeof(buf)) - 2) n = sizeof(buf) - 2;  // cut, line end kept
  buf[n++] = '\n';
  // What the script wrote so far comes first, so a terminal shows both in order.
  flush_out(it);
  it.host.write_err(buf, static_cast<size_t>(n));
}

}  // namespace

void warn(Interpreter& it, const char* fmt, ...) {
  Warnings& w = it.warnings;
  if (!w.on) return;
  const int line = script_line_number(it);
  if (line >= 0 && line < kWarnedLines) {
    unsigned char& bits = w.warned[line / 8];
    const unsigned char bit = static_cast<unsigned char>(1u << (line % 8));
    const bool this_pass = w.line == line && w.pass == it.line_count;
    if ((bits & bit) != 0 && !this_pass) return;
    bits |= bit;
    w.line = line;
    w.pass = it.line_count;
  }
  va_list args;
  va_start(args, fmt);
  vwarn(it, line, fmt, args);
  va_end(args);
}

void warn_at(Interpreter& it, int line, const char* fmt, ...) {
  if (!it.warnings.on) return;
  va_list args;
  va_start(args, fmt);
  vwarn(it, line, fmt, args);
  va_end(args);
}

void set_up_warnings(Interpreter& it, const char* script, const char* flag, bool cgi) {
  const char* asked = it.host.get_env("VP_WARNINGS");
  // The flag word can come from a URL under a web server; the environment cannot.
  it.warnings.on =
      (asked != nullptr && strcmp(asked, "1") == 0) || (!cgi && flag[0] != '\0' && flag[1] == 'w');
  copy_cut(it.warnings.script, static_cast<int>(sizeof(it.warnings.script)), script);
}

}  // namespace vp
