// if, goto, repeat/until and the while loops, driven line by line over a MemoryHost.
// Edges that are easier to reach directly than through golden scripts. A test-only
// line "  bump NAME" adds 1 to a variable, so a loop can count without depending on
// the arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "harness.hpp"
#include "vp/handlers.hpp"

namespace {

using vp::Interpreter;
using vp::MemoryHost;
using vp::ProcessExit;

class Session {
 public:
  explicit Session(const std::string& script, bool trace = false) {
    host_.scripts["t.pas"] = script;
    vp::open_script(it_, "t.pas");
    it_.tracing = trace;
    it_.begin_found = true;
  }
  ~Session() { vp::close_script(it_); }

  Session& var(const char* name, char type, const char* value = "") {
    const int slot = it_.vars.count++;
    vp::copy_cut(it_.vars.names[slot], vp::kNameSize, name);
    it_.vars.types[slot] = static_cast<vp::VarType>(type);
    vp::set_value(it_, slot, value);
    return *this;
  }

  // Handles lines as the run does, up to the end of the script, a line holding
  // "end." or the line cap; returns the number of lines handled.
  int run(int cap = vp::kLineCap) {
    int count = 0;
    while (vp::read_script_line(it_)) {
      vp::step_line(it_);
      bump();
      if (++count >= cap || it_.end_found) break;
    }
    return count;
  }

  // The exit status when a statement ends the process, else -1.
  int run_to_exit() {
    try {
      run();
    } catch (const ProcessExit& e) {
      return e.status;
    }
    return -1;
  }

  std::string out() {
    vp::flush_out(it_);
    return host_.out;
  }
  const char* value(const char* name) { return it_.vars.values[vp::find_variable(it_, name)]; }
  Interpreter& it() { return it_; }

 private:
  void bump() {
    const char* word = "  bump ";
    const char* at = strstr(it_.line, word);
    if (at == nullptr) return;
    std::string name(at + strlen(word));
    name = name.substr(0, name.find_first_of(";\n"));
    const int slot = vp::find_variable(it_, name.c_str());
    if (slot < 0) return;
    const std::string next = std::to_string(atoi(it_.vars.values[slot]) + 1);
    vp::set_value(it_, slot, next.c_str());
  }

  MemoryHost host_;
  Interpreter it_{host_};
};

int count_of(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// ---- if ----

std::string if_script(const std::string& condition) {
  return "  if " + condition + " then\n  writeln('yes');\n  writeln('after');\n";
}

struct IfCase {
  const char* type_and_value;  // type letter, then the value
  const char* condition;
  bool expected;
};

TEST(If, ComparesByTypeLetter) {
  const IfCase cases[] = {
      {"i5", "n = 5", true},
      {"i6", "n = 5", false},
      {"i0012", "n = 12", true},
      {"i3", "n < 5", true},
      {"i5", "n < 5", false},
      {"i7", "n > 5", true},
      {"i5", "n ! 5", false},
      {"i4", "n <> 5", true},
      {"i-3", "n < -2", true},
      {"i5", "n $ 5", false},
      {"sabc", "n < 'b'", true},
      {"sb", "n < 'b'", false},
      {"sb", "n > 'a'", true},
      {"shello", "n $ 'ell'", true},
      {"shello", "n $ 'elk'", false},
      {"sx", "n $ ''", true},
      {"s", "n = ''", true},
      {"sab", "n <> 'ab'", false},
      {"s\xe9", "n > 'z'", true},  // bytes compare unsigned
      // Reals compare as numbers.
      {"r2.500000", "n > 1", true},
      {"r2.500000", "n = 2.5", true},
      {"r0.5", "n < 0.25", false},
      {"r3.0", "n ! 3", false},
      {"r3.0", "n $ 3", false},
      // Hex, text and char variables, and variables without a type, never hold.
      {"h5", "n = 5", false},
      {"t5", "n = 5", false},
      {"c5", "n = 5", false},
      {"\0015", "n = 5", false},
  };
  for (const IfCase& c : cases) {
    Session s(if_script(c.condition));
    const char type = c.type_and_value[0] == '\001' ? '\0' : c.type_and_value[0];
    s.var("n", type, c.type_and_value + 1);
    s.run();
    const std::string want = c.expected ? "yes\nafter\n" : "after\n";
    EXPECT_EQ(s.out(), want) << c.type_and_value << " / " << c.condition;
  }
}

TEST(If, UnknownNameSkipsSilently) {
  Session s(if_script("zz = 1"));
  s.run();
  EXPECT_EQ(s.out(), "after\n");
}

TEST(If, SkippedLineReadsAsBlanks) {
  Session s("  if n = 5 then\n  writeln('no');\n");
  s.var("n", 'i', "6");
  s.run();
  EXPECT_STREQ(s.it().line, "                 ");
  EXPECT_EQ(s.out(), "");
}

TEST(If, LineWithAndIsNoIf) {
  Session s("  if a = 1 and b = 2 then\n  writeln('runs');\n");
  s.var("a", 'i', "0").var("b", 'i', "0");
  s.run();
  EXPECT_EQ(s.out(), "runs\n");
  // Even when " and" stands inside the quoted operand.
  Session q("  if s = 'x and y' then\n  writeln('runs');\n");
  q.var("s", 's', "z");
  q.run();
  EXPECT_EQ(q.out(), "runs\n");
}

TEST(If, StatementOnTheIfLineRunsAnyway) {
  Session s("  if n = 5 then  writeln('x');\n  writeln('governed');\n  writeln('free');\n");
  s.var("n", 'i', "4");
  s.run();
  // The writeln gets the column measured from the if line's start, so it finds no
  // argument there and prints only its line end; the governed line is skipped.
  EXPECT_EQ(s.out(), "\nfree\n");
}

TEST(If, TraceShowsNameCodeAndOperand) {
  const struct {
    const char* op;
    int code;
    const char* operand;
  } ops[] = {{"=", 0, "7"},  {"<", 1, "7"}, {">", 2, "7"}, {"!", 3, "7"},
             {"<>", 3, "7"}, {"$", 4, "7"}, {"?", -1, "?"}};
  for (const auto& o : ops) {
    Session s(std::string("  if n ") + o.op + " 7 then\n", true);
    s.var("n", 'i', "1");
    s.run();
    EXPECT_EQ(s.out(), "**[if] variable name: 'n'\n**[if] operation = " + std::to_string(o.code) +
                           "\n**[if] value : '" + o.operand + "'\n")
        << o.op;
  }
}

TEST(If, MalformedLinesStopAtTheLineEnd) {
  // A name running to the line end, an operand at the line end, an unclosed quote.
  Session a("  if n\n  writeln('skipped');\n  writeln('next');\n", true);
  a.var("n", 'i', "0");
  a.run();
  EXPECT_EQ(a.out(), "**[if] variable name: 'n'\n**[if] operation = -1\n**[if] value : ''\nnext\n");

  Session b("  if n = 3\n  writeln('held');\n");
  b.var("n", 'i', "3");
  b.run();
  EXPECT_EQ(b.out(), "held\n");

  Session c("  if s = 'abc\n  writeln('held');\n");
  c.var("s", 's', "abc");
  c.run();
  EXPECT_EQ(c.out(), "held\n");

  // An operand longer than any value, on a line longer than the buffer.
  Session d("  if s = '" + std::string(400, 'q') + "' then\n  writeln('next');\n");
  d.var("s", 's', "q");
  d.run();
  EXPECT_EQ(d.out(), "next\n");
}

TEST(If, ScriptEndingInsideASkipRunsNothingMore) {
  Session s("  if n = 1 then\n  begin\n  goto x;\n");
  s.var("n", 'i', "0");
  EXPECT_EQ(s.run(), 1);
  EXPECT_EQ(s.out(), "");
}

// ---- goto ----

TEST(Goto, ShorterTargetDoesNotStopAtLongerLabel) {
  Session s("  goto don;\ndone:\n  writeln('no');\ndon:\n  writeln('yes');\n");
  s.run();
  EXPECT_EQ(s.out(), "yes\n");
}

TEST(Goto, TargetNameEdges) {
  // A second blank belongs to the name: never found.
  Session a("  goto  done;\ndone:\n  writeln('no');\nend.\n", true);
  a.run();
  EXPECT_EQ(a.out(), "**[goto] ' done' \n");
  EXPECT_STREQ(a.it().line, "end.\n");

  // No semicolon: the name ends with the line.
  Session b("  goto done\n  writeln('no');\ndone:\n  writeln('yes');\n");
  b.run();
  EXPECT_EQ(b.out(), "yes\n");

  // An empty name goes nowhere.
  Session c("  goto ;\n  writeln('next');\n");
  c.run();
  EXPECT_EQ(c.out(), "next\n");

  // A long name is cut to 59 characters.
  const std::string long_name(70, 'a');
  Session d("  goto " + long_name + ";\n" + long_name + ":\n  writeln('no');\n" +
                long_name.substr(0, 59) + ":\n  writeln('yes');\n",
            true);
  d.run();
  EXPECT_EQ(d.out(), "**[goto] '" + long_name.substr(0, 59) + "' \nyes\n");
}

TEST(Goto, MissingLabelAtScriptEndRunsNothingOfTheLastLine) {
  Session s("  goto nowhere;\n  bump n;\n", false);
  s.var("n", 'i', "0");
  s.run();
  EXPECT_STREQ(s.value("n"), "0");
}

// ---- repeat and until ----

TEST(Until, ComparisonTraceOrder) {
  const struct {
    const char* op;
    const char* line;
  } ops[] = {{"=", "**[until] Is '9' = '2' \n"},
             {"<", "**[until] Is '2' < '9' \n"},
             {">", "**[until] Is '2' > '9' \n"},
             {"!", "**[until] Is '9' ! '2' \n"}};
  for (const auto& o : ops) {
    Session s(std::string("  repeat\n  until i ") + o.op + " 9;\n", true);
    s.var("i", 'i', "2");
    s.run(2);
    EXPECT_EQ(count_of(s.out(), o.line), 1) << o.op;
  }
}

TEST(Until, RealsCompareAsNumbers) {
  Session s("  repeat\n  bump r;\n  until r > lim;\n", true);
  s.var("r", 'r', "0.000000").var("lim", 'r', "1.5");
  s.run();
  EXPECT_STREQ(s.value("r"), "2");
  EXPECT_EQ(count_of(s.out(), "**[until] Is '2.000000' > '1.500000' \n"), 1);
  EXPECT_EQ(count_of(s.out(), "**[until] Tested False!\n"), 1);
}

TEST(Until, StringsAndOtherTypes) {
  const struct {
    char type;
    const char* value;
    const char* condition;
    bool ends;
  } cases[] = {{'s', "done", "s = 'done'", true}, {'s', "abc", "s < 'm'", true},
               {'s', "xyz", "s < 'm'", false},    {'s', "xyz", "s > 'm'", true},
               {'s', "axb", "s $ 'x'", true},     {'s', "ab", "s $ 'x'", false},
               {'i', "5", "s $ 5", false},        {'h', "5", "s = 5", false},
               {'c', "5", "s = 5", false},        {'t', "5", "s = 5", false}};
  for (const auto& c : cases) {
    Session s("  repeat\n  writeln('x');\n  until " + std::string(c.condition) + ";\n");
    s.var("s", c.type, c.value);
    s.run(30);
    // 30 lines: the repeat line, then the body and the until line again and again.
    EXPECT_EQ(count_of(s.out(), "x\n"), c.ends ? 1 : 15) << c.condition;
  }
}

TEST(Until, UnknownNameNeverHolds) {
  Session s("  repeat\n  until zz = 1;\n", true);
  s.run(2);
  EXPECT_EQ(count_of(s.out(), "**[until] found var=zz->\n"), 1);
  EXPECT_EQ(count_of(s.out(), "**[until] Tested False!\n"), 1);
}

// ---- while ----

TEST(While, CountWithoutUsableBoundRunsOnce) {
  for (const char* head : {"  while count 0 do\n", "  while count n do\n", "  while count 05 do\n",
                           "  while count x1 do\n"}) {
    Session s(std::string(head) + "  writeln('a');\n  end;\n", true);
    s.run(50);
    EXPECT_EQ(count_of(s.out(), "a\n"), 1) << head;
  }
}

TEST(While, LongLinesReadAgainAreTheSameBytes) {
  // The first body line is longer than the buffer: it is read as two lines, on every
  // pass alike.
  std::string first = "  writeln('a');";
  first += std::string(255 - first.size(), ' ');
  Session s("  while count 3 do" + std::string(300, ' ') + "\n" + first +
            "  writeln('b');\n  end;\n");
  s.run();
  EXPECT_EQ(s.out(), "a\nb\na\nb\na\nb\n");
}

TEST(While, EndlessLoopStopsAtTheLineCap) {
  vp::MemoryHost host;
  auto r = vp::testing::run_script(host,
                                   "program t;\nbegin\n  while count 9 do\n  end;\n"
                                   "  while i < 1 do\n  end;\nend.\n");
  EXPECT_EQ(r.out, "Pascal Error - 'end.' not found or not properly terminated\n");
  EXPECT_EQ(r.status, 0);
}

}  // namespace
