// The one state struct: everything a run of a script touches lives here, so a fresh
// Interpreter is a fresh run; and the calls every part of the interpreter shares.
#pragma once

#include <bit>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "vp/form.hpp"
#include "vp/host.hpp"
#include "vp/line_cache.hpp"
#include "vp/script_reader.hpp"
#include "vp/state.hpp"
#include "vp/statements.hpp"
#include "vp/text.hpp"

namespace vp {

inline constexpr const char* kVersion = "1.3.2a";

struct Interpreter {
  constexpr explicit Interpreter(Host& h) : host(h) {}
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  Host& host;  // the world outside: streams, environment, files, processes

  // The line being handled.
  char line[kLineSize] = {};  // as read, line end kept (stread)
  int indent = 0;             // the index of its first character neither blank nor tab
  ScriptReader script;        // the script: its read place is the program counter

  VariableTable vars;         // the variables, built-ins included
  LabelTable labels;          // the labels the declarations named
  Block block = Block::none;  // the declaration section the last declaration opened
  bool tracing = false;       // trace mode: a line for each decision taken

  // The run's frame and its end.
  bool program_found = false;  // a line held "program" and a ';'
  bool begin_found = false;    // a line held "begin": declarations are over
  bool end_found = false;      // a line held "end.": the run ends after it
  int line_count = 0;          // lines handled, a line read again counting again
  // The handled lines after which a run stops; only the fuzzer lowers it, to spend
  // its time on new inputs rather than on the ten-thousandth pass of a loop.
  int line_cap = kLineCap;

  Loops loops;       // where repeat and the while loops go back to
  OutputFile file;   // the output text file
  OutputBuffer out;  // standard output, not yet handed to the host
  // A write to standard output or to the output text file failed: the run ends with
  // status 1 however it ends, and standard output's failure is told once.
  bool write_failed = false;
  bool out_failure_told = false;
  Warnings warnings = {};  // -w or VP_WARNINGS=1

  RequestBody body;  // the fields of a form sent with POST, once read_form needs them

  // The operator texts of the line the step began with, while no handler has read
  // another line (texts_generation equal to script.generation).
  OperatorTexts texts = {};
  unsigned texts_generation = 0;
  // The plans kept with that line while they may stand in (see line_plan): set by
  // the step, cleared by every read of a further line.
  LinePlans* line_plans = nullptr;
  LineCache line_cache = {};  // facts and plans of lines seen before, by place
};

// The one rule for the plans kept with a line: the plan of the given kind for the
// statement that reads text, to read or to fill, or nullptr when none may be used.
// Plans are used outside trace mode only (which always takes the whole way, every
// trace line included), once the names are settled, while no handler has read
// another line into it.line (the step and the reader see to these three), and for a
// statement reading it.line itself.
template <class Plan>
Plan* line_plan(Interpreter& it, Plan LinePlans::*kind, const char* text) {
  return it.line_plans == nullptr || text != it.line ? nullptr : &(it.line_plans->*kind);
}

// Whether a plan found by line_plan stands in for scanning the statement's arguments
// from column.
inline bool plan_stands(const PlanState* plan, int column) {
  return plan != nullptr && plan->status == PlanStatus::ready && plan->column == column;
}

// Output to standard output, in order, traces and script output alike.
void flush_out(Interpreter& it);
inline void out_bytes(Interpreter& it, const char* data, size_t size) {
  if (size > sizeof(it.out.bytes) - static_cast<size_t>(it.out.length)) {
    flush_out(it);
    if (size > sizeof(it.out.bytes)) {
      it.host.write_out(data, size);
      return;
    }
  }
  memcpy(it.out.bytes + it.out.length, data, size);
  it.out.length += static_cast<int>(size);
}
inline void out_char(Interpreter& it, char c) {
  if (it.out.length == static_cast<int>(sizeof(it.out.bytes))) flush_out(it);
  it.out.bytes[it.out.length++] = c;
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
  if (it.tracing) trace_out(it, fmt, __builtin_va_arg_pack());
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
  const NameIndex& index = it.vars.index;
  if (!index.built) {
    for (int slot = 0; slot < kSlots; ++slot) {
      const char* name = it.vars.names[slot];
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
    if (strstr(text, it.vars.names[slot]) == nullptr) continue;
    visit(slot);
    left = candidates(text) & (~uint64_t{0} << i << 1);  // the text may have changed
  }
  for (int i = from > 64 ? from : 64; i < index.named_count; ++i) {
    const int slot = index.named[i];
    if (strstr(text, it.vars.names[slot]) != nullptr) visit(slot);
  }
}

// Calls visit(slot) for every slot, ascending, whose name begins with first (not
// '\0'), until visit returns true.
template <class Visit>
void for_each_name_starting(const Interpreter& it, char first, Visit&& visit) {
  if (first == '\0') return;
  if (it.vars.index.built) {
    for (int s = it.vars.index.head[static_cast<unsigned char>(first)]; s != 0;
         s = it.vars.index.next[s - 1])
      if (visit(s - 1)) return;
    return;
  }
  for (int slot = 0; slot < kSlots; ++slot)
    if (it.vars.names[slot][0] == first && visit(slot)) return;
}
// Copies text over a slot's value, cut to fit.
void set_value(Interpreter& it, int slot, const char* text);

// Opens the script through the host; false when it cannot be opened.
bool open_script(Interpreter& it, const char* path);
void close_script(Interpreter& it);
// Reads the next script line into it.line (fgets semantics); false at the end, or
// when no script is open.
bool read_script_line(Interpreter& it);
// The same, also telling how many bytes of it.line the read filled: the line's
// length, or more when a NUL byte ends the text early. Inline below.
inline bool read_script_line_length(Interpreter& it, int* length);
// The place the next line is read from, and a move back to a place; loops store the
// first and hand it to the second.
ScriptPlace script_position(const Interpreter& it);
void seek_script(Interpreter& it, ScriptPlace place);
// The 1-based number of the script line last handed out (0 before the first); the
// pieces of a line longer than a line buffer share its number.
int script_line_number(const Interpreter& it);

// Runs the interpreter over a command line and returns the exit status of a run
// that reaches its end; statements that end the process go through the host.
int run(Interpreter& it, int argc, const char* const* argv);
// Reads the next line and runs the per-line body over it; false at the end of the
// script.
bool step_next_line(Interpreter& it);
// One pass of the per-line body over the line already in it.line.
void step_line(Interpreter& it);
// The statement rows whose keyword occurs in line, bit r for row r: found through
// the quick pass that picks the rows worth a search, or (quick false) by searching
// for every keyword.
uint64_t rows_in_line(const char* line, bool quick);

// The script reader's common case stays inline, as a buffered stream's getc does:
// the next line lies whole in the buffer. The out-of-line part fills the buffer.
bool read_script_line_refill(Interpreter& it, int* length);

// Hands out the n bytes at the read place as the line.
inline void hand_out_line(Interpreter& it, int n, int* length) {
  ScriptReader& r = it.script;
  memcpy(it.line, r.buffer + r.next, static_cast<size_t>(n));
  it.line[n] = '\0';
  r.next += n;
  r.line_number = r.lines_before + 1;
  if (it.line[n - 1] == '\n') ++r.lines_before;  // a long line's pieces share its number
  *length = n;
}

// Every read begins here: the line about to be handed out is a new one.
inline void begin_script_read(Interpreter& it) {
  ScriptReader& r = it.script;
  ++r.generation;           // even at the end: the step then tests the rest of the line again
  it.line_plans = nullptr;  // they belong to the line the step began with
  r.line_start = r.seekable ? r.buffer_at + r.next : -1;
}

inline bool read_script_line_length(Interpreter& it, int* length) {
  ScriptReader& r = it.script;
  if (r.handle < 0) return false;
  begin_script_read(it);
  constexpr int kLineMax = kLineSize - 1;  // bytes of a line, the terminator aside
  const int left = r.filled - r.next;
  const int limit = left < kLineMax ? left : kLineMax;
  const char* begin = r.buffer + r.next;
  const void* newline = memchr(begin, '\n', static_cast<size_t>(limit));
  if (newline != nullptr)
    hand_out_line(it, static_cast<int>(static_cast<const char*>(newline) - begin) + 1, length);
  else if (limit == kLineMax)
    hand_out_line(it, kLineMax, length);
  else
    return read_script_line_refill(it, length);
  return true;
}

// Where the next line starts and the bytes the buffer holds from there, for the line
// cache to look the line up before it is read.
inline LineSource next_line_source(const Interpreter& it) {
  const ScriptReader& r = it.script;
  const long position = r.handle >= 0 && r.seekable ? r.buffer_at + r.next : -1;
  return {position, r.fill, r.buffer + r.next, r.filled - r.next};
}

// Reads the next line when the line cache already knows it is the n bytes at the
// read place (no more than the buffer holds): no search for its end.
inline void read_known_script_line(Interpreter& it, int n) {
  begin_script_read(it);
  int length;
  hand_out_line(it, n, &length);
}

}  // namespace vp
