// The facts of a line come back only for the same text from the same place.
#include "vp/line_cache.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// Looks a line up as the step does, the reader holding the n bytes of text at the
// place in the given fill of its buffer: a miss leaves the entry to the line, whose
// facts are then set to rows. Returns the rows the entry held on a hit, or -1.
long long look(vp::LineCache& cache, long at, const std::string& text, int n, uint64_t rows,
               unsigned fill = 0) {
  bool hit;
  vp::LineCacheEntry* e = cache.lookup({at, fill, text.c_str(), n}, &hit);
  if (e == nullptr) return -2;
  if (hit) return static_cast<long long>(e->facts.rows);
  EXPECT_EQ(e->facts.rows, 0u);  // a claimed entry starts cleared
  EXPECT_EQ(e->plans.write.status, vp::PlanStatus::unknown);
  e->keep(text.c_str(), n, fill);
  e->facts.rows = rows;
  e->plans.write.status = vp::PlanStatus::ready;
  return -1;
}

TEST(LineCache, AnswersOnlyForTheSameTextAtTheSamePlace) {
  auto cache = std::make_unique<vp::LineCache>();
  const std::string line = "  writeln(i);\n";
  const int n = static_cast<int>(line.size());
  EXPECT_EQ(look(*cache, 40, line, n, 7), -1);
  EXPECT_EQ(look(*cache, 40, line, n, 0), 7);

  // The same place with a changed text, or a text cut short, is not known; the new
  // text replaces the old one.
  EXPECT_EQ(look(*cache, 40, "  writeln(j);\n", n, 8), -1);
  EXPECT_EQ(look(*cache, 40, line, n, 7), -1);
  EXPECT_EQ(look(*cache, 40, line, n - 1, 6), -1);
  // A text without its line end is never taken again: the script may have grown.
  EXPECT_EQ(look(*cache, 40, line, n - 1, 0), -1);
  EXPECT_EQ(look(*cache, 40, line, n, 6), -1);
  EXPECT_EQ(look(*cache, 40, line, n, 0), 6);
  // Nor is the same text elsewhere.
  EXPECT_EQ(look(*cache, 41, line, n, 9), -1);
  EXPECT_EQ(look(*cache, 0, line, n, 10), -1);
  EXPECT_EQ(look(*cache, 0, line, n, 0), 10);
}

TEST(LineCache, TrustsTheBytesOfTheSameFillOnly) {
  auto cache = std::make_unique<vp::LineCache>();
  const std::string line = "  i := i + 1;\n";
  const std::string changed = "  i := i + 2;\n";
  const int n = static_cast<int>(line.size());
  EXPECT_EQ(look(*cache, 8, line, n, 4, 3), -1);
  // Within the fill that held it the place's bytes are the line's: not compared.
  EXPECT_EQ(look(*cache, 8, changed, n, 0, 3), 4);
  // Another fill compares: the same text stands (and is trusted in that fill from
  // then on), a changed one does not.
  EXPECT_EQ(look(*cache, 8, line, n, 0, 4), 4);
  EXPECT_EQ(look(*cache, 8, changed, n, 0, 4), 4);
  EXPECT_EQ(look(*cache, 8, changed, n, 5, 6), -1);
  EXPECT_EQ(look(*cache, 8, line, n, 0, 7), -1);
  // Bytes not yet in the buffer are no line: never a hit, even in the same fill.
  EXPECT_EQ(look(*cache, 8, line, n - 1, 0, 7), -1);
  // Fill 0 is none: a line not read from the buffer is always compared.
  EXPECT_EQ(look(*cache, 30, line, n, 9, 0), -1);
  EXPECT_EQ(look(*cache, 30, changed, n, 2, 0), -1);
}

TEST(LineCache, NeverTakesALastLineWithoutLineEnd) {
  // The script may have grown after it: the reader must read on.
  auto cache = std::make_unique<vp::LineCache>();
  const std::string last = "end.";
  EXPECT_EQ(look(*cache, 90, last, 4, 1, 2), -1);
  EXPECT_EQ(look(*cache, 90, last, 4, 1, 2), -1);
  const std::string piece(vp::kLineSize - 1, 'p');  // a full piece of a long line is whole
  EXPECT_EQ(look(*cache, 90, piece, vp::kLineSize - 1, 7, 2), -1);
  EXPECT_EQ(look(*cache, 90, piece, vp::kLineSize - 1, 0, 3), 7);
}

TEST(LineCache, KeepsTheLinesOfALoopBody) {
  auto cache = std::make_unique<vp::LineCache>();
  // Forty lines of twenty bytes each: every one is still known after all are stored
  // unless two share an entry, and at least most must be kept (all the cache holds,
  // when it is built smaller).
  std::string texts[40];
  for (int i = 0; i < 40; ++i) {
    texts[i] = "  line number " + std::to_string(100 + i) + ";\n";
    look(*cache, 1000 + 20L * i, texts[i], static_cast<int>(texts[i].size()), i);
  }
  int kept = 0;
  for (int i = 0; i < 40; ++i) {
    auto probe = std::make_unique<vp::LineCache>(*cache);  // a miss would evict
    const long long got =
        look(*probe, 1000 + 20L * i, texts[i], static_cast<int>(texts[i].size()), 0);
    if (got < 0) continue;
    EXPECT_EQ(got, i);  // never another line's facts
    ++kept;
  }
  EXPECT_GE(kept, std::min(30, vp::kLineCacheEntries));
}

TEST(LineCache, RefusesWhatItCannotKey) {
  auto cache = std::make_unique<vp::LineCache>();
  const std::string full(256, 'x');
  EXPECT_EQ(look(*cache, -1, "a", 1, 1), -2);
  EXPECT_EQ(look(*cache, 5, full, 256, 1), -1);  // longer than a line can be: kept
  EXPECT_EQ(look(*cache, 5, full, 256, 1), -1);  // never
  EXPECT_EQ(look(*cache, 5, full, 255, 3), -1);
  EXPECT_EQ(look(*cache, 5, full, 255, 0), 3);
  // Switched off, it keeps nothing.
  cache->off = true;
  EXPECT_EQ(look(*cache, 5, full, 255, 0), -2);
}

}  // namespace
