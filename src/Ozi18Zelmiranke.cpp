// Ozi18Zelmiranke: the evaluator of the task Zelmiranke. Run once per submission as
//   Ozi18Zelmiranke eval input.txt submission.txt report.txt
#include <cstring>

#include "base/version.h"
#include "eval/run.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "eval") == 0) {
    return RunEval(argc, argv);
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    return PrintVersion("Ozi18Zelmiranke");
  }
  PrintUsage();
  return 0;
}
