// Decoding of form fields and cookies: the text a browser sends, found by name and
// made into the one-line value a script can store.
#include <cstring>

#include "vp/form.hpp"

namespace vp {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes the byte at p (p < end) and moves p past what it took.
char decode_one(const char*& p, const char* end, bool plus_is_blank) {
  const char c = *p++;
  if (c == '+' && plus_is_blank) return ' ';
  if (c == '%' && end - p >= 2) {
    const int high = hex_digit(p[0]);
    const int low = hex_digit(p[1]);
    if (high >= 0 && low >= 0) {
      p += 2;
      return static_cast<char>(high * 16 + low);
    }
  }
  return c;  // a '%' that starts no escape stays as it stands
}

// Values are one-line texts: a line end stored from a request would let a visitor
// forge further records in a file that the script writes line by line.
char one_line(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7f ? ' ' : c;
}

void decode_value(const char* p, const char* end, bool plus_is_blank, FieldValue* value) {
  value->clear();
  // A value is cut at what a variable holds, so the decoding stops there too.
  while (p < end && value->size() < kValueSize - 1)
    value->push(one_line(decode_one(p, end, plus_is_blank)));
}

// Whether the encoded name [p, end) decodes to name.
bool name_is(const char* p, const char* end, const char* name) {
  while (p < end) {
    if (*name == '\0' || decode_one(p, end, true) != *name) return false;
    ++name;
  }
  return *name == '\0';
}

bool blank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool find_form_field(const char* data, size_t size, const char* name, FieldValue* value) {
  value->clear();
  const char* end = data + size;
  for (const char* p = data; p < end;) {
    const auto* amp = static_cast<const char*>(memchr(p, '&', static_cast<size_t>(end - p)));
    if (amp == nullptr) amp = end;
    const auto* eq = static_cast<const char*>(memchr(p, '=', static_cast<size_t>(amp - p)));
    if (eq == nullptr) eq = amp;  // a field without '=' is there, with an empty value
    if (amp > p && name_is(p, eq, name)) {
      decode_value(eq < amp ? eq + 1 : amp, amp, true, value);
      return true;
    }
    if (amp == end) break;
    p = amp + 1;
  }
  return false;
}

bool find_cookie(const char* header, const char* name, FieldValue* value) {
  value->clear();
  const size_t name_length = strlen(name);
  for (const char* p = header;;) {
    while (blank(*p)) ++p;
    const char* stop = strchr(p, ';');
    if (stop == nullptr) stop = p + strlen(p);
    const auto* eq = static_cast<const char*>(memchr(p, '=', static_cast<size_t>(stop - p)));
    if (eq != nullptr) {
      const char* name_end = eq;
      while (name_end > p && blank(name_end[-1])) --name_end;
      if (static_cast<size_t>(name_end - p) == name_length && memcmp(p, name, name_length) == 0) {
        const char* from = eq + 1;
        const char* to = stop;
        while (from < to && blank(*from)) ++from;
        while (to > from && blank(to[-1])) --to;
        decode_value(from, to, false, value);
        return true;
      }
    }
    if (*stop == '\0') return false;
    p = stop + 1;
  }
}

}  // namespace vp
