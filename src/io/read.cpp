// read and readln: one blank-separated word from standard input into a variable.
#include "vp/handlers.hpp"

namespace vp {

namespace {

constexpr int kWordSize = 50;  // 49 characters and the terminator

bool is_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Leading white space is skipped, then the word runs to the next white space, which
// stays in the input for the next read. A word longer than the buffer is cut, and
// the rest of it is consumed, so the next read starts at the next word instead of in
// the middle of this one.
void read_word(Host& host, Text<kWordSize>& word) {
  int c = host.read_in();
  while (c != EOF && is_space(c)) c = host.read_in();
  while (c != EOF && !is_space(c)) {
    word.push(static_cast<char>(c));
    c = host.read_in();
  }
  if (c != EOF) host.unread_in(c);
}

}  // namespace

void pascal_read(Interpreter& it, int column) {
  const LineView line(it.line);
  Text<kNameSize> name;
  // Without a ")" the name ends with the line.
  scan_to(line, column, ")", Until::line_end, name);

  const int slot = lookup_variable(it, name.c_str());
  trace(it, "**[READ] variable read in '%s' \n", slot >= 0 ? it.vars.names[slot] : name.c_str());

  // A prompt written just before must be on the screen before we wait.
  flush_out(it);
  // The word is taken even when no variable can hold it, so every read statement
  // consumes exactly one word and the ones after it stay in step with the input.
  Text<kWordSize> word;
  read_word(it.host, word);
  trace(it, "**[READ] Read value '%s' \n", word.c_str());
  if (slot < 0) return;

  set_value(it, slot, word.c_str());
  trace(it, "**[READ] Read value store '%s' \n", it.vars.values[slot]);
}

}  // namespace vp
