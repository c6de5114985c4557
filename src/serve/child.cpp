// A child program whose output becomes part of a page.
#include "child.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace vp {

namespace {

// The child starts with the signals a CGI program would: the worker ignores broken
// pipes, the child must not inherit that.
bool spawn(pid_t* pid, const char* path, const char* arg, char* const* envp, int out_fd) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  char* const argv[] = {const_cast<char*>(path), const_cast<char*>(arg), nullptr};
  const int failed = posix_spawn(pid, path, &actions, &attributes, argv, envp);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0;
}

}  // namespace

bool run_child(const char* path, const char* arg, char* const* envp, Connection& response,
               int* status, size_t* copied) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return false;
  pid_t pid;
  const bool started = spawn(&pid, path, arg, envp, pipe_fds[1]);
  ::close(pipe_fds[1]);
  if (!started) {
    ::close(pipe_fds[0]);
    return false;
  }
  char buf[4096];
  *copied = 0;
  for (;;) {
    const ssize_t n = ::read(pipe_fds[0], buf, sizeof(buf));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    // A client gone: the child's next write breaks its pipe and ends it.
    if (!response.write(buf, static_cast<size_t>(n))) break;
    *copied += static_cast<size_t>(n);
  }
  ::close(pipe_fds[0]);
  int wait_status = 0;
  while (waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  *status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 1;
  return true;
}

}  // namespace vp
