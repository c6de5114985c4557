// One declaration per statement handler and helper. Handlers take the interpreter
// first, then what their dispatch row hands them: the column just past their
// keyword, or the line itself. The trace flag lives in the interpreter.
#pragma once

#include "vp/interpreter.hpp"
#include "vp/scan.hpp"

namespace vp {

// Variables and declarations.
void get_system(Interpreter& it, char* name, int name_size, char* description,
                int description_size);
const char* get_dir(Interpreter& it, char* buf, int size);
void refresh_dir(Interpreter& it, int slot);
// The built-in variables, in the slots after the declared ones.
struct Builtin {
  int slot;
  const char* name;
  VarType type;
};
inline constexpr int kBuiltinCount = 6;
extern const Builtin kBuiltins[kBuiltinCount];
void place_builtins(Interpreter& it);
// What a declaration line declares, read as pascal_var reads it (a variable, or a
// constant); spans are indexes into the line.
struct DeclarationRead {
  bool declares;  // false: the line has no place for a name
  int name_start;
  int name_length;
  bool separator_found;  // ':' (or '=' for a constant) right after the name's blank
  int type_start;        // the type word, or a constant's value
  VarType type;          // none when its first letter selects no type
  bool has_equals;       // the line holds " = "
  int value_start;       // a constant's value, when it has " = "
  int value_length;
};
DeclarationRead read_declaration(const char* line, bool constant);
void pascal_var(Interpreter& it, bool constant);
void pascal_label(Interpreter& it);

// Assignments, arithmetic and concatenation. The text functions write their result,
// at most 255 characters, into result (kValueSize bytes).
void assign_step(Interpreter& it);
float math_set(Interpreter& it, const char* line);
void pascal_concat(Interpreter& it, const char* line, char* result);
void concat_set(Interpreter& it, const char* line, char* result);
int pascal_wround(Interpreter& it, int column);
float pascal_wsqrt(Interpreter& it, int column);

// Control flow.
void pascal_if(Interpreter& it, int column);
void pascal_if_subthread(Interpreter& it);
void pascal_goto(Interpreter& it, int column);
void pascal_goto_subthread(Interpreter& it, const char* target);
void repeat_mark(Interpreter& it);
void pascal_until(Interpreter& it, int column);
void while_less_head(Interpreter& it);
void while_more_head(Interpreter& it);
void while_count_head(Interpreter& it);
bool while_end_pending(const Interpreter& it);
void while_end(Interpreter& it);

// Output, input and the output text file.
void pascal_writeln(Interpreter& it, int column);
void pascal_rewrite(Interpreter& it, int column);
void v_pascal_closefile(Interpreter& it);
void close_text_file(Interpreter& it);
// A write to the output text file failed: "Pascal Error: cannot write file" once, the
// stream closed, and the run's status made 1.
void text_file_failed(Interpreter& it);
void tell_text_file_failure(Interpreter& it);
void pascal_read(Interpreter& it, int column);
void v_pascal_writewh(Interpreter& it);
void v_pascal_writewc(Interpreter& it, int column);
void echo_wc(Interpreter& it, int code);
// Writes text with every character that echo_wc has an entity for replaced by it.
void echo_wc_text(Interpreter& it, const char* text);

// String editing.
void pascal_insert(Interpreter& it, int column);
void pascal_delete(Interpreter& it, const char* text, int column);
void v_pascal_findrp(Interpreter& it, int column);
void v_pascal_findow(Interpreter& it, int column);

// Environment and process.
// Under a web server: opens the script that the server asked for, the command line's
// first word only when it names that file; otherwise writes a refusal as the
// response and returns false. path holds the script's name (kLineSize bytes).
bool open_cgi_script(Interpreter& it, char* path);
void query_remote_web_client(Interpreter& it);
void read_http_user_agent(Interpreter& it, const char* line, int column);
void read_query_string(Interpreter& it, const char* line, int column);
void read_remote_addr(Interpreter& it, const char* line, int column);
void read_content_length(Interpreter& it, const char* line, int column);
void read_form(Interpreter& it, const char* line, int column);
void read_cookie(Interpreter& it, const char* line, int column);
void v_pascal_read_version(Interpreter& it, int column);
void v_pascal_read_date(Interpreter& it, int column);
void v_pascal_system(Interpreter& it, const char* line);
void pascal_delay(Interpreter& it, const char* line);
[[noreturn]] void pascal_halt(Interpreter& it, const char* line);

}  // namespace vp
