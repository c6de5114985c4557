// What the step keeps about a line read again (how a write statement's arguments
// split, an if line's condition, which slot an assignment assigns) must give what
// scanning the line afresh gives, pass after pass, with the values of each pass.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

namespace {

const std::string kDecls =
    "var n : integer;\nvar i : integer;\nvar x : integer;\nvar r : real;\nvar s : string;\n"
    "var t : string;\nvar c : char;\n";

// Statements a loop body is made of: every kind the step keeps a plan for, values
// that change between passes, and texts at the edges of the quick number paths.
const std::vector<std::string> kStatements = {
    "    i := i + 1;\n",
    "    i := i * 3 - 7;\n",
    "    i := i % 11;\n",
    "    i := 0 - i;\n",
    "    i := x + 1;\n",
    "    i := x * -2;\n",
    "    x := -0;\n",
    "    x :=                           7;\n",  // past what an operand holds
    "    x := 12345678901234567;\n",
    "    x := +5;\n",
    "    x := 2.5 ~;\n",
    "    x := i;\n",  // the text i, which an operand then replaces by its value
    "    r := r + 0.25;\n",
    "    r := i / 3;\n",
    "    s := s + 'a';\n",
    "    s := 'x' + t;\n",
    "    t := s;\n",
    "    t := 'b';\n",
    // More parts than a join plan keeps: joined afresh on every pass.
    "    t := 'a' + s + 'c' + 'd' + 'e' + 'f' + 'g' + 'h' + 'i' + 'j' + 'k' + 'l' + 'm' + 'n' + "
    "'o' + 'p' + 'q' + t;\n",
    "    c := 'q';\n",
    "    writeln('i=', i, ' r=', r, ' x=', x);\n",
    "    writeln(i:5, s:3, x:12);\n",
    "    write(i, ' ');\n",
    "    write(s:2);  writeln(t);\n",
    "    writeln(s, t, c);\n",
    "    writeln('open\n",
    "    writeln(zz, i);\n",
    "    writeln();\n",
    "    writeln(i , x);\n",
    "    if i > 5 then\n",
    "    if i < 0 then\n",
    "    if i <> 4 then\n",
    "    if x = 7 then\n",
    "    if s = 'xa' then\n",
    "    if s $ 'aa' then\n",
    "    if t < 'c' then\n",
    "    if r > 1 then\n",
    "    if c = q then\n",
    "    if zz = 1 then\n",
    "    if i = 3 and x = 1 then\n",
};

std::string random_body(std::mt19937& random, int count) {
  std::string body;
  for (int k = 0; k < count; ++k) {
    const std::string& statement = kStatements[random() % kStatements.size()];
    body += statement;
    // An if governs the line after it: it always gets one, so that it never
    // consumes the loop's end.
    if (statement.find(" if ") != std::string::npos) {
      std::string governed;
      do {
        governed = kStatements[random() % kStatements.size()];
      } while (governed.find(" if ") != std::string::npos);
      body += governed;
    }
  }
  return body;
}

// A loop reads its body again and again, so from the second pass on every line is
// carried out from what the step kept; the same body written out once per pass is
// read once per line and scanned every time. Both must print the same.
TEST(LinePlans, ALoopPrintsWhatItsBodyWrittenOutPrints) {
  std::mt19937 random(8);
  const int passes = 4;
  for (int round = 0; round < 300; ++round) {
    const std::string body = random_body(random, 1 + static_cast<int>(random() % 10));
    const std::string start = "  i := 2;\n  x := 1;\n  r := 0;\n  s := x;\n  t := a;\n";
    std::string unrolled = start;
    for (int p = 0; p < passes; ++p) unrolled += body;
    const std::string looped = start + "  while count 4 do\n" + body + "  end;\n";
    const auto once = run_script(program(kDecls, unrolled));
    const auto again = run_script(program(kDecls, looped));
    ASSERT_EQ(again.out, once.out) << "body:\n" << body;
    ASSERT_EQ(again.status, once.status);
  }
}

// Trace mode never takes what a line's plan holds: every pass prints every trace
// line of every statement.
TEST(LinePlans, TraceModeScansEveryPass) {
  const std::string body =
      "  n := 0;\n"
      "  while n < 3 do\n"
      "    n := n + 1;\n"
      "    s := 'v' + s;\n"
      "    if n > 1 then\n"
      "      i := 5;\n"
      "    writeln('n=', n);\n"
      "  end;\n";
  const auto r = run_script(program(kDecls, body), {"-d"});
  const auto count = [&r](const std::string& text) {
    int found = 0;
    for (size_t at = r.out.find(text); at != std::string::npos; at = r.out.find(text, at + 1))
      ++found;
    return found;
  };
  EXPECT_EQ(count("**[if] variable name: 'n'\n"), 3);
  EXPECT_EQ(count("**[if] operation = 2\n"), 3);
  EXPECT_EQ(count("**[writeln] variable name: 'n'\n"), 3);
  EXPECT_EQ(count("**[writeln] - content length '1'\n"), 3);
  EXPECT_EQ(count("**[MAIN] found set match for 'n' \n"), 4);  // the loop's start too
  EXPECT_EQ(count("**[MAIN] found set match for 'i' \n"), 2);  // passes 2 and 3
  EXPECT_EQ(count("**[Math_set] Enter module \n"), 3);
  EXPECT_EQ(count("**[concat_set]value set from quote 'v'\n"), 3);
  EXPECT_EQ(count("'           2' -> '2' -> '2' \n"), 1);
  EXPECT_EQ(count("n=**[writeln] variable name: ''\n"), 3);  // the separator's empty name
}

// The line an if skips is read into it.line by the if; on a later pass the same line
// runs as a line of its own, and the line after the if is stepped either way.
TEST(LinePlans, ALineAnIfSkippedRunsOnTheNextPass) {
  const std::string body =
      "  n := 0;\n"
      "  i := 0;\n"
      "  while n < 5 do\n"
      "    n := n + 1;\n"
      "    if n $ 1 then\n"  // never holds for an integer: always skips
      "      writeln('never');\n"
      "    if n > 2 then\n"
      "      writeln('big ', n);\n"
      "    if n = 2 then\n"
      "      i := i + 100;\n"
      "    if s = 'zz' then\n"
      "      s := s + 'z';\n"
      "    writeln('n ', n, ' i ', i, ' s ', s);\n"
      "    s := zz;\n"
      "  end;\n";
  const auto r = run_script(program(kDecls, body));
  EXPECT_EQ(r.out,
            "n 1 i 0 s \n"
            "n 2 i 100 s zzz\n"
            "big 3\n"
            "n 3 i 100 s zzz\n"
            "big 4\n"
            "n 4 i 100 s zzz\n"
            "big 5\n"
            "n 5 i 100 s zzz\n");
}

// The routing of write statements can change between passes of the same line: a
// text variable named on a pass sends that statement's later arguments, and every
// write after it, to the text file.
TEST(LinePlans, RoutingChangesBetweenPassesOfTheSameLine) {
  const std::string decls = "var n : integer;\nvar f : text;\n";
  const std::string body =
      "  n := 0;\n"
      "  rewrite(f,'out.txt');\n"
      "  while n < 3 do\n"
      "    n := n + 1;\n"
      "    writeln('a', n);\n"
      "    if n = 2 then\n"
      "      writeln(f, 'to file ', n);\n"
      "    writeln(n:3, 'b');\n"
      "  end;\n"
      "  closefile(f);\n";
  vp::MemoryHost host;
  const auto r = run_script(host, program(decls, body));
  // After rewrite quoted texts go nowhere until a text variable is named; from then
  // on everything goes to the file, and values there lose their leading blanks.
  EXPECT_EQ(r.out, "1\n  1\n2\n\n\n\n\n");
  EXPECT_EQ(host.files["out.txt"], "\n\n\nto file 2\n2b\na3\n3b\n");
}

// write and writeln on one line start at different columns, both measured from
// the line's first statement: each call reads its own arguments, pass after pass.
TEST(LinePlans, TwoWriteStatementsOnOneLine) {
  const std::string body =
      "  n := 0;\n"
      "  while n < 3 do\n"
      "    n := n + 1;\n"
      "    writeln(n, '.');  write(x);\n"  // write starts at "n(n, '.')"
      "  end;\n";
  const auto r = run_script(program(kDecls, body));
  EXPECT_EQ(r.out, ".1.\n.2.\n.3.\n");
}

// A loop whose body does not fit the stream's buffer seeks back through the
// library, and a loop end standing last in a script without a line end does too.
TEST(LinePlans, LoopsOverLongBodiesAndAnUnendedLastLine) {
  std::string filler;
  for (int k = 0; k < 300; ++k) filler += "    writeln('" + std::string(30, 'a' + k % 26) + "');\n";
  const std::string body =
      "  n := 0;\n  while n < 3 do\n    n := n + 1;\n" + filler + "    writeln(n);\n  end;\n";
  const auto r = run_script(program(kDecls, body));
  std::string pass;
  for (int k = 0; k < 300; ++k) pass += std::string(30, 'a' + k % 26) + "\n";
  EXPECT_EQ(r.out, pass + "1\n" + pass + "2\n" + pass + "3\n");

  const auto unended = run_script(
      "program t;\nvar n : integer;\nbegin\n  n := 0;\n  while n < 3 do\n    n := n + 1;\n"
      "    writeln(n);\n  end;");
  EXPECT_EQ(unended.out, "1\n2\n3\nPascal Error - 'end.' not found or not properly terminated\n");
}

}  // namespace
