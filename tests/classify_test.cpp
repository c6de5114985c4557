#include <gtest/gtest.h>

#include <string>

#include "vp/statements.hpp"

namespace {

// The keywords of the rows a line matches, in table order, joined by '|'.
std::string keywords_of(const char* line) {
  const vp::LineClass found = vp::classify_line(line);
  std::string out;
  for (int r = 0; r < vp::kRowCount; ++r)
    if ((found.rows >> r & 1) != 0) out += std::string(vp::kStatements[r].keyword) + "|";
  return out;
}

TEST(Classify, RowsMarksAndIndentOfALine) {
  // Any-case rows in table order, whatever order they stand in on the line.
  EXPECT_EQ(keywords_of("\t  Read(a);  WriteLn(a);\n"), "  writeln(|  read(|");
  EXPECT_EQ(vp::classify_line("\t  Read(a);\n").indent, 3);
  // Exact rows and their conditions on the text: an if with " and" is none, a while
  // with " <" and "do" is the while-less head only.
  EXPECT_EQ(keywords_of("  If a = 1 then\n"), "");
  EXPECT_EQ(keywords_of("  if a = 1 and b = 2 then\n"), "");
  EXPECT_EQ(keywords_of("  while i < 9 do\n"), "  while |");
  // Declaration rows are found on any line; whether they run is the run's business.
  EXPECT_EQ(keywords_of("var    x : integer;\n"), "var |   |   |   |");
  EXPECT_TRUE((vp::kStatements[28].declaration));
  // Marks: "program" counts only with a ';', and a comment line lists no rows.
  EXPECT_EQ(vp::classify_line("program t\n").marks, 0u);
  EXPECT_EQ(vp::classify_line("program t; begin\n").marks, vp::kMarkProgram | vp::kMarkBegin);
  const vp::LineClass comment = vp::classify_line("  writeln('http://x'); end.\n");
  EXPECT_EQ(comment.marks, vp::kMarkComment | vp::kMarkEnd);
  EXPECT_EQ(comment.rows, 0u);
}

}  // namespace
