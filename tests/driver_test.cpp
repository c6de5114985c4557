// The run loop, the command line and the per-line step, in-process.
#include <gtest/gtest.h>

#include <string>

#include "harness.hpp"
#include "vp/handlers.hpp"

using vp::testing::program;
using vp::testing::run_script;

TEST(Driver, LineCapStopsAnOverlongScriptAfter9999Lines) {
  std::string body;
  for (int i = 1; i <= 10005; ++i) body += "  writeln('" + std::to_string(i) + "');\n";
  auto r = run_script("program t;\nbegin\n" + body + "end.\n");
  // Two frame lines and 9997 statements make 9999 handled lines.
  EXPECT_NE(r.out.find("\n9997\n"), std::string::npos);
  EXPECT_EQ(r.out.find("\n9998\n"), std::string::npos);
  EXPECT_NE(r.out.find("Pascal Error - 'end.' not found or not properly terminated\n"),
            std::string::npos);
  EXPECT_EQ(r.status, 0);
}

TEST(Driver, EndOfFileWithoutEndDotReportsIt) {
  auto r = run_script("program t;\nbegin\n  writeln('x');");
  EXPECT_EQ(r.out, "x\nPascal Error - 'end.' not found or not properly terminated\n");
}

TEST(Driver, EmptyScriptReportsTheWholeFrame) {
  auto r = run_script("");
  EXPECT_EQ(r.out,
            "Pascal Error - 'program' not found or not properly terminated\n"
            "  Format: \n"
            "  program [ProgramName]; \n"
            "Pascal Error - 'begin' not found \n"
            "Pascal Error - 'end.' not found or not properly terminated\n");
}

TEST(Driver, LinesOver255CharactersAreReadAsSeveralLines) {
  // The 255 characters after the two blanks end the first read; the rest of the
  // physical line, "  writeln('tail');", is then a line of its own.
  std::string filler = "  (*" + std::string(251, 'x');
  ASSERT_EQ(filler.size(), 255u);
  auto r = run_script(program("", filler + "  writeln('tail');\n"));
  EXPECT_EQ(r.out, "tail\n");
}

TEST(Driver, TraceSummaryCountsDeclarations) {
  vp::MemoryHost host;
  auto r = run_script(host, "program t;\nvar a : integer;\nvar b : string;\nbegin\nend.\n", {"-d"});
  EXPECT_NE(r.out.find("**[MAIN] Pascal script Terminated\n**[MAIN] Number of variables: 2\n"),
            std::string::npos);
}

TEST(Driver, ProgramNamePrefixesTurnTraceOn) {
  const std::string script = "program t;\nbegin\nend.\n";
  for (const char* name : {"./vpdebug", "./vpdebXYZ", "vpdebug", "vpdeb"}) {
    vp::MemoryHost host;
    auto r = vp::testing::run_script(host, script, {}, name);
    EXPECT_NE(r.out.find("**[MAIN] Pascal script Terminated"), std::string::npos) << name;
  }
  for (const char* name : {"vp", "/usr/bin/vpdebug", "./vpde", "vpde"}) {
    vp::MemoryHost host;
    auto r = vp::testing::run_script(host, script, {}, name);
    EXPECT_EQ(r.out.find("**[MAIN]"), std::string::npos) << name;
  }
}

TEST(Driver, FlagWordIsIgnoredUnderCgi) {
  const std::string script = "program t;\nbegin\nend.\n";
  vp::MemoryHost cgi;
  cgi.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  EXPECT_EQ(run_script(cgi, script, {"-d"}).out, "");
  vp::MemoryHost cgi_debug_name;
  cgi_debug_name.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  EXPECT_NE(run_script(cgi_debug_name, script, {}, "vpdebug").out.find("**[MAIN]"),
            std::string::npos);
}

TEST(Driver, EmptyFirstArgumentIsAMissingFile) {
  vp::MemoryHost host;
  auto it = std::make_unique<vp::Interpreter>(host);
  const char* argv[] = {"vp", ""};
  EXPECT_EQ(vp::run(*it, 2, argv), 1);
  vp::flush_out(*it);
  EXPECT_EQ(host.out, "VarnPascal:Sorry no file or flag specified\n");
}

TEST(Driver, OverlongScriptPathIsCutNotOverrun) {
  vp::MemoryHost host;
  auto it = std::make_unique<vp::Interpreter>(host);
  std::string path(5000, 'a');
  host.scripts[std::string(255, 'a')] = "program t;\nbegin\n  writeln('cut');\nend.\n";
  const char* argv[] = {"vp", path.c_str()};
  EXPECT_EQ(vp::run(*it, 2, argv), 0);
  vp::flush_out(*it);
  EXPECT_EQ(host.out, "cut\n");
}

TEST(Driver, FixedPointsOfTheRunSurviveStatementsOnTheEndLine) {
  auto r = run_script("program t;\nbegin\n  writeln('last'); end.\n  writeln('never');\n");
  EXPECT_EQ(r.out, "last\n");
}

TEST(Driver, UnderCgiTheFirstWordIsAlwaysTheScript) {
  const std::string page = "program p;\nbegin\n  writeln('page');\nend.\n";
  vp::MemoryHost cgi;
  cgi.env["GATEWAY_INTERFACE"] = "CGI/1.1";
  cgi.scripts["/var/www/page.pas"] = page;
  cgi.scripts["/mnt/page.pas"] = page;
  for (const char* path : {"/var/www/page.pas", "/mnt/page.pas"}) {
    cgi.out.clear();
    auto it = std::make_unique<vp::Interpreter>(cgi);
    const char* argv[] = {"/usr/bin/vp", path};
    EXPECT_EQ(vp::run(*it, 2, argv), 0);
    vp::flush_out(*it);
    EXPECT_EQ(cgi.out, "page\n") << path;
  }

  // At a shell too: only a word that begins with '-' asks for the version.
  vp::MemoryHost shell;
  shell.scripts["/var/www/page.pas"] = page;
  auto it = std::make_unique<vp::Interpreter>(shell);
  const char* argv[] = {"vp", "/var/www/page.pas"};
  EXPECT_EQ(vp::run(*it, 2, argv), 0);
  vp::flush_out(*it);
  EXPECT_EQ(shell.out, "page\n");
}
