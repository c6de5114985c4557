// write/writeln and the output text file, where golden files reach badly.
#include <gtest/gtest.h>

#include <string>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

TEST(TextFile, UnclosedFileNameOpensTheRestOfTheLine) {
  vp::MemoryHost host;
  auto r = run_script(host, program("var f : text;\n",
                                    "  rewrite(f,'out.txt);\n  writeln(f, 'x');\n"
                                    "  closefile(f);\n  writeln(f);\n"));
  EXPECT_EQ(r.out, "Pascal Error: Parse error with rewrite\n\n\n");
  ASSERT_EQ(host.files.count("out.txt);"), 1u);
  EXPECT_EQ(host.files["out.txt);"], "x\n");
}

TEST(TextFile, NoCommaOpensNothingAndNeverWrites) {
  vp::MemoryHost host;
  auto r = run_script(host, program("var f : text;\n", "  rewrite(f);\n  writeln(f, 'x');\n"));
  EXPECT_EQ(r.out, "Pascal Error: Parse error with rewrite\nPascal Error: cannot open file ''\n\n");
  EXPECT_TRUE(host.files.empty());
}

TEST(TextFile, RewriteInALoopKeepsOneStream) {
  std::string body;
  for (int i = 0; i < 2000; ++i) body += "  rewrite(f,'log.txt');\n  writeln(f, 'line');\n";
  vp::MemoryHost host;
  auto r = run_script(host, program("var f : text;\n", body));
  std::string want;
  for (int i = 0; i < 2000; ++i) want += "line\n";
  EXPECT_EQ(host.files["log.txt"], want);
}

TEST(TextFile, FileIsFlushedWhenTheRunEnds) {
  vp::MemoryHost host;
  run_script(host, program("var f : text;\n", "  rewrite(f,'a.txt');\n  writeln(f, 'kept');\n"));
  EXPECT_EQ(host.files["a.txt"], "kept\n");
}

TEST(Writeln, HugeWidthIsCapped) {
  auto r = run_script(program("const x = abc;\n", "  writeln(x:99999999999);\n"));
  EXPECT_EQ(r.out, std::string(4096 - 3, ' ') + "abc\n");
}

TEST(Writeln, UnterminatedArgumentsStopAtTheEndOfTheLine) {
  auto r = run_script(program("const x = abc;\n", "  writeln(x\n  writeln(x:5\n  writeln(x,\n"));
  EXPECT_EQ(r.out, "\n  abc\nabc\n");
}

TEST(Writeln, ManySeparatorsAreHandledWithoutRecursion) {
  std::string args;
  for (int i = 0; i < 60; ++i) args += "'a',";
  auto r = run_script(program("", "  writeln(" + args + "'z');\n"));
  EXPECT_EQ(r.out, std::string(60, 'a') + "z\n");
}

TEST(FailedWrites, HaltKeepsAFailureAndItsOwnStatus) {
  // halt(0) after lost output ends with 1, told once on standard error; halt(1) and
  // exec's flush tell it only once too.
  for (const char* halt : {"  halt(0);\n", "  halt(1);\n", "  exec('/bin/x', 'y');\n  halt;\n"}) {
    vp::MemoryHost host;
    host.out_full = true;
    auto r = run_script(host, program("", std::string("  writeln('lost');\n") + halt));
    EXPECT_EQ(r.status, 1) << halt;
    EXPECT_EQ(host.err, "vp: cannot write standard output: No space left on device\n") << halt;
  }
  vp::MemoryHost quiet;
  quiet.out_full = true;
  EXPECT_EQ(run_script(quiet, program("", "")).status, 0);  // nothing written, nothing lost
}
