// Ozi18Zelmiranke: the evaluator of the task Zelmiranke. Run once per submission as
//   Ozi18Zelmiranke eval input.txt submission.txt report.txt
#include <cstring>

#include "base/version.h"
#include "eval/run.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "eval") == 0) {
    return RunEval(argc, argv);
  }
  // Graders rely on the command line as it stands: any word but eval prints the usage text on
  // standard output and exits 0, --version too; the version goes to standard error.
  PrintUsage();
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    PrintVersion("Ozi18Zelmiranke", stderr);
  }
  return 0;
}
