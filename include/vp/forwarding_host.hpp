// A host that hands every call to another one: a host that changes a few calls (the
// FastCGI worker's world, the tests' hosts) derives from it and overrides only those.
#pragma once

#include <cstdlib>

#include "vp/host.hpp"

namespace vp {

class ForwardingHost : public Host {
 public:
  // Only the reference is kept, so target may be a member not built yet.
  explicit ForwardingHost(Host& target) : target_(target) {}
  // A copy would hand its calls to the original's target.
  ForwardingHost(const ForwardingHost&) = delete;
  ForwardingHost& operator=(const ForwardingHost&) = delete;

  void write_out(const char* data, size_t size) override { target_.write_out(data, size); }
  const char* out_failure() override { return target_.out_failure(); }
  void write_err(const char* data, size_t size) override { target_.write_err(data, size); }
  int read_in() override { return target_.read_in(); }
  void unread_in(int c) override { target_.unread_in(c); }
  // read_in_block is not handed on: its default reads through read_in, so a host that
  // overrides read_in changes block reads too.
  const char* get_env(const char* name) override { return target_.get_env(name); }
  bool get_cwd(char* buf, size_t size) override { return target_.get_cwd(buf, size); }
  time_t now() override { return target_.now(); }
  int open_script(const char* path) override { return target_.open_script(path); }
  long read_script(int script, char* buf, size_t size) override {
    return target_.read_script(script, buf, size);
  }
  bool seek_script(int script, long offset) override { return target_.seek_script(script, offset); }
  void close_script(int script) override { target_.close_script(script); }
  FILE* open_append(const char* path) override { return target_.open_append(path); }
  bool identify(const char* path, FileIdentity* id, bool* missing) override {
    return target_.identify(path, id, missing);
  }
  bool identify_script(int script, FileIdentity* id) override {
    return target_.identify_script(script, id);
  }
  int probe_file(const char* path, char* line, int size) override {
    return target_.probe_file(path, line, size);
  }
  void exec(const char* path, const char* arg) override { target_.exec(path, arg); }
  void sleep_seconds(unsigned seconds) override { target_.sleep_seconds(seconds); }
  [[noreturn]] void exit_process(int status) override {
    target_.exit_process(status);
    std::abort();  // every host's exit_process ends the process or throws
  }

 private:
  Host& target_;
};

}  // namespace vp
