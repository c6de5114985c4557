// A child program whose output becomes part of a page.
#include "child.hpp"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace vp {

namespace {

// The child starts with the signals a CGI program would: the worker ignores broken
// pipes, the child must not inherit that.
bool spawn(pid_t* pid, const char* path, const char* arg, char* const* envp, int in_fd,
           int out_fd) {
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
  posix_spawn_file_actions_adddup2(&actions, in_fd, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  char* const argv[] = {const_cast<char*>(path), const_cast<char*>(arg), nullptr};
  const int failed = posix_spawn(pid, path, &actions, &attributes, argv, envp);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0;
}

// Feeds input to the child and copies its output into response until the child
// closes its output. A child that stops reading gets the rest of its input dropped;
// a client gone closes the child's output, whose next write then ends it.
void exchange(int to_child, int from_child, const std::string& input, Connection& response,
              size_t* copied) {
  size_t fed = 0;
  if (input.empty()) {
    ::close(to_child);
    to_child = -1;
  }
  char buf[4096];
  for (;;) {
    pollfd fds[2] = {{from_child, POLLIN, 0}, {to_child, POLLOUT, 0}};
    if (poll(fds, to_child >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (to_child >= 0 && fds[1].revents != 0) {
      const ssize_t n = ::write(to_child, input.data() + fed, input.size() - fed);
      if (n > 0) fed += static_cast<size_t>(n);
      if ((n < 0 && errno != EINTR && errno != EAGAIN) || fed == input.size()) {
        ::close(to_child);
        to_child = -1;
      }
    }
    if (fds[0].revents == 0) continue;
    const ssize_t n = ::read(from_child, buf, sizeof(buf));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || !response.write(buf, static_cast<size_t>(n))) break;
    *copied += static_cast<size_t>(n);
  }
  if (to_child >= 0) ::close(to_child);
}

}  // namespace

bool run_child(const char* path, const char* arg, char* const* envp, const std::string& input,
               Connection& response, int* status, size_t* copied) {
  int out[2];
  int in[2];
  if (pipe2(out, O_CLOEXEC) != 0) return false;
  if (pipe2(in, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return false;
  }
  pid_t pid;
  const bool started = spawn(&pid, path, arg, envp, in[0], out[1]);
  ::close(out[1]);
  ::close(in[0]);
  if (!started) {
    ::close(out[0]);
    ::close(in[1]);
    return false;
  }
  // Writes to a child that has stopped reading must fail rather than block.
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  *copied = 0;
  exchange(in[1], out[0], input, response, copied);
  ::close(out[0]);
  int wait_status = 0;
  while (waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  *status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 1;
  return true;
}

}  // namespace vp
