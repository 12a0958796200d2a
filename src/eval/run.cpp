#include "eval/run.h"

#include <cstdio>
#include <string>

#include "base/output_file.h"
#include "eval/evaluation.h"

void PrintUsage() {
  std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
  std::fflush(stdout);
}

namespace {
constexpr OutputMessages kReportMessages = {
    "Ozi18Zelmiranke", "porocilo bi prepisalo vhodno datoteko", "porocila ni mogoce ustvariti",
    "porocila ni bilo mogoce zapisati"};
}  // namespace

int RunEval(int argc, char** argv, RunObserver* observer) {
  if (argc < 5) {
    PrintUsage();
    return 1;
  }
  const std::string inputPath = argv[2];
  const std::string submissionPath = argv[3];
  return WriteOutputFile(argv[4], inputPath, submissionPath, kReportMessages,
                         [&](OutputFile& report) {
                           Evaluation evaluation;
                           Evaluate(inputPath, submissionPath, evaluation, observer);
                           WriteReport(report, evaluation);
                         });
}
