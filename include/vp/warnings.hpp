// Run-time warnings: what the run passes over silently (a name no variable holds, a
// file that does not open, a loop bound cut short), told on standard error as
// "FILE:LINE: warning: message" when the user asks for it with -w or VP_WARNINGS=1.
// Off, a warning costs a call and the test of one flag; standard output never changes.
#pragma once

#include "vp/interpreter.hpp"

namespace vp {

// Writes one warning about the script line being handled, formatted as printf does.
// A line that warned on an earlier pass of a loop does not warn again.
void warn(Interpreter& it, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// The same about the given line (0: the script as a whole), without that check.
void warn_at(Interpreter& it, int line, const char* fmt, ...) __attribute__((format(printf, 3, 4)));

// Reads -w (the flag word, not under a web server) and VP_WARNINGS=1 (always).
void set_up_warnings(Interpreter& it, const char* script, const char* flag, bool cgi);

}  // namespace vp
