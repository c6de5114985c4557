// Hostile input: overlong lines, NUL bytes, odd line ends, full tables and broken
// statements. Each run must end cleanly with the output checked here; under the
// sanitizer build the same runs also prove that no buffer is read or written past.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.hpp"

using namespace std::string_literals;

using vp::testing::program;
using vp::testing::run_script;

namespace {

const std::string kMissingEnd = "Pascal Error - 'end.' not found or not properly terminated\n";
const std::string kWritelnParse = "Pascal Error - Parse error with writeln\n";

}  // namespace

TEST(LongLines, TenThousandCharacterLineIsReadAsPiecesOf255) {
  // The first piece holds the writeln and 244 characters of its text, with no closing
  // quote; the later pieces are plain text and do nothing.
  auto r = run_script(
      program("", "  writeln('" + std::string(10000, 'a') + "');\n  writeln('after');\n"));
  EXPECT_EQ(r.out, std::string(244, 'a') + kWritelnParse + "\nafter\n");
  EXPECT_EQ(r.status, 0);
}

TEST(LongLines, OneMegabyteLineEndsOnItsLastPiece) {
  // 4112 pieces of x, then a last piece with a statement and the end of the program.
  const std::string line = std::string(255 * 4112, 'x') + "  writeln('ok'); end.";
  auto r = run_script("program t;\nbegin\n" + line + "\n  writeln('never');\n");
  EXPECT_EQ(r.out, "ok\n");
  EXPECT_EQ(r.status, 0);
}

TEST(LongLines, LineCapStopsAnEndlessLine) {
  // 10,000 pieces: the run stops after 9999 handled lines, before the end marker.
  auto r = run_script("program t;\nbegin\n" + std::string(255 * 10000, 'y') + "end.\n");
  EXPECT_EQ(r.out, kMissingEnd);
  EXPECT_EQ(r.status, 0);
}

TEST(LongLines, DeclarationNameRunsToTheEndOfThePiece) {
  // The name fills the rest of a 255-character piece; it is kept whole, and the rest
  // of the physical line is a new piece that declares nothing.
  const std::string name(251, 'n');
  vp::MemoryHost host;
  auto r = run_script(host,
                      "program t;\nvar " + name + " : integer;\nbegin\n  writeln(" +
                          std::string(200, 'n') + ");\nend.\n",
                      {"-d"});
  EXPECT_NE(r.out.find("**[VAR] Look at allocation: '" + name + "'\n"), std::string::npos);
  EXPECT_NE(r.out.find("**[MAIN] Number of variables: 1\n"), std::string::npos);
  EXPECT_EQ(r.status, 0);
}

TEST(OddBytes, NulEndsTheLineForEveryScan) {
  using namespace std::string_literals;
  // A NUL inside a quoted text ends the line there; "begin" after a NUL is never seen.
  auto r = run_script("program t;\n\0begin\n  writeln('a\0b');\n  writeln('c');\nend.\n"s);
  EXPECT_EQ(r.out, "a" + kWritelnParse + "\nc\nPascal Error - 'begin' not found \n");
  EXPECT_EQ(r.status, 0);

  r = run_script("program t;\nbegin\n\0end.\n\0\0\0\n  writeln('d');\nend.\n"s);
  EXPECT_EQ(r.out, "d\n");
}

TEST(OddBytes, CrLfLineEnds) {
  const std::string script =
      "program t;\r\nvar s : string;\r\nconst k = 5;\r\nbegin\r\n  writeln(k);\r\n"
      "  writeln('hi');\r\nend.\r\n";
  EXPECT_EQ(run_script(script).out, "5\nhi\n");
  auto r = run_script(script, {"-d"});
  EXPECT_NE(r.out.find("**[VAR] Look at allocation: 's'\n"), std::string::npos);
  EXPECT_NE(r.out.find("**[MAIN] Number of variables: 2\n"), std::string::npos);
}

TEST(OddBytes, CarriageReturnsOnlyMakeOneLine) {
  // Without a line feed the whole script is one line: every landmark on it counts, and
  // the writeln matches, but its column is measured from the start of the line, where
  // "program" stands, so it names no variable and writes only the line end.
  auto r = run_script("program t;\rbegin\r  writeln('x');\rend.\r");
  EXPECT_EQ(r.out, "\n");
  EXPECT_EQ(r.status, 0);
}

TEST(OddBytes, HighBytesAndControlCharactersPassThrough) {
  std::string text;
  for (int c = 1; c < 256; ++c)
    if (c != '\n' && c != '\'') text.push_back(static_cast<char>(c));
  // 253 characters: the line is cut at 255, the closing quote lies past it.
  auto r = run_script(program("", "  writeln('" + text + "');\n"));
  EXPECT_EQ(r.out, text.substr(0, 244) + kWritelnParse + "\n");
}

TEST(Tables, The250thDeclarationIsRefusedAndBuiltinsStay) {
  std::string decls;
  for (int i = 0; i < 250; ++i) decls += "var v" + std::to_string(i) + " : integer;\n";
  decls += "const late = 7;\n";
  const std::string script =
      program(decls, "  writeln(v248);\n  writeln(PI);\n  writeln(late);\n  writeln(v249);\n");
  const std::string full = "Pascal Error - Variable table full\n";
  EXPECT_EQ(run_script(script).out, full + full + "\n3.14159265\n\n\n");
  auto r = run_script(script, {"-d"});
  EXPECT_NE(r.out.find("**[VAR] Look at allocation: 'v248'\n"), std::string::npos);
  EXPECT_EQ(r.out.find("**[VAR] Look at allocation: 'v249'\n"), std::string::npos);
  EXPECT_NE(r.out.find("**[MAIN] Number of variables: 249\n"), std::string::npos);
}

TEST(Tables, LabelTableFullIsHarmless) {
  // The "label" line records one entry itself; 255 continuation lines fill the table.
  std::string decls = "label x;\n";
  for (int i = 0; i < 300; ++i) decls += "    l" + std::to_string(i) + ";\n";
  auto r = run_script(program(decls, "  writeln('ok');\n"), {"-d"});
  EXPECT_NE(r.out.find("**[label] label name 'l254;' found \n"), std::string::npos);
  EXPECT_EQ(r.out.find("'l255;'"), std::string::npos);
  EXPECT_NE(r.out.find("\nok\n"), std::string::npos);
}

TEST(Environment, MegabyteGatewayValueAndCwd) {
  vp::MemoryHost host;
  host.env["GATEWAY_INTERFACE"] = std::string(1 << 20, 'g');
  host.cwd = std::string(4096, 'd');
  // A working directory longer than the reader's buffer fails like getcwd does.
  auto r = run_script(host, program("", "  writeln(GetCurrentDir);\n"), {"-d"});
  EXPECT_EQ(r.out, "Pascal Error: 015 getcwd() error\n");
}

// Every statement row, written correctly and then broken in every way a typo can
// break it: cut short at each character, each character replaced by a delimiter, the
// arguments flooded to the end of the line. Every run must end, and unless the
// statement may end the run or move through the script, the line after it must run.
namespace {

// kRunsOn: the next line runs. kRunsOnUnlessFatal: the same, or the run stops with
// status 1 after a parse error (an assignment that lost its ';').
// kMayStopOrJump: the statement may end the run or move through the script.
enum Next { kRunsOn, kRunsOnUnlessFatal, kMayStopOrJump };

struct Statement {
  const char* line;
  Next next;
};

const Statement kStatementRows[] = {
    {"  wround(2.5);", kRunsOn},
    {"  wsqrt(16);", kRunsOn},
    {"  write('a', s, i:3);", kRunsOn},
    {"  append(f,'o.txt');", kMayStopOrJump},  // later writelns go to the file
    {"  rewrite(f,'o.txt');", kMayStopOrJump},
    {"  findrp(s,'b','XY');", kRunsOn},
    {"  findow(s,'b','XY');", kRunsOn},
    {"  insert('XY',s,3);", kRunsOn},
    {"  delete(s,3,2);", kRunsOn},
    {"  writeln('a', s:9, i);", kRunsOn},
    {"  writewc('<a>', s:4, i);", kRunsOn},
    {"  read(s);", kRunsOn},
    {"  readln(i);", kRunsOn},
    {"  query_remote_web_client();", kRunsOn},
    {"  read_version(s);", kRunsOn},
    {"  read_http_user_agent(s[1 .. 3]);", kRunsOn},
    {"  read_query_string(s);", kRunsOn},
    {"  read_remote_addr(s[2 .. 5]);", kRunsOn},
    {"  read_date(s[21 .. 24]);", kRunsOn},
    {"  read_content_length(i);", kRunsOn},
    {"  halt;", kMayStopOrJump},
    {"  halt(1);", kMayStopOrJump},
    {"  writewh();", kRunsOn},
    {"  closefile(f);", kRunsOn},
    {"  system('/bin/ls', '-l');", kMayStopOrJump},
    {"  exec('/bin/echo', 'hi');", kMayStopOrJump},
    {"  delay(1000);", kRunsOn},
    {"  repeat", kMayStopOrJump},
    {"  while i < 3 do", kMayStopOrJump},
    {"  while i > 0 do", kMayStopOrJump},
    {"  while count 3 do", kMayStopOrJump},
    {"  end;", kMayStopOrJump},
    {"  if s = 'abcdef' then", kMayStopOrJump},
    {"  until i = 3;", kMayStopOrJump},
    {"  goto done;", kMayStopOrJump},
    {"  s := concat(s,'x');", kRunsOnUnlessFatal},
    {"  s := 'a' + s + 'b';", kRunsOnUnlessFatal},
    {"  i := i + 2 * 3 % 4 ^ 2;", kRunsOnUnlessFatal},
    {"  r := r / 0 ~;", kRunsOnUnlessFatal},
    {"  i := -16 # 0 % 0;", kRunsOnUnlessFatal},
    {"  read_form(s, 'q');", kRunsOn},
    {"  read_cookie(s,'c');", kRunsOn},
};

const Statement kDeclarationRows[] = {
    {"const k = 5;", kRunsOn},
    {"var t : integer;", kRunsOn},
    {"   u : real;", kRunsOn},
    {"label done;", kRunsOn},
};

std::vector<std::string> broken_forms(const std::string& line) {
  std::vector<std::string> forms;
  for (size_t n = 0; n <= line.size(); ++n) forms.push_back(line.substr(0, n));
  for (size_t at = 2; at < line.size(); ++at) {
    for (char c : {',', '\'', ')', ':', ';', ' '}) {
      std::string f = line;
      f[at] = c;
      forms.push_back(f);
    }
  }
  const size_t open = line.find_first_of("( ", 2);
  if (open != std::string::npos) {
    const std::string head = line.substr(0, open + 1);
    for (char c : {'x', ',', '\'', ':', '9', ' ', '['}) forms.push_back(head + std::string(300, c));
    forms.push_back(head + "x:99999999999999,'" + std::string(260, 'q'));
    forms.push_back(head + "-2147483649, -1, 99999999999)");
    forms.push_back(head + "s[999999999 .. -999999999])");
  }
  return forms;
}

std::string frame(const std::string& declaration, const std::string& statement) {
  return "program t;\nvar s : string;\nvar i : integer;\nvar r : real;\nvar f : text;\n" +
         declaration + "\nbegin\n  s := 'abcdef';\n  i := 2;\n  r := 1.5;\n" + statement +
         "\n  writeln('after');\nend.\n";
}

void run_all(const Statement& row, bool declaration) {
  int count = 0;
  for (const std::string& form : broken_forms(row.line)) {
    // Every third form also in trace mode, so the trace lines see broken input too.
    for (const char* mode : {"-", "-d"}) {
      if (mode[1] == 'd' && ++count % 3 != 0) continue;
      vp::MemoryHost host;
      host.input = "word " + std::string(300, 'w') + "\n";
      host.env["QUERY_STRING"] = std::string(300, 'q');
      host.env["HTTP_USER_AGENT"] = "<script>";
      host.env["REMOTE_ADDR"] = "10.0.0.1";
      host.env["REQUEST_METHOD"] = "POST";
      host.env["CONTENT_TYPE"] = "application/x-www-form-urlencoded";
      host.env["CONTENT_LENGTH"] = "9";
      host.env["HTTP_COOKIE"] = "c=%0A; q=" + std::string(300, 'c');
      const std::string script = declaration ? frame(form, "") : frame("", form);
      auto r = run_script(host, script, {mode});
      SCOPED_TRACE("statement: " + form + " " + mode);
      EXPECT_LE(r.out.size(), 256u * 1024u);  // traces repeat the line per argument
      // The trace summary follows the last line's output; it is no part of it.
      std::string out = r.out;
      const size_t summary = out.rfind("**[MAIN] Pascal script Terminated\n");
      if (summary != std::string::npos) out.resize(summary);
      const std::string tail = "after\n";
      const bool ran_on = r.status == 0 && out.size() >= tail.size() &&
                          out.compare(out.size() - tail.size(), tail.size(), tail) == 0;
      if (row.next == kRunsOn) {
        EXPECT_TRUE(ran_on) << r.out;
      } else if (row.next == kRunsOnUnlessFatal) {
        const bool fatal =
            r.status == 1 && r.out.find("Pascal Error: parse error:") != std::string::npos;
        EXPECT_TRUE(ran_on || fatal) << r.status << "\n" << r.out;
      } else {
        EXPECT_TRUE(r.status == 0 || r.status == 1) << r.status;
      }
      EXPECT_LE(host.sleeps.size(), 1u);
      EXPECT_LE(host.execs.size(), 1u);
    }
  }
}

}  // namespace

TEST(BrokenStatements, EveryStatementRow) {
  for (const Statement& row : kStatementRows) run_all(row, false);
}

TEST(BrokenStatements, EveryDeclarationRow) {
  for (const Statement& row : kDeclarationRows) run_all(row, true);
}

TEST(Values, JoinedTextsStopAt255Characters) {
  const std::string a(200, 'A');
  const std::string b(55, 'B');
  auto r =
      run_script(program("var a : string;\nvar b : string;\nvar s : string;\n"
                         "var t : string;\nvar u : string;\n",
                         "  a := '" + a + "';\n  b := '" + b +
                             "';\n"
                             "  s := a + b;\n  t := a + b + 'c';\n  u := s + s;\n"
                             "  writeln(s);\n  writeln(t);\n  writeln(u);\n"));
  const std::string full = a + b;
  // A part of the '+' form holds 254 characters, so s + s is 254 of s and one more.
  EXPECT_EQ(r.out, full + "\n" + full + "\n" + full.substr(0, 254) + "A\n");
}

TEST(Values, ConcatOfTwoLongValuesIsCut) {
  // concat keeps 127 characters of its first argument and cuts the join at 255.
  const std::string a(200, 'A');
  auto r = run_script(program("var a : string;\nvar s : string;\n",
                              "  a := '" + a + "';\n  s := concat(a,a);\n  writeln(s);\n"));
  EXPECT_EQ(r.out, std::string(127, 'A') + std::string(128, 'A') + "\n");
}

TEST(Values, ArithmeticPastItsLimits) {
  auto r = run_script(program("var i : integer;\nvar j : integer;\nvar r : real;\n",
                              "  i := 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1;\n"
                              "  j := 123456789012345678901234567890 + 0;\n"
                              "  r := 1 / 0;\n  writeln(i);\n  writeln(j);\n  writeln(r);\n"
                              "  r := r - r;\n  i := 7 % 0;\n  j := -2147483648 % -1;\n"
                              "  writeln(j);\n  wround(1e39);\n  wround(-1e39);\n"));
  // Nine values and eight operators are kept; an operand keeps 24 characters, the
  // blank after ":=" and 23 digits.
  EXPECT_EQ(r.out.substr(0, 2), "9\n");
  const size_t j_end = r.out.find('\n', 2);
  EXPECT_EQ(j_end - 2, 23u);
  EXPECT_EQ(r.out.substr(2, 7), "1234567");
  EXPECT_EQ(r.out.substr(j_end + 1), "inf\n0\ninf\n-inf\n");
}

TEST(Values, OverlongRightHandSideWithoutSemicolonIsFatal) {
  auto r = run_script(
      program("var i : integer;\n", "  i := " + std::string(400, '9') + ";\n  writeln('x');\n"));
  EXPECT_EQ(r.status, 1);
  // The first 255-character piece of the line is the whole assignment.
  EXPECT_EQ(r.out,
            "Pascal Error: parse error:\n  i := " + std::string(248, '9') + "\nmissing ; \n");
}

TEST(Environment, MegabyteRequestValuesAreCutTo255) {
  vp::MemoryHost host;
  const std::string huge(1 << 20, 'q');
  for (const char* name : {"QUERY_STRING", "HTTP_USER_AGENT", "REMOTE_ADDR", "CONTENT_LENGTH"})
    host.env[name] = huge;
  auto r = run_script(host, program("var q : string;\nvar u : string;\nvar a : string;\n"
                                    "var b : string;\nvar c : string;\n",
                                    "  read_query_string(q);\n  read_http_user_agent(u);\n"
                                    "  read_remote_addr(a);\n  read_content_length(c);\n"
                                    "  read_remote_addr(b[1000 .. 999999]);\n"
                                    "  writeln(q);\n  writeln(u);\n  writeln(a);\n"
                                    "  writeln(c);\n  writeln(b);\n"));
  const std::string cut(255, 'q');
  EXPECT_EQ(r.out, cut + "\n" + cut + "\n" + cut + "\n" + cut + "\n\n");
}

TEST(Environment, MegabyteOfMarkupIsListedEscaped) {
  vp::MemoryHost host;
  host.env["QUERY_STRING"] = std::string(1 << 20, '<');
  auto r = run_script(host, program("", "  query_remote_web_client();\n"));
  const std::string want_line = "QUERY_STRING=";
  const size_t at = r.out.find(want_line);
  ASSERT_NE(at, std::string::npos);
  const size_t end = r.out.find("<br>\n", at);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(end - at - want_line.size(), 4u << 20);  // every '<' became "&lt;"
  EXPECT_EQ(r.out.find('<', at + want_line.size()), end);
}

TEST(Environment, OverlongProgramPathsAndArgumentsStartNothing) {
  vp::MemoryHost host;
  auto r =
      run_script(host, program("", "  exec('/" + std::string(200, 'p') +
                                       "', 'a');\n  system('/bin/x', '" + std::string(240, 'a') +
                                       "');\n  exec('/bin/y');\n  exec('/bin/z', 'b);\n"
                                       "  writeln('after');\n"));
  EXPECT_TRUE(host.execs.empty());
  EXPECT_NE(r.out.find("after\n"), std::string::npos);
  EXPECT_EQ(r.status, 0);
}

TEST(Environment, DelayAndHaltWithNumbersOutOfRange) {
  vp::MemoryHost host;
  auto r = run_script(host, program("",
                                    "  delay(99999999999999999999);\n  delay(-2147483649);\n"
                                    "  delay(2147483647000);\n  writeln('after');\n"
                                    "  halt(99999999999999999999);\n"));
  // Numbers past the 32-bit range saturate: the longest pause is 2147483 seconds.
  EXPECT_EQ(host.sleeps, (std::vector<unsigned>{2147483u, 2147483u}));
  EXPECT_EQ(r.out, "after\n");
  EXPECT_EQ(r.status, 1);
}

TEST(Endless, LoopsStopAtTheLineCap) {
  auto r = run_script(program("var i : integer;\n",
                              "  repeat\n    i := i + 1;\n  until i = -1;\n  writeln('never');\n"));
  EXPECT_EQ(r.out, kMissingEnd);
  EXPECT_EQ(r.status, 0);
}

TEST(Endless, ReadingAheadStopsAtTheEndOfTheFile) {
  // A false if and a goto read lines themselves; a file that ends first stops them.
  for (const char* last : {"  if i = 5 then", "  if i = 5 then\n  begin\n  writeln('x');\n",
                           "  goto nowhere;", "  goto nowhere;\n  writeln('x');"}) {
    auto r = run_script("program t;\nvar i : integer;\nbegin\n" + std::string(last));
    SCOPED_TRACE(last);
    EXPECT_EQ(r.out, kMissingEnd);
    EXPECT_EQ(r.status, 0);
  }
}

TEST(Input, MegabyteWordIsCutTo49AndConsumed) {
  vp::MemoryHost host;
  host.input = std::string(1 << 20, 'w') + " next\n" + std::string(1 << 20, ' ') + "\0last"s;
  auto r = run_script(host, program("var a : string;\nvar b : string;\nvar c : string;\n",
                                    "  read(a);\n  readln(b);\n  read(c);\n  read(c);\n"
                                    "  writeln(a);\n  writeln(b);\n  writeln(c);\n"));
  // A NUL is a character of a word like any other; the end of input leaves c empty.
  EXPECT_EQ(r.out, std::string(49, 'w') + "\nnext\n\n");
}

TEST(Values, EditingAFullValueKeeps255Characters) {
  const std::string a(200, 'a');
  const std::string b(55, 'b');
  auto r = run_script(program("var s : string;\nvar t : string;\n",
                              "  s := '" + a + "';\n  t := '" + b +
                                  "';\n  s := s + t;\n"
                                  "  insert('XYZ',s,3);\n  writeln(s);\n  findrp(s,'a','" +
                                  std::string(200, 'R') +
                                  "');\n  writeln(s);\n"
                                  "  delete(s,999999999,2);\n  delete(s,-5,3);\n"
                                  "  delete(s,3,99999);\n  writeln(s);\n"));
  // The insert pushes the last three characters out; the long replacement overwrites
  // from the first 'a' on and is cut at the end of the value.
  const std::string inserted = "aaXYZ" + (a + b).substr(2, 250);
  ASSERT_EQ(inserted.size(), 255u);
  const std::string replaced = std::string(200, 'R') + inserted.substr(200);
  const size_t first = r.out.find('\n');
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(r.out.substr(0, first + 1), inserted + "\n");
  const size_t second = r.out.find('\n', first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(r.out.substr(first + 1, second - first), replaced + "\n");
  const std::string last = r.out.substr(second + 1);
  EXPECT_LE(last.size(), 256u);
  EXPECT_EQ(last.back(), '\n');
  EXPECT_EQ(last.substr(0, 2), "RR");
}

TEST(Values, HugeNegativeWidthTracesItsFillCount) {
  // The width saturates at the 32-bit minimum; the fill count below it must not wrap.
  auto r = run_script(
      program("var s : string;\n", "  s := 'abcde';\n  writeln(s:-214748364820);\n"), {"-d"});
  EXPECT_NE(r.out.find("**[writeln] format_size ='-2147483648' \n"), std::string::npos);
  EXPECT_NE(r.out.find("**[writeln] num of spaces needed -2147483653 \n"), std::string::npos);
  EXPECT_NE(r.out.find("abcde\n"), std::string::npos);
}
