// The script reader's state: the script is read through the Host into a buffer the
// reader owns, and handed out one line at a time. Loops save places in the script
// and move back to them, so the script is the program counter.
#pragma once

#include "vp/text.hpp"

namespace vp {

// A place in the script that a loop can come back to.
struct ScriptPlace {
  long offset = -1;  // bytes from the start; -1 when the script cannot tell (a pipe)
  int lines = 0;     // line ends before offset, so line numbers survive a move back
};

inline constexpr int kScriptBufferSize = 4096;

struct ScriptReader {
  int handle = -1;          // the host's handle of the open script; -1 when none is open
  bool seekable = false;    // whether places are known and can be gone back to
  bool at_end = false;      // the host reported the end (or an error); cleared by a move
  long buffer_at = 0;       // the script offset of buffer[0]
  int filled = 0;           // how many bytes of buffer hold script text
  int next = 0;             // the index in buffer of the next byte to hand out
  int lines_before = 0;     // line ends before the next byte to hand out
  long line_start = 0;      // where the line last handed out starts; -1 when not known
  int line_number = 0;      // the 1-based line last handed out; 0 before the first
  unsigned generation = 0;  // counts the reads, so the step sees a handler read on
  // Counts the times the buffer took bytes from the script (a fill, a move outside
  // it): within one fill the bytes at a place stay the same. 0 stands for none.
  unsigned fill = 1;
  char buffer[kScriptBufferSize] = {};  // a window of the script's bytes
};

}  // namespace vp
