// The facts of a line come back only for the same text from the same place.
#include "vp/line_cache.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

vp::LineFacts facts(uint64_t rows) {
  return vp::LineFacts{rows, 0, 2, {}};
}

TEST(LineCache, AnswersOnlyForTheSameTextAtTheSamePlace) {
  auto cache = std::make_unique<vp::LineCache>();
  const std::string line = "  writeln(i);\n";
  const int n = static_cast<int>(line.size());
  EXPECT_EQ(cache->find(40, line.c_str(), n), nullptr);

  cache->store(40, line.c_str(), n, facts(7));
  const vp::LineFacts* got = cache->find(40, line.c_str(), n);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(got->rows, 7u);
  EXPECT_EQ(got->indent, 2);

  // The same place with a changed text, or a text cut short, is not known.
  EXPECT_EQ(cache->find(40, "  writeln(j);\n", n), nullptr);
  EXPECT_EQ(cache->find(40, line.c_str(), n - 1), nullptr);
  // Nor is the same text elsewhere.
  EXPECT_EQ(cache->find(41, line.c_str(), n), nullptr);
  EXPECT_EQ(cache->find(0, line.c_str(), n), nullptr);

  // A new text at the place replaces the old one.
  cache->store(40, "  end;\n", 7, facts(9));
  EXPECT_EQ(cache->find(40, line.c_str(), n), nullptr);
  ASSERT_NE(cache->find(40, "  end;\n", 7), nullptr);
  EXPECT_EQ(cache->find(40, "  end;\n", 7)->rows, 9u);
}

TEST(LineCache, KeepsTheLinesOfALoopBody) {
  auto cache = std::make_unique<vp::LineCache>();
  // Forty lines of twenty bytes each: every one is still known after all are stored
  // unless two share an entry, and at least most must be kept.
  std::string texts[40];
  for (int i = 0; i < 40; ++i) {
    texts[i] = "  line number " + std::to_string(100 + i) + ";\n";
    cache->store(1000 + 20L * i, texts[i].c_str(), static_cast<int>(texts[i].size()), facts(i));
  }
  int kept = 0;
  for (int i = 0; i < 40; ++i) {
    const vp::LineFacts* got =
        cache->find(1000 + 20L * i, texts[i].c_str(), static_cast<int>(texts[i].size()));
    if (got == nullptr) continue;
    EXPECT_EQ(got->rows, static_cast<uint64_t>(i));  // never another line's facts
    ++kept;
  }
  EXPECT_GE(kept, 30);
}

TEST(LineCache, RefusesWhatItCannotKey) {
  auto cache = std::make_unique<vp::LineCache>();
  const std::string full(255, 'x');
  cache->store(-1, "a", 1, facts(1));
  EXPECT_EQ(cache->find(-1, "a", 1), nullptr);
  cache->store(5, full.c_str(), 256, facts(1));  // longer than a line can be
  EXPECT_EQ(cache->find(5, full.c_str(), 256), nullptr);
  cache->store(5, full.c_str(), 255, facts(3));
  ASSERT_NE(cache->find(5, full.c_str(), 255), nullptr);
}

}  // namespace
