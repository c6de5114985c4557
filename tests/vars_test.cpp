// The variable table, the built-ins and the declaration sections.
#include <gtest/gtest.h>

#include <string>

#include "harness.hpp"
#include "vp/handlers.hpp"

using vp::testing::program;
using vp::testing::run_script;

TEST(Builtins, ProbeTakesTheLastReleaseFileFound) {
  vp::MemoryHost host;
  host.probe["/etc/redhat-release"] = "Red Hat 9\nsecond line\n";
  host.probe["/etc/debian_version"] = "12.5\n";
  auto r = run_script(host, program("", "  writeln(SYSTEM.os);\n  writeln(SYSTEM.info);\n"));
  EXPECT_EQ(r.out, "debian\n12.5\n\n");
}

TEST(Builtins, ProbeNamesWithoutReadingAndEmptyFiles) {
  vp::MemoryHost host;
  host.probe["/etc/SuSe-release"] = "";  // opens, holds no line
  auto r = run_script(host, program("", "  writeln(SYSTEM.os, '|', SYSTEM.info);\n"));
  EXPECT_EQ(r.out, "suse|NULL\n");

  vp::MemoryHost aix;
  aix.probe["/etc/slackware-release"] = "Slackware 15\n";
  aix.probe["/usr/bin/smit"] = "binary";
  EXPECT_EQ(run_script(aix, program("", "  writeln(SYSTEM.os, '|', SYSTEM.info);\n")).out,
            "aix|aix\n");

  vp::MemoryHost windows;
  windows.probe["C:\\Windows\\win.ini"] = "[fonts]\n";
  EXPECT_EQ(run_script(windows, program("", "  writeln(SYSTEM.os, '|', SYSTEM.info);\n")).out,
            "Microsoft Windows|Microsoft Windows\n");
}

TEST(Builtins, NoReleaseFileGivesNull) {
  auto r = run_script(program("", "  writeln(SYSTEM.os, SYSTEM.info, PI);\n"));
  EXPECT_EQ(r.out, "NULLNULL3.14159265\n");
}

TEST(Builtins, LongReleaseLineIsCutTo99Characters) {
  vp::MemoryHost host;
  host.probe["/etc/debian_version"] = std::string(300, 'd') + "\n";
  auto r = run_script(host, program("", "  writeln(SYSTEM.info);\n"));
  EXPECT_EQ(r.out, std::string(99, 'd') + "\n");
}

TEST(Builtins, FailingGetcwdPrintsItsMessageAndKeepsTheValue) {
  vp::MemoryHost host;
  host.cwd_fails = true;
  auto r = run_script(host, program("", "  writeln('[', GetCurrentDir, ']');\n"));
  EXPECT_EQ(r.out, "Pascal Error: 015 getcwd() error[]\n");
}

TEST(Builtins, WorkingDirectoryRefreshTraces) {
  vp::MemoryHost host;
  host.cwd = "/srv/www";
  auto r = run_script(host, "program t;\nbegin\n  (* GetCurrentDir *)\nend.\n", {"-d"});
  EXPECT_EQ(r.out,
            "**[GetDir] Current working dir: '/srv/www'\n"
            "**[GetDir ck2] Current working dir: '/srv/www'\n"
            "**[Main] fun system return '/srv/www' \n"
            "**[Main] var system return '/srv/www' \n"
            "**[MAIN] Pascal script Terminated\n"
            "**[MAIN] Number of variables: 0\n");
}

TEST(Builtins, OverlongWorkingDirectoryIsCutToAValue) {
  vp::MemoryHost host;
  host.cwd = "/" + std::string(257, 'w');  // 258 characters: the most getcwd gives
  auto r = run_script(host, program("", "  writeln(SYSTEM.cwd);\n"));
  EXPECT_EQ(r.out, "/" + std::string(254, 'w') + "\n");
}

TEST(Declarations, TheTableRefusesA250thDeclaration) {
  std::string decls;
  for (int i = 0; i < 252; ++i) decls += "var v" + std::to_string(i) + " : integer;\n";
  vp::MemoryHost host;
  auto r = run_script(host, program(decls, "  writeln(SYSTEM.cwd, PI, SYSTEM.os);\n"), {});
  // Three refusals, and the built-ins untouched.
  std::string refusals;
  for (int i = 0; i < 3; ++i) refusals += "Pascal Error - Variable table full\n";
  EXPECT_EQ(r.out, refusals + "/home/user3.14159265NULL\n");
}

TEST(Declarations, AnOverlongDeclarationIsCutWithItsLine) {
  // The line is read as 255 characters and a rest; the name ends with the first part.
  const std::string long_name(300, 'n');
  auto r = run_script("program t;\nvar " + long_name + " : integer;\nbegin\nend.\n", {"-d"});
  EXPECT_NE(r.out.find("**[VAR] Look at allocation: '" + std::string(251, 'n') +
                       "'\n"
                       "Pascal Error - Expecting ':' with var\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Number of variables: 1\n"), std::string::npos);
}

TEST(Declarations, LinesWithoutAPlaceForANameDeclareNothing) {
  vp::MemoryHost host;
  auto r = run_script(host, "program t;\nconst\n      k = 1;\nvar\nbegin\nend.\n", {"-d"});
  EXPECT_EQ(r.out, "**[MAIN] Pascal script Terminated\n**[MAIN] Number of variables: 0\n");
}

TEST(Declarations, NameAtTheEndOfTheLineStopsThere) {
  auto r = run_script("program t;\nvar abc", {"-d"});
  EXPECT_NE(r.out.find("**[VAR] Look at allocation: 'abc'\n"
                       "Pascal Error - Expecting ':' with var\n"),
            std::string::npos);
}

TEST(Labels, TableStopsAt256Labels) {
  std::string decls = "label a\n";
  for (int i = 0; i < 300; ++i) decls += "    l" + std::to_string(i) + "\n";
  vp::MemoryHost host;
  auto r = run_script(host, program(decls, ""), {"-d"});
  EXPECT_NE(r.out.find("**[label] label name 'l254' found \n"), std::string::npos);
  EXPECT_EQ(r.out.find("'l255'"), std::string::npos);
}
