// Bounded text: every buffer of the interpreter has a fixed size that is part of
// its behaviour, and every write into one goes through these helpers, which cut
// at the limit instead of running past it.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace vp {

constexpr int kLineSize = 256;   // a script line: 255 characters and the terminator
constexpr int kNameSize = 256;   // a variable or label name
constexpr int kValueSize = 256;  // a variable's value
constexpr int kSlots = 256;      // variable slots, and label slots

// Copies at most cap - 1 bytes of src (stopping at its terminator) and terminates.
// Returns the length written.
inline int copy_cut(char* dst, int cap, const char* src) {
  int n = 0;
  while (n < cap - 1 && src[n] != '\0') {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = '\0';
  return n;
}

// Appends src to the terminated text in dst, cutting at cap - 1 bytes.
inline int append_cut(char* dst, int cap, const char* src) {
  int n = static_cast<int>(strnlen(dst, static_cast<size_t>(cap - 1)));
  while (n < cap - 1 && *src != '\0') dst[n++] = *src++;
  dst[n] = '\0';
  return n;
}

// A text that grows one character at a time and silently stops growing at N - 1
// characters. Handlers collect names, operands and file names in these.
template <int N>
struct Text {
  char s[N];
  int n;

  Text() : n(0) { s[0] = '\0'; }
  void clear() {
    n = 0;
    s[0] = '\0';
  }
  void push(char c) {
    if (n < N - 1) {
      s[n++] = c;
      s[n] = '\0';
    }
  }
  void append(const char* t) {
    while (*t != '\0' && n < N - 1) s[n++] = *t++;
    s[n] = '\0';
  }
  void assign(const char* t) {
    clear();
    append(t);
  }
  // The first count characters of t (which holds at least that many), cut to fit.
  void assign(const char* t, int count) {
    n = count < N - 1 ? count : N - 1;
    memcpy(s, t, static_cast<size_t>(n));
    s[n] = '\0';
  }
  // Drops the last character, if any.
  void pop() {
    if (n > 0) s[--n] = '\0';
  }
  const char* c_str() const { return s; }
  int size() const { return n; }
  bool empty() const { return n == 0; }
};

// A read-only view of a terminated line that answers '\0' for every index outside
// the text, so a scan that runs off the end of the line sees the terminator forever.
struct LineView {
  const char* s;
  int len;

  explicit LineView(const char* text) : s(text), len(static_cast<int>(strlen(text))) {}
  char operator[](int i) const {
    return static_cast<unsigned>(i) < static_cast<unsigned>(len) ? s[i] : '\0';
  }
  // Index of the first c at or after from, or -1.
  int find(char c, int from) const {
    if (from < 0) from = 0;
    for (int i = from; i < len; ++i)
      if (s[i] == c) return i;
    return -1;
  }
};

inline bool contains(const char* haystack, const char* needle) {
  return strstr(haystack, needle) != nullptr;
}

// Copies src into dst (cap bytes) with the ASCII capitals made small, cut to fit:
// keywords that match in any case are searched for in such a copy. Other bytes,
// those of other alphabets included, stay as they are.
inline int lower_copy(char* dst, int cap, const char* src) {
  int n = 0;
  for (; src[n] != '\0' && n < cap - 1; ++n) {
    const char c = src[n];
    dst[n] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  dst[n] = '\0';
  return n;
}

// The standard text-to-integer conversion, saturated to the 32-bit range so that an
// overlong number never overflows.
inline int to_int(const char* s) {
  // Plain decimal numbers of up to nine digits, the common case, convert here; the
  // rest goes to the library.
  const char* p = s;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p >= '0' && *p <= '9') {
    int v = 0;
    for (int digits = 0; digits < 9 && *p >= '0' && *p <= '9'; ++digits) v = v * 10 + (*p++ - '0');
    if (!(*p >= '0' && *p <= '9')) return negative ? -v : v;
  }
  long v = strtol(s, nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// Cuts a double toward zero into the 32-bit range; NaN gives 0. Used wherever a
// number from the script becomes an int, so an outsized value cannot fault.
inline int to_int_sat(double d) {
  if (!(d == d)) return 0;
  if (d >= 2147483647.0) return INT_MAX;
  if (d <= -2147483648.0) return INT_MIN;
  return static_cast<int>(d);
}

}  // namespace vp
