#include <gtest/gtest.h>

#include <memory>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

namespace {

std::string run_body(const std::string& declarations, const std::string& body) {
  return run_script(program(declarations, body)).out;
}

std::string constant(const std::string& name, const std::string& value) {
  return "const " + name + " = " + value + ";\n";
}

// 'a' to 'z' over and over: every position tells which character stands there.
std::string pattern(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

// A value of the full 255 characters: a 200-character constant inserted into itself.
const std::string kMakeFull = "  insert(s,s,1);\n";
std::string full_value() {
  return (pattern(200) + pattern(200)).substr(0, 255);
}

}  // namespace

TEST(Insert, ValueGrownPastItsLimitIsCutAt255) {
  const std::string v = pattern(200);
  // A variable inserted into itself at its start.
  EXPECT_EQ(run_body(constant("s", v), "  insert(s,s,1);\n  writeln(s);\n"),
            (v + v).substr(0, 255) + "\n");
  // A quoted text into a value that is nearly full: the tail is what is cut.
  const std::string w = pattern(240);
  EXPECT_EQ(run_body(constant("s", w), "  insert('0123456789ABCDEFGHIJ',s,2);\n  writeln(s);\n"),
            ("a0123456789ABCDEFGHIJ" + w.substr(1)).substr(0, 255) + "\n");
}

TEST(Insert, FullValueKeepsItsTailWhole) {
  // No working text of the statement is shorter than a value.
  const std::string v = full_value();
  EXPECT_EQ(
      run_body(constant("s", pattern(200)), kMakeFull + "  insert('XYZ',s,3);\n  writeln(s);\n"),
      ("abXYZ" + v.substr(2)).substr(0, 255) + "\n");
}

TEST(Insert, StatementCutByTheEndOfAFullLine) {
  // The statement ends at the last byte of the line buffer.
  const std::string statement = "  insert('XY',s,3";
  const std::string line = std::string(255 - statement.size(), ' ') + statement + "\n";
  EXPECT_EQ(run_body(constant("s", "hello"), line + "  writeln(s);\n"), "heXYllo\n");
}

TEST(StringEdit, AssignedValuesAreEditedInPlace) {
  EXPECT_EQ(run_body("var s : string;\n",
                     "  s := 'hello world';\n"
                     "  insert('big ',s,7);\n  writeln(s);\n"
                     "  delete(s,1,6);\n  writeln(s);\n"
                     "  findrp(s,'big','BIG');\n  writeln(s);\n"),
            "hello big world\nbig world\nBIG world\n");
}

TEST(Delete, LongValuesKeepTheirWholeTail) {
  const std::string v = full_value();
  EXPECT_EQ(run_body(constant("s", pattern(200)), kMakeFull + "  delete(s,2,3);\n  writeln(s);\n"),
            v.substr(0, 1) + v.substr(4) + "\n");
}

TEST(Delete, BuiltInsAboveSlot249AreReportedAndStillEdited) {
  vp::MemoryHost host;
  host.probe["/etc/debian_version"] = "12.5\n";
  auto r = run_script(host, program("", "  delete(SYSTEM.os,1,2);\n  writeln(SYSTEM.os);\n"));
  EXPECT_EQ(r.out, "Pascal Error: Variable not found for delete function! \nbian\n");
}

TEST(Delete, WorkingDirectoryInSlot249IsEditedWithoutMessage) {
  vp::MemoryHost host;
  host.cwd = "/srv/www";
  host.scripts["t.pas"] = program("", "  delete(SYSTEM.cwd,1,5);\n");
  auto it = std::make_unique<vp::Interpreter>(host);
  const char* argv[] = {"vp", "t.pas"};
  EXPECT_EQ(vp::run(*it, 2, argv), 0);
  vp::flush_out(*it);
  EXPECT_EQ(host.out, "");
  EXPECT_STREQ(it->vars.values[vp::kSlotCwd], "www");
}

TEST(FindReplace, ValueGrownPastItsLimitIsCutAt255) {
  const std::string v = pattern(240) + "XYZ";  // as long as a constant's line allows
  EXPECT_EQ(run_body(constant("s", v), "  findrp(s,'XYZ','0123456789ABCDEFGH');\n  writeln(s);\n"),
            v.substr(0, 240) + "0123456789ABCDE\n");
  // A replacement that just fits.
  EXPECT_EQ(run_body(constant("s", v), "  findow(s,'YZ','0123456789ABCD');\n  writeln(s);\n"),
            v.substr(0, 241) + "0123456789ABCD\n");
}

TEST(FindReplace, EmptyValueAndEmptySearch) {
  EXPECT_EQ(run_body("var s : string;\n", "  findrp(s,'','new');\n  writeln(s);\n"), "new\n");
}

TEST(FindReplace, LongReplacementIsWrittenWhole) {
  const std::string r = pattern(100);
  EXPECT_EQ(run_body(constant("s", "hello"), "  findrp(s,'ll','" + r + "');\n  writeln(s);\n"),
            "he" + r + "\n");
}

TEST(FindReplace, MalformedStatementsChangeNothing) {
  EXPECT_EQ(run_body(constant("s", "hello"),
                     "  findrp(s,'l','L);\n"
                     "  findrp(s,'l);\n"
                     "  findow(s);\n"
                     "  findow(s,\n"
                     "  findow(\n"
                     "  findrp(missing,'l','L');\n"
                     "  writeln(s);\n"),
            "hello\n");
}

TEST(StringEdit, EveryPrefixOfAStatementIsSafe) {
  // Each statement cut short after every character: whatever a broken line does, the
  // value stays a terminated text of at most 255 characters.
  const std::string v = pattern(200);
  const char* statements[] = {
      "  insert('XY',s,3);", "  insert(s,s,1);",          "  delete(s,3,2);",
      "  delete(s, 9, 99);", "  findrp(s,'cde','1234');", "  findow(s,'','ABC');",
      "  readln(s);",
  };
  for (const char* full : statements) {
    const std::string statement = full;
    for (size_t n = 2; n <= statement.size(); ++n) {
      vp::MemoryHost host;
      host.input = std::string(300, 'w');
      host.scripts["t.pas"] =
          program(constant("s", v), statement.substr(0, n) + "\n  writeln(s);\n");
      auto it = std::make_unique<vp::Interpreter>(host);
      const char* argv[] = {"vp", "t.pas"};
      ASSERT_EQ(vp::run(*it, 2, argv), 0) << statement.substr(0, n);
      EXPECT_LE(strnlen(it->vars.values[0], vp::kValueSize), 255u) << statement.substr(0, n);
    }
  }
}
