#include "harness.hpp"

#include <stdio_ext.h>
#include <stdlib.h>

#include <cstdlib>

namespace vp::testing {

RunResult run_script(MemoryHost& host, const std::string& script,
                     const std::vector<std::string>& args, const char* program) {
  host.scripts["t.pas"] = script;
  auto it = std::make_unique<Interpreter>(host);
  std::vector<const char*> argv = {program, "t.pas"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  int status;
  try {
    status = run(*it, static_cast<int>(argv.size()), argv.data());
    end_process(*it, status);
  } catch (const ProcessExit& e) {
    status = e.status;
    // A process replaced by exec drops what its streams still buffer; emulate that,
    // so a test sees only what was flushed before, and release the streams.
    if (FILE* f = it->file.stream; f != nullptr) {
      __fpurge(f);
      fclose(f);
    }
    close_script(*it);
  }
  return {host.out, status};
}

RunResult run_script(const std::string& script, const std::vector<std::string>& args) {
  MemoryHost host;
  return run_script(host, script, args);
}

std::string program(const std::string& declarations, const std::string& body) {
  return "program t;\n" + declarations + "begin\n" + body + "end.\n";
}

ScratchDir::ScratchDir() {
  char tmpl[] = "/tmp/vp-test-XXXXXX";
  const char* made = mkdtemp(tmpl);
  path = made != nullptr ? made : "";
}

ScratchDir::~ScratchDir() {
  if (!path.empty()) std::system(("rm -rf '" + path + "'").c_str());
}

std::string ScratchDir::write(const std::string& name, const std::string& content) const {
  const std::string file = path + "/" + name;
  FILE* f = fopen(file.c_str(), "wb");
  if (f != nullptr) {
    fwrite(content.data(), 1, content.size(), f);
    fclose(f);
  }
  return file;
}

}  // namespace vp::testing
