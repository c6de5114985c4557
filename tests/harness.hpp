// Runs the interpreter in-process over a MemoryHost.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vp/interpreter.hpp"

namespace vp::testing {

// A host that hands every call to a MemoryHost: a test derives from it and overrides
// only the calls it changes.
class ForwardingHost : public Host {
 public:
  MemoryHost inner;

  void write_out(const char* data, size_t size) override { inner.write_out(data, size); }
  const char* out_failure() override { return inner.out_failure(); }
  void write_err(const char* data, size_t size) override { inner.write_err(data, size); }
  int read_in() override { return inner.read_in(); }
  void unread_in(int c) override { inner.unread_in(c); }
  const char* get_env(const char* name) override { return inner.get_env(name); }
  bool get_cwd(char* buf, size_t size) override { return inner.get_cwd(buf, size); }
  time_t now() override { return inner.now(); }
  int open_script(const char* path) override { return inner.open_script(path); }
  long read_script(int script, char* buf, size_t size) override {
    return inner.read_script(script, buf, size);
  }
  bool seek_script(int script, long offset) override { return inner.seek_script(script, offset); }
  void close_script(int script) override { inner.close_script(script); }
  FILE* open_append(const char* path) override { return inner.open_append(path); }
  bool identify(const char* path, FileIdentity* id, bool* missing) override {
    return inner.identify(path, id, missing);
  }
  bool identify_script(int script, FileIdentity* id) override {
    return inner.identify_script(script, id);
  }
  int probe_file(const char* path, char* line, int size) override {
    return inner.probe_file(path, line, size);
  }
  void exec(const char* path, const char* arg) override { inner.exec(path, arg); }
  void sleep_seconds(unsigned seconds) override { inner.sleep_seconds(seconds); }
  [[noreturn]] void exit_process(int status) override { inner.exit_process(status); }
};

struct RunResult {
  std::string out;
  int status;
};

// Runs script (saved as "t.pas") with the given extra command-line words, and
// returns what it printed and the exit status.
RunResult run_script(MemoryHost& host, const std::string& script,
                     const std::vector<std::string>& args = {}, const char* program = "vp");

// The same with a fresh host.
RunResult run_script(const std::string& script, const std::vector<std::string>& args = {});

// Wraps statements in a program frame with the given declarations.
std::string program(const std::string& declarations, const std::string& body);

}  // namespace vp::testing
