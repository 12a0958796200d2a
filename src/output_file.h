// The one file a run writes (the evaluator's report, the viewer's picture), with one set of
// rules: it must not name an input, also through a link; it is created before anything is
// read; a file that could not be written whole is left empty, so that no part of it is taken
// for a finished one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "report.h"

// Exit status when the output cannot be created or written, or would overwrite an input.
inline constexpr int kReportFailureStatus = 2;

// The program's name and its three complaints, one line each on standard error.
struct OutputWords {
  std::string_view program;
  std::string_view wouldOverwriteInput;
  std::string_view cannotCreate;
  std::string_view cannotWrite;
};

// Creates `path`, lets `fill` write it and finishes it. Returns 0, or kReportFailureStatus
// after one line on standard error.
int WriteOutputFile(const std::string& path, const std::string& inputPath,
                    const std::string& submissionPath, const OutputWords& words,
                    const std::function<void(ReportFile&)>& fill);
