// Serving pages from a persistent process: each request runs its script exactly as a
// CGI run would, on a fresh interpreter, with the request as its world. What ends a
// CGI process (halt, a fatal error, the line cap, exec) ends only the request.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "vp/host.hpp"
#include "vp/interpreter.hpp"

namespace vp {

// What a request brings and takes: its parameters, its body and its response.
class Connection {
 public:
  virtual ~Connection() = default;
  // Appends to the response; false when the client can no longer be written to.
  virtual bool write(const char* data, size_t size) = 0;
  // The server's error log: the interpreter's own trouble, never the page.
  virtual void write_err(const char* data, size_t size) = 0;
  // The request body, one byte at a time; EOF at its end.
  virtual int read_byte() = 0;
  // Puts back the byte just read.
  virtual void unread_byte(int c) = 0;
  // A request parameter (the CGI environment); nullptr when not set.
  virtual const char* param(const char* name) = 0;
  // Runs the program at path with the single argument arg as a child whose output
  // goes into the response; false when it could not be started. *status is its exit
  // status, *copied the bytes of output it gave.
  virtual bool run_program(const char* path, const char* arg, int* status, size_t* copied) = 0;
};

// A request held in memory, for tests and the fuzzer.
class MemoryConnection final : public Connection {
 public:
  // What the request brings.
  std::map<std::string, std::string> params;
  std::string body;
  size_t write_limit = static_cast<size_t>(-1);  // bytes after which the client is gone
  bool programs_start = false;                   // whether run_program starts one
  std::string program_output;                    // what a started program writes

  // What the request took.
  std::string out;
  std::string err;
  std::vector<std::string> programs;  // "path|arg" per attempt

  bool write(const char* data, size_t size) override;
  void write_err(const char* data, size_t size) override;
  int read_byte() override;
  void unread_byte(int c) override;
  const char* param(const char* name) override;
  bool run_program(const char* path, const char* arg, int* status, size_t* copied) override;

 private:
  size_t body_at_ = 0;
};

// Thrown by RequestHost where a CGI process would end: unwinds to the request loop.
struct RequestEnd {
  int status;
};

class ScriptCache;

// The host of one request: standard streams and environment are the request's, the
// rest of the world is world's; scripts come through cache when there is one.
class RequestHost final : public Host {
 public:
  RequestHost(Connection& connection, Host& world, ScriptCache* cache)
      : connection_(connection), world_(world), cache_(cache) {}

  void write_out(const char* data, size_t size) override;
  const char* out_failure() override;
  void write_err(const char* data, size_t size) override;
  int read_in() override;
  void unread_in(int c) override;
  const char* get_env(const char* name) override;
  bool get_cwd(char* buf, size_t size) override;
  time_t now() override;
  int open_script(const char* path) override;
  long read_script(int script, char* buf, size_t size) override;
  bool seek_script(int script, long offset) override;
  void close_script(int script) override;
  FILE* open_append(const char* path) override;
  bool identify(const char* path, FileIdentity* id, bool* missing) override;
  bool identify_script(int script, FileIdentity* id) override;
  int probe_file(const char* path, char* line, int size) override;
  void exec(const char* path, const char* arg) override;
  void sleep_seconds(unsigned seconds) override;
  [[noreturn]] void exit_process(int status) override;

  // Opens the request's script ahead of the run, so that a missing one can be
  // answered before anything is written; the run's own open then takes it.
  bool prepare_script(const char* path);
  // Closes a prepared script that the run never took.
  void drop_prepared();
  size_t bytes_written() const { return written_; }
  bool client_gone() const { return client_gone_; }

 private:
  Connection& connection_;
  Host& world_;
  ScriptCache* cache_;
  int prepared_ = -1;  // the script opened ahead of the run, until the run takes it
  // With a cache, the request's one script has the handle 0: the cached bytes, read
  // from script_at_, or a file the cache does not keep, through the world's handle.
  bool script_open_ = false;
  const std::string* script_bytes_ = nullptr;
  long script_at_ = 0;
  int world_script_ = -1;
  FileIdentity script_identity_ = {};
  size_t written_ = 0;
  bool client_gone_ = false;
};

// Storage for the interpreter of one request at a time, rebuilt in place for each:
// it is some 340 KB, and a fresh one per request must not churn the heap.
struct InterpreterSpace {
  alignas(Interpreter) unsigned char bytes[sizeof(Interpreter)];
};

// Runs the script at path for one request on host, from a fresh interpreter built in
// space. A script that cannot be opened is answered with 404; a script that writes
// nothing gets an empty page. Returns the run's exit status.
int serve_request(InterpreterSpace& space, RequestHost& host, const char* path, int line_cap);

// Whether standard input is a listening socket: how a web server starts a FastCGI
// program.
bool started_as_fastcgi();
// Serves FastCGI requests until the server goes away: on the listening socket of
// standard input (address nullptr), or on address (a socket path or HOST:PORT).
int serve_fastcgi(const char* address);

}  // namespace vp
