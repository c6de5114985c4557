// Runs the interpreter in-process over a MemoryHost.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vp/forwarding_host.hpp"
#include "vp/interpreter.hpp"

namespace vp::testing {

// A host that hands every call to a MemoryHost: a test derives from it and overrides
// only the calls it changes.
class ForwardingHost : public vp::ForwardingHost {
 public:
  ForwardingHost() : vp::ForwardingHost(inner) {}
  MemoryHost inner;
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

// A scratch folder under /tmp that goes away with the test.
struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  // Writes a file into the folder and returns its path.
  std::string write(const std::string& name, const std::string& content) const;
  std::string path;
};

}  // namespace vp::testing
