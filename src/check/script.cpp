// Reads one script as the run reads it, a line of at most 255 characters at a time,
// and hands each line with its classification to the checks; then the frame checks
// that need the whole script.
#include <cstring>

#include "checker.hpp"

namespace vp::check {

namespace {

bool starts_after_indent(const CheckedLine& line, const char* word) {
  return strncmp(line.text + line.facts.indent, word, strlen(word)) == 0;
}

// A line after the one holding "end.": never read by the run.
void after_end(ScriptState& s, Findings& f, const CheckedLine& line) {
  if (s.after_end_reported || is_blank_line(line)) return;
  if ((line.facts.marks & kMarkComment) != 0) return;
  s.after_end_reported = true;
  if (s.end_in_text)
    add_finding(f, s.end_line, s.end_column, Check::kEndInText, Severity::kError,
                "this line holds 'end.' inside other text, so the run ends after it: line %d "
                "and the lines after it never run",
                line.number);
  else
    add_finding(f, line.number, line.facts.indent + 1, Check::kCodeAfterEnd, Severity::kWarning,
                "the run ends after line %d, which holds 'end.': this line and those after it "
                "never run",
                s.end_line);
}

void frame_marks(ScriptState& s, Findings& f, const CheckedLine& line) {
  const uint32_t marks = line.facts.marks;
  if ((marks & kMarkProgram) != 0) s.program_found = true;
  if ((marks & kMarkBegin) != 0 && !s.begin_found) {
    s.begin_found = true;
    if (!starts_after_indent(line, "begin"))
      add_finding(f, line.number, line.facts.indent + 1, Check::kBeginInText, Severity::kWarning,
                  "this line holds 'begin', so it counts as the script's begin: no declaration "
                  "after it is taken");
  }
  if ((marks & kMarkEnd) != 0) {
    s.end_line = line.number;
    s.end_column = static_cast<int>(strstr(line.text, "end.") - line.text) + 1;
    s.end_in_text = !starts_after_indent(line, "end.");
  }
}

void comment_line(Findings& f, const CheckedLine& line) {
  bool quoted = false;
  const int mark = comment_mark(line.text, &quoted);
  if (mark < 0) return;  // the mark sits astride two read pieces of a long line
  bool code_before = false;
  for (int i = 0; i < mark; ++i)
    if (line.text[i] != ' ' && line.text[i] != '\t') code_before = true;
  if (quoted || code_before) {
    add_finding(f, line.number, mark + 1, Check::kCommentDropsLine, Severity::kError,
                "the whole line is skipped: it holds '%c%c'%s, which makes any line a comment",
                line.text[mark], line.text[mark + 1], quoted ? " inside a quoted text" : "");
    return;
  }
  read_directive(f, line.number, line.text);
}

}  // namespace

void check_line(ScriptState& s, Findings& f, CheckedLine& line) {
  ++s.handled;
  if (s.handled == kLineCap + 1 && s.end_line == 0) {
    add_finding(f, line.number, 1, Check::kLineCap, Severity::kError,
                "the run stops after 9,999 lines: this line and those after it never run");
    s.cap_reported = true;
  }
  if (s.cap_reported) return;
  if (s.end_line != 0) {
    line.facts = classify_line(line.text);
    after_end(s, f, line);
    return;
  }
  line.facts = classify_line(line.text);
  frame_marks(s, f, line);
  check_flow(s, f, line);
  // The rest of a long line is told of once, as a line too long.
  if (!line.continued) {
    if ((line.facts.marks & kMarkComment) != 0)
      comment_line(f, line);
    else if (!s.begin_found)
      check_declaration_line(s, f, line);
    else
      check_statement_line(s, f, line);
  }
  if (s.end_line != 0) finish_flow(s, f);
}

void finish_script(ScriptState& s, Findings& f, int last_line) {
  if (s.end_line == 0) finish_flow(s, f);
  if (!s.program_found)
    add_finding(f, 1, 1, Check::kMissingFrame, Severity::kError,
                "no line holds 'program' and ';': after the run \"Pascal Error - 'program' not "
                "found\" is printed; begin the script with 'program name;'");
  if (!s.begin_found)
    add_finding(f, 1, 1, Check::kMissingFrame, Severity::kError,
                "no line holds 'begin': no assignment runs, and after the run \"Pascal Error - "
                "'begin' not found\" is printed");
  if (s.end_line == 0 && !s.cap_reported)
    add_finding(f, last_line < 1 ? 1 : last_line, 1, Check::kMissingFrame, Severity::kError,
                "no line holds 'end.': the run goes on to the end of the file and then prints "
                "\"Pascal Error - 'end.' not found\"");
}

}  // namespace vp::check
