// `bench_measure RUNS COMMAND...` runs COMMAND RUNS times with its output discarded and prints
// the median wall time in seconds and the largest peak resident memory in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_measure RUNS COMMAND...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> seconds;
  long peakKib = 0;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      execvp(argv[2], argv + 2);
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    peakKib = std::max(peakKib, usage.ru_maxrss);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "command failed\n");
      return 1;
    }
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("%.4f %ld\n", seconds[seconds.size() / 2], peakKib);
  return 0;
}
