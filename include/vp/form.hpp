// Form fields and cookies of a CGI request: the decoders that find one field in an
// encoded text, and the request body that read_form keeps once it has read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "vp/text.hpp"

namespace vp {

// A body longer than this is not read: a form of text fields is far smaller, and
// the cap keeps a visitor from making a page hold whatever he sends.
inline constexpr size_t kBodyCap = size_t{1} << 20;

// What a decoded value holds: at most the 255 characters of a variable's value.
using FieldValue = Text<kValueSize>;

// Finds the first field called name (compared after decoding) in the
// application/x-www-form-urlencoded text data[0, size): fields are separated by '&',
// a name from its value by the first '='. The value is decoded into value: "%XX"
// and '+' give the byte and the blank they stand for, a '%' that starts no escape
// stays as it stands, and every control character becomes a blank, so a value is
// always a one-line text. False when no field has that name.
bool find_form_field(const char* data, size_t size, const char* name, FieldValue* value);

// Finds the first cookie called name in an HTTP_COOKIE text ("a=1; b=2") and decodes
// its value as find_form_field does, except that '+' stays a '+'.
bool find_cookie(const char* header, const char* name, FieldValue* value);

// How far the request body has got.
enum class BodyState : uint8_t {
  kUnread,  // no read_form has needed it yet
  kRead,    // held in data, exactly CONTENT_LENGTH bytes
  kNone,    // the request has no form body, or it could not be read
};

// The body of a form sent with POST. It is read at most once per run, by the first
// read_form that needs it, and freed with the interpreter.
struct RequestBody {
  RequestBody() = default;
  RequestBody(const RequestBody&) = delete;
  RequestBody& operator=(const RequestBody&) = delete;
  ~RequestBody() { free(data); }

  BodyState state = BodyState::kUnread;
  char* data = nullptr;  // size bytes, allocated once when read
  size_t size = 0;
};

}  // namespace vp
