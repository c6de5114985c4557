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

struct LineCacheEntry {
  long key;  // where the line starts in the script, plus one; 0 for an unused entry
  int length;
  LineFacts facts;
  MathPlan math;
  JoinPlan join;
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
