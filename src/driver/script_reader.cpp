// The script reader: hands out the script one line at a time from a buffer it owns,
// filled through the Host, keeps the place that loops save and moves back to one.
// Lines come out as fgets would give them: at most 255 bytes, line end kept.
#include <algorithm>

#include "vp/interpreter.hpp"

namespace vp {

namespace {

constexpr int kLineMax = kLineSize - 1;  // bytes of a line, the terminator aside

// How many bytes the next line takes of what the buffer holds: up to its line end,
// or a full line; 0 when the buffer holds neither.
int line_in_buffer(const ScriptReader& r) {
  const int limit = std::min(r.filled - r.next, kLineMax);
  const char* begin = r.buffer + r.next;
  const void* newline = memchr(begin, '\n', static_cast<size_t>(limit));
  if (newline != nullptr) return static_cast<int>(static_cast<const char*>(newline) - begin) + 1;
  return limit == kLineMax ? kLineMax : 0;
}

}  // namespace

bool open_script(Interpreter& it, const char* path) {
  ScriptReader& r = it.script;
  r.handle = it.host.open_script(path);
  if (r.handle < 0) return false;
  // A pipe cannot move: its places are unknown, and loops then run on forward.
  r.seekable = it.host.seek_script(r.handle, 0);
  return true;
}

void close_script(Interpreter& it) {
  if (it.script.handle < 0) return;
  it.host.close_script(it.script.handle);
  it.script.handle = -1;
}

// The line crosses the end of what the buffer holds: keep the part line at the
// front, fill the rest of the buffer after it, and look again.
bool read_script_line_refill(Interpreter& it, int* length) {
  ScriptReader& r = it.script;
  for (;;) {
    const int left = r.filled - r.next;
    if (r.at_end) {  // the last line, without a line end
      if (left == 0) return false;
      hand_out_line(it, left, length);
      return true;
    }
    if (r.next > 0) {
      memmove(r.buffer, r.buffer + r.next, static_cast<size_t>(left));
      r.buffer_at += r.next;
      r.filled = left;
      r.next = 0;
    }
    ++r.fill;
    const long got = it.host.read_script(r.handle, r.buffer + r.filled,
                                         static_cast<size_t>(kScriptBufferSize - r.filled));
    if (got <= 0)
      r.at_end = true;  // as a stream's end: no further read until a move
    else
      r.filled += static_cast<int>(got);
    const int n = line_in_buffer(r);
    if (n > 0) {
      hand_out_line(it, n, length);
      return true;
    }
  }
}

bool read_script_line(Interpreter& it) {
  int length;
  return read_script_line_length(it, &length);
}

ScriptPlace script_position(const Interpreter& it) {
  const ScriptReader& r = it.script;
  if (r.handle < 0 || !r.seekable) return {-1, r.lines_before};
  return {r.buffer_at + r.next, r.lines_before};
}

int script_line_number(const Interpreter& it) {
  return it.script.line_number;
}

void seek_script(Interpreter& it, ScriptPlace place) {
  ScriptReader& r = it.script;
  if (r.handle < 0 || !r.seekable || place.offset < 0) return;
  // A loop's head usually still lies in the buffer: moving the read place back is
  // then the whole move, and the bytes already read stand.
  if (place.offset >= r.buffer_at && place.offset <= r.buffer_at + r.filled) {
    r.next = static_cast<int>(place.offset - r.buffer_at);
  } else {
    // A place that cannot be taken leaves the read where it is: the loop then runs
    // on forward instead of back.
    if (!it.host.seek_script(r.handle, place.offset)) return;
    r.buffer_at = place.offset;
    ++r.fill;
    r.filled = 0;
    r.next = 0;
  }
  r.lines_before = place.lines;
  r.at_end = false;
}

}  // namespace vp
