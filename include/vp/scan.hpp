// The argument scanners every statement handler reads its arguments with: text up to
// a stop character, a quoted text, a short number, a character range, a field
// width. Handlers scan the line by index from their column; a LineView answers '\0'
// past the end, so every scan stops at the end of the line by construction. Where
// statements differ (what ends an argument), the difference is a parameter.
#pragma once

#include <cstdint>

#include "vp/text.hpp"

namespace vp {

// A line end as arguments see it: the terminator, or the line break before it.
inline bool line_end(char c) {
  return c == '\0' || c == '\n' || c == '\r';
}

// What ends an argument besides its stop characters.
enum class Until : uint8_t {
  text_end,  // the terminator alone: a line break read is part of the argument
  line_end,  // also the line break: the argument stops short of it
};

// Where a scan stopped: the index of the stop character, or of the end of the line
// when that came first (ended).
struct Stop {
  int at;
  bool ended;
};

// The characters that end an argument, as a set: handlers pass a literal (or a
// delimiter or two), and after inlining the set is built at compile time, so a test
// for a stop is a bit lookup.
class Stops {
 public:
  constexpr Stops(const char* chars) {  // NOLINT: a literal reads best at the call
    for (; *chars != '\0'; ++chars) add(*chars);
  }
  constexpr Stops(char a, char b) {
    add(a);
    add(b);
  }
  constexpr bool has(char c) const {
    const auto u = static_cast<unsigned char>(c);
    return (bits_[u >> 6] >> (u & 63) & 1) != 0;
  }

 private:
  constexpr void add(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u != 0) bits_[u >> 6] |= uint64_t{1} << (u & 63);
  }
  uint64_t bits_[4] = {};
};

// Skips from p to the first of the stop characters or the end.
inline Stop skip_to(const LineView& line, int p, Stops stops, Until until) {
  for (;; ++p) {
    const char c = line[p];
    if (until == Until::line_end ? line_end(c) : c == '\0') return {p, true};
    if (stops.has(c)) return {p, false};
  }
}

// The same, collecting the characters passed over into out (cut at its size).
template <int N>
Stop scan_to(const LineView& line, int p, Stops stops, Until until, Text<N>& out) {
  for (;; ++p) {
    const char c = line[p];
    if (until == Until::line_end ? line_end(c) : c == '\0') return {p, true};
    if (stops.has(c)) return {p, false};
    out.push(c);
  }
}

// The name of the variable a statement stores into, from column up to the first of
// the stop characters. Returns the index of the character that ended it, or -1 when
// the line ended first: an argument left open names nothing.
template <int N>
int collect_name(const LineView& line, int column, const char* stops, Text<N>* name) {
  const Stop stop = scan_to(line, column, stops, Until::text_end, *name);
  return stop.ended ? -1 : stop.at;
}

// A position or a count written with one or two characters after p: the second
// one is taken unless it is the delimiter, and a third is never read.
struct ShortNumber {
  char text[3];
  int length;
  int value;
};

inline ShortNumber read_short_number(const LineView& line, int p, char delim) {
  ShortNumber n = {};
  n.text[0] = line[p];
  n.length = 1;
  if (line[p + 1] != delim) {
    n.text[1] = line[p + 1];
    n.length = 2;
  }
  n.value = to_int(n.text);
  return n;
}

// A field wider than this is not a field anyone means; it is cut so that a typo
// cannot print a gigabyte of blanks.
inline constexpr int kMaxWidth = 4096;

// The field width after a name's ':' at p: at least one character, whatever it is,
// then up to ')' or ','; read as a number and cut at kMaxWidth. Returns the index
// after it.
inline int scan_width(const LineView& line, int p, int* width) {
  Text<kNameSize> digits;
  if (line[p] != '\0') {
    digits.push(line[p++]);
    p = scan_to(line, p, "),", Until::text_end, digits).at;
  }
  *width = to_int(digits.c_str());
  if (*width > kMaxWidth) *width = kMaxWidth;
  return p;
}

struct CharRange {
  int start;
  int end;
};

// Reads the range whose '[' stands at index b of line. Only fixed places are looked
// at: a one-digit start is known by the blank after it, and the end lies four
// characters further on, one digit when a ']' follows it at the one-digit place.
inline CharRange read_fixed_range(const LineView& line, int b) {
  char start[3] = {line[b + 1], '\0', '\0'};
  char end[3] = {'\0', '\0', '\0'};
  const bool one_digit_start = line[b + 2] == ' ';
  if (one_digit_start) {
    end[0] = line[b + 6];
    if (line[b + 7] != ']') end[1] = line[b + 7];
  } else {
    start[1] = line[b + 2];
    end[0] = line[b + 7];
    end[1] = line[b + 8];
  }
  return {to_int(start), to_int(end)};
}

// Copies into dst (cap bytes) the characters of src at positions range.start to
// range.end, counted from 1, both included. Positions outside src add nothing, so a
// range beside the text, or one that ends before it starts, gives the empty text.
inline void cut_range(char* dst, int cap, const char* src, CharRange range) {
  const int length = static_cast<int>(strlen(src));
  int from = range.start < 1 ? 1 : range.start;
  int to = range.end > length ? length : range.end;
  int n = 0;
  for (int pos = from; pos <= to && n < cap - 1; ++pos) dst[n++] = src[pos - 1];
  dst[n] = '\0';
}

}  // namespace vp
