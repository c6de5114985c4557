// What the classification of a line derives from the statement table at compile
// time: where each keyword can begin, and the texts behind the frame marks.
#pragma once

#include "vp/statements.hpp"

namespace vp {

// The texts behind the marks, searched anywhere in the line, exactly.
struct MarkText {
  std::string_view text;
  uint32_t mark;
};
inline constexpr MarkText kMarkTexts[] = {
    {"program", kMarkProgram}, {"begin", kMarkBegin},
    {"end.", kMarkEnd},        {"GetCurrentDir", kMarkCurrentDir},
    {"SYSTEM.cwd", kMarkCwd},  {"(*", kMarkComment},
    {"//", kMarkComment},
};
inline constexpr int kMarkTextCount = sizeof(kMarkTexts) / sizeof(kMarkTexts[0]);
static_assert(kMarkTextCount <= 8, "one bit per mark text in KeywordStarts::mark_starts");

// Where each keyword can begin, so that a single pass over a new line tells which
// few rows are worth a search (see statement_table.cpp for how it is built).
struct KeywordStarts {
  uint64_t anywhere[256];
  uint64_t after_one_blank[256];
  uint64_t after_two_blanks[256];
  uint64_t blanks_only[kLineSize];  // by the length of the run of blanks needed
  uint8_t mark_starts[256];         // bit m: mark text m begins with this character
};

extern const KeywordStarts kKeywordStarts;
extern const uint64_t kAnyCaseRows;  // rows whose keyword matches in any case
extern const uint64_t kAllRows;
extern const int kLongestBlankKeyword;  // the longest keyword of blanks alone

}  // namespace vp
