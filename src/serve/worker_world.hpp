// The world of a FastCGI worker: the real host, except that the release files
// probed at the start of every run are read once per worker. They describe the
// machine, which does not change under a running server, and reading them anew
// would cost every request eight system calls.
#pragma once

#include <string>

#include "vp/forwarding_host.hpp"

namespace vp {

class WorkerWorld final : public ForwardingHost {
 public:
  WorkerWorld() : ForwardingHost(real_) {}
  int probe_file(const char* path, char* line, int size) override;

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
