// The environment statements over the test host: the clock, the sleeps, the programs
// started and the process exits are all seen here without touching the machine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "harness.hpp"

using vp::MemoryHost;
using vp::testing::program;
using vp::testing::run_script;

namespace {

// Dates are local time: the tests read them in UTC.
class Env : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};

std::string date_script() {
  return program("var Day : string;\n",
                 "  read_date(Day);\n  write(Day);\n"
                 "  read_date(Day[21 .. 24]);\n  writeln(Day);\n"
                 "  read_date(Day[12 .. 19]);\n  writeln(Day);\n"
                 "  read_date(Day[1 .. 3]);\n  writeln(Day);\n"
                 "  read_date(Day[9 .. 10]);\n  writeln('[', Day, ']');\n"
                 "  read_date(Day[24 .. 30]);\n  write('[', Day, ']');\n");
}

TEST_F(Env, DateTextAndItsRanges) {
  MemoryHost host;
  host.clock = 1700000000;  // a two-digit day
  EXPECT_EQ(run_script(host, date_script()).out,
            "Tue Nov 14 22:13:20 2023\n2023\n22:13:20\nTue\n[14]\n[3\n]");

  MemoryHost single;
  single.clock = 1699228800;  // a one-digit day is padded with a blank
  EXPECT_EQ(run_script(single, date_script()).out,
            "Mon Nov  6 00:00:00 2023\n2023\n00:00:00\nMon\n[ 6]\n[3\n]");
}

TEST_F(Env, DateBeyondFourDigitYearsStaysInBounds) {
  MemoryHost far;
  far.clock = 253402300800;  // the first second of year 10000
  EXPECT_EQ(
      run_script(far, program("var Day : string;\n", "  read_date(Day);\n  write(Day);\n")).out,
      "Sat Jan  1 00:00:00 10000\n");

  // A clock no calendar can show leaves an empty date, not garbage.
  MemoryHost broken;
  broken.clock = static_cast<time_t>(0x7fffffffffffffffLL);
  EXPECT_EQ(run_script(broken, program("const Day = old;\n",
                                       "  read_date(Day);\n  writeln('[', Day, ']');\n"))
                .out,
            "[]\n");
}

TEST(Process, DelaySleepsWholeSecondsOnly) {
  MemoryHost host;
  run_script(host, program("var T : integer;\n",
                           "  delay(1000);\n  delay(999);\n  delay(-1000);\n  delay(T);\n"
                           "  delay(2500);\n  delay();\n  delay(5000\n  DELAY(3000);\n"));
  EXPECT_EQ(host.sleeps, (std::vector<unsigned>{1, 2, 3}));
}

TEST(Process, ExecPassesExactlyOneArgument) {
  MemoryHost host;
  auto r = run_script(host, program("",
                                    "  system('/bin/ls', '-l -a');\n"
                                    "  Exec('/bin/echo', 'a ''b');\n"
                                    "  exec('/bin/echo');\n"
                                    "  exec('/bin/echo', 'x);\n"
                                    "  writeln('went on');\n"));
  EXPECT_EQ(host.execs, (std::vector<std::string>{"/bin/ls|-l -a", "/bin/echo|a "}));
  EXPECT_EQ(r.out, "went on\n");
}

TEST(Process, OverlongPathOrArgumentIsRefused) {
  const std::string path127 = "/" + std::string(126, 'p');
  const std::string arg227(227, 'a');
  MemoryHost host;
  run_script(host, program("", "  exec('" + path127 +
                                   "', 'ok');\n"
                                   "  exec('" +
                                   path127 +
                                   "p', 'path too long');\n"
                                   "  exec('/bin/echo', '" +
                                   arg227 +
                                   "');\n"
                                   "  exec('/bin/echo', '" +
                                   arg227 + "a');\n"));
  EXPECT_EQ(host.execs, (std::vector<std::string>{path127 + "|ok", "/bin/echo|" + arg227}));
}

TEST(Process, ExecFlushesOutputAndFileFirst) {
  MemoryHost host;
  host.exec_succeeds = true;
  auto r = run_script(host, program("var F : text;\n",
                                    "  writeln('before');\n"
                                    "  rewrite(F,'f.txt');\n"
                                    "  writeln(F, 'kept');\n"
                                    "  exec('/bin/echo', 'x');\n"
                                    "  writeln('never');\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "before\n\n");
  EXPECT_EQ(host.files["f.txt"], "kept\n");
}

TEST(Process, HaltStatuses) {
  const struct {
    const char* line;
    int status;
  } cases[] = {
      {"  halt;", 0},    {"  HALT;", 0},   {"  halt(0);", 0},  {"  Halt(1);", 1},
      {"  halt(2);", 1}, {"  halt(0)", 1}, {"  halt( 0);", 1},
  };
  for (const auto& c : cases) {
    MemoryHost host;
    // No "end." line: a frame message would show that the run went past the halt.
    auto r = run_script(host, std::string("program t;\nbegin\n  write('x');\n") + c.line +
                                  "\n  writeln('never');\n");
    EXPECT_EQ(r.status, c.status) << c.line;
    EXPECT_EQ(r.out, "x") << c.line;
  }
}

TEST(Cgi, MegabyteValuesAreCutToAValue) {
  MemoryHost host;
  host.env["QUERY_STRING"] = std::string(1 << 20, 'q');
  host.env["HTTP_USER_AGENT"] = std::string(1 << 20, '<');
  host.env["REMOTE_ADDR"] = std::string(1 << 20, '7');
  auto r = run_script(host, program("var Query : string;\n   Agent : string;\n   Addr : string;\n",
                                    "  read_query_string(Query);\n"
                                    "  read_http_user_agent(Agent);\n"
                                    "  read_remote_addr(Addr[90 .. 99]);\n"
                                    "  writeln(Query);\n  writewc(Agent);\n  writeln('');\n"
                                    "  writeln(Addr);\n"));
  std::string want = std::string(255, 'q') + "\n";
  for (int i = 0; i < 255; ++i) want += "&lt;";
  want += "\n7777777777\n";
  EXPECT_EQ(r.out, want);
}

TEST(Cgi, ListingEscapesAndShowsUnsetAsEmpty) {
  MemoryHost host;
  host.env["HTTP_USER_AGENT"] = std::string(300000, '"');
  host.env["QUERY_STRING"] = "a=<script>";
  auto r = run_script(host, program("", "  query_remote_web_client();\n"));
  std::string agent;
  for (int i = 0; i < 300000; ++i) agent += "&quot;";
  EXPECT_EQ(r.out, "HTTP_USER_AGENT=" + agent +
                       "<br>\nREMOTE_ADDR=<br>\nREQUEST_METHOD=<br>\n"
                       "QUERY_STRING=a=&lt;script&gt;<br>\nCONTENT_LENGTH=<br>\n");
}

}  // namespace
