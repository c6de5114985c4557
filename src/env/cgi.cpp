// The CGI request readers: the request reaches a script through the environment,
// read anew at every statement.
#include "vp/handlers.hpp"
#include "vp/scan.hpp"

namespace vp {

namespace {

// A variable the server did not set reads as the empty text.
const char* env_text(Interpreter& it, const char* name) {
  const char* value = it.host.get_env(name);
  return value == nullptr ? "" : value;
}

// Stores the named environment variable into the variable named at column. Returns
// the slot, or -1 when nothing was stored.
int read_into(Interpreter& it, const char* line_text, int column, const char* variable) {
  const LineView line(line_text);
  Text<kNameSize> name;
  if (collect_name(line, column, ")", &name) < 0) return -1;
  const int slot = lookup_variable(it, name.c_str());
  if (slot >= 0) set_value(it, slot, env_text(it, variable));  // cut to fit the slot
  return slot;
}

}  // namespace

void query_remote_web_client(Interpreter& it) {
  static constexpr const char* kListed[] = {"HTTP_USER_AGENT", "REMOTE_ADDR", "REQUEST_METHOD",
                                            "QUERY_STRING", "CONTENT_LENGTH"};
  for (const char* variable : kListed) {
    out_text(it, variable);
    out_char(it, '=');
    echo_wc_text(it, env_text(it, variable));  // a visitor's text must not become markup
    out_text(it, "<br>\n");
  }
}

void read_http_user_agent(Interpreter& it, const char* line, int column) {
  read_into(it, line, column, "HTTP_USER_AGENT");
}

void read_query_string(Interpreter& it, const char* line, int column) {
  read_into(it, line, column, "QUERY_STRING");
}

void read_content_length(Interpreter& it, const char* line, int column) {
  read_into(it, line, column, "CONTENT_LENGTH");
}

void read_remote_addr(Interpreter& it, const char* line_text, int column) {
  const LineView line(line_text);
  Text<kNameSize> name;
  const int end = collect_name(line, column, ")[", &name);
  if (end < 0) return;
  const int slot = lookup_variable(it, name.c_str());
  if (slot < 0) return;
  set_value(it, slot, env_text(it, "REMOTE_ADDR"));
  if (line[end] != '[') return;

  char whole[kValueSize];
  copy_cut(whole, sizeof(whole), it.vars.values[slot]);
  cut_range(it.vars.values[slot], kValueSize, whole, read_fixed_range(line, end));
}

}  // namespace vp
