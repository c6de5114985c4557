// The command line and the run's lifetime: answers the version and help requests,
// opens the script, places the built-ins, repeats the per-line step until one of
// its three exits, and reports what the script's frame lacked.
#include "vp/handlers.hpp"

namespace vp {

// Answered only for the exact single word, so every other command line (a script
// whose name begins "--", a first word with 'v' or 'm' second) keeps its meaning.
constexpr const char kUsage[] =
    "Usage: vp SCRIPT [-d]\n"
    "       vp -v\n"
    "       vp --fastcgi ADDRESS\n"
    "       vp --help\n"
    "Runs SCRIPT, a program in the vp language, one line at a time.\n"
    "  -d      after the script: trace mode, a line for each decision taken\n"
    "          (starting the interpreter under the name vpdebug does the same)\n"
    "  -v      print the version and exit\n"
    "  --fastcgi ADDRESS\n"
    "          serve pages as a FastCGI worker on ADDRESS (a socket path or\n"
    "          127.0.0.1:PORT); a web server that starts vp on a listening\n"
    "          socket needs no option\n"
    "  --help  print this text and exit\n"
    "The manual page vp(1) tells more.\n";

int run(Interpreter& it, int argc, const char* const* argv) {
  if (argc == 2 && argv[1] != nullptr && strcmp(argv[1], "--help") == 0) {
    out_text(it, kUsage);
    return 0;
  }
  const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  if (strncmp(program, "./vpdebug", 7) == 0 || strncmp(program, "vpdebug", 5) == 0)
    it.debug_mode = 1;

  char path[kLineSize] = "";
  if (argc > 1) copy_cut(path, sizeof(path), argv[1]);
  const char* flag = argc > 2 ? argv[2] : "";

  // A web server always passes the page's path first, and a page under /var/www must
  // run, not answer with the version: the version requests are for people at a shell.
  const bool cgi = it.host.get_env("GATEWAY_INTERFACE") != nullptr;
  if (!cgi && path[0] != '\0' && path[1] == 'v') {
    out_format(it, "version = %s\n", kVersion);
    return 0;
  }
  if (!cgi && path[0] != '\0' && path[1] == 'm') {
    out_format(it, "Remember, we belong to God. version = %s\n", kVersion);
    return 0;
  }

  it.fp = argc > 1 ? it.host.open_script(path) : nullptr;
  if (it.fp == nullptr) {
    out_text(it, "VarnPascal:Sorry no file or flag specified\n");
    return 1;
  }
  it.script_at = ftell(it.fp);
  // Behind a web server the command line can come from the URL, so it may not
  // switch trace mode on there.
  if (!cgi && flag[0] != '\0' && flag[1] == 'd') it.debug_mode = 1;

  place_builtins(it);

  int length;
  while (read_script_line_length(it, &length)) {
    step_read_line(it, length);
    ++it.line_count;
    if (it.line_count >= it.line_cap || it.end_found) break;
  }
  fclose(it.fp);
  it.fp = nullptr;

  if (!it.program_found) {
    out_text(it,
             "Pascal Error - 'program' not found or not properly terminated\n"
             "  Format: \n"
             "  program [ProgramName]; \n");
  }
  if (!it.begin_found) out_text(it, "Pascal Error - 'begin' not found \n");
  if (!it.end_found) out_text(it, "Pascal Error - 'end.' not found or not properly terminated\n");
  trace(it, "**[MAIN] Pascal script Terminated\n");
  trace(it, "**[MAIN] Number of variables: %d\n", it.number_of_variables);
  close_text_file(it);
  return 0;
}

}  // namespace vp
