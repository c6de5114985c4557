// Whole scripts through the quick paths of the per-line step: the name index built
// at begin, the operator texts found in one pass, and the facts kept for lines that
// are read again. Each result is the one the plain search gives.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

namespace {

TEST(FastPaths, OperatorTextsDecideCopyAndArithmetic) {
  const std::string decls = "var x : integer;\nvar c : char;\nvar s : string;\nvar y : integer;\n";
  auto r = run_script(program(decls,
                              "  x := 9 #;\n"        // " #;" at the end
                              "  writeln(x);\n"      //
                              "  x := 2.5 ~;\n"      // " ~;"
                              "  writeln(x);\n"      //
                              "  x := 16 # 9;\n"     // " # "
                              "  writeln(x);\n"      //
                              "  c := abcdefgh;\n"   //
                              "  c := 'a' ~ x;\n"    // math text, but copied as written
                              "  writeln(c);\n"      //
                              "  c := abcdefgh;\n"   //
                              "  c := 'a' - x;\n"    // " - " keeps it from being copied
                              "  writeln(c);\n"      //
                              "  s := 'a' - 'b';\n"  // only " + " stops a string's copy
                              "  writeln(s);\n"      //
                              "  y := 5+1;\n"        // no blanks: copied as written
                              "  writeln(y);\n"      //
                              "  y := 7 -;\n"        // " -;" is no operator text
                              "  writeln(y);\n"));
  EXPECT_EQ(r.out, "3\n3\n4\n'a' ~ x\nabcdefgh\na - b\n5+1\n7 -\n");
}

TEST(FastPaths, ArithmeticAndJoinsFindNamesAfterBegin) {
  // Names that share first letters and hold one another: the last slot whose name
  // occurs in an operand or part wins, and substitution sees the replaced text.
  const std::string decls =
      "var a : integer;\nvar ab : integer;\nvar b : integer;\nvar x : integer;\n"
      "var p : string;\nvar q : string;\nvar w : string;\n";
  auto r = run_script(program(decls,
                              "  a := b;\n"
                              "  b := 7;\n"
                              "  ab := 20;\n"
                              "  x := a + 1;\n"  // a holds "b", which is 7: 8
                              "  writeln(x);\n"
                              "  x := ab + 1;\n"  // a, ab and b occur: b's value is last
                              "  writeln(x);\n"
                              "  p := foo;\n"
                              "  q := bar;\n"
                              "  w := p + '-' + q + PI;\n"
                              "  writeln(w);\n"
                              "  w := concat(p,q);\n"
                              "  writeln(w);\n"));
  EXPECT_EQ(r.out, "8\n8\nfoo-bar3.14159265\nfoobar\n");
}

}  // namespace

namespace {

// Lines built from keyword pieces, blanks, tabs and letters in both cases: the quick
// pass must find exactly the rows that searching for every keyword finds.
TEST(FastPaths, QuickRowSearchFindsWhatAFullSearchFinds) {
  const char* pieces[] = {"writeln(", "WriteLn(", "write(",   "wround(", "wsqrt(",   "halt;",
                          "halt(",    "exec('",   "system('", "delay(",  "writewh(", "writewc(",
                          "read(",    "readln(",  "repeat",   "Repeat",  "while ",   "while count ",
                          "end;",     "if ",      "until ",   "goto ",   "const",    "var ",
                          "label ",   "x",        ":=",       "'",       ";",        "(",
                          " ",        "  ",       "   ",      "\t",      "\n",       "e",
                          "L",        "insert(",  "findrp(",  "DELETE(", "findow(",  "closefile(",
                          "append(",  "rewrite(", " <",       " >",      "do",       " and"};
  std::mt19937 random(41);
  vp::MemoryHost host;
  auto it = std::make_unique<vp::Interpreter>(host);
  int with_rows = 0;
  for (int round = 0; round < 30000; ++round) {
    std::string line;
    const int count = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) line += pieces[random() % (sizeof(pieces) / sizeof(*pieces))];
    vp::copy_cut(it->line, vp::kLineSize, line.c_str());
    const uint64_t full = vp::rows_in_line(it->line, false);
    ASSERT_EQ(vp::rows_in_line(it->line, true), full) << "line '" << line << "'";
    if (full != 0) ++with_rows;
  }
  EXPECT_GT(with_rows, 10000);  // the lines do hold keywords
}

}  // namespace

namespace {

// Arithmetic lines read again by a loop: constants stay, and every operand that
// names a variable is substituted anew, the chain of names included.
TEST(FastPaths, ArithmeticReadAgainTakesTheValuesOfEachPass) {
  const std::string decls =
      "var a : integer;\nvar b : integer;\nvar x : integer;\nvar n : integer;\n"
      "var r : real;\n";
  auto r = run_script(program(decls,
                              "  a := b;\n"  // a holds the text b: its operand reads b's value
                              "  b := 5;\n"
                              "  n := 0;\n"
                              "  while n < 3 do\n"
                              "    n := n + 1;\n"
                              "    x := a + 1 * 2;\n"
                              "    r := 1 / n;\n"
                              "    writeln(x, ' ', r);\n"
                              "    b := b + 10;\n"
                              "    if n = 2 then\n"
                              "      a := 100;\n"
                              "  end;\n"));
  EXPECT_EQ(r.out,
            "12 1.000000\n"
            "32 0.500000\n"
            "202 0.333333\n");
}

}  // namespace

namespace {

// Joins read again by a loop: quoted parts stay, each named part gives the value
// its last named variable holds on that pass, and a part naming none adds nothing.
// (The counter comes first: the loop binds the first variable its head line names.)
TEST(FastPaths, JoinsReadAgainTakeTheValuesOfEachPass) {
  const std::string decls =
      "var n : integer;\nvar a : string;\nvar ab : string;\nvar j : string;\n";
  auto r = run_script(program(decls,
                              "  a := x;\n"
                              "  ab := y;\n"
                              "  n := 0;\n"
                              "  while n < 3 do\n"
                              "    n := n + 1;\n"
                              "    j := '<' + ab + zz + a + '>';\n"  // ab names a and ab
                              "    writeln(j);\n"
                              "    ab := ab + a;\n"
                              "    a := a + '!';\n"
                              "  end;\n"));
  EXPECT_EQ(r.out, "<yx>\n<yxx!>\n<yxx!x!!>\n");
}

TEST(FastPaths, JoinedValuesKeepThePartLimit) {
  // A value of 255 characters gives a part of 254; the joined text holds 255.
  const std::string decls = "var n : integer;\nvar v : string;\nvar j : string;\n";
  const std::string body = "  v := '" + std::string(100, 'v') + "';\n" +
                           "  v := v + v + v;\n"  // 300 characters, cut to 255
                           "  n := 0;\n"
                           "  while n < 2 do\n"
                           "    n := n + 1;\n"
                           "    j := v + 'z';\n"
                           "    writeln(j);\n"
                           "  end;\n";
  auto r = run_script(program(decls, body));
  const std::string line = std::string(254, 'v') + "z\n";
  EXPECT_EQ(r.out, line + line);
}

}  // namespace
