// Run-time warnings: where they go, when they are on, and the line they name.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.hpp"

namespace {

using vp::testing::program;
using vp::testing::run_script;

const std::string kScript = program("var i : integer;\n",
                                    "  i := 0;\n"
                                    "  repeat\n"
                                    "    i := i + 1;\n"
                                    "    writeln(nosuch);\n"
                                    "  until i = 3;\n"
                                    "  writeln(i);\n");

TEST(Warnings, OnlyStandardErrorChanges) {
  vp::MemoryHost quiet;
  const auto plain = run_script(quiet, kScript);
  EXPECT_EQ(quiet.err, "");

  // Named once, though the loop reads the line three times.
  const std::string expected = "t.pas:7: warning: no variable is named 'nosuch'\n";
  vp::MemoryHost flag;
  const auto flagged = run_script(flag, kScript, {"-w"});
  EXPECT_EQ(flagged.out, plain.out);
  EXPECT_EQ(flagged.status, plain.status);
  EXPECT_EQ(flag.err, expected);

  vp::MemoryHost env;
  env.env.emplace("VP_WARNINGS", "1");
  run_script(env, kScript);
  EXPECT_EQ(env.err, expected);
  // Trace mode reads every pass afresh and still names the line once.
  vp::MemoryHost traced;
  traced.env.emplace("VP_WARNINGS", "1");
  run_script(traced, kScript, {"-d"});
  EXPECT_EQ(traced.err, expected);

  for (const char* value : {"0", "", "yes", "11"}) {
    vp::MemoryHost off;
    off.env.emplace("VP_WARNINGS", value);
    run_script(off, kScript);
    EXPECT_EQ(off.err, "") << value;
  }
}

TEST(Warnings, UnderAWebServerOnlyTheEnvironmentTurnsThemOn) {
  vp::MemoryHost flag;
  flag.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  run_script(flag, kScript, {"-w"});
  EXPECT_EQ(flag.err, "");
  vp::MemoryHost env;
  env.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  env.env.emplace("VP_WARNINGS", "1");
  run_script(env, kScript);
  EXPECT_EQ(env.err, "t.pas:7: warning: no variable is named 'nosuch'\n");
}

TEST(Warnings, LineNumbersCountWholeLinesAfterLongLinesAndJumps) {
  // A line longer than a read takes counts once; lines skipped by a false if and
  // jumped over by goto count too.
  std::string body = "  writeln('";
  body.append(300, 'x');
  body +=
      "');\n"
      "  if i = 1 then begin\n"
      "    writeln(a);\n"
      "  end;\n"
      "  goto done;\n"
      "  writeln(b);\n"
      "done:\n"
      "  writeln(c);\n";
  const std::string script = program("var i : integer;\nlabel done;\n", body);
  vp::MemoryHost host;
  run_script(host, script, {"-w"});
  EXPECT_EQ(host.err, "t.pas:12: warning: no variable is named 'c'\n");
}

TEST(Warnings, AScriptThatDoesNotOpenSaysWhy) {
  vp::MemoryHost host;
  auto it = std::make_unique<vp::Interpreter>(host);
  const char* argv[] = {"vp", "gone.pas", "-w"};
  EXPECT_EQ(vp::run(*it, 3, argv), 1);
  vp::flush_out(*it);
  EXPECT_EQ(host.out, "VarnPascal:Sorry no file or flag specified\n");
  EXPECT_EQ(host.err, "gone.pas: warning: cannot open the script: No such file or directory\n");
}

}  // namespace
