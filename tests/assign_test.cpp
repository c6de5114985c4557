// Assignments, arithmetic and concatenation at the limits of their buffers, driven
// line by line over a prepared variable table.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "harness.hpp"
#include "vp/handlers.hpp"

namespace {

struct Assign : ::testing::Test {
  vp::MemoryHost host;
  std::unique_ptr<vp::Interpreter> it = std::make_unique<vp::Interpreter>(host);

  void SetUp() override { it->begin_found = true; }

  int declare(const std::string& name, char type, const std::string& value = "") {
    const int slot = it->vars.count++;
    vp::copy_cut(it->vars.names[slot], vp::kNameSize, name.c_str());
    it->vars.types[slot] = static_cast<vp::VarType>(type);
    vp::set_value(*it, slot, value.c_str());
    return slot;
  }
  std::string value(int slot) const { return it->vars.values[slot]; }

  // Runs the per-line step over one line, as the run loop would after reading it.
  void line(const std::string& text) {
    vp::copy_cut(it->line, vp::kLineSize, (text + "\n").c_str());
    vp::step_line(*it);
    vp::flush_out(*it);
  }
};

TEST_F(Assign, OverlongOperandsAreCutTo24Characters) {
  const int x = declare("x", 'i');
  // The operand is 30 blanks and a 7: its first 24 characters are all blanks.
  line("  x :=" + std::string(30, ' ') + "7 + 1;");
  EXPECT_EQ(value(x), "1");
  // A value put in an operand's place is cut the same way: 10^30 reads as 10^23
  // (in single precision).
  declare("big", 'i', "1" + std::string(30, '0'));
  line("  x := big + 0;");
  EXPECT_EQ(value(x), "99999997781963083612160");
}

TEST_F(Assign, SubstitutionSeesTheReplacedText) {
  declare("a", 'i', "b");
  declare("b", 'i', "7");
  const int x = declare("x", 'i');
  line("  x := a + 1;");
  EXPECT_EQ(value(x), "8");
}

TEST_F(Assign, OnlyEightOperatorsTakePart) {
  const int x = declare("x", 'i');
  line("  x := 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1;");
  EXPECT_EQ(value(x), "9");
  std::string many = "  x := 1 + 1";
  while (many.size() < 240) many += "+1";
  line(many + ";");
  EXPECT_EQ(value(x), "9");

  it->tracing = true;
  host.out.clear();
  line("  x := 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1;");
  EXPECT_NE(host.out.find("operation #7 = '+' value #8 = '1.000000' \n"), std::string::npos);
  EXPECT_EQ(host.out.find("operation #8"), std::string::npos);
}

TEST_F(Assign, MathSetStopsAtTheEndOfTheLine) {
  EXPECT_EQ(vp::math_set(*it, "x + 1;\n"), 0.0f);       // no '=' after the first character
  EXPECT_EQ(vp::math_set(*it, "; y = 1 + 2\n"), 3.0f);  // no ';' after the '='
  EXPECT_EQ(vp::math_set(*it, "x := 1 ;"), 1.0f);       // no operator: the one operand
  EXPECT_EQ(vp::math_set(*it, "x := -2147483648 % -1;"), 0.0f);
}

TEST_F(Assign, JoinedTextsStopAt255Characters) {
  const int a = declare("a", 's', std::string(200, 'a'));
  declare("b", 's', std::string(100, 'b'));
  const int s = declare("s", 's');
  line("  s := a + b + '!';");
  EXPECT_EQ(value(s), std::string(200, 'a') + std::string(55, 'b'));
  line("  s := concat(a,b);");  // the first argument holds 127 characters
  EXPECT_EQ(value(s), std::string(127, 'a') + std::string(100, 'b'));
  line("  s := concat(b,a);");
  EXPECT_EQ(value(s), std::string(100, 'b') + std::string(155, 'a'));
  line("  a := a + a;");
  EXPECT_EQ(value(a), std::string(255, 'a'));
}

TEST_F(Assign, EmptyQuotesAndUnknownNamesGiveNothing) {
  const int s = declare("s", 's', "old");
  line("  s := concat('','b');");
  EXPECT_EQ(value(s), "b");
  line("  s := concat(nosuch,'x');");
  EXPECT_EQ(value(s), "x");
  line("  s := '' + 'y';");
  EXPECT_EQ(value(s), "y");
  line("  s := concat('abc;");
  EXPECT_EQ(host.out, "Pascal Error - Parse error with concat\n");
  EXPECT_EQ(value(s), "abc;\n");
}

TEST_F(Assign, OnlyTheFirstOfTwoSlotsWithOneNameIsAssigned) {
  const int first = declare("n", 'i', "1");
  const int second = declare("n", 'i', "2");
  line("  n := 5;");
  EXPECT_EQ(value(first), "5");
  EXPECT_EQ(value(second), "2");
}

TEST_F(Assign, LinesThatMerelyBeginWithTheNameAssignNothing) {
  const int i = declare("i", 'i', "3");
  const int b = declare("b", 'i', "4");
  line("  if i > 5 then");
  line("begin");
  line("  i:=5;");  // the value would start past the ';'
  EXPECT_EQ(value(i), "3");
  EXPECT_EQ(value(b), "4");
  // A name that fills the line to its last character has no word end after it.
  const int longname = declare(std::string(250, 'v'), 'i', "6");
  line(std::string(5, ' ') + std::string(250, 'v') + " := 1;");
  EXPECT_EQ(value(longname), "6");
}

TEST_F(Assign, ConstantsAndLinesBeforeBeginAreLeftAlone) {
  const int k = declare("k", 'i', "1");
  it->vars.constant[k] = true;
  line("  k := 9;");
  EXPECT_EQ(value(k), "1");
  const int x = declare("x", 'i', "2");
  it->begin_found = false;
  vp::copy_cut(it->line, vp::kLineSize, "  x := 9;\n");
  vp::assign_step(*it);
  EXPECT_EQ(value(x), "2");
}

}  // namespace
