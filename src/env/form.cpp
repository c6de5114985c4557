// read_form and read_cookie (extensions): one decoded form field or cookie of the
// request into a variable. Fields come from the query string of any request and from
// the body of a form sent with POST, which the first read_form that needs it reads
// from standard input, exactly CONTENT_LENGTH bytes, and keeps for the rest of the
// run; a script that never asks for a field reads standard input as it stands.
#include "vp/form.hpp"

#include <strings.h>

#include "vp/handlers.hpp"
#include "vp/scan.hpp"
#include "vp/warnings.hpp"

namespace vp {

namespace {

constexpr char kFormType[] = "application/x-www-form-urlencoded";
constexpr char kMultipartType[] = "multipart/form-data";

const char* env_text(Interpreter& it, const char* name) {
  const char* value = it.host.get_env(name);
  return value == nullptr ? "" : value;
}

// The two arguments: the variable's name up to the ',' (blanks belong to it, as for
// every reader), then the field's name as a quoted text, which blanks may precede.
// False when the line holds no such pair.
bool scan_arguments(const char* line_text, int column, Text<kNameSize>* variable,
                    Text<kValueSize>* field) {
  const LineView line(line_text);
  const int comma = collect_name(line, column, ",)", variable);
  if (comma < 0 || line[comma] != ',') return false;
  int open = comma + 1;
  while (line[open] == ' ') ++open;
  if (line[open] != '\'') return false;
  const int close = line.find('\'', open + 1);
  if (close < 0) return false;
  field->assign(line.s + open + 1, close - open - 1);
  return true;
}

// Whether the media type of a CONTENT_TYPE value (the part before any parameters,
// without its blanks) is type, letters in any case.
bool media_type_is(const char* content_type, const char* type) {
  const char* p = content_type;
  while (*p == ' ' || *p == '\t') ++p;
  const size_t length = strlen(type);
  if (strncasecmp(p, type, length) != 0) return false;
  p += length;
  while (*p == ' ' || *p == '\t') ++p;
  return *p == '\0' || *p == ';';
}

// CONTENT_LENGTH as a byte count: decimal digits only. Returns a reason when the body
// is not to be read.
const char* body_length(const char* text, size_t* length) {
  if (text == nullptr || text[0] == '\0') return "CONTENT_LENGTH is missing";
  size_t n = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return "CONTENT_LENGTH is not a number";
    n = n * 10 + static_cast<size_t>(*p - '0');
    if (n > kBodyCap) return "CONTENT_LENGTH is over 1048576";
  }
  *length = n;
  return nullptr;
}

// Decides, once per run, whether the request has a form body, and reads it if so.
// A body that cannot be trusted whole gives no fields: the query string still does.
void load_body(Interpreter& it) {
  RequestBody& body = it.body;
  body.state = BodyState::kNone;
  const char* method = it.host.get_env("REQUEST_METHOD");
  if (method == nullptr || strcmp(method, "POST") != 0) return;
  const char* type = env_text(it, "CONTENT_TYPE");
  if (media_type_is(type, kMultipartType)) {
    warn(it,
         "uploads (multipart/form-data) are not supported: read_form takes no field "
         "from the body");
    trace(it, "**[read_form] body not read: uploads (multipart/form-data) are not supported\n");
    return;
  }
  if (!media_type_is(type, kFormType)) {
    trace(it, "**[read_form] body not read: CONTENT_TYPE is not %s\n", kFormType);
    return;
  }
  size_t length = 0;
  if (const char* reason = body_length(it.host.get_env("CONTENT_LENGTH"), &length)) {
    trace(it, "**[read_form] body not read: %s\n", reason);
    return;
  }
  // The body owns the buffer before the read, so a host that ends the request while
  // reading cannot lose it.
  body.data = static_cast<char*>(malloc(length == 0 ? 1 : length));
  if (body.data == nullptr) return;
  const size_t got = it.host.read_in_block(body.data, length);
  if (got != length) {
    free(body.data);
    body.data = nullptr;
    trace(it, "**[read_form] body not read: it ended after %zu of %zu bytes\n", got, length);
    return;
  }
  body.size = length;
  body.state = BodyState::kRead;
  trace(it, "**[read_form] body of %zu bytes read\n", length);
}

void store(Interpreter& it, const char* variable, const char* value) {
  const int slot = find_variable(it, variable);
  if (slot >= 0) set_value(it, slot, value);
}

}  // namespace

void read_form(Interpreter& it, const char* line, int column) {
  Text<kNameSize> variable;
  Text<kValueSize> field;
  if (!scan_arguments(line, column, &variable, &field)) return;
  if (it.body.state == BodyState::kUnread) load_body(it);

  // Body fields win over query fields of the same name.
  FieldValue value;
  const char* source = nullptr;
  if (it.body.state == BodyState::kRead &&
      find_form_field(it.body.data, it.body.size, field.c_str(), &value)) {
    source = "the body";
  } else {
    const char* query = env_text(it, "QUERY_STRING");
    if (find_form_field(query, strlen(query), field.c_str(), &value)) source = "the query string";
  }
  if (source != nullptr)
    trace(it, "**[read_form] field '%s' from %s: '%s'\n", field.c_str(), source, value.c_str());
  else
    trace(it, "**[read_form] field '%s' not sent\n", field.c_str());
  store(it, variable.c_str(), value.c_str());  // an absent field gives the empty text
}

void read_cookie(Interpreter& it, const char* line, int column) {
  Text<kNameSize> variable;
  Text<kValueSize> name;
  if (!scan_arguments(line, column, &variable, &name)) return;
  FieldValue value;
  if (find_cookie(env_text(it, "HTTP_COOKIE"), name.c_str(), &value))
    trace(it, "**[read_cookie] cookie '%s': '%s'\n", name.c_str(), value.c_str());
  else
    trace(it, "**[read_cookie] cookie '%s' not sent\n", name.c_str());
  store(it, variable.c_str(), value.c_str());
}

}  // namespace vp
