// The one state struct: everything a run of a script touches lives here, under the
// names the language's own documentation uses, so a fresh Interpreter is a fresh run.
#pragma once

#include <bit>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "vp/form.hpp"
#include "vp/host.hpp"
#include "vp/line_cache.hpp"
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

// Finds the operator texts of a line in one pass.
OperatorTexts operator_texts(const char* line);

// A lookup index over the variable names. Declarations run only before "begin",
// so from the line that holds it on, names and constants no longer change; the
// index is built then and spares every lookup a pass over all 256 slots.
struct NameIndex {
  bool built;
  int named_count;
  unsigned char named[kSlots];  // the slots with a name, ascending
  int first_free;               // the first slot with an empty name, or -1
  // Slots by the first character of their name, ascending, as lists kept one
  // higher than the slot number so that 0 ends a list: head[c] is the first,
  // next[slot] the one after slot.
  unsigned short head[256];
  unsigned short next[kSlots];
  // Bit i: the name of named[i], for i below 64, begins with this character.
  uint64_t starts_with[256];
  unsigned char index_of[kSlots];  // a named slot's place in named
  // Whether some name begins with a character a plain number is written with (a
  // digit, a sign, a point or a blank): if none does, no name occurs in a number.
  bool numeral_names;
};

// Run-time warnings, asked for with -w or VP_WARNINGS=1.
inline constexpr int kWarnedLines = 1 << 16;  // script lines whose warnings are remembered
struct Warnings {
  bool on;                 // whether warnings are written at all
  char script[kLineSize];  // the script as the command line named it
  // Bit n: line n gave a warning on an earlier pass, so a loop does not repeat it.
  unsigned char warned[kWarnedLines / 8];
  int line;  // the line that is giving warnings now,
  int pass;  // and the handled-line count it is doing so at
};

// State of one while form.
struct WhileState {
  int active;
  int done;
  int or_equal;
  int bound;
  int passes;
};

struct Interpreter {
  constexpr explicit Interpreter(Host& h) : host(h) {}
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
  // The number of the script line at each of those positions, for the warnings.
  int whereinfile_line = 0;
  int whereinfileWL1_line = 0;
  int whereinfileWL2_line = 0;
  int whereinfileWL3_line = 0;
  WhileState while_less = {};
  WhileState while_more = {};
  WhileState while_count = {};
  int loop_slot = 0;

  // Output text file.
  FILE* textFilePointer = nullptr;
  char text_file_name[kValueSize] = {};  // the name textFilePointer was opened under
  char open_file[kValueSize] = {};
  int file_in_use = 0;
  int file_write = 0;
  int file_read = 0;

  // Standard output is gathered here and handed to the host in chunks.
  char out_buf[8192] = {};
  int out_len = 0;
  // A write to standard output or to the output text file failed: the run ends with
  // status 1 however it ends, and standard output's failure is told once.
  bool write_failed = false;
  bool out_failure_told = false;

  Warnings warnings = {};
  // The number of the script line last read, and of the line the next read gives (a
  // line longer than a read takes several reads).
  int script_line = 0;
  int next_script_line = 1;

  NameIndex names = {};

  RequestBody body;  // the fields of a form sent with POST, once read_form needs them

  // Where the line last read starts in the script, and a count of the lines read,
  // so that the step can tell when a handler has read a further line.
  long line_start = 0;
  unsigned line_generation = 0;
  // The read position of the script, kept as lines are read so that it need not be
  // asked of the stream for every line; -1 when it cannot be known.
  long script_at = 0;
  // The operator texts of the line the step began with, while no handler has read
  // another line (texts_generation equal to line_generation).
  OperatorTexts texts = {};
  unsigned texts_generation = 0;
  // The cache entry of that line, when it has one.
  LineCacheEntry* line_entry = nullptr;
  LineCache line_cache = {};
};

// The cache entry of the line the step began with, when what was learned about it
// may stand in for scanning it: outside trace mode (which always takes the whole
// way, every trace line included), once the names are settled, and while no
// handler has read another line into stread.
inline LineCacheEntry* plan_entry(Interpreter& it) {
  if (it.debug_mode == 1 || !it.names.built || it.texts_generation != it.line_generation)
    return nullptr;
  return it.line_entry;
}

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
// A trace line: printed only in trace mode. Handlers call it on every path, so the
// test of the flag is inlined at each call and the formatting runs only when tracing.
void trace_out(Interpreter& it, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
#if defined(__GNUC__) && !defined(__clang__)
extern inline __attribute__((always_inline, gnu_inline, format(printf, 2, 3))) void trace(
    Interpreter& it, const char* fmt, ...) {
  if (it.debug_mode == 1) trace_out(it, fmt, __builtin_va_arg_pack());
}
#else
// Compilers without GCC's forwarding of variable arguments call it out of line.
void trace(Interpreter& it, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
#endif

// What the end of a run closes, flushes and tells, in that order; returns the exit
// status the run ends with (a failed write turns a status of 0 into 1).
int finish_run(Interpreter& it, int status);
// Flushes standard output and the output text file, then ends the process; a failed
// write turns a status of 0 into 1.
[[noreturn]] void end_process(Interpreter& it, int status);
// After a failed write to standard output: one line on standard error naming the
// failure, the first time it is seen. Before the process ends or is replaced.
void tell_out_failure(Interpreter& it);

// The characters of a plain number as variables hold it.
inline bool numeral_char(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ' ';
}

// Exact lookup: the first slot whose name equals name, or -1.
int find_variable(const Interpreter& it, const char* name);
// The same for a name the script wrote as an argument: a name no slot holds (other
// than the empty one) gives a warning.
int lookup_variable(Interpreter& it, const char* name);
// Builds the name index; called once "begin" has been seen.
void freeze_names(Interpreter& it);

// Calls visit(slot) for every slot, ascending, whose name is not empty and occurs in
// text as text stands at that moment (visit may change it). With the name index only
// the named slots whose first character is in the text are searched for.
// With the name index, from is the place in NameIndex::named to begin at.
template <class Visit>
void for_each_name_in(const Interpreter& it, const char* text, Visit&& visit, int from = 0) {
  const NameIndex& index = it.names;
  if (!index.built) {
    for (int slot = 0; slot < kSlots; ++slot) {
      const char* name = it.variable_names[slot];
      if (name[0] != '\0' && strstr(text, name) != nullptr) visit(slot);
    }
    return;
  }
  // The first 64 named slots by a mask of those whose first character is in the
  // text, the rest one by one.
  const auto candidates = [&index](const char* t) {
    uint64_t mask = 0;
    for (; *t != '\0'; ++t) mask |= index.starts_with[static_cast<unsigned char>(*t)];
    return mask;
  };
  uint64_t left = from >= 64 ? 0 : candidates(text) & (~uint64_t{0} << from);
  while (left != 0) {
    const int i = std::countr_zero(left);
    left &= left - 1;
    const int slot = index.named[i];
    if (strstr(text, it.variable_names[slot]) == nullptr) continue;
    visit(slot);
    left = candidates(text) & (~uint64_t{0} << i << 1);  // the text may have changed
  }
  for (int i = from > 64 ? from : 64; i < index.named_count; ++i) {
    const int slot = index.named[i];
    if (strstr(text, it.variable_names[slot]) != nullptr) visit(slot);
  }
}

// Calls visit(slot) for every slot, ascending, whose name begins with first (not
// '\0'), until visit returns true.
template <class Visit>
void for_each_name_starting(const Interpreter& it, char first, Visit&& visit) {
  if (first == '\0') return;
  if (it.names.built) {
    for (int s = it.names.head[static_cast<unsigned char>(first)]; s != 0; s = it.names.next[s - 1])
      if (visit(s - 1)) return;
    return;
  }
  for (int slot = 0; slot < kSlots; ++slot)
    if (it.variable_names[slot][0] == first && visit(slot)) return;
}
// Copies text over a slot's value, cut to fit.
void set_value(Interpreter& it, int slot, const char* text);

// Reads the next script line into stread (fgets semantics); false at the end, or
// when no script is open.
bool read_script_line(Interpreter& it);
// The same, also telling how many bytes of stread the read filled: the line's
// length, or more when a NUL byte ends the text early.
bool read_script_line_length(Interpreter& it, int* length);
// The script's read position (-1 when it has none, as for a pipe), and a move back
// to one; loops store the first, with the number of the line that begins there
// (next_script_line), and hand both to the second.
long script_position(Interpreter& it);
void seek_script(Interpreter& it, long position, int line);
// The 1-based number of the script line last read, right also after a loop moved back.
int script_line_number(const Interpreter& it);

// Runs the interpreter over a command line and returns the exit status of a run
// that reaches its end; statements that end the process go through the host.
int run(Interpreter& it, int argc, const char* const* argv);
// One pass of the per-line body over the line already in stread.
void step_line(Interpreter& it);
// The same over a line whose length the read told.
void step_read_line(Interpreter& it, int length);
// The statement rows whose keyword occurs in the line in stread, bit r for row r:
// found through the quick pass that picks the rows worth a search, or (quick false)
// by searching for every keyword. Leaves the lower-case copy in lowered.
uint64_t rows_in_line(Interpreter& it, bool quick);

}  // namespace vp
