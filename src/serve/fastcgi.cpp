// The FastCGI request loop. A worker accepts one request at a time, runs its script
// (SCRIPT_FILENAME) on a fresh interpreter in the script's folder, as a CGI server
// would start it there, and finishes the request; then it takes the next. The
// worker keeps only the script cache and the interpreter's storage from one request
// to the next.
#include <fcgiapp.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>
#include <utility>

#include "child.hpp"
#include "script_cache.hpp"
#include "vp/serve.hpp"
#include "worker_world.hpp"

namespace vp {

namespace {

class FcgiConnection final : public Connection {
 public:
  explicit FcgiConnection(FCGX_Request& request) : request_(request) {}

  bool write(const char* data, size_t size) override {
    while (size > 0) {
      // The library takes an int: a larger block goes in parts.
      const int part = size > (1u << 30) ? 1 << 30 : static_cast<int>(size);
      if (FCGX_PutStr(data, part, request_.out) != part) return false;
      data += part;
      size -= static_cast<size_t>(part);
    }
    return true;
  }
  void write_err(const char* data, size_t size) override {
    // Lost when the server has gone: there is nowhere left to report that.
    if (FCGX_PutStr(data, static_cast<int>(size < (1u << 30) ? size : 1u << 30), request_.err) >= 0)
      FCGX_FFlush(request_.err);
  }
  int read_byte() override { return FCGX_GetChar(request_.in); }
  void unread_byte(int c) override {
    if (c != EOF) FCGX_UnGetChar(c, request_.in);
  }
  const char* param(const char* name) override { return FCGX_GetParam(name, request_.envp); }
  bool run_program(const char* path, const char* arg, int* status, size_t* copied) override {
    // What the script wrote is in the response already; the child's output follows.
    if (FCGX_FFlush(request_.out) != 0) return false;
    // The child must not hold the server's connection open.
    fcntl(request_.ipcFd, F_SETFD, FD_CLOEXEC);
    // The program reads what the script left of the body.
    std::string rest;
    char buf[4096];
    for (int n; (n = FCGX_GetStr(buf, sizeof(buf), request_.in)) > 0;) rest.append(buf, n);
    return run_child(path, arg, request_.envp, rest, *this, status, copied);
  }

 private:
  FCGX_Request& request_;
};

// Moves into the folder of the script, where a CGI server starts its program: the
// working-directory variables and relative file names mean the same under both.
// A relative script path is taken from the folder the worker started in.
// Most requests are for the folder of the one before: that costs no system call.
void enter_folder_of(const char* path, const std::string& start, std::string* current) {
  const char* folder = start.c_str();
  size_t length = start.size();
  if (path != nullptr && path[0] == '/') {
    const char* slash = strrchr(path, '/');
    folder = path;
    length = slash == path ? 1 : static_cast<size_t>(slash - path);
  }
  if (current->compare(0, std::string::npos, folder, length) == 0) return;
  std::string wanted(folder, length);
  if (chdir(wanted.c_str()) == 0) *current = std::move(wanted);
}

// The request's script: SCRIPT_FILENAME, as CGI servers set it, else PATH_TRANSLATED.
const char* script_of(FCGX_Request& request) {
  const char* path = FCGX_GetParam("SCRIPT_FILENAME", request.envp);
  if (path == nullptr || path[0] == '\0') path = FCGX_GetParam("PATH_TRANSLATED", request.envp);
  return path;
}

}  // namespace

bool started_as_fastcgi() {
  struct stat in;
  if (fstat(0, &in) != 0 || !S_ISSOCK(in.st_mode)) return false;
  int listening = 0;
  socklen_t size = sizeof(listening);
  return getsockopt(0, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 && listening != 0;
}

int serve_fastcgi(const char* address) {
  // A client that goes away mid-page must end that request, not the worker.
  signal(SIGPIPE, SIG_IGN);
  if (FCGX_Init() != 0) {
    fprintf(stderr, "vp: the FastCGI library could not start\n");
    return 1;
  }
  int listener = 0;
  if (address != nullptr) {
    listener = FCGX_OpenSocket(address, 128);
    if (listener < 0) {
      fprintf(stderr, "vp: cannot listen on %s\n", address);
      return 1;
    }
  }
  char start_folder[4096];
  const std::string start = getcwd(start_folder, sizeof(start_folder)) ? start_folder : "/";
  std::string current = start;

  static InterpreterSpace space;
  static ScriptCache cache;
  static WorkerWorld world;
  FCGX_Request request;
  if (FCGX_InitRequest(&request, listener, 0) != 0) return 1;
  while (FCGX_Accept_r(&request) >= 0) {
    FcgiConnection connection(request);
    RequestHost host(connection, world, &cache);
    const char* path = script_of(request);
    enter_folder_of(path, start, &current);
    const int status = serve_request(space, host, path, kLineCap);
    FCGX_SetExitStatus(status, request.out);
    FCGX_Finish_r(&request);
  }
  return 0;
}

}  // namespace vp
