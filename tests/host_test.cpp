#include "vp/host.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "harness.hpp"

namespace {

using vp::testing::ScratchDir;

// What the probe must give: fgets of the first line, and its length up to any NUL.
int first_line_by_stdio(const char* path, char* line, int size) {
  FILE* f = fopen(path, "r");
  if (f == nullptr) return -1;
  int n = 0;
  if (size > 0) {
    line[0] = '\0';
    if (fgets(line, size, f) != nullptr) n = static_cast<int>(strlen(line));
  }
  fclose(f);
  return n;
}

TEST(PosixHostProbe, GivesTheFirstLineAsStdioWould) {
  ScratchDir dir;
  const std::string contents[] = {
      "",
      "12.11\n",
      "no line end",
      "first\nsecond\n",
      "\n\n",
      std::string(98, 'a') + "\n",
      std::string(99, 'b') + "\n",
      std::string(300, 'c'),
      std::string("nul\0inside\n", 11),
      "Fedora release 39 (Thirty Nine)\r\n",
  };
  int i = 0;
  for (const std::string& content : contents) {
    std::string name = "f";
    name += std::to_string(i++);
    const std::string file = dir.write(name, content);
    for (int size : {100, 7, 2, 1}) {
      char want[128];
      char got[128];
      memset(want, 'W', sizeof(want));
      memset(got, 'G', sizeof(got));
      vp::PosixHost host;
      const int want_n = first_line_by_stdio(file.c_str(), want, size);
      const int got_n = host.probe_file(file.c_str(), got, size);
      ASSERT_EQ(got_n, want_n) << "content #" << i - 1 << " size " << size;
      if (size > 0) {
        EXPECT_STREQ(got, want) << "content #" << i - 1 << " size " << size;
      }
      EXPECT_EQ(got[size], 'G') << "wrote past the buffer";
    }
  }
}

TEST(PosixHostProbe, TellsWhetherTheFileOpens) {
  ScratchDir dir;
  vp::PosixHost host;
  char line[100];
  EXPECT_EQ(host.probe_file((dir.path + "/missing").c_str(), line, sizeof(line)), -1);
  EXPECT_EQ(host.probe_file((dir.path + "/missing").c_str(), nullptr, 0), -1);
  const std::string file = dir.write("present", "x\n");
  EXPECT_EQ(host.probe_file(file.c_str(), nullptr, 0), 0);
  // A folder opens for reading but holds no line.
  EXPECT_EQ(host.probe_file(dir.path.c_str(), line, sizeof(line)), 0);
  EXPECT_STREQ(line, "");
}

}  // namespace
