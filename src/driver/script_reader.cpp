// The script reader: hands out the script one line at a time, keeps the read
// position that loops save, and moves back to a saved one.
#include <algorithm>

#include "vp/interpreter.hpp"

namespace vp {

namespace {

// Reads the next line of fp into buf as fgets does (at most cap - 1 bytes, line end
// kept); false at the end. *taken is how many bytes it took from the stream, -1
// when that is not known. A line that lies whole in the stream's read buffer is
// copied straight out of it (the buffer pointers of glibc's FILE are what its own
// getc macro uses); otherwise fgets reads it, and the count is known unless a NUL
// byte hides part of the line. *ended tells whether the read took a line end (a
// line longer than cap - 1 bytes takes several reads).
bool next_line(FILE* fp, char* buf, int cap, long* taken, bool* ended) {
#ifdef __GLIBC__
  const char* begin = fp->_IO_read_ptr;
  const char* end = fp->_IO_read_end;
  if (begin != nullptr && end > begin) {
    const size_t limit = std::min(static_cast<size_t>(end - begin), static_cast<size_t>(cap - 1));
    const void* newline = memchr(begin, '\n', limit);
    size_t n = 0;
    if (newline != nullptr)
      n = static_cast<size_t>(static_cast<const char*>(newline) - begin) + 1;
    else if (limit == static_cast<size_t>(cap - 1))
      n = limit;
    if (n > 0) {
      memcpy(buf, begin, n);
      buf[n] = '\0';
      fp->_IO_read_ptr += n;
      *taken = static_cast<long>(n);
      *ended = newline != nullptr;
      return true;
    }
  }
#endif
  if (fgets_unlocked(buf, cap, fp) == nullptr) return false;
  const size_t length = strlen(buf);
  const bool whole =
      length == static_cast<size_t>(cap - 1) || (length > 0 && buf[length - 1] == '\n');
  // A line cut short of its line end ended at the file's end or at a NUL byte.
  *taken = whole ? static_cast<long>(length) : -1;
  *ended = length > 0 && buf[length - 1] == '\n';
  return true;
}

}  // namespace

// Reads the next script line into stread as read_script_line does, and tells how
// many bytes of stread it filled: the line's length, or more when a NUL byte ends
// the text early. The line cache keys by those bytes, which hold the whole text.
bool read_script_line_length(Interpreter& it, int* length) {
  if (it.fp == nullptr) return false;
  ++it.line_generation;
  it.line_start = it.script_at;
  long taken;
  bool ended;
  if (!next_line(it.fp, it.stread, kLineSize, &taken, &ended)) return false;
  it.script_line = it.next_script_line;
  it.next_script_line += ended ? 1 : 0;
  // The read position moves by what the line took; when that is not known, the
  // stream is asked.
  if (taken < 0) {
    it.script_at = ftell(it.fp);
    *length = static_cast<int>(strlen(it.stread));
    return true;
  }
  if (it.line_start >= 0) it.script_at = it.line_start + taken;
  *length = static_cast<int>(taken);
  return true;
}

bool read_script_line(Interpreter& it) {
  int length;
  return read_script_line_length(it, &length);
}

long script_position(Interpreter& it) {
  return it.fp == nullptr ? -1 : it.script_at;
}

int script_line_number(const Interpreter& it) {
  return it.script_line;
}

namespace {

// A loop's head usually lies in the part of the script that the stream still holds
// in its read buffer: moving the buffer's read pointer back is then the whole seek.
// The read pointer stands at script_at, which the line reads keep exact; a stream
// that reads from a pushed-back area, or has met its end or an error, takes the
// library's seek, which also clears those states.
bool seek_in_buffer(Interpreter& it, long position) {
#ifdef __GLIBC__
  // The stream's state bits (glibc's own values): end seen, error seen, and reading
  // from the pushed-back area.
  constexpr int kEofSeen = 0x10;
  constexpr int kErrSeen = 0x20;
  constexpr int kInBackup = 0x100;
  FILE* fp = it.fp;
  if (it.script_at < 0 || (fp->_flags & (kEofSeen | kErrSeen | kInBackup)) != 0) return false;
  const char* base = fp->_IO_read_base;
  const char* ptr = fp->_IO_read_ptr;
  const char* end = fp->_IO_read_end;
  if (base == nullptr || ptr < base || ptr > end) return false;
  const long back = it.script_at - position;  // how far before the read pointer
  if (back < 0 || back > ptr - base) return false;
  fp->_IO_read_ptr = fp->_IO_read_ptr - back;
  it.script_at = position;
  return true;
#else
  (void)it;
  (void)position;
  return false;
#endif
}

}  // namespace

void seek_script(Interpreter& it, long position, int line) {
  if (it.fp == nullptr || position < 0) return;
  // A position that could not be taken leaves the read where it is: the loop then
  // runs on forward instead of back.
  if (seek_in_buffer(it, position) || fseek(it.fp, position, SEEK_SET) == 0) {
    it.script_at = position;
    it.next_script_line = line;
  }
}

}  // namespace vp
