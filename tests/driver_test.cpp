#include <gtest/gtest.h>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

TEST(Driver, HelloWorld) {
  auto r = run_script(program("", "  writeln('hi');\n"));
  EXPECT_EQ(r.out, "hi\n");
  EXPECT_EQ(r.status, 0);
}
