// The real host: POSIX calls, no iostreams.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "vp/host.hpp"

namespace vp {

void PosixHost::write_out(const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(1, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a closed pipe: nothing more can be said
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

int PosixHost::read_in() {
  if (pushed_ != -2) {
    int c = pushed_;
    pushed_ = -2;
    return c;
  }
  if (in_pos_ == in_len_) {
    ssize_t n;
    do {
      n = ::read(0, in_buf_, sizeof(in_buf_));
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return EOF;
    in_pos_ = 0;
    in_len_ = static_cast<int>(n);
  }
  return static_cast<unsigned char>(in_buf_[in_pos_++]);
}

void PosixHost::unread_in(int c) {
  pushed_ = c;
}

const char* PosixHost::get_env(const char* name) {
  return getenv(name);
}

bool PosixHost::get_cwd(char* buf, size_t size) {
  return getcwd(buf, size) != nullptr;
}

time_t PosixHost::now() {
  return time(nullptr);
}

FILE* PosixHost::open_script(const char* path) {
  return fopen(path, "r");
}

FILE* PosixHost::open_append(const char* path) {
  return fopen(path, "a");
}

int PosixHost::probe_file(const char* path, char* line, int size) {
  FILE* f = fopen(path, "r");
  if (f == nullptr) return -1;
  int n = 0;
  if (size > 0) {
    line[0] = '\0';
    if (fgets(line, size, f) != nullptr) n = static_cast<int>(strlen(line));
  }
  fclose(f);
  return n;
}

void PosixHost::exec(const char* path, const char* arg) {
  execl(path, path, arg, static_cast<char*>(nullptr));
}

void PosixHost::sleep_seconds(unsigned seconds) {
  while (seconds > 0) seconds = ::sleep(seconds);
}

void PosixHost::exit_process(int status) {
  exit(status);
}

}  // namespace vp
