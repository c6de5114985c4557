// The comparison shared by if and until: a variable name, one blank, an operator,
// one blank, an operand. Both statements scan it the same way and compare by the
// variable's type letter; they differ in where an operand ends and in their trace.
#pragma once

#include "vp/interpreter.hpp"
#include "vp/scan.hpp"

namespace vp::condition {

// Operation codes, as the trace prints them.
constexpr int kEqual = 0;
constexpr int kLess = 1;
constexpr int kGreater = 2;
constexpr int kDiffer = 3;
constexpr int kContains = 4;
constexpr int kNone = -1;  // no operator recognised: the condition never holds

// Copies the name from column up to the first blank (or the end of the line) and
// returns the index of that blank.
inline int scan_name(const LineView& line, int column, Text<kNameSize>& name) {
  return scan_to(line, column, " ", Until::line_end, name).at;
}

// Reads the operator at p. The tests run in this order, each at the position the
// ones before it left, so a later one can override an earlier code. Leaves p on the
// first character of the operand.
inline int scan_operator(const LineView& line, int& p) {
  int code = kNone;
  if (line[p] == '=') {
    code = kEqual;
    p += 2;
  }
  if (line[p] == '<' && line[p + 1] != '>') {
    code = kLess;
    p += 2;
  }
  if (line[p] == '>') {
    code = kGreater;
    p += 2;
  }
  if (line[p] == '!') {
    code = kDiffer;
    p += 2;
  }
  if (line[p] == '<' && line[p + 1] == '>') {
    code = kDiffer;
    p += 3;
  }
  if (line[p] == '$') {
    code = kContains;
    p += 2;
  }
  return code;
}

// A quoted operand: the character at p stands for the opening quote; the text runs
// to the next quote, or to the end of the line when none closes it. Returns where
// the text begins in the line.
inline int scan_quoted(const LineView& line, int p, Text<kValueSize>& operand) {
  if (line_end(line[p])) return p;
  scan_to(line, p + 1, "'", Until::line_end, operand);
  return p + 1;
}

// A bare operand: up to the first blank, the first `stop` character, or the end of
// the line.
inline void scan_bare(const LineView& line, int p, char stop, Text<kValueSize>& operand) {
  scan_to(line, p, Stops(' ', stop), Until::line_end, operand);
}

inline bool compare_text(int code, const char* value, const char* operand) {
  switch (code) {
    case kEqual:
      return strcmp(value, operand) == 0;
    case kLess:
      return strcmp(value, operand) < 0;
    case kGreater:
      return strcmp(value, operand) > 0;
    case kDiffer:
      return strcmp(value, operand) != 0;
    case kContains:
      return strstr(value, operand) != nullptr;
    default:
      return false;
  }
}

// Numbers compare with codes 0 to 3; '$' never holds for them.
template <typename N>
bool compare_numbers(int code, N value, N operand) {
  switch (code) {
    case kEqual:
      return value == operand;
    case kLess:
      return value < operand;
    case kGreater:
      return value > operand;
    case kDiffer:
      return value != operand;
    default:
      return false;
  }
}

}  // namespace vp::condition
