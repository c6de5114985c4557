// Fixed-point formatting and text-to-real conversion without the C library's general
// machinery for the values that loops produce all the time: whole numbers and
// ordinary fractions. The results are exact: the value's binary expansion is scaled
// by a power of ten in 128-bit integers and rounded half to even, as printf does.
#include "vp/numbers.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vp {

namespace {

constexpr int kWidth = 12;

int format_by_library(double value, int decimals, char* out) {
  const int n = decimals == 0 ? snprintf(out, kNumberTextSize, "%12.0f", value)
                              : snprintf(out, kNumberTextSize, "%12.6f", value);
  if (n < 0) {
    out[0] = '\0';
    return 0;
  }
  return n < kNumberTextSize ? n : kNumberTextSize - 1;
}

// Writes the decimal digits of v backwards, ending just before end; returns the
// first digit's address.
char* digits_backwards(uint64_t v, char* end) {
  // Two digits a step: half the divisions.
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  while (v >= 100) {
    const auto pair = static_cast<size_t>(v % 100) * 2;
    v /= 100;
    *--end = kPairs[pair + 1];
    *--end = kPairs[pair];
  }
  if (v >= 10) {
    *--end = kPairs[v * 2 + 1];
    *--end = kPairs[v * 2];
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

}  // namespace

namespace {

// Writes text right-aligned in the field, as %12 does.
int pad_to_width(const char* text, int length, char* out) {
  const int pad = length < kWidth ? kWidth - length : 0;
  for (int i = 0; i < pad; ++i) out[i] = ' ';
  memcpy(out + pad, text, static_cast<size_t>(length));
  out[pad + length] = '\0';
  return pad + length;
}

}  // namespace

namespace {

// The text of a whole number that a double holds exactly, with six zero decimals
// when asked for (and -0 for a negative zero, as printf gives it), written backwards
// ending just before end; nullptr when the value is not such a number.
char* whole_text(double value, int decimals, char* end) {
  if (!(value > -1e15 && value < 1e15)) return nullptr;
  const auto whole = static_cast<int64_t>(value);
  if (static_cast<double>(whole) != value) return nullptr;
  char* p = end;
  if (decimals == 6) {
    for (int i = 0; i < 6; ++i) *--p = '0';
    *--p = '.';
  }
  p = digits_backwards(static_cast<uint64_t>(whole < 0 ? -whole : whole), p);
  if (std::signbit(value)) *--p = '-';
  return p;
}

// |value| * scale, rounded half to even, computed exactly from the bits of value;
// false beyond 2^63, which the library formats.
bool scale_exactly(double value, uint64_t scale, unsigned __int128* scaled) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  // value = mantissa * 2^exponent, exactly.
  const uint64_t mantissa = biased == 0 ? fraction : (fraction | (uint64_t{1} << 52));
  const int exponent = biased == 0 ? -1074 : biased - 1075;
  if (exponent >= 0) {
    if (exponent > 10) return false;
    *scaled = static_cast<unsigned __int128>(mantissa << exponent) * scale;
  } else if (-exponent > 120) {
    *scaled = 0;  // far below half a unit of the last place
  } else {
    const int shift = -exponent;
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * scale;
    const unsigned __int128 one = 1;
    *scaled = product >> shift;
    const unsigned __int128 rest = product & ((one << shift) - 1);
    const unsigned __int128 half = one << (shift - 1);
    if (rest > half || (rest == half && (*scaled & 1) != 0)) ++*scaled;
  }
  return true;
}

}  // namespace

int format_fixed_trimmed(double value, int decimals, char* out) {
  if (std::isfinite(value) && (decimals == 0 || decimals == 6)) {
    char text[kNumberTextSize];
    char* const end = text + sizeof(text);
    if (const char* p = whole_text(value, decimals, end); p != nullptr) {
      const auto length = static_cast<int>(end - p);
      memcpy(out, p, static_cast<size_t>(length));
      out[length] = '\0';
      return length;
    }
  }
  char padded[kNumberTextSize];
  const int length = format_fixed(value, decimals, padded);
  int blanks = 0;
  while (padded[blanks] == ' ') ++blanks;
  memcpy(out, padded + blanks, static_cast<size_t>(length - blanks) + 1);
  return length - blanks;
}

int format_fixed(double value, int decimals, char* out) {
  if (!std::isfinite(value) || (decimals != 0 && decimals != 6))
    return format_by_library(value, decimals, out);

  // Whole numbers, what integer variables hold: the digits alone.
  {
    char text[kNumberTextSize];
    char* const end = text + sizeof(text);
    if (const char* p = whole_text(value, decimals, end); p != nullptr)
      return pad_to_width(p, static_cast<int>(end - p), out);
  }

  const bool negative = std::signbit(value);
  const uint64_t scale = decimals == 0 ? 1 : 1000000;
  unsigned __int128 scaled;
  if (!scale_exactly(value, scale, &scaled)) return format_by_library(value, decimals, out);

  uint64_t whole;
  uint64_t part;
  if (scaled >> 64 == 0) {  // the usual case: a 64-bit division suffices
    const auto narrow = static_cast<uint64_t>(scaled);
    whole = narrow / scale;
    part = narrow % scale;
  } else {
    whole = static_cast<uint64_t>(scaled / scale);
    part = static_cast<uint64_t>(scaled % scale);
  }

  char text[kNumberTextSize];
  char* const end = text + sizeof(text);
  char* p = end;
  if (decimals == 6) {
    uint64_t f = part;
    for (int i = 0; i < 6; ++i) {
      *--p = static_cast<char>('0' + f % 10);
      f /= 10;
    }
    *--p = '.';
  }
  p = digits_backwards(whole, p);
  if (negative) *--p = '-';

  return pad_to_width(p, static_cast<int>(end - p), out);
}

double to_real(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // Up to 15 digits are exact in a double, so a plain integer converts exactly.
  uint64_t v = 0;
  int digits = 0;
  while (*p >= '0' && *p <= '9' && digits <= 15) {
    v = v * 10 + static_cast<uint64_t>(*p - '0');
    ++p;
    ++digits;
  }
  const char next = *p;
  const bool plain = digits > 0 && digits <= 15 && !(next >= '0' && next <= '9') && next != '.' &&
                     next != 'e' && next != 'E' && next != 'x' && next != 'X';
  if (!plain) return atof(text);
  const double d = static_cast<double>(v);
  return negative ? -d : d;
}

}  // namespace vp
