// The real host: POSIX calls, no iostreams.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
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

// What read_in holds back comes first; the rest goes straight into buf, so a request
// body is read in a few calls and never a byte past its end.
size_t PosixHost::read_in_block(char* buf, size_t size) {
  size_t n = 0;
  if (n < size && pushed_ != -2) {
    const int c = pushed_;
    pushed_ = -2;
    if (c == EOF) return 0;
    buf[n++] = static_cast<char>(c);
  }
  const size_t held = std::min(size - n, static_cast<size_t>(in_len_ - in_pos_));
  memcpy(buf + n, in_buf_ + in_pos_, held);
  in_pos_ += static_cast<int>(held);
  n += held;
  while (n < size) {
    const ssize_t got = ::read(0, buf + n, size - n);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    n += static_cast<size_t>(got);
  }
  return n;
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

// Runs at every start-up: plain open and read keep stdio's allocation out of it.
// The first line comes out as fgets would give it: at most size - 1 bytes, line end
// kept, cut at the first NUL.
int PosixHost::probe_file(const char* path, char* line, int size) {
  int fd;
  do {
    fd = ::open(path, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  int n = 0;
  if (size > 0) {
    while (n < size - 1) {
      const ssize_t got = ::read(fd, line + n, static_cast<size_t>(size - 1 - n));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      const void* end = memchr(line + n, '\n', static_cast<size_t>(got));
      n += static_cast<int>(got);
      if (end != nullptr) {
        n = static_cast<int>(static_cast<const char*>(end) - line) + 1;
        break;
      }
    }
    line[n] = '\0';
    n = static_cast<int>(strlen(line));
  }
  ::close(fd);
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
