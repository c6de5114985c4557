#include "vp/numbers.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "vp/text.hpp"

namespace {

// Compares with the C library for both formats; returns false at the first
// difference, which the assertion then shows.
::testing::AssertionResult formats_like_library(double v) {
  for (int decimals : {0, 6}) {
    char want[vp::kNumberTextSize];
    char got[vp::kNumberTextSize + 1];
    got[vp::kNumberTextSize] = 'G';
    snprintf(want, sizeof(want), decimals == 0 ? "%12.0f" : "%12.6f", v);
    const int n = vp::format_fixed(v, decimals, got);
    if (std::string(got) != want || n != static_cast<int>(strlen(want)) ||
        got[vp::kNumberTextSize] != 'G') {
      return ::testing::AssertionFailure()
             << "value " << std::hexfloat << v << " decimals " << decimals << ": want '" << want
             << "' got '" << got << "'";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(FormatFixed, WholeNumbersHalvesAndSigns) {
  std::vector<double> values = {
      0.0,     -0.0,    1.0,     -1.0,         0.5,      -0.5,    1.5,          2.5,
      3.5,     -2.5,    0.25,    0.75,         499001,   -499001, 16777216,     16777217.0,
      1e15,    -1e15,   1e18,    9.2e18,       -9.3e18,  1e30,    3.4e38,       -3.4e38,
      1e-7,    5e-7,    -5e-7,   4.9999995e-7, 1e-300,   5e-324,  0.1,          0.3,
      1.0 / 3, 2.0 / 3, 123.456, -0.0000005,   999999.5, 1e6,     12345678901.0};
  for (double v : values) {
    EXPECT_TRUE(formats_like_library(v));
    EXPECT_TRUE(formats_like_library(static_cast<double>(static_cast<float>(v))));
  }
  for (double v :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::nan("")})
    EXPECT_TRUE(formats_like_library(v));
}

TEST(FormatFixed, EveryHalfAndItsNeighboursNearWholeAndMillionths) {
  // Ties of both formats: n + 0.5 for %.0f and k / 2e6 for %.6f, with the nearest
  // doubles and floats on either side.
  for (int n = -3000; n <= 3000; ++n) {
    for (double v : {n + 0.5, n / 2e6, n / 2e6 + 1, n * 1000.5}) {
      EXPECT_TRUE(formats_like_library(v));
      EXPECT_TRUE(formats_like_library(std::nextafter(v, 1e300)));
      EXPECT_TRUE(formats_like_library(std::nextafter(v, -1e300)));
      const float f = static_cast<float>(v);
      EXPECT_TRUE(formats_like_library(f));
      EXPECT_TRUE(formats_like_library(std::nextafter(f, 1e30f)));
      EXPECT_TRUE(formats_like_library(std::nextafter(f, -1e30f)));
    }
  }
}

TEST(FormatFixed, RandomFloatsOfEveryMagnitude) {
  std::mt19937 random(8);
  std::uniform_int_distribution<uint32_t> any;
  int checked = 0;
  for (int i = 0; i < 400000; ++i) {
    const float f = std::bit_cast<float>(any(random));
    if (!formats_like_library(f)) {
      ADD_FAILURE() << formats_like_library(f).message();
      if (++checked > 10) break;
    }
  }
  // Whole numbers as integer loops make them, and the sums of ordinary fractions.
  for (int i = -100000; i <= 100000; i += 7)
    EXPECT_TRUE(formats_like_library(static_cast<float>(i)));
  float sum = 0;
  for (int i = 0; i < 20000; ++i) {
    sum += 0.1f;
    ASSERT_TRUE(formats_like_library(sum));
  }
}

TEST(ToReal, AgreesWithAtof) {
  const char* texts[] = {"0",
                         "5",
                         " 5",
                         "\t\n\v\f\r 7",
                         "-5",
                         "+5",
                         "-0",
                         "+0",
                         "999999999999999",
                         "1000000000000000",
                         "9999999999999999",
                         "18446744073709551616",
                         "12345678901234567890123",
                         "3.5",
                         "1e3",
                         "1E3",
                         "0x10",
                         "0X1p4",
                         "inf",
                         "-infinity",
                         "nan",
                         "",
                         " ",
                         "-",
                         "+",
                         "abc",
                         "12abc",
                         "12 34",
                         "1.",
                         ".5",
                         "- 5",
                         "42;",
                         " 41 ",
                         "007",
                         "5e",
                         "1e400",
                         "00000000000000000000001",
                         "-2147483649",
                         "1,5"};
  for (const char* t : texts) {
    const double want = atof(t);
    const double got = vp::to_real(t);
    EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(want))
        << "text '" << t << "': want " << want << " got " << got;
  }
  std::mt19937 random(3);
  std::uniform_int_distribution<int64_t> any(-999999999999999999, 999999999999999999);
  for (int i = 0; i < 20000; ++i) {
    const std::string t = std::to_string(any(random) >> (i % 60));
    EXPECT_EQ(vp::to_real(t.c_str()), atof(t.c_str())) << t;
  }
}

}  // namespace

namespace {

// strtol saturated to 32 bits: what to_int must give for every text.
int to_int_by_library(const char* text) {
  const long v = strtol(text, nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

TEST(ToInt, AgreesWithTheLibrarySaturated) {
  const char* texts[] = {"0",           "7",           "-7",
                         "+7",          " \t\n12",     "999999999",
                         "1000000000",  "2147483647",  "2147483648",
                         "-2147483648", "-2147483649", "99999999999999999999",
                         "0012",        "12abc",       "",
                         "-",           "+",           "abc",
                         "0x1f",        "- 5",         "3.9",
                         "-0",          " 500 then",   "1e3"};
  for (const char* t : texts) EXPECT_EQ(vp::to_int(t), to_int_by_library(t)) << t;
  std::mt19937 random(9);
  std::uniform_int_distribution<int64_t> any(-99999999999, 99999999999);
  for (int i = 0; i < 20000; ++i) {
    const std::string t = std::to_string(any(random) >> (i % 40));
    ASSERT_EQ(vp::to_int(t.c_str()), to_int_by_library(t.c_str())) << t;
  }
}

}  // namespace
