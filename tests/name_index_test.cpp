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
    if (strcmp(it.variable_names[slot], name) == 0) return slot;
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
        vp::copy_cut(it->variable_names[slot], vp::kNameSize, pool[random() % pool.size()].c_str());
      }
    }
    vp::freeze_names(*it);
    for (const std::string& name : pool)
      ASSERT_EQ(vp::find_variable(*it, name.c_str()), lookup_by_scan(*it, name.c_str())) << name;
    for (const char* name : {"", "missing", "tota", "totals", "\xe9\xe9"})
      ASSERT_EQ(vp::find_variable(*it, name), lookup_by_scan(*it, name)) << name;
  }
}

TEST(NameIndex, TakesEffectOnlyOnceBeginIsSeen) {
  // A name declared twice: the first slot wins, before and after the index.
  auto r = vp::testing::run_script(
      vp::testing::program("var n : string;\nvar n : string;\nvar m : string;\n",
                           "  writeln(n, m, PI, '|');\n  writeln();\n"));
  EXPECT_EQ(r.out, "3.14159265|\n\n");
}

}  // namespace
