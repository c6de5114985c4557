// wround and wsqrt: print a number from the script rounded, or its square root.
// Neither stores anything, and both print to standard output even while an output
// text file is open.
#include <cmath>

#include "vp/handlers.hpp"
#include "vp/math.hpp"
#include "vp/numbers.hpp"

namespace vp {

namespace {

// The number written between the keyword's '(' and the next ')'.
float argument(const Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kLineSize> text;
  scan_to(line, column, ")", Until::text_end, text);
  return static_cast<float>(to_real(text.c_str()));
}

}  // namespace

int pascal_wround(Interpreter& it, int column) {
  const double v = static_cast<double>(argument(it, column));
  const double rounded = round_half_away(v);
  const int whole = to_int_sat(rounded);
  // Past the 32-bit range the number is printed whole as it is, not clipped.
  if (static_cast<double>(whole) == rounded)
    out_format(it, "%d\n", whole);
  else
    out_format(it, "%.0f\n", rounded);
  return whole;
}

float pascal_wsqrt(Interpreter& it, int column) {
  const float root = static_cast<float>(std::sqrt(static_cast<double>(argument(it, column))));
  out_format(it, "%f\n", static_cast<double>(root));
  return root;
}

}  // namespace vp
