// What the per-line step learns about a line depends on its text alone. Loops read
// the same lines again and again, so the step keeps those facts keyed by the line's
// position in the script and, when the same text comes back from the same place,
// takes them instead of searching the line anew. An entry answers only for a byte
// for byte equal text, so a script file that changes under a run is still read
// right.
//
// The step looks a line up before it is read, against the bytes the script reader
// holds at the read place. An entry also notes which fill of the reader's buffer it
// last matched: while the buffer has not been filled again, the bytes at that place
// are the very bytes matched, so the entry stands without a comparison and its
// length spares the reader the search for the line end. A fill, or a move back to
// a place outside the buffer, reads the script anew and so compares again.
// Measured on bench/loop.pas (callgrind): 9% fewer instructions than comparing the
// text of every line after reading it.
//
// The cache is small and has one lookup, which checks its own hits and, on a miss,
// claims and clears the entry in one step. Its size is a build option
// (VP_LINE_CACHE_ENTRIES, a power of two): the test suite also runs with one entry,
// so every eviction path is taken.
#pragma once

#include <bit>
#include <cstdint>

#include "vp/text.hpp"

namespace vp {

// Which operator texts a line holds:
// - copy_blocked: " + ", " * ", " / ", " % ", " ^ " or " - ", which keep the
//   right-hand side of every type but string from being copied as written;
// - math: any of those or " ~ ", " ~;", " # ", " #;", which send the line to the
//   arithmetic;
// - plus: " + ", which also makes a string line a concatenation.
struct OperatorTexts {
  bool copy_blocked = false;
  bool math = false;
  bool plus = false;
  // Whether the line holds ":=", and a ';' anywhere: an assignment without one stops
  // the run.
  bool assign_mark = false;
  bool semicolon = false;
  bool concat_call = false;  // "concat(": a string line joins by the function form
};

// Finds the operator texts of a line in one pass.
OperatorTexts operator_texts(const char* line);

// The facts the step takes from a line's text.
struct LineFacts {
  uint64_t rows;   // bit r: the keyword of statement row r occurs in the line
  uint32_t marks;  // landmarks and other texts the step looks for (its own bits)
  int indent;
  OperatorTexts texts;
};

// Whether a plan has been learned. A plan answers for the statement whose arguments
// begin at the column it was learned at (0 for those that read the whole line).
enum class PlanStatus : uint8_t {
  unknown,  // not learned yet: the statement scans its arguments and keeps the plan
  ready,    // stands in for the scan
  refused,  // the statement holds more than a plan keeps: scanned afresh each time
};

struct PlanState {
  PlanStatus status = PlanStatus::unknown;
  int column = 0;  // where the statement's arguments begin
};

// How the arithmetic of an assignment line splits into operands and operators. The
// split depends on the line's text alone, and which variable an operand names first
// on the names, which no longer change once "begin" has been seen; so a line read
// again needs only the values. An operand that names no variable is a constant.
struct MathPlan : PlanState {
  int value_count;     // operands that give a value (at most 9)
  int operator_count;  // operators found (more than 8 are counted, not kept)
  char operators[8];
  struct Operand {
    int first;  // the index in NameIndex::named of the first name it holds, or -1
    float constant;
  } operands[9];
};

// How a string assignment's '+' form joins: each part is a quoted text of the line
// or the value of the last variable its text names, both fixed by the line's text
// and the settled names; a line read again needs only the values.
struct JoinPlan : PlanState {
  int count;
  struct Piece {
    int slot;    // the variable whose value the part gives, or -1 for line text
    int start;   // else the part's text in the line
    int length;  // (already cut to what a part holds)
  } pieces[16];
};

// How a write or writeln statement's arguments split: quoted texts of the line and
// variables with their slots and field widths, all fixed by the line's text from
// the statement's column and by the settled names. Writing them out still follows
// the output routing and reads the values as they stand.
struct WritePlan : PlanState {
  bool file_newline;  // the line holds " writeln": a line end goes to the text file
  int count;
  struct Argument {
    bool quoted;
    bool unclosed;  // a quoted text that runs to the end of the line
    bool width;     // a variable written in a field
    short start;    // a quoted text's characters in the line
    short length;
    short slot;  // a variable's slot, or -1 when no slot holds its name
    int format_size;
  } arguments[24];
};

// How an if line's condition reads: the slot it compares, the operation code and
// the operand, all fixed by the line's text and the settled names and types.
struct IfPlan : PlanState {
  int slot;  // -1: no slot holds the name
  int code;
  int number;   // an integer variable's operand, converted
  double real;  // a real variable's operand, converted
  short start;  // a string variable's operand in the line
  short length;
};

// Which slot an assignment line assigns: the first one, in slot order, that is no
// constant and whose name is the line's first word. Names and constants are
// settled once "begin" has been seen, so that is fixed by the line's text.
struct AssignPlan : PlanState {
  int slot;  // -1: the line assigns nothing
};

// The plans of a line's statements, one of each kind.
struct LinePlans {
  MathPlan math;
  JoinPlan join;
  WritePlan write;
  IfPlan condition;
  AssignPlan assign;
};

// Where the next line lies, as the script reader holds it.
struct LineSource {
  long position;      // where it starts in the script; -1 when the script cannot tell
  unsigned fill;      // which fill of the reader's buffer holds it; 0 for none
  const char* bytes;  // the bytes held from its start on
  int held;           // how many
};

struct LineCacheEntry {
  long key;              // where the line starts in the script, plus one; 0: unused
  int length;            // the bytes of text; 0 until kept
  unsigned fill;         // the reader's fill that last held the text at key; 0: none
  LineFacts facts;       // what the step learned from the text
  LinePlans plans;       // what its statements learned
  char text[kLineSize];  // the line as read, to tell a changed script

  // Keeps the text of the line just read into a claimed entry, with the fill that
  // held it; a text that does not end a line (see ends_line) notes none.
  void keep(const char* line, int n, unsigned from_fill) {
    if (n <= 0 || n >= kLineSize) return;  // left unkept: never a hit
    length = n;
    memcpy(text, line, static_cast<size_t>(n));
    fill = ends_line() ? from_fill : 0;
  }

  // Whether the text is a whole line or a full piece of a longer one, so the same
  // bytes at the place are read as this line and no other. The last line of a script
  // without a line end is not: the script may have grown since. (keep notes a fill
  // only for such a text, so a hit by the fill needs no such test.)
  bool ends_line() const {
    return length > 0 && (text[length - 1] == '\n' || length == kLineSize - 1);
  }
};

#ifndef VP_LINE_CACHE_ENTRIES
#define VP_LINE_CACHE_ENTRIES 128
#endif
inline constexpr int kLineCacheEntries = VP_LINE_CACHE_ENTRIES;
static_assert(kLineCacheEntries >= 1 && std::has_single_bit(unsigned{kLineCacheEntries}),
              "the line cache holds a power of two of entries");

struct LineCache {
  // When set, every lookup misses and nothing is kept: a run then scans every line
  // and every statement afresh. The fuzzer compares runs with and without the cache.
  bool off = false;
  LineCacheEntry entries[kLineCacheEntries];

  // The entry for the line that begins where source says. *hit tells whether the
  // entry held that very line: the caller may then take its length, facts and
  // plans. Otherwise the entry now belongs to the place, with everything cleared;
  // the caller reads the line and keeps its text and facts there. nullptr when the
  // line cannot be kept: the script cannot tell its position, or the cache is off.
  LineCacheEntry* lookup(const LineSource& source, bool* hit) {
    *hit = false;
    if (off || source.position < 0) return nullptr;
    LineCacheEntry& e = entries[slot_of(source.position)];
    // Never more than the reader holds: a hit hands out e.length bytes from there.
    if (e.key == source.position + 1 && e.length <= source.held) {
      if (e.fill != 0 && e.fill == source.fill) {  // the same bytes as last time
        *hit = true;
        return &e;
      }
      if (e.ends_line() && memcmp(e.text, source.bytes, static_cast<size_t>(e.length)) == 0) {
        e.fill = source.fill;
        *hit = true;
        return &e;
      }
    }
    claim(e, source.position);
    return &e;
  }

 private:
  // Gives an entry to a new line, everything learned about the old one cleared. Out
  // of line: a loop's passes only hit, and the clearing would crowd their path.
  [[gnu::noinline]] static void claim(LineCacheEntry& e, long position) {
    e.key = position + 1;
    e.length = 0;
    e.fill = 0;
    e.facts = {};
    e.plans = {};
  }

  static constexpr int kSlotBits = std::countr_zero(unsigned{kLineCacheEntries});
  static int slot_of(long position) {
    if constexpr (kSlotBits == 0) {
      return 0;
    } else {
      // Fibonacci hashing: the top bits of the product spread nearby positions.
      const uint64_t spread = static_cast<uint64_t>(position) * 0x9E3779B97F4A7C15u;
      return static_cast<int>(spread >> (64 - kSlotBits));
    }
  }
};

}  // namespace vp
