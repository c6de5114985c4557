#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "harness.hpp"
#include "vp/interpreter.hpp"

namespace {

// Serves the script a few bytes a read, so lines cross every refill of the buffer;
// with seekable false it is a pipe.
struct TrickleHost : vp::testing::ForwardingHost {
  size_t chunk = 5;
  bool seekable = true;

  long read_script(int script, char* buf, size_t size) override {
    return inner.read_script(script, buf, std::min(size, chunk));
  }
  bool seek_script(int script, long offset) override {
    return seekable && inner.seek_script(script, offset);
  }
};

// What fgets gives over the same bytes: each line's bytes, up to 255 with the line end.
std::vector<std::string> lines_by_stdio(const std::string& text) {
  std::vector<std::string> lines;
  FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  char buf[vp::kLineSize];
  long at = 0;
  while (fgets(buf, sizeof(buf), f) != nullptr) {
    const long now = ftell(f);
    lines.emplace_back(buf, static_cast<size_t>(now - at));
    at = now;
  }
  fclose(f);
  return lines;
}

std::vector<std::string> lines_by_reader(vp::Interpreter& it) {
  std::vector<std::string> lines;
  int length;
  while (vp::read_script_line_length(it, &length))
    lines.emplace_back(it.line, static_cast<size_t>(length));
  return lines;
}

TEST(ScriptReader, GivesTheLinesFgetsGives) {
  const std::string texts[] = {
      "program t;\r\nbegin\r\nend.\r\n",          // CR LF kept as read
      "a\nno final line end",                     // the last line without one
      std::string(600, 'x') + "\n" + "short\n",   // a long line in pieces
      std::string("nul\0inside\n", 11) + "\n\n",  // NUL bytes and empty lines
      std::string(5000, 'y') + "\n" + std::string(4090, 'z') + "\nlast",  // > buffer
      "",
  };
  for (size_t chunk : {size_t{5}, size_t{4096}}) {
    for (const std::string& text : texts) {
      TrickleHost host;
      host.chunk = chunk;
      host.inner.scripts["t.pas"] = text;
      auto it = std::make_unique<vp::Interpreter>(host);
      ASSERT_TRUE(vp::open_script(*it, "t.pas"));
      EXPECT_EQ(lines_by_reader(*it), lines_by_stdio(text)) << "chunk " << chunk;
      vp::close_script(*it);
    }
  }
}

TEST(ScriptReader, NumbersLinesAndGoesBackToAPlace) {
  // Line 2 is longer than a line buffer: its two pieces share its number.
  const std::string text = "one\n" + std::string(300, 'l') + "\nthree\nfour\n";
  for (size_t chunk : {size_t{3}, size_t{4096}}) {
    TrickleHost host;
    host.chunk = chunk;
    host.inner.scripts["t.pas"] = text;
    auto it = std::make_unique<vp::Interpreter>(host);
    ASSERT_TRUE(vp::open_script(*it, "t.pas"));
    EXPECT_EQ(vp::script_line_number(*it), 0);
    std::vector<int> numbers;
    vp::ScriptPlace head;
    while (vp::read_script_line(*it)) {
      numbers.push_back(vp::script_line_number(*it));
      if (numbers.size() == 1) head = vp::script_position(*it);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 2, 3, 4}));
    EXPECT_EQ(head.offset, 4);
    // Back from the end: the same lines with the same numbers.
    vp::seek_script(*it, head);
    ASSERT_TRUE(vp::read_script_line(*it));
    EXPECT_EQ(std::string(it->line, 3), "lll");
    EXPECT_EQ(vp::script_line_number(*it), 2);
    EXPECT_EQ(it->script.line_start, 4);
    vp::close_script(*it);
  }
}

TEST(ScriptReader, APipeHasNoPlacesAndRunsOnForward) {
  TrickleHost host;
  host.seekable = false;
  host.inner.scripts["t.pas"] = "a\nb\nc\n";
  auto it = std::make_unique<vp::Interpreter>(host);
  ASSERT_TRUE(vp::open_script(*it, "t.pas"));
  ASSERT_TRUE(vp::read_script_line(*it));
  const vp::ScriptPlace place = vp::script_position(*it);
  EXPECT_EQ(place.offset, -1);
  EXPECT_EQ(it->script.line_start, -1);
  ASSERT_TRUE(vp::read_script_line(*it));
  vp::seek_script(*it, place);
  ASSERT_TRUE(vp::read_script_line(*it));
  EXPECT_STREQ(it->line, "c\n");
  EXPECT_EQ(vp::script_line_number(*it), 3);
  vp::close_script(*it);
}

}  // namespace
