// The command line and the run's lifetime: answers the version and help requests,
// opens the script, places the built-ins, repeats the per-line step until one of
// its three exits, and reports what the script's frame lacked.
#include <cerrno>

#include "vp/check.hpp"
#include "vp/handlers.hpp"
#include "vp/warnings.hpp"

namespace vp {

namespace {

// A count as people write it, 9,999.
void group_thousands(char* out, size_t size, int n) {
  if (n >= 1000)
    snprintf(out, size, "%d,%03d", n / 1000, n % 1000);
  else
    snprintf(out, size, "%d", n);
}

}  // namespace

// Answered only for the exact single word, so every other command line (a script
// whose name begins "--") keeps its meaning.
constexpr const char kUsage[] =
    "Usage: vp SCRIPT [-d | -w]\n"
    "       vp --check [--severity=error|warning|note] [--format=json] SCRIPT...\n"
    "       vp -v | --version\n"
    "       vp --fastcgi ADDRESS\n"
    "       vp --help\n"
    "Runs SCRIPT, a program in the vp language, one line at a time.\n"
    "  -d         after the script: trace mode, a line for each decision taken\n"
    "             (starting the interpreter under the name vpdebug does the same)\n"
    "  -w         after the script: warnings on standard error, as FILE:LINE: warning:\n"
    "             for what the run passes over silently (VP_WARNINGS=1 does the same)\n"
    "  --check    read the scripts without running them and report each line that\n"
    "             will not do what it seems to, as FILE:LINE:COL: severity: message;\n"
    "             exit status 1 when an error is found, 2 when a script cannot be read\n"
    "  -v, --version  print the version and exit\n"
    "  --fastcgi ADDRESS\n"
    "             serve pages as a FastCGI worker on ADDRESS (a socket path or\n"
    "             127.0.0.1:PORT); a web server that starts vp on a listening\n"
    "             socket needs no option\n"
    "  --help     print this text and exit\n"
    "The manual page vp(1) tells more.\n";

namespace {

// The requests a person at a shell makes (help, the version): true when the first
// word was one and has been answered. Under a web server the words come from the
// server (or from a visitor's URL): no word there is such a request.
bool answer_request(Interpreter& it, int argc, const char* first, bool cgi) {
  if (cgi) return false;
  if (argc == 2 && strcmp(first, "--help") == 0) {
    out_text(it, kUsage);
    return true;
  }
  // Only a word that begins with '-' asks for the version: avg.pas is a script.
  if (first[0] == '-' && (first[1] == 'v' || strcmp(first, "--version") == 0)) {
    out_format(it, "version = %s\n", kVersion);
    return true;
  }
  if (first[0] == '-' && first[1] == 'm') {
    out_format(it, "Remember, we belong to God. version = %s\n", kVersion);
    return true;
  }
  return false;
}

// Opens the script the command line (or the web server) names; false when it does
// not open, the reason told.
bool open_named_script(Interpreter& it, int argc, char* path, const char* flag, bool cgi) {
  if (cgi) return open_cgi_script(it, path);  // a refusal is written as the response
  errno = 0;
  if (argc > 1 && open_script(it, path)) return true;
  const int error = errno;
  out_text(it, "VarnPascal:Sorry no file or flag specified\n");
  set_up_warnings(it, path, flag, cgi);
  if (argc > 1) warn_at(it, 0, "cannot open the script: %s", strerror(error));
  return false;
}

// The per-line step, line by line, until the line holding "end.", the end of the
// script, or the line cap.
void run_lines(Interpreter& it) {
  while (step_next_line(it)) {
    ++it.line_count;
    if (it.end_found) break;
    if (it.line_count >= it.line_cap) {
      char count[16];
      group_thousands(count, sizeof(count), it.line_count);
      warn_at(it, script_line_number(it), "stopped after %s lines at line %d", count,
              script_line_number(it));
      break;
    }
  }
}

// What the script's frame lacked, and the trace's summary.
void report_frame(Interpreter& it) {
  if (!it.program_found) {
    out_text(it,
             "Pascal Error - 'program' not found or not properly terminated\n"
             "  Format: \n"
             "  program [ProgramName]; \n");
  }
  if (!it.begin_found) out_text(it, "Pascal Error - 'begin' not found \n");
  if (!it.end_found) out_text(it, "Pascal Error - 'end.' not found or not properly terminated\n");
  trace(it, "**[MAIN] Pascal script Terminated\n");
  trace(it, "**[MAIN] Number of variables: %d\n", it.vars.count);
}

}  // namespace

int run(Interpreter& it, int argc, const char* const* argv) {
  const bool cgi = it.host.get_env("GATEWAY_INTERFACE") != nullptr;
  const char* first = argc > 1 && argv[1] != nullptr ? argv[1] : "";
  if (answer_request(it, argc, first, cgi)) return 0;
  // Not behind a web server: a visitor must not have files of the server read back.
  if (!cgi && strcmp(first, "--check") == 0) return check_command(argc, argv, stdout, stderr);
  const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  if (strncmp(program, "./vpdebug", 7) == 0 || strncmp(program, "vpdebug", 5) == 0)
    it.tracing = true;

  char path[kLineSize] = "";
  copy_cut(path, sizeof(path), first);
  const char* flag = argc > 2 && argv[2] != nullptr ? argv[2] : "";
  if (!open_named_script(it, argc, path, flag, cgi)) return 1;
  // Behind a web server the command line can come from the URL, so it may not
  // switch trace mode on there.
  if (!cgi && flag[0] != '\0' && flag[1] == 'd') it.tracing = true;
  set_up_warnings(it, path, flag, cgi);

  place_builtins(it);
  run_lines(it);
  close_script(it);
  report_frame(it);
  close_text_file(it);
  return 0;
}

}  // namespace vp
