// The one state struct: everything a run of a script touches lives here, under the
// names the language's own documentation uses, so a fresh Interpreter is a fresh run.
#pragma once

#include <cstdarg>
#include <cstdio>

#include "vp/host.hpp"
#include "vp/text.hpp"

namespace vp {

inline constexpr const char* kVersion = "1.3.2a";
inline constexpr int kLineCap = 9999;  // handled lines after which a run stops

// Built-in slots.
inline constexpr int kSlotCwd = 249;
inline constexpr int kSlotReturn = 250;
inline constexpr int kSlotPi = 251;
inline constexpr int kSlotOs = 253;
inline constexpr int kSlotInfo = 254;
inline constexpr int kSlotCurrentDir = 255;
inline constexpr int kMaxDeclarations = 249;  // slots 0 to 248

// State of one while form.
struct WhileState {
  int active;
  int done;
  int or_equal;
  int bound;
  int passes;
};

struct Interpreter {
  explicit Interpreter(Host& h) : host(h) {}
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  Host& host;

  // The current line, as read (line end kept), and a lower-case copy for the
  // statements whose keywords match in any case.
  char stread[kLineSize] = {};
  char lowered[kLineSize] = {};
  int indent = 0;
  FILE* fp = nullptr;  // the script: its read position is the program counter

  // Variable table.
  char variable_names[kSlots][kNameSize] = {};
  char variable_type[kSlots] = {};
  char value_of_variables[kSlots][kValueSize] = {};
  int variable_cons[kSlots] = {};
  int number_of_variables = 0;

  // Label table (only declarations write it, only their trace reads it).
  char label_names[kSlots][kNameSize] = {};
  int number_of_labels = 0;

  int block_type = 0;  // 0 none, 1 var, 2 const, 3 label
  int debug_mode = 0;

  bool program_found = false;
  bool begin_found = false;
  bool end_found = false;
  int line_count = 0;
  // The handled lines after which a run stops; only the fuzzer lowers it, to spend
  // its time on new inputs rather than on the ten-thousandth pass of a loop.
  int line_cap = kLineCap;

  // Loops.
  int repeat_cmd_found = 0;
  long whereinfile = 0;
  long whereinfileWL1 = 0;  // while-less
  long whereinfileWL2 = 0;  // while-count
  long whereinfileWL3 = 0;  // while-more
  WhileState while_less = {};
  WhileState while_more = {};
  WhileState while_count = {};
  int loop_slot = 0;

  // Output text file.
  FILE* textFilePointer = nullptr;
  char open_file[kValueSize] = {};
  int file_in_use = 0;
  int file_write = 0;
  int file_read = 0;

  // Standard output is gathered here and handed to the host in chunks.
  char out_buf[8192];
  int out_len = 0;
};

// Output to standard output, in order, traces and script output alike.
void flush_out(Interpreter& it);
inline void out_bytes(Interpreter& it, const char* data, size_t size) {
  if (size > sizeof(it.out_buf) - static_cast<size_t>(it.out_len)) {
    flush_out(it);
    if (size > sizeof(it.out_buf)) {
      it.host.write_out(data, size);
      return;
    }
  }
  memcpy(it.out_buf + it.out_len, data, size);
  it.out_len += static_cast<int>(size);
}
inline void out_char(Interpreter& it, char c) {
  if (it.out_len == static_cast<int>(sizeof(it.out_buf))) flush_out(it);
  it.out_buf[it.out_len++] = c;
}
inline void out_text(Interpreter& it, const char* s) {
  out_bytes(it, s, strlen(s));
}
void out_format(Interpreter& it, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
// A trace line: printed only in trace mode.
void trace(Interpreter& it, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// Flushes standard output and the output text file, then ends the process.
[[noreturn]] void end_process(Interpreter& it, int status);

// Exact lookup: the first slot whose name equals name, or -1.
int find_variable(const Interpreter& it, const char* name);
// Copies text over a slot's value, cut to fit.
void set_value(Interpreter& it, int slot, const char* text);

// Reads the next script line into stread (fgets semantics); false at the end, or
// when no script is open.
bool read_script_line(Interpreter& it);
// The script's read position (-1 when it has none, as for a pipe), and a move back
// to one; loops store the first and hand it to the second.
long script_position(Interpreter& it);
void seek_script(Interpreter& it, long position);

// Runs the interpreter over a command line and returns the exit status of a run
// that reaches its end; statements that end the process go through the host.
int run(Interpreter& it, int argc, const char* const* argv);
// One pass of the per-line body over the line already in stread.
void step_line(Interpreter& it);

}  // namespace vp
