// The eval command: checks the command line, creates the report, runs the task input stage
// and the submission stage inside one failure scope and writes exactly one report.
#pragma once

#include <functional>
#include <string>

#include "output_file.h"
#include "submission.h"
#include "task_input.h"

inline constexpr std::string_view kUsage =
    "Uporaba: Ozi18Zelmiranke eval input.txt submission.txt report.txt\n";

void PrintUsage();

// The two stages of a run; a test can replace them to make a stage throw.
struct EvalStages {
  std::function<void(const std::string&, TestCaseList&)> readTaskInput;
  std::function<void(const std::string&, TestCaseList&, ReportEntryList&)> readSubmission;
};

EvalStages DefaultStages();

int RunEval(int argc, char** argv);
int RunEval(int argc, char** argv, const EvalStages& stages);
