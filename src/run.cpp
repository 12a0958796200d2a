#include "run.h"

#include <cstdio>

#include "report.h"

void PrintUsage() {
  std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
  std::fflush(stdout);
}

EvalStages DefaultStages() {
  return {[](const std::string& path, TestCaseList& testCases) { ReadTaskInput(path, testCases); },
          [](const std::string& path, TestCaseList& testCases, ReportEntryList& entries) {
            ReadSubmission(path, testCases, entries);
          }};
}

namespace {
constexpr OutputWords kReportWords = {"Ozi18Zelmiranke", "porocilo bi prepisalo vhodno datoteko",
                                      "porocila ni mogoce ustvariti",
                                      "porocila ni bilo mogoce zapisati"};

// Runs both stages and writes the one report they lead to.
void Evaluate(const std::string& inputPath, const std::string& submissionPath,
              const EvalStages& stages, ReportFile& report) {
  try {
    TestCaseList testCases;
    ReportEntryList entries;
    stages.readTaskInput(inputPath, testCases);
    stages.readSubmission(submissionPath, testCases, entries);
    WriteOkReport(report, entries);
  } catch (const EAssertion& assertion) {
    WriteFailureReport(report, assertion);
  } catch (...) {
    WriteUnexpectedReport(report);
  }
}
}  // namespace

int RunEval(int argc, char** argv) {
  return RunEval(argc, argv, DefaultStages());
}

int RunEval(int argc, char** argv, const EvalStages& stages) {
  if (argc < 5) {
    PrintUsage();
    return 1;
  }
  const std::string inputPath = argv[2];
  const std::string submissionPath = argv[3];
  const std::string reportPath = argv[4];
  return WriteOutputFile(
      reportPath, inputPath, submissionPath, kReportWords,
      [&](ReportFile& report) { Evaluate(inputPath, submissionPath, stages, report); });
}
