// The in-memory host for tests and the fuzzer: scripts, input and environment come
// from fields the test sets; output, files, execs and sleeps are recorded.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "vp/host.hpp"

namespace vp {

namespace {

struct FileSink {
  std::string* target;
};

ssize_t sink_write(void* cookie, const char* data, size_t size) {
  static_cast<FileSink*>(cookie)->target->append(data, size);
  return static_cast<ssize_t>(size);
}

ssize_t full_write(void*, const char*, size_t) {
  errno = ENOSPC;
  return -1;
}

int sink_close(void* cookie) {
  delete static_cast<FileSink*>(cookie);
  return 0;
}

}  // namespace

MemoryHost::MemoryHost() = default;

MemoryHost::~MemoryHost() = default;

void MemoryHost::write_out(const char* data, size_t size) {
  if (out_full)
    out_failed_ = true;
  else
    out.append(data, size);
}

const char* MemoryHost::out_failure() {
  return out_failed_ ? "No space left on device" : nullptr;
}

void MemoryHost::write_err(const char* data, size_t size) {
  err.append(data, size);
}

int MemoryHost::read_in() {
  if (in_pos_ >= input.size()) {
    ++in_pos_;  // so an unread after the end puts nothing back
    return EOF;
  }
  return static_cast<unsigned char>(input[in_pos_++]);
}

void MemoryHost::unread_in(int c) {
  if (c != EOF && in_pos_ > 0) --in_pos_;
}

const char* MemoryHost::get_env(const char* name) {
  auto found = env.find(name);
  return found == env.end() ? nullptr : found->second.c_str();
}

bool MemoryHost::get_cwd(char* buf, size_t size) {
  if (cwd_fails || cwd.size() + 1 > size) return false;
  memcpy(buf, cwd.c_str(), cwd.size() + 1);
  return true;
}

time_t MemoryHost::now() {
  return clock;
}

int MemoryHost::open_script(const char* path) {
  auto found = scripts.find(path);
  if (found == scripts.end()) {
    errno = ENOENT;
    return -1;
  }
  // A copy, as a file's open descriptor reads on whatever later becomes of the name.
  open_scripts_.push_back({path, found->second, 0, true});
  return static_cast<int>(open_scripts_.size() - 1);
}

long MemoryHost::read_script(int script, char* buf, size_t size) {
  if (script < 0 || static_cast<size_t>(script) >= open_scripts_.size()) return -1;
  OpenScript& s = open_scripts_[static_cast<size_t>(script)];
  if (!s.open) return -1;
  const size_t n = std::min(size, s.text.size() - s.at);
  memcpy(buf, s.text.data() + s.at, n);
  s.at += n;
  return static_cast<long>(n);
}

bool MemoryHost::seek_script(int script, long offset) {
  if (script < 0 || static_cast<size_t>(script) >= open_scripts_.size()) return false;
  OpenScript& s = open_scripts_[static_cast<size_t>(script)];
  if (!s.open || offset < 0 || static_cast<size_t>(offset) > s.text.size()) return false;
  s.at = static_cast<size_t>(offset);
  return true;
}

void MemoryHost::close_script(int script) {
  if (script < 0 || static_cast<size_t>(script) >= open_scripts_.size()) return;
  OpenScript& s = open_scripts_[static_cast<size_t>(script)];
  s.open = false;
  s.text = std::string();
}

FILE* MemoryHost::open_append(const char* path) {
  if (path[0] == '\0' || strchr(path, '\n') != nullptr) {
    errno = ENOENT;
    return nullptr;
  }
  auto* sink = new FileSink{&files[path]};
  cookie_io_functions_t io = {nullptr, path == full_file ? full_write : sink_write, nullptr,
                              sink_close};
  return fopencookie(sink, "a", io);
}

// A script's identity is its path: every script is a plain file of its own.
bool MemoryHost::identify(const char* path, FileIdentity* id, bool* missing) {
  *missing = scripts.find(path) == scripts.end();
  if (*missing) return false;
  id->device = 1;
  id->inode = std::hash<std::string>{}(path);
  id->regular = true;
  return true;
}

bool MemoryHost::identify_script(int script, FileIdentity* id) {
  if (script < 0 || static_cast<size_t>(script) >= open_scripts_.size()) return false;
  const OpenScript& s = open_scripts_[static_cast<size_t>(script)];
  bool missing;
  return s.open && identify(s.path.c_str(), id, &missing);
}

int MemoryHost::probe_file(const char* path, char* line, int size) {
  auto found = probe.find(path);
  if (found == probe.end()) return -1;
  if (size <= 0) return 0;
  const std::string& text = found->second;
  int n = 0;
  while (n < size - 1 && n < static_cast<int>(text.size())) {
    line[n] = text[static_cast<size_t>(n)];
    ++n;
    if (line[n - 1] == '\n') break;
  }
  line[n] = '\0';
  return n;
}

void MemoryHost::exec(const char* path, const char* arg) {
  execs.push_back(std::string(path) + "|" + arg);
  if (exec_succeeds) throw ProcessExit{0};
  errno = ENOENT;
}

void MemoryHost::sleep_seconds(unsigned seconds) {
  sleeps.push_back(seconds);
}

void MemoryHost::exit_process(int status) {
  throw ProcessExit{status};
}

}  // namespace vp
