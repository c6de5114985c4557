// Standard output and the end of the process.
#include <algorithm>
#include <cstdlib>

#include "vp/handlers.hpp"

namespace vp {

void flush_out(Interpreter& it) {
  if (it.out.length > 0) it.host.write_out(it.out.bytes, static_cast<size_t>(it.out.length));
  it.out.length = 0;
}

namespace {

void vformat(Interpreter& it, const char* fmt, va_list args) {
  char buf[2048];
  int n = vsnprintf(buf, sizeof(buf), fmt, args);
  if (n < 0) return;
  if (n >= static_cast<int>(sizeof(buf))) n = sizeof(buf) - 1;
  out_bytes(it, buf, static_cast<size_t>(n));
}

}  // namespace

void out_format(Interpreter& it, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  vformat(it, fmt, args);
  va_end(args);
}

void trace_out(Interpreter& it, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  vformat(it, fmt, args);
  va_end(args);
}

#if !(defined(__GNUC__) && !defined(__clang__))
void trace(Interpreter& it, const char* fmt, ...) {
  if (!it.tracing) return;
  va_list args;
  va_start(args, fmt);
  vformat(it, fmt, args);
  va_end(args);
}
#endif

void tell_out_failure(Interpreter& it) {
  const char* why = it.host.out_failure();
  if (why == nullptr || it.out_failure_told) return;
  it.out_failure_told = true;
  it.write_failed = true;
  char line[256];
  const int n = snprintf(line, sizeof(line), "vp: cannot write standard output: %s\n", why);
  if (n > 0) it.host.write_err(line, std::min(static_cast<size_t>(n), sizeof(line) - 1));
}

int finish_run(Interpreter& it, int status) {
  close_text_file(it);  // its failure is told on standard output, so first
  flush_out(it);
  tell_out_failure(it);
  close_script(it);
  // A run whose output was lost does not end as a success; halt's 1 stays 1.
  return it.write_failed && status == 0 ? 1 : status;
}

void end_process(Interpreter& it, int status) {
  it.host.exit_process(finish_run(it, status));
  abort();  // a host whose exit returned
}

}  // namespace vp
