#include <gtest/gtest.h>

#include <memory>

#include "harness.hpp"

using vp::testing::program;
using vp::testing::run_script;

namespace {

// Runs body with standard input and returns what the script printed.
std::string run_with_input(const std::string& declarations, const std::string& body,
                           const std::string& input) {
  vp::MemoryHost host;
  host.input = input;
  return run_script(host, program(declarations, body)).out;
}

const char* kTwoWords = "var v : string;\n";
const char* kShowTwoReads =
    "  read(v);\n"
    "  writeln(v);\n"
    "  read(v);\n"
    "  writeln(v);\n";

// Records how much had been written when the interpreter first asked for input.
class PromptHost final : public vp::testing::ForwardingHost {
 public:
  long written_at_first_read = -1;

  int read_in() override {
    if (written_at_first_read < 0) written_at_first_read = static_cast<long>(inner.out.size());
    return inner.read_in();
  }
};

}  // namespace

TEST(Read, HugeWordIsCutAndItsRestConsumed) {
  const std::string huge(10000, 'a');
  EXPECT_EQ(run_with_input(kTwoWords, kShowTwoReads, huge + " next\n"),
            std::string(49, 'a') + "\nnext\n");
  // The same word as the very last thing in the input: the second read finds nothing.
  EXPECT_EQ(run_with_input(kTwoWords, kShowTwoReads, huge), std::string(49, 'a') + "\n\n");
}

TEST(Read, WordsAroundTheLimit) {
  const std::string w48(48, 'x'), w49(49, 'y'), w50 = std::string(49, 'z') + "!";
  EXPECT_EQ(run_with_input(kTwoWords, kShowTwoReads + std::string(kShowTwoReads),
                           w48 + " " + w49 + "\n" + w50 + "\nlast"),
            w48 + "\n" + w49 + "\n" + std::string(49, 'z') + "\nlast\n");
}

TEST(Read, EveryKindOfWhiteSpaceSeparatesWords) {
  EXPECT_EQ(run_with_input(kTwoWords, kShowTwoReads, "\r\n\v\f one\t\r\ntwo\f"), "one\ntwo\n");
}

TEST(Read, EndOfInputEmptiesTheVariable) {
  EXPECT_EQ(run_with_input("const v = old;\n", "  read(v);\n  writeln('[', v, ']');\n", ""),
            "[]\n");
  EXPECT_EQ(run_with_input("const v = old;\n", "  read(v);\n  writeln('[', v, ']');\n", " \n\t\n"),
            "[]\n");
}

TEST(Read, ANulByteEndsTheStoredValue) {
  EXPECT_EQ(run_with_input(kTwoWords, kShowTwoReads, std::string("ab\0cd ef", 8)), "ab\nef\n");
}

TEST(Read, AnUnknownNameStillConsumesItsWord) {
  EXPECT_EQ(run_with_input(kTwoWords,
                           "  read(nosuch);\n"
                           "  read(v );\n"
                           "  read(v);\n"
                           "  writeln(v);\n",
                           "one two three"),
            "three\n");
}

TEST(Read, TheTypeLetterIsNeitherTestedNorChanged) {
  EXPECT_EQ(run_with_input("var n : integer;\n",
                           "  read(n);\n"
                           "  writeln(n:6);\n",
                           "abc"),
            "   abc\n");
}

TEST(Read, NameWithoutParenthesisEndsWithTheLine) {
  // Also as the last line of the file, without a line end.
  EXPECT_EQ(run_with_input(kTwoWords, "  read(v\n  writeln(v);\n", "seen"), "seen\n");
  vp::MemoryHost host;
  host.input = "kept";
  auto r = run_script(host, "program t;\nvar v : string;\nbegin\n  read(v", {"-d"});
  EXPECT_NE(r.out.find("**[READ] Read value store 'kept' \n"), std::string::npos) << r.out;
}

TEST(Read, StatementAtTheEndOfAFullLine) {
  // The statement fills the line buffer up to its last byte; the line end arrives
  // as a line of its own.
  const std::string statement = "  read(v";
  const std::string line = std::string(255 - statement.size(), ' ') + statement + "\n";
  EXPECT_EQ(run_with_input(kTwoWords, line + "  writeln(v);\n", "word"), "word\n");
}

TEST(Read, PromptIsOnScreenBeforeTheProgramWaits) {
  PromptHost host;
  host.inner.scripts["t.pas"] = program(kTwoWords, "  write('Name? ');\n  read(v);\n");
  host.inner.input = "Ann";
  auto it = std::make_unique<vp::Interpreter>(host);
  const char* argv[] = {"vp", "t.pas"};
  vp::run(*it, 2, argv);
  EXPECT_EQ(host.written_at_first_read, 6);
}
