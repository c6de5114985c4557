// The run: command line, the line loop with its three exits, the per-line step and
// the statement table it dispatches through.
#include <string_view>

#include "vp/handlers.hpp"

namespace vp {

namespace {

using Condition = bool (*)(const Interpreter&);
using Action = void (*)(Interpreter&, int column);

// One row of the statement table: a keyword searched anywhere in the line (in any
// case, or exactly), an optional further condition, and the action, which gets the
// column just past the keyword when the statement begins its line.
struct Row {
  std::string_view keyword;
  bool any_case;
  Condition condition;
  Action action;
};

constexpr bool kAnyCase = true;
constexpr bool kExact = false;

bool before_begin(const Interpreter& it) {
  return !it.begin_found;
}
bool var_continuation(const Interpreter& it) {
  return !it.begin_found && strchr(it.stread, ':') != nullptr && it.block_type == 1;
}
bool const_continuation(const Interpreter& it) {
  return !it.begin_found && strchr(it.stread, '=') != nullptr && it.block_type == 2;
}
bool label_continuation(const Interpreter& it) {
  return !it.begin_found && it.block_type == 3;
}
bool while_less_line(const Interpreter& it) {
  return contains(it.stread, " <") && contains(it.stread, "do");
}
bool while_more_line(const Interpreter& it) {
  return contains(it.stread, " >") && contains(it.stread, "do");
}
bool while_count_line(const Interpreter& it) {
  return contains(it.stread, "do");
}
// A condition joined with "and" is beyond the if statement: such a line is no if.
bool single_condition(const Interpreter& it) {
  return !contains(it.stread, " and");
}

// Tested top to bottom on every line; every row that matches runs, so one line can
// start several statements, always in this order.
const Row kStatements[] = {
    {"  wround(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wround(it, c); }},
    {"  wsqrt(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_wsqrt(it, c); }},
    {"  write(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_writeln(it, c); }},
    {"  append(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_rewrite(it, c); }},
    {"  rewrite(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_rewrite(it, c); }},
    {"  findrp(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_findrp(it, c); }},
    {"  findow(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_findow(it, c); }},
    {"  insert(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_insert(it, c); }},
    {"  delete(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { pascal_delete(it, it.stread, c); }},
    {"  writeln(", kAnyCase, nullptr,
     [](Interpreter& it, int c) {
       pascal_writeln(it, c);
       out_char(it, '\n');
     }},
    {"  writewc(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_writewc(it, c); }},
    {"  read(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }},
    {"  readln(", kAnyCase, nullptr, [](Interpreter& it, int c) { pascal_read(it, c); }},
    {"  query_remote_web_client(", kAnyCase, nullptr,
     [](Interpreter& it, int) { query_remote_web_client(it); }},
    {"  read_version(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { v_pascal_read_version(it, c); }},
    {"  read_http_user_agent(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_http_user_agent(it, it.stread, c); }},
    {"  read_query_string(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_query_string(it, it.stread, c); }},
    {"  read_remote_addr(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_remote_addr(it, it.stread, c); }},
    {"  read_date(", kAnyCase, nullptr, [](Interpreter& it, int c) { v_pascal_read_date(it, c); }},
    {"  read_content_length(", kAnyCase, nullptr,
     [](Interpreter& it, int c) { read_content_length(it, it.stread, c); }},
    {"  halt;", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  halt(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_halt(it, it.stread); }},
    {"  writewh(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_writewh(it); }},
    {"  closefile(", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_closefile(it); }},
    {"  system('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  exec('", kAnyCase, nullptr, [](Interpreter& it, int) { v_pascal_system(it, it.stread); }},
    {"  delay(", kAnyCase, nullptr, [](Interpreter& it, int) { pascal_delay(it, it.stread); }},
    {"const", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 1); }},
    {"var ", kExact, before_begin, [](Interpreter& it, int) { pascal_var(it, 0); }},
    {"   ", kExact, var_continuation, [](Interpreter& it, int) { pascal_var(it, 0); }},
    {"   ", kExact, const_continuation, [](Interpreter& it, int) { pascal_var(it, 1); }},
    {"   ", kExact, label_continuation, [](Interpreter& it, int) { pascal_label(it); }},
    {"label ", kExact, before_begin, [](Interpreter& it, int) { pascal_label(it); }},
    {"  repeat", kExact, nullptr, [](Interpreter& it, int) { repeat_mark(it); }},
    {"  while ", kExact, while_less_line, [](Interpreter& it, int) { while_less_head(it); }},
    {"  while ", kExact, while_more_line, [](Interpreter& it, int) { while_more_head(it); }},
    {"  while count ", kExact, while_count_line,
     [](Interpreter& it, int) { while_count_head(it); }},
    {" end;", kExact, while_end_pending, [](Interpreter& it, int) { while_end(it); }},
    {"  if ", kExact, single_condition, [](Interpreter& it, int c) { pascal_if(it, c); }},
    {"  until ", kExact, nullptr, [](Interpreter& it, int c) { pascal_until(it, c); }},
    {"  goto ", kExact, nullptr, [](Interpreter& it, int c) { pascal_goto(it, c); }},
};

bool row_matches(const Interpreter& it, const Row& row) {
  const char* haystack = row.any_case ? it.lowered : it.stread;
  if (strstr(haystack, row.keyword.data()) == nullptr) return false;
  return row.condition == nullptr || row.condition(it);
}

void lower_line(Interpreter& it) {
  int i = 0;
  for (; it.stread[i] != '\0'; ++i) {
    const char c = it.stread[i];
    it.lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  it.lowered[i] = '\0';
}

}  // namespace

bool read_script_line(Interpreter& it) {
  return it.fp != nullptr && fgets(it.stread, kLineSize, it.fp) != nullptr;
}

long script_position(Interpreter& it) {
  return it.fp == nullptr ? -1 : ftell(it.fp);
}

void seek_script(Interpreter& it, long position) {
  // A position that could not be taken leaves the read where it is: the loop then
  // runs on forward instead of back.
  if (it.fp != nullptr && position >= 0) fseek(it.fp, position, SEEK_SET);
}

void step_line(Interpreter& it) {
  const char* line = it.stread;
  int indent = 0;
  while (line[indent] == ' ' || line[indent] == '\t') ++indent;
  it.indent = indent;

  if (contains(line, "program") && strchr(line, ';') != nullptr) it.program_found = true;
  if (contains(line, "begin")) it.begin_found = true;
  if (contains(line, "end.")) it.end_found = true;
  if (contains(line, "GetCurrentDir")) refresh_dir(it, kSlotCurrentDir);
  if (contains(line, "SYSTEM.cwd")) refresh_dir(it, kSlotCwd);
  if (contains(line, "(*") || contains(line, "//")) return;  // a comment line

  lower_line(it);
  for (const Row& row : kStatements) {
    if (!row_matches(it, row)) continue;
    row.action(it, it.indent + static_cast<int>(row.keyword.size()) - 2);
  }
  assign_step(it);
}

// Answered only for the exact single word, so every other command line (a script
// whose name begins "--", a first word with 'v' or 'm' second) keeps its meaning.
constexpr const char kUsage[] =
    "Usage: vp SCRIPT [-d]\n"
    "       vp -v\n"
    "       vp --help\n"
    "Runs SCRIPT, a program in the vp language, one line at a time.\n"
    "  -d      after the script: trace mode, a line for each decision taken\n"
    "          (starting the interpreter under the name vpdebug does the same)\n"
    "  -v      print the version and exit\n"
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
  // Behind a web server the command line can come from the URL, so it may not
  // switch trace mode on there.
  if (!cgi && flag[0] != '\0' && flag[1] == 'd')
    it.debug_mode = 1;

  place_builtins(it);

  while (read_script_line(it)) {
    step_line(it);
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
