// The world of a FastCGI worker: the real host, except that the release files
// probed at the start of every run are read once per worker. They describe the
// machine, which does not change under a running server, and reading them anew
// would cost every request eight system calls.
#pragma once

#include <string>

#include "vp/host.hpp"

namespace vp {

class WorkerWorld final : public Host {
 public:
  void write_out(const char* data, size_t size) override { real_.write_out(data, size); }
  const char* out_failure() override { return real_.out_failure(); }
  void write_err(const char* data, size_t size) override { real_.write_err(data, size); }
  int read_in() override { return real_.read_in(); }
  void unread_in(int c) override { real_.unread_in(c); }
  const char* get_env(const char* name) override { return real_.get_env(name); }
  bool get_cwd(char* buf, size_t size) override { return real_.get_cwd(buf, size); }
  time_t now() override { return real_.now(); }
  int open_script(const char* path) override { return real_.open_script(path); }
  long read_script(int script, char* buf, size_t size) override {
    return real_.read_script(script, buf, size);
  }
  bool seek_script(int script, long offset) override { return real_.seek_script(script, offset); }
  void close_script(int script) override { real_.close_script(script); }
  FILE* open_append(const char* path) override { return real_.open_append(path); }
  bool identify(const char* path, FileIdentity* id, bool* missing) override {
    return real_.identify(path, id, missing);
  }
  bool identify_script(int script, FileIdentity* id) override {
    return real_.identify_script(script, id);
  }
  int probe_file(const char* path, char* line, int size) override;
  void exec(const char* path, const char* arg) override { real_.exec(path, arg); }
  void sleep_seconds(unsigned seconds) override { real_.sleep_seconds(seconds); }
  [[noreturn]] void exit_process(int status) override { real_.exit_process(status); }

 private:
  struct Probe {
    std::string path;  // empty for an unused entry
    int size;
    int result;
    char line[128];
  };
  PosixHost real_;
  Probe probes_[8] = {};
};

}  // namespace vp
