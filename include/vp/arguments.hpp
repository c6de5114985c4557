// Scanners for the arguments of the statements that store into one variable: the
// name up to its closing character, and the character range written after a name as
// [a .. b], read at fixed places, with the cut of a text that it selects.
#pragma once

#include "vp/text.hpp"

namespace vp {

// Collects the name from column up to the first of the stop characters. Returns the
// index of the character that ended it, or -1 when the line ended first: an argument
// left open names nothing.
template <int N>
int collect_name(const LineView& line, int column, const char* stops, Text<N>* name) {
  for (int p = column;; ++p) {
    const char c = line[p];
    if (c == '\0') return -1;
    if (strchr(stops, c) != nullptr) return p;
    name->push(c);
  }
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
