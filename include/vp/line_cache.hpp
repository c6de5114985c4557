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

struct LineCacheEntry {
  long key;  // where the line starts in the script, plus one; 0 for an unused entry
  int length;
  LineFacts facts;
  char text[kLineSize];
};

inline constexpr int kLineCacheEntries = 128;  // slot_of takes 7 bits

struct LineCache {
  LineCacheEntry entries[kLineCacheEntries];

  // The facts of the line at position whose text is text (length bytes), or nullptr.
  const LineFacts* find(long position, const char* text, int length) const {
    if (position < 0) return nullptr;  // a script that cannot tell its position
    const LineCacheEntry& e = entries[slot_of(position)];
    if (e.key != position + 1 || e.length != length) return nullptr;
    return memcmp(e.text, text, static_cast<size_t>(length)) == 0 ? &e.facts : nullptr;
  }

  void store(long position, const char* text, int length, const LineFacts& facts) {
    if (position < 0 || length < 0 || length >= kLineSize) return;  // nothing to key by
    LineCacheEntry& e = entries[slot_of(position)];
    e.key = position + 1;
    e.length = length;
    e.facts = facts;
    memcpy(e.text, text, static_cast<size_t>(length));
  }

 private:
  static int slot_of(long position) {
    const uint64_t spread = static_cast<uint64_t>(position) * 0x9E3779B97F4A7C15u;
    return static_cast<int>(spread >> 57);  // the top 7 bits: 128 entries
  }
};

}  // namespace vp
