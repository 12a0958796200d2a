#include "output_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {
void Complain(const OutputWords& words, std::string_view what, const std::string& path) {
  std::fprintf(stderr, "%.*s: %.*s: %s\n", static_cast<int>(words.program.size()),
               words.program.data(), static_cast<int>(what.size()), what.data(), path.c_str());
}

// True when both paths exist and name one file, also through links.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// Only a regular file is truncated; nothing is ever deleted.
void Discard(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error)) {
    std::filesystem::resize_file(path, 0, error);
  }
}
}  // namespace

int WriteOutputFile(const std::string& path, const std::string& inputPath,
                    const std::string& submissionPath, const OutputWords& words,
                    const std::function<void(ReportFile&)>& fill) {
  if (SameFile(path, inputPath) || SameFile(path, submissionPath)) {
    Complain(words, words.wouldOverwriteInput, path);
    return kReportFailureStatus;
  }
  ReportFile file;
  if (!file.Create(path)) {
    Complain(words, words.cannotCreate, path);
    return kReportFailureStatus;
  }
  fill(file);
  if (!file.Finish()) {
    Discard(path);
    Complain(words, words.cannotWrite, path);
    return kReportFailureStatus;
  }
  return 0;
}
