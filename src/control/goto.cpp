// goto: a forward search through the script for the line whose leading word is the
// target. The label table is not consulted; the script file is the program counter.
#include "vp/handlers.hpp"

namespace vp {

namespace {

constexpr int kTargetSize = 60;  // a target name holds at most 59 characters

bool ends_leading_word(char c) {
  return c == ' ' || c == ':' || c == '\n' || c == '\r' || c == '\0';
}

// The target runs to the first semicolon, or to the end of the line without one.
bool ends_target(char c) {
  return c == ';' || c == '\n' || c == '\r' || c == '\0';
}

bool is_label_line(const char* line, const char* target) {
  if (line[0] != target[0]) return false;
  int n = 0;
  while (!ends_leading_word(line[n])) ++n;
  return static_cast<size_t>(n) == strlen(target) && strncmp(line, target, n) == 0;
}

}  // namespace

void pascal_goto(Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kTargetSize> target;
  // Nothing is trimmed: a second blank after "goto" belongs to the name.
  for (int p = column; !ends_target(line[p]); ++p) target.push(line[p]);
  trace(it, "**[goto] '%s' \n", target.c_str());
  // A goto that names no place goes nowhere.
  if (target.empty()) return;
  pascal_goto_subthread(it, target.c_str());
}

void pascal_goto_subthread(Interpreter& it, const char* target) {
  for (;;) {
    if (!read_script_line(it)) {
      // The script ended: nothing was found, and nothing of the last line read
      // may run.
      it.line[0] = '\0';
      return;
    }
    if (is_label_line(it.line, target)) return;
    // The closing "end." stops the search.
    if (LineView(it.line)[3] == '.') return;
  }
}

}  // namespace vp
