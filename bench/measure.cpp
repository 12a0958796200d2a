// `bench_measure RUNS COMMAND... [-- COMMAND...]` runs each command RUNS times with its output
// discarded, taking turns when there are two, so that both see the same machine, and prints for
// each the median wall time in seconds and the largest peak resident memory in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
struct Timing {
  std::vector<double> seconds;
  long peakKib = 0;
};

bool RunOnce(char** command, Timing& timing) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execvp(command[0], command);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  timing.seconds.push_back(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  timing.peakKib = std::max(timing.peakKib, usage.ru_maxrss);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_measure RUNS COMMAND... [-- COMMAND...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<char**> commands = {argv + 2};
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      argv[i] = nullptr;
      commands.push_back(argv + i + 1);
    }
  }
  std::vector<Timing> timings(commands.size());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t c = 0; c < commands.size(); ++c) {
      if (!RunOnce(commands[c], timings[c])) {
        std::fprintf(stderr, "command failed: %s\n", commands[c][0]);
        return 1;
      }
    }
  }
  for (Timing& timing : timings) {
    std::sort(timing.seconds.begin(), timing.seconds.end());
    std::printf("%.4f %ld ", timing.seconds[timing.seconds.size() / 2], timing.peakKib);
  }
  std::printf("\n");
  return 0;
}
