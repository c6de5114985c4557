// Runs the interpreter in-process on fuzzer-made input: the script, standard input
// and the CGI environment all come from the input, and the world is the memory host,
// so exec, sleep and the end of the process never leave this process.
//
// Input layout: one control byte, then the script, then up to eight further fields,
// each introduced by the separator "\n\x01\n": standard input (which is also the
// body of a POST), QUERY_STRING, HTTP_USER_AGENT, REMOTE_ADDR, CONTENT_LENGTH,
// REQUEST_METHOD, CONTENT_TYPE, HTTP_COOKIE. A missing field is an unset variable.
// Control byte: bit 0 trace mode, bit 1 exec replaces the process, bit 2 the working
// directory cannot be read, bit 3 a release file is present, bit 4 warnings (when not
// tracing), bit 5 a web server's request naming f.pas, and bit 6 standard output and
// the output file "full" failing as on a full disk. The checker reads every script too.
// Bit 7: the script is served as three requests of a persistent worker instead, whose
// answers must all be the same; bit 6 then has the client of the second request leave
// after 1 + 64 times bits 4 and 5 bytes.
//
// Each input runs twice, with the per-line cache and with it switched off: what a
// line's cached facts and plans give must be what scanning it afresh gives, so any
// difference in output, warnings, output files, execs, sleeps or status is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "vp/check.hpp"
#include "vp/handlers.hpp"
#include "vp/serve.hpp"

namespace {

constexpr std::string_view kSeparator = "\n\x01\n";
constexpr const char* kEnvNames[] = {"QUERY_STRING",   "HTTP_USER_AGENT", "REMOTE_ADDR",
                                     "CONTENT_LENGTH", "REQUEST_METHOD",  "CONTENT_TYPE",
                                     "HTTP_COOKIE"};

// The interpreter is some 200 KB: one buffer, rebuilt in place for every input, keeps
// the allocator out of each run.
vp::InterpreterSpace interpreter_space;

// Serves the script three times over one world, as a worker would: a request must
// answer as if it were the first, whatever the one before it did or suffered.
void serve_three_times(vp::MemoryHost& world, uint8_t control) {
  std::string first;
  for (int request = 0; request < 3; ++request) {
    vp::MemoryConnection connection;
    for (const auto& [name, value] : world.env) connection.params[name] = value;
    connection.body = world.input;
    connection.programs_start = (control & 2) != 0;
    connection.program_output = "from the program\n";
    if (request == 1 && (control & 64) != 0)
      connection.write_limit = 1 + static_cast<size_t>(control >> 4 & 3) * 64;
    vp::RequestHost host(connection, world, nullptr);
    vp::serve_request(interpreter_space, host, "f.pas", 1000);
    if (request == 0) first = connection.out;
    const bool whole = connection.write_limit == static_cast<size_t>(-1);
    if (request > 0 && whole && connection.out != first) __builtin_trap();
  }
}

// Fills a fresh host from the input.
void set_up(vp::MemoryHost& host, const uint8_t* data, size_t size) {
  const uint8_t control = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

  // Splits off the next field; the last field takes everything that is left.
  auto next_field = [&rest](std::string_view* field) {
    if (rest.data() == nullptr) return false;
    const size_t at = rest.find(kSeparator);
    if (at == std::string_view::npos) {
      *field = rest;
      rest = std::string_view();
    } else {
      *field = rest.substr(0, at);
      rest = rest.substr(at + kSeparator.size());
    }
    return true;
  };

  host.exec_succeeds = (control & 2) != 0;
  host.cwd_fails = (control & 4) != 0;
  host.clock = 86400 * 365;
  if ((control & 8) != 0) host.probe["/etc/debian_version"] = "12.5\n";
  if ((control & 32) != 0) {
    host.env["GATEWAY_INTERFACE"] = "CGI/1.1";
    host.env["SCRIPT_FILENAME"] = "f.pas";
  }
  host.out_full = (control & 64) != 0;
  host.full_file = "full";

  std::string_view field;
  next_field(&field);
  host.scripts["f.pas"] = std::string(field);
  if (next_field(&field)) host.input = std::string(field);
  for (const char* name : kEnvNames)
    if (next_field(&field)) host.env[name] = std::string(field);
}

// What a run did to the world, for the comparison of the two runs.
struct Outcome {
  std::string out;
  std::string err;
  std::map<std::string, std::string> files;
  std::vector<std::string> execs;
  std::vector<unsigned> sleeps;
  int status;

  bool operator==(const Outcome&) const = default;
};

// Runs the script of host once, with the line cache on or off.
Outcome run_once(vp::MemoryHost& host, uint8_t control, bool cache_off) {
  const char* flag = (control & 1) != 0 ? "-d" : (control & 16) != 0 ? "-w" : "-";
  const char* argv[] = {"vp", "f.pas", flag};
  auto* it = new (interpreter_space.bytes) vp::Interpreter(host);
  it->line_cache.off = cache_off;
  // A loop that runs to the cap exercises the same code at pass 1000 as at pass 9999,
  // at a tenth of the cost.
  it->line_cap = 1000;
  int status;
  try {
    status = vp::run(*it, 3, argv);
    // What end_process does, without the exception it ends in: most runs get here,
    // and a throw per input costs the fuzzer a good part of its speed.
    vp::flush_out(*it);
  } catch (const vp::ProcessExit& e) {
    status = e.status;
  }
  // The streams a real end of the process would close.
  vp::close_text_file(*it);
  vp::close_script(*it);
  it->~Interpreter();
  return {host.out, host.err, host.files, host.execs, host.sleeps, status};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if ((data[0] & 128) != 0) {
    vp::MemoryHost world;
    set_up(world, data, size);
    serve_three_times(world, data[0]);
    return 0;
  }
  vp::MemoryHost cached_host;
  set_up(cached_host, data, size);
  const Outcome cached = run_once(cached_host, data[0], false);
  vp::MemoryHost fresh_host;
  set_up(fresh_host, data, size);
  const Outcome fresh = run_once(fresh_host, data[0], true);

  // The checker reads the same script; its findings go nowhere.
  static FILE* const sink = fopen("/dev/null", "w");
  const std::string& script = fresh_host.scripts["f.pas"];
  if (sink != nullptr && !script.empty()) {
    if (FILE* in = fmemopen(const_cast<char*>(script.data()), script.size(), "r")) {
      vp::check_script(in, "f.pas", sink);
      fclose(in);
    }
  }
  if (!(cached == fresh)) {
    fprintf(stderr, "the run with the line cache differs from the run without it\n");
    abort();
  }
  return 0;
}
