// One request: the host that gives a run the request as its world, and the run of a
// request's script on a fresh interpreter.
#include <cstring>
#include <new>

#include "script_cache.hpp"
#include "vp/handlers.hpp"
#include "vp/serve.hpp"

namespace vp {

void RequestHost::write_out(const char* data, size_t size) {
  if (client_gone_) throw RequestEnd{0};
  if (!connection_.write(data, size)) {
    // Nobody reads the rest of the page: stop the run rather than compute it.
    client_gone_ = true;
    throw RequestEnd{0};
  }
  written_ += size;
}

const char* RequestHost::out_failure() {
  return client_gone_ ? "the client went away" : nullptr;
}

void RequestHost::write_err(const char* data, size_t size) {
  connection_.write_err(data, size);
}

int RequestHost::read_in() {
  return connection_.read_byte();
}

void RequestHost::unread_in(int c) {
  connection_.unread_byte(c);
}

const char* RequestHost::get_env(const char* name) {
  const char* value = connection_.param(name);
  // Every request comes through a gateway, whether or not the server says so: the
  // script's path is never taken for a version request.
  if (value == nullptr && strcmp(name, "GATEWAY_INTERFACE") == 0) return "CGI/1.1";
  return value;
}

bool RequestHost::get_cwd(char* buf, size_t size) {
  return world_.get_cwd(buf, size);
}

time_t RequestHost::now() {
  return world_.now();
}

int RequestHost::open_script(const char* path) {
  if (prepared_ >= 0) {
    const int script = prepared_;
    prepared_ = -1;
    return script;
  }
  if (cache_ == nullptr) return world_.open_script(path);
  if (script_open_) close_script(0);
  script_bytes_ = cache_->open(path, &script_identity_);
  script_at_ = 0;
  world_script_ = -1;
  if (script_bytes_ == nullptr) {
    if (cache_->status() == ScriptCache::Status::kMissing) return -1;
    world_script_ = world_.open_script(path);
    if (world_script_ < 0) return -1;
  }
  script_open_ = true;
  return 0;
}

long RequestHost::read_script(int script, char* buf, size_t size) {
  if (cache_ == nullptr) return world_.read_script(script, buf, size);
  if (script != 0 || !script_open_) return -1;
  if (script_bytes_ == nullptr) return world_.read_script(world_script_, buf, size);
  const size_t left = script_bytes_->size() - static_cast<size_t>(script_at_);
  const size_t n = size < left ? size : left;
  memcpy(buf, script_bytes_->data() + script_at_, n);
  script_at_ += static_cast<long>(n);
  return static_cast<long>(n);
}

bool RequestHost::seek_script(int script, long offset) {
  if (cache_ == nullptr) return world_.seek_script(script, offset);
  if (script != 0 || !script_open_) return false;
  if (script_bytes_ == nullptr) return world_.seek_script(world_script_, offset);
  if (offset < 0 || static_cast<size_t>(offset) > script_bytes_->size()) return false;
  script_at_ = offset;
  return true;
}

void RequestHost::close_script(int script) {
  if (cache_ == nullptr) {
    world_.close_script(script);
    return;
  }
  if (script != 0 || !script_open_) return;
  if (world_script_ >= 0) world_.close_script(world_script_);
  world_script_ = -1;
  script_bytes_ = nullptr;
  script_open_ = false;
}

FILE* RequestHost::open_append(const char* path) {
  return world_.open_append(path);
}

bool RequestHost::identify(const char* path, FileIdentity* id, bool* missing) {
  return world_.identify(path, id, missing);
}

bool RequestHost::identify_script(int script, FileIdentity* id) {
  if (cache_ == nullptr) return world_.identify_script(script, id);
  if (script != 0 || !script_open_) return false;
  if (script_bytes_ == nullptr) return world_.identify_script(world_script_, id);
  *id = script_identity_;
  return true;
}

int RequestHost::probe_file(const char* path, char* line, int size) {
  return world_.probe_file(path, line, size);
}

// Under CGI the program takes the process over; here it runs beside the worker and
// its output ends the page, so the request ends once it has.
void RequestHost::exec(const char* path, const char* arg) {
  int status = 0;
  size_t copied = 0;
  if (!connection_.run_program(path, arg, &status, &copied)) return;
  written_ += copied;
  throw RequestEnd{status};
}

void RequestHost::sleep_seconds(unsigned seconds) {
  world_.sleep_seconds(seconds);
}

void RequestHost::exit_process(int status) {
  throw RequestEnd{status};
}

bool RequestHost::prepare_script(const char* path) {
  drop_prepared();
  prepared_ = open_script(path);
  return prepared_ >= 0;
}

void RequestHost::drop_prepared() {
  if (prepared_ >= 0) close_script(prepared_);
  prepared_ = -1;
}

namespace {

constexpr char kNotFound[] =
    "Status: 404 Not Found\n"
    "Content-Type: text/plain\n"
    "\n"
    "No such script.\n";
// A page with no output at all would be no valid answer: it gets an empty page.
constexpr char kEmptyPage[] = "Content-type: text/html\n\n";

// Runs the script on it; returns the exit status, however the run ended.
int run_script(Interpreter& it, const char* path) {
  const char* argv[] = {"vp", path};
  try {
    return finish_run(it, run(it, 2, argv));
  } catch (const RequestEnd& end) {
    return end.status;
  }
}

}  // namespace

int serve_request(InterpreterSpace& space, RequestHost& host, const char* path, int line_cap) {
  if (path == nullptr || path[0] == '\0' || !host.prepare_script(path)) {
    try {
      host.write_out(kNotFound, sizeof(kNotFound) - 1);
    } catch (const RequestEnd&) {
    }
    return 0;
  }
  auto* it = new (space.bytes) Interpreter(host);
  it->line_cap = line_cap;
  const int status = run_script(*it, path);
  // A run that ended by an exception (a client gone) left these open: the output
  // text file is flushed and closed at the end of its request, as a process's is.
  close_text_file(*it);
  close_script(*it);
  it->~Interpreter();
  host.drop_prepared();
  if (host.bytes_written() == 0 && !host.client_gone()) {
    try {
      host.write_out(kEmptyPage, sizeof(kEmptyPage) - 1);
    } catch (const RequestEnd&) {
    }
  }
  return status;
}

}  // namespace vp
