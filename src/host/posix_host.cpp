// The real host: POSIX calls, no iostreams.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "vp/host.hpp"

namespace vp {

namespace {

// Writes all of data to fd; the error of the write that failed, or 0.
int write_all(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

// A reader that goes away early must not end the run by its signal before the output
// text file is written and closed: the write then fails with EPIPE instead, and the
// run reports it. Programs started by exec get the signal's default back.
PosixHost::PosixHost() {
  signal(SIGPIPE, SIG_IGN);
}

void PosixHost::write_out(const char* data, size_t size) {
  if (out_errno_ == 0) out_errno_ = write_all(1, data, size);
}

const char* PosixHost::out_failure() {
  return out_errno_ == 0 ? nullptr : strerror(out_errno_);
}

void PosixHost::write_err(const char* data, size_t size) {
  write_all(2, data, size);
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

// Close-on-exec, so a program that exec starts does not inherit the script.
int PosixHost::open_script(const char* path) {
  int fd;
  do {
    fd = ::open(path, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

long PosixHost::read_script(int script, char* buf, size_t size) {
  ssize_t n;
  do {
    n = ::read(script, buf, size);
  } while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

bool PosixHost::seek_script(int script, long offset) {
  return ::lseek(script, offset, SEEK_SET) == offset;
}

void PosixHost::close_script(int script) {
  ::close(script);
}

FILE* PosixHost::open_append(const char* path) {
  return fopen(path, "ae");
}

namespace {

void identity_of(const struct stat& st, FileIdentity* id) {
  id->device = st.st_dev;
  id->inode = st.st_ino;
  id->regular = S_ISREG(st.st_mode);
}

}  // namespace

bool PosixHost::identify(const char* path, FileIdentity* id, bool* missing) {
  struct stat st;
  if (::stat(path, &st) != 0) {
    *missing = errno == ENOENT || errno == ENOTDIR;
    return false;
  }
  *missing = false;
  identity_of(st, id);
  return true;
}

bool PosixHost::identify_script(int script, FileIdentity* id) {
  struct stat st;
  if (::fstat(script, &st) != 0) return false;
  identity_of(st, id);
  return true;
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
  signal(SIGPIPE, SIG_DFL);
  execl(path, path, arg, static_cast<char*>(nullptr));
  signal(SIGPIPE, SIG_IGN);
}

void PosixHost::sleep_seconds(unsigned seconds) {
  while (seconds > 0) seconds = ::sleep(seconds);
}

void PosixHost::exit_process(int status) {
  exit(status);
}

}  // namespace vp
