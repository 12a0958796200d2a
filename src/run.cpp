#include "run.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

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
void Complain(std::string_view what, const std::string& path) {
  std::fprintf(stderr, "Ozi18Zelmiranke: %.*s: %s\n", static_cast<int>(what.size()), what.data(),
               path.c_str());
}

// True when both paths exist and name one file, also through links.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

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

// Leaves a report that could not be written whole empty, so that no part of it can be read as
// a verdict. Only a regular file is truncated; nothing is ever deleted.
void DiscardReport(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) {
    std::filesystem::resize_file(path, 0, error);
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
  if (SameFile(reportPath, inputPath) || SameFile(reportPath, submissionPath)) {
    Complain("porocilo bi prepisalo vhodno datoteko", reportPath);
    return kReportFailureStatus;
  }
  ReportFile report;
  if (!report.Create(reportPath)) {
    Complain("porocila ni mogoce ustvariti", reportPath);
    return kReportFailureStatus;
  }
  Evaluate(inputPath, submissionPath, stages, report);
  if (!report.Finish()) {
    DiscardReport(reportPath);
    Complain("porocila ni bilo mogoce zapisati", reportPath);
    return kReportFailureStatus;
  }
  return 0;
}
