// Number conversions on the hot path of loops. Each gives exactly what the C library
// call it stands for gives, byte for byte, and is several times cheaper for the
// plain numbers that scripts hold; anything out of the ordinary goes to the C
// library itself.
#pragma once

namespace vp {

// The longest text "%12.6f" makes of a single-precision value, with its terminator.
inline constexpr int kNumberTextSize = 48;

// snprintf(out, kNumberTextSize, "%12.0f", value) or "%12.6f" (decimals 0 or 6).
// Returns the length of the text.
int format_fixed(double value, int decimals, char* out);

// atof(text).
double to_real(const char* text);

}  // namespace vp
