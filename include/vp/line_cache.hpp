// What the per-line step learns about a line depends on its text alone. Loops read
// the same lines again and again, so the step keeps those facts keyed by the line's
// position in the script and, when the same text comes back from the same place,
// takes them instead of searching the line anew. An entry answers only for a byte
// for byte equal text, so a script file that changes under a run is still read
// right.
#pragma once

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

// The facts the step takes from a line's text.
struct LineFacts {
  uint64_t rows;   // bit r: the keyword of statement row r occurs in the line
  uint32_t marks;  // landmarks and other texts the step looks for (its own bits)
  int indent;
  OperatorTexts texts;
};

// How the arithmetic of an assignment line splits into operands and operators. The
// split depends on the line's text alone, and which variable an operand names first
// on the names, which no longer change once "begin" has been seen; so a line read
// again needs only the values. An operand that names no variable is a constant.
struct MathPlan {
  bool ready;
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
struct JoinPlan {
  bool ready;
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
struct WritePlan {
  enum State : uint8_t { kUnknown, kReady, kRefused };
  State state;
  bool file_newline;  // the line holds " writeln": a line end goes to the text file
  int column;         // where the statement's arguments begin
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
struct IfPlan {
  bool ready;
  int column;
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
struct AssignPlan {
  bool ready;
  int slot;  // -1: the line assigns nothing
};

struct LineCacheEntry {
  long key;  // where the line starts in the script, plus one; 0 for an unused entry
  int length;
  LineFacts facts;
  MathPlan math;
  JoinPlan join;
  WritePlan write;
  IfPlan condition;
  AssignPlan assign;
  char text[kLineSize];
};

inline constexpr int kLineCacheEntries = 128;  // slot_of takes 7 bits

struct LineCache {
  LineCacheEntry entries[kLineCacheEntries];

  // The entry of the line at position whose text is text (length bytes), or nullptr.
  LineCacheEntry* entry(long position, const char* text, int length) {
    if (position < 0) return nullptr;  // a script that cannot tell its position
    LineCacheEntry& e = entries[slot_of(position)];
    if (e.key != position + 1 || e.length != length) return nullptr;
    return memcmp(e.text, text, static_cast<size_t>(length)) == 0 ? &e : nullptr;
  }

  // The facts of that line, or nullptr.
  const LineFacts* find(long position, const char* text, int length) {
    const LineCacheEntry* e = entry(position, text, length);
    return e == nullptr ? nullptr : &e->facts;
  }

  // Keeps the facts of a line (replacing whatever the entry held); returns the entry,
  // or nullptr when the line cannot be keyed.
  LineCacheEntry* store(long position, const char* text, int length, const LineFacts& facts) {
    if (position < 0 || length < 0 || length >= kLineSize) return nullptr;
    LineCacheEntry& e = entries[slot_of(position)];
    e.key = position + 1;
    e.length = length;
    e.facts = facts;
    e.math.ready = false;
    e.join.ready = false;
    e.write.state = WritePlan::kUnknown;
    e.condition.ready = false;
    e.assign.ready = false;
    memcpy(e.text, text, static_cast<size_t>(length));
    return &e;
  }

 private:
  static int slot_of(long position) {
    const uint64_t spread = static_cast<uint64_t>(position) * 0x9E3779B97F4A7C15u;
    return static_cast<int>(spread >> 57);  // the top 7 bits: 128 entries
  }
};

}  // namespace vp
