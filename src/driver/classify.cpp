// The classification of a line: which statement rows match it (a one-pass prefilter
// over the line, then a search to confirm each candidate), the frame marks it holds
// and its indent. Reads the line's text and nothing else.
#include <algorithm>
#include <bit>

#include "keyword_starts.hpp"
#include "vp/interpreter.hpp"

namespace vp {

namespace {

// What a single pass over a line tells: the rows and the mark texts that may occur
// in it (supersets of those that do).
struct LineScan {
  uint64_t rows;
  uint32_t mark_texts;
};

LineScan scan_line(const char* line) {
  uint64_t rows = 0;
  uint32_t mark_texts = 0;
  int run = 0;
  int longest_run = 0;
  for (const char* p = line; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    rows |= kKeywordStarts.anywhere[c];
    mark_texts |= kKeywordStarts.mark_starts[c];
    if (run >= 1) {
      rows |= kKeywordStarts.after_one_blank[c];
      if (run >= 2) rows |= kKeywordStarts.after_two_blanks[c];
    }
    if (c == ' ') {
      if (++run > longest_run) longest_run = run;
    } else {
      run = 0;
    }
  }
  const int needed = std::min(longest_run, kLongestBlankKeyword);
  for (int n = 1; n <= needed; ++n) rows |= kKeywordStarts.blanks_only[n];
  return {rows, mark_texts};
}

// The rows among candidates whose keyword occurs in line.
uint64_t confirm_rows(const char* line, uint64_t candidates) {
  char lowered[kLineSize];
  if ((candidates & kAnyCaseRows) != 0) lower_copy(lowered, kLineSize, line);
  uint64_t rows = 0;
  for (uint64_t left = candidates & kAllRows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Row& row = kStatements[r];
    if (contains(row.any_case ? lowered : line, row.keyword.data())) rows |= uint64_t{1} << r;
  }
  return rows;
}

// The rows, of those given, whose keyword's first character after its blanks occurs
// in the line at all: a cheap test that spares most searches on a line of blanks.
uint64_t rows_with_first_letter(const char* line, uint64_t rows) {
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const int r = std::countr_zero(left);
    const Row& row = kStatements[r];
    const size_t lead = row.keyword.find_first_not_of(' ');
    if (lead == std::string_view::npos) continue;
    const char c = row.keyword[lead];
    const bool letter = c >= 'a' && c <= 'z';
    if (strchr(line, c) == nullptr &&
        !(row.any_case && letter && strchr(line, c - 'a' + 'A') != nullptr))
      rows &= ~(uint64_t{1} << r);
  }
  return rows;
}

// The rows whose condition on the line's text holds, of those given.
uint64_t text_conditions_hold(const char* line, uint64_t rows) {
  for (uint64_t left = rows; left != 0; left &= left - 1) {
    const Row& row = kStatements[std::countr_zero(left)];
    if (row.text_condition != nullptr && !row.text_condition(line))
      rows &= ~(uint64_t{1} << std::countr_zero(left));
  }
  return rows;
}

}  // namespace

LineClass classify_line(const char* line) {
  LineClass found = {};
  while (line[found.indent] == ' ' || line[found.indent] == '\t') ++found.indent;
  const LineScan scan = scan_line(line);
  for (int m = 0; m < kMarkTextCount; ++m) {
    if ((scan.mark_texts >> m & 1) != 0 && contains(line, kMarkTexts[m].text.data()))
      found.marks |= kMarkTexts[m].mark;
  }
  if ((found.marks & kMarkProgram) != 0 && strchr(line, ';') == nullptr)
    found.marks &= ~kMarkProgram;  // "program" counts only with a ';' on the line
  if ((found.marks & kMarkComment) != 0) return found;  // no statement of it runs
  found.keyword_rows = confirm_rows(line, scan.rows);
  found.rows = text_conditions_hold(line, found.keyword_rows);
  return found;
}

bool declaration_row_takes(int row, const char* line, Block block) {
  return row >= 0 && row < kRowCount && kStatements[row].declaration &&
         section_takes(kStatements[row].role, line, block);
}

LineFacts learn_line(const Interpreter& it) {
  const LineClass found = classify_line(it.line);
  LineFacts facts = {};
  facts.rows = found.rows;
  facts.marks = found.marks;
  facts.indent = found.indent;
  if ((found.marks & kMarkComment) == 0) facts.texts = operator_texts(it.line);
  return facts;
}

uint64_t rows_in_line(const char* line, bool quick) {
  return confirm_rows(line, quick ? scan_line(line).rows : ~uint64_t{0});
}

uint64_t rows_after(const Interpreter& it, int row) {
  // A few rows are searched for directly; more are worth the quick pass first.
  uint64_t later = (~uint64_t{0} << (row + 1)) & kAllRows;
  if (it.begin_found) later &= ~kDeclarationRows;
  later = std::popcount(later) > 4 ? later & scan_line(it.line).rows
                                   : rows_with_first_letter(it.line, later);
  return text_conditions_hold(it.line, confirm_rows(it.line, later));
}

}  // namespace vp
