// Runs a command once and prints its wall-clock time in seconds and its peak
// resident memory in KiB, as taken from wait4, for bench/compare:
//   measure_run [--stdout FILE] COMMAND [ARG...]
// The command's standard output goes to FILE, or is thrown away. Exits 1 if
// the command cannot be started or does not exit with status 0.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

double Now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const char* output = "/dev/null";
  if (argc > 2 && std::strcmp(argv[1], "--stdout") == 0) {
    output = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr,
                 "usage: measure_run [--stdout FILE] COMMAND [ARG...]\n");
    return 2;
  }
  int out = ::open(output, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    std::perror(output);
    return 1;
  }
  double start = Now();
  pid_t child = ::fork();
  if (child < 0) {
    std::perror("fork");
    return 1;
  }
  if (child == 0) {
    ::dup2(out, STDOUT_FILENO);
    ::execvp(argv[first], argv + first);
    std::fprintf(stderr, "%s: %s\n", argv[first], std::strerror(errno));
    ::_exit(127);
  }
  int status = 0;
  rusage usage;
  while (::wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::perror("wait4");
      return 1;
    }
  }
  double seconds = Now() - start;
  ::close(out);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed (status %d)\n", argv[first], status);
    return 1;
  }
  std::printf("%.6f %ld\n", seconds, usage.ru_maxrss);
  return 0;
}
