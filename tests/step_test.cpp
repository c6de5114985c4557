// The per-line step reads each line through the line cache: a line it knows from
// the same fill of the reader's buffer is taken on trust, any other is compared.
// These runs move the read place across fills and change the script under the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "harness.hpp"

namespace {

// Serves one script from a text the test may change while the run goes on, chunk
// bytes a read; the first move of the read place replaces from by to.
struct DiskHost : vp::Host {
  vp::MemoryHost inner;
  std::string disk;
  size_t at = 0;
  size_t chunk = 4096;
  std::string from, to;

  int open_script(const char*) override { return 0; }
  long read_script(int, char* buf, size_t size) override {
    const size_t n = std::min({size, chunk, disk.size() - at});
    disk.copy(buf, n, at);
    at += n;
    return static_cast<long>(n);
  }
  bool seek_script(int, long offset) override {
    if (offset < 0 || static_cast<size_t>(offset) > disk.size()) return false;
    if (!from.empty() && offset > 0) {
      disk.replace(disk.find(from), from.size(), to);
      from.clear();
    }
    at = static_cast<size_t>(offset);
    return true;
  }
  void close_script(int) override {}

  void write_out(const char* data, size_t size) override { inner.write_out(data, size); }
  const char* out_failure() override { return inner.out_failure(); }
  void write_err(const char* data, size_t size) override { inner.write_err(data, size); }
  int read_in() override { return inner.read_in(); }
  void unread_in(int c) override { inner.unread_in(c); }
  const char* get_env(const char* name) override { return inner.get_env(name); }
  bool get_cwd(char* buf, size_t size) override { return inner.get_cwd(buf, size); }
  time_t now() override { return inner.now(); }
  FILE* open_append(const char* path) override { return inner.open_append(path); }
  bool identify(const char* path, vp::FileIdentity* id, bool* missing) override {
    return inner.identify(path, id, missing);
  }
  bool identify_script(int script, vp::FileIdentity* id) override {
    return inner.identify_script(script, id);
  }
  int probe_file(const char* path, char* line, int size) override {
    return inner.probe_file(path, line, size);
  }
  void exec(const char* path, const char* arg) override { inner.exec(path, arg); }
  void sleep_seconds(unsigned seconds) override { inner.sleep_seconds(seconds); }
  [[noreturn]] void exit_process(int status) override { inner.exit_process(status); }

  // Runs the script on "disk" and returns what it printed.
  std::string run() {
    auto it = std::make_unique<vp::Interpreter>(*this);
    const char* argv[] = {"vp", "t.pas"};
    try {
      vp::end_process(*it, vp::run(*it, 2, argv));
    } catch (const vp::ProcessExit&) {
    }
    return inner.out;
  }
};

std::string loop_over(const std::string& body) {
  return vp::testing::program("var n : integer;\nvar x : integer;\n",
                              "  n := 0;\n  while n < 3 do\n    n := n + 1;\n" + body + "  end;\n");
}

// A body longer than the buffer: every pass reads it from the script again, so a
// line changed on disk after the first pass (to a text of the same length at the
// same place) runs changed in the next two, its arguments scanned anew.
TEST(Step, ALoopReadsAScriptChangedOnDiskAnew) {
  std::string filler;
  // Few long lines, so the changed line's entry stays in the cache.
  for (int k = 0; k < 18; ++k) filler += "    // " + std::string(240, 'c') + "\n";
  DiskHost host;
  host.disk = loop_over("    x := 1;\n    writeln('a', n);\n" + filler);
  host.from = "writeln('a', n)";
  host.to = "writeln(x, 'b')";
  EXPECT_EQ(host.run(), "a1\n1b\n1b\n");
}

// A few bytes a read: the loop's head has left the buffer by the time its end
// goes back, and the lines of each pass cross fills of the buffer.
TEST(Step, ALoopGoesBackAcrossFillsOfTheBuffer) {
  for (size_t chunk : {size_t{3}, size_t{7}, size_t{64}}) {
    DiskHost host;
    host.chunk = chunk;
    host.disk = loop_over("    x := x + n;\n    writeln(n, ' ', x);\n");
    EXPECT_EQ(host.run(), "1 1\n2 3\n3 6\n") << chunk;
  }
}

// Within the buffer a pass takes each line on trust: the lines of the body still
// run in order, and a line that only a handler read (the if skipping one) does not
// disturb what the next pass takes.
TEST(Step, ALoopWithinTheBufferRunsEveryPass) {
  DiskHost host;
  host.disk =
      loop_over("    if n > 1 then\n      x := x + 10;\n    x := x + 1;\n    writeln(x);\n");
  EXPECT_EQ(host.run(), "1\n12\n23\n");
}

}  // namespace
