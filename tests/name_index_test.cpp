// The name index must answer every lookup exactly as a pass over all slots would.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "harness.hpp"
#include "vp/handlers.hpp"

namespace {

int lookup_by_scan(const vp::Interpreter& it, const char* name) {
  for (int slot = 0; slot < vp::kSlots; ++slot)
    if (strcmp(it.vars.names[slot], name) == 0) return slot;
  return -1;
}

TEST(NameIndex, AnswersAsAFullScanOverRandomTables) {
  std::mt19937 random(256);
  const std::vector<std::string> pool = {"i",    "ii",  "it",        "total",        "t",  "tot",
                                         "x",    "xy",  "PI",        "Pi",           " i", "i ",
                                         "\xe9", "a.b", "SYSTEM.os", "GetCurrentDir"};
  for (int round = 0; round < 200; ++round) {
    vp::MemoryHost host;
    auto it = std::make_unique<vp::Interpreter>(host);
    const int filled = static_cast<int>(random() % 257);
    for (int slot = 0; slot < vp::kSlots; ++slot) {
      // Free slots fall anywhere, names repeat, and a table may have no free slot.
      if (slot < filled && random() % 5 != 0) {
        vp::copy_cut(it->vars.names[slot], vp::kNameSize, pool[random() % pool.size()].c_str());
      }
    }
    vp::freeze_names(*it);
    for (const std::string& name : pool)
      ASSERT_EQ(vp::find_variable(*it, name.c_str()), lookup_by_scan(*it, name.c_str())) << name;
    for (const char* name : {"", "missing", "tota", "totals", "\xe9\xe9"})
      ASSERT_EQ(vp::find_variable(*it, name), lookup_by_scan(*it, name)) << name;
  }
}

TEST(NameIndex, FindsNamesInTextsAsAFullScanWould) {
  std::mt19937 random(64);
  const std::vector<std::string> pool = {"i", "ii", "t", "total", "s", "x1", "PI", "a b", "\xe9"};
  const std::vector<std::string> texts = {" i ", " total ", "' ",    " x1x ", "PIPI",
                                          "",    " a b ",   "\xe9t", "s"};
  for (int round = 0; round < 100; ++round) {
    vp::MemoryHost host;
    auto it = std::make_unique<vp::Interpreter>(host);
    // Up to all 256 slots named, so that more than 64 names take the slow lane too.
    const int filled = static_cast<int>(random() % 257);
    for (int slot = 0; slot < filled; ++slot)
      if (random() % 8 != 0)
        vp::copy_cut(it->vars.names[slot], vp::kNameSize, pool[random() % pool.size()].c_str());
    std::vector<std::vector<int>> unindexed;
    for (const std::string& t : texts) {
      std::vector<int> seen;
      vp::for_each_name_in(*it, t.c_str(), [&](int slot) { seen.push_back(slot); });
      unindexed.push_back(seen);
    }
    vp::freeze_names(*it);
    for (size_t k = 0; k < texts.size(); ++k) {
      std::vector<int> seen;
      vp::for_each_name_in(*it, texts[k].c_str(), [&](int slot) { seen.push_back(slot); });
      ASSERT_EQ(seen, unindexed[k]) << "text '" << texts[k] << "' round " << round;
    }
  }
}

TEST(NameIndex, SearchesTheTextAsEachVisitLeftIt) {
  vp::MemoryHost host;
  auto it = std::make_unique<vp::Interpreter>(host);
  // Seventy names so that the last ones lie past the first 64.
  for (int slot = 0; slot < 70; ++slot) {
    snprintf(it->vars.names[slot], vp::kNameSize, "n%d", slot);
    snprintf(it->vars.values[slot], vp::kValueSize, "n%d", slot + 9);
  }
  vp::freeze_names(*it);
  // n5 becomes n14, which names slot 14, whose value n23 names slot 23, and so on:
  // 5, 14, 23, ... and from 50 (past n5's 64th entry) still onward to 68.
  char text[vp::kValueSize] = "n5";
  std::vector<int> seen;
  vp::for_each_name_in(*it, text, [&](int slot) {
    seen.push_back(slot);
    vp::copy_cut(text, sizeof(text), it->vars.values[slot]);
  });
  EXPECT_EQ(seen, (std::vector<int>{5, 14, 23, 32, 41, 50, 59, 68}));
}

TEST(NameIndex, TakesEffectOnlyOnceBeginIsSeen) {
  // A name declared twice: the first slot wins, before and after the index.
  auto r = vp::testing::run_script(
      vp::testing::program("var n : string;\nvar n : string;\nvar m : string;\n",
                           "  writeln(n, m, PI, '|');\n  writeln();\n"));
  EXPECT_EQ(r.out, "3.14159265|\n\n");
}

}  // namespace
