// system and exec, delay and halt: the statements that act on the interpreter's
// process, all through the host.
#include <cerrno>

#include "vp/handlers.hpp"
#include "vp/warnings.hpp"

namespace vp {

namespace {

// The longest program path and argument the statement passes on. A longer one is
// refused rather than cut: a cut path could name another program.
constexpr int kMaxPath = 127;
constexpr int kMaxArgument = 227;

// Copies the text between the quote at open and the next quote into out (cap bytes).
// Returns the index of the closing quote, or -1 when the line has none or the text
// does not fit.
int quoted_text(const LineView& line, int open, char* out, int cap) {
  const int close = line.find('\'', open + 1);
  if (close < 0 || close - open - 1 > cap - 1) return -1;
  int n = 0;
  for (int p = open + 1; p < close; ++p) out[n++] = line[p];
  out[n] = '\0';
  return close;
}

// Finds text in line regardless of letter case.
bool contains_any_case(const char* line, const char* text) {
  char lowered[kLineSize];
  lower_copy(lowered, kLineSize, line);
  return contains(lowered, text);
}

}  // namespace

void v_pascal_system(Interpreter& it, const char* line_text) {
  const LineView line(line_text);
  // Four quotes or nothing: a line that does not name both texts starts nothing.
  char path[kMaxPath + 1];
  char argument[kMaxArgument + 1];
  const int first = line.find('\'', 1);
  if (first < 0) return;
  const int second = quoted_text(line, first, path, sizeof(path));
  const int third = second < 0 ? -1 : line.find('\'', second + 1);
  if (third < 0 || quoted_text(line, third, argument, sizeof(argument)) < 0) {
    warn(it,
         "program not started: it needs a path of at most %d characters and one argument "
         "of at most %d, each in single quotes",
         kMaxPath, kMaxArgument);
    return;
  }

  char program[kMaxPath + 1];
  copy_cut(program, sizeof(program), path);
  trace(it, "**[system] system text1= '%s' \n", path);
  trace(it, "**[system] system text2= '%s' \n", program);
  trace(it, "**[system] system text3= '%s' \n", argument);

  // The new program writes to the same places: what the script wrote must come first.
  if (it.file.stream != nullptr && fflush(it.file.stream) != 0) text_file_failed(it);
  flush_out(it);
  tell_out_failure(it);
  errno = 0;
  it.host.exec(program, argument);
  // Still here: the program could not be started, and the script goes on.
  const int error = errno;
  warn(it, "cannot start '%s': %s", program, strerror(error));
}

void pascal_delay(Interpreter& it, const char* line_text) {
  const LineView line(line_text);
  const int open = line.find('(', 1);
  if (open < 0) return;
  const int close = line.find(')', open + 1);
  if (close < 0) return;  // an unclosed delay does not pause
  Text<kLineSize> text;
  for (int p = open + 1; p < close; ++p) text.push(line[p]);
  trace(it, "**[DELAY] delay=%s mill seconds \n", text.c_str());
  const int seconds = to_int(text.c_str()) / 1000;
  trace(it, "**[DELAY] delay=%i seconds \n", seconds);
  if (seconds > 0) it.host.sleep_seconds(static_cast<unsigned>(seconds));
}

void pascal_halt(Interpreter& it, const char* line) {
  int status = 1;
  if (contains_any_case(line, "  halt;") || contains_any_case(line, "  halt(0);")) status = 0;
  // "  halt(1);" and every other form end with status 1.
  end_process(it, status);
}

}  // namespace vp
