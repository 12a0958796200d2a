// The eval command: checks the command line, creates the report, evaluates both files and
// writes exactly one report.
#pragma once

#include <string_view>

#include "eval/run_observer.h"

inline constexpr std::string_view kUsage =
    "Uporaba: Ozi18Zelmiranke eval input.txt submission.txt report.txt\n";

void PrintUsage();

// `observer` may be null; the program passes none.
int RunEval(int argc, char** argv, RunObserver* observer = nullptr);
