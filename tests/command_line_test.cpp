// The command line as a user meets it: --help, and the forms it must not disturb.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.hpp"

namespace {

using vp::testing::RunResult;

// Runs the interpreter with exactly these words after the program name.
RunResult run_words(vp::MemoryHost& host, const std::vector<const char*>& words) {
  auto it = std::make_unique<vp::Interpreter>(host);
  std::vector<const char*> argv = {"vp"};
  argv.insert(argv.end(), words.begin(), words.end());
  int status;
  try {
    status = vp::run(*it, static_cast<int>(argv.size()), argv.data());
    vp::end_process(*it, status);
  } catch (const vp::ProcessExit& e) {
    status = e.status;
  }
  return {host.out, status};
}

TEST(CommandLine, HelpPrintsUsageAndSucceeds) {
  vp::MemoryHost host;
  RunResult r = run_words(host, {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("Usage: vp SCRIPT [-d | -w]\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("vpdebug"), std::string::npos);
  EXPECT_NE(r.out.find("vp(1)"), std::string::npos);
  EXPECT_EQ(r.out.back(), '\n');
}

TEST(CommandLine, HelpNeedsToBeTheOnlyWord) {
  // With a flag word after it, "--help" is a script path like any other.
  vp::MemoryHost missing;
  RunResult r = run_words(missing, {"--help", "-d"});
  EXPECT_EQ(r.out, "VarnPascal:Sorry no file or flag specified\n");
  EXPECT_EQ(r.status, 1);

  vp::MemoryHost present;
  present.scripts["--help"] = "program h;\nbegin\n  writeln('ran');\nend.\n";
  r = run_words(present, {"--help", "-x"});
  EXPECT_EQ(r.out, "ran\n");
  EXPECT_EQ(r.status, 0);
}

TEST(CommandLine, NearMissesOfHelpKeepTheirOldMeaning) {
  vp::MemoryHost host;
  EXPECT_EQ(run_words(host, {"--HELP"}).out, "VarnPascal:Sorry no file or flag specified\n");
  vp::MemoryHost host2;
  EXPECT_EQ(run_words(host2, {"--help "}).status, 1);
  // The version answers do not move behind the new word.
  vp::MemoryHost host3;
  EXPECT_EQ(run_words(host3, {"-v"}).out, "version = 1.3.2a\n");
  vp::MemoryHost host4;
  EXPECT_EQ(run_words(host4, {"-m", "--help"}).out,
            "Remember, we belong to God. version = 1.3.2a\n");
}

TEST(CommandLine, OnlyAWordBeginningWithADashAsksForTheVersion) {
  // Scripts whose names have 'v' or 'm' second run like any other.
  for (const char* name : {"avg.pas", "event.pas", "email.pas", "/v", "xm"}) {
    vp::MemoryHost host;
    host.scripts[name] = "program p;\nbegin\n  writeln('ran');\nend.\n";
    RunResult r = run_words(host, {name});
    EXPECT_EQ(r.out, "ran\n") << name;
    EXPECT_EQ(r.status, 0) << name;
  }
  vp::MemoryHost missing;
  EXPECT_EQ(run_words(missing, {"avg.pas"}).out, "VarnPascal:Sorry no file or flag specified\n");
  for (const char* word : {"--version", "-version", "-v"}) {
    vp::MemoryHost host;
    RunResult r = run_words(host, {word, "x.pas"});
    EXPECT_EQ(r.out, "version = 1.3.2a\n") << word;
    EXPECT_EQ(r.status, 0);
  }
  // Under a web server no word is an answer: "--version" is then a script name.
  vp::MemoryHost cgi;
  cgi.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  cgi.scripts["--version"] = "program p;\nbegin\n  writeln('page');\nend.\n";
  EXPECT_EQ(run_words(cgi, {"--version"}).out, "page\n");
}

TEST(CommandLine, ShebangLineIsHarmless) {
  // A script started directly by the system keeps its "#!" line; the interpreter
  // reads it as an ordinary line before "program" and must not act on it.
  const std::string body = "program s;\nvar n : integer;\nbegin\n  writeln('ok');\nend.\n";
  for (const char* first : {"#!/usr/bin/env vp\n", "#!/usr/local/bin/vp\n", "#!/usr/bin/vp -d\n"}) {
    vp::MemoryHost host;
    RunResult r = vp::testing::run_script(host, first + body);
    EXPECT_EQ(r.out, "ok\n") << first;
    EXPECT_EQ(r.status, 0);
  }
}

}  // namespace
