/* Times programs the way a web server starts them: spawned afresh, standard input
 * and output on /dev/null.
 *
 *   measure RUNS cmd1 [args] -- cmd2 [args] -- ...
 *
 * The commands take turns, RUNS rounds, so that a slow moment of a shared machine
 * falls on all of them alike. For each command, in order, prints one line:
 * "median_us peak_kib", the median wall time of a run in microseconds (spawn to
 * reaped) and the largest resident set of any run in KiB. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

enum { kMaxCommands = 16 };

static int compare_long(const void* a, const void* b) {
  long x = *(const long*)a, y = *(const long*)b;
  return (x > y) - (x < y);
}

static long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000000000L + t.tv_nsec;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: measure RUNS cmd [args] [-- cmd [args]]...\n");
    return 2;
  }
  int runs = atoi(argv[1]);
  if (runs < 1) runs = 1;

  char** commands[kMaxCommands];
  int count = 0;
  for (int i = 2; i < argc && count < kMaxCommands;) {
    commands[count++] = &argv[i];
    while (i < argc && strcmp(argv[i], "--") != 0) ++i;
    if (i < argc) argv[i++] = NULL; /* ends this command's argument list */
  }

  long* times = calloc((size_t)runs * count, sizeof(long));
  long peak[kMaxCommands] = {0};
  if (times == NULL) return 2;

  posix_spawn_file_actions_t io;
  posix_spawn_file_actions_init(&io);
  posix_spawn_file_actions_addopen(&io, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);

  for (int r = 0; r < runs; ++r) {
    for (int c = 0; c < count; ++c) {
      pid_t pid;
      long start = now_ns();
      if (posix_spawn(&pid, commands[c][0], &io, NULL, commands[c], environ) != 0) {
        fprintf(stderr, "measure: cannot start %s\n", commands[c][0]);
        return 2;
      }
      int status;
      struct rusage usage;
      if (wait4(pid, &status, 0, &usage) < 0) return 2;
      times[c * runs + r] = now_ns() - start;
      if (usage.ru_maxrss > peak[c]) peak[c] = usage.ru_maxrss;
    }
  }

  for (int c = 0; c < count; ++c) {
    long* mine = &times[c * runs];
    qsort(mine, (size_t)runs, sizeof(long), compare_long);
    printf("%ld %ld\n", mine[runs / 2] / 1000, peak[c]);
  }
  free(times);
  return 0;
}
