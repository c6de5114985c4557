#include "harness.hpp"

#include "vp/handlers.hpp"

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
  }
  // An exec that replaced the process leaves the streams that a real end would close.
  close_text_file(*it);
  if (it->fp != nullptr) fclose(it->fp);
  return {host.out, status};
}

RunResult run_script(const std::string& script, const std::vector<std::string>& args) {
  MemoryHost host;
  return run_script(host, script, args);
}

std::string program(const std::string& declarations, const std::string& body) {
  return "program t;\n" + declarations + "begin\n" + body + "end.\n";
}

}  // namespace vp::testing
