#include "base/output_file.h"

#include <filesystem>
#include <system_error>

OutputFile::~OutputFile() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

bool OutputFile::Create(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void OutputFile::Write(std::string_view text) {
  if (failed_ || file_ == nullptr) {
    failed_ = true;
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    failed_ = true;
  }
}

bool OutputFile::Finish() {
  if (file_ == nullptr) {
    return false;
  }
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed && closed && !failed_;
}

namespace {
void Complain(const OutputMessages& messages, std::string_view what, const std::string& path) {
  std::fprintf(stderr, "%.*s: %.*s: %s\n", static_cast<int>(messages.program.size()),
               messages.program.data(), static_cast<int>(what.size()), what.data(), path.c_str());
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
                    const std::string& submissionPath, const OutputMessages& messages,
                    const std::function<void(OutputFile&)>& fill) {
  if (SameFile(path, inputPath) || SameFile(path, submissionPath)) {
    Complain(messages, messages.wouldOverwriteInput, path);
    return kOutputFailureStatus;
  }
  OutputFile file;
  if (!file.Create(path)) {
    Complain(messages, messages.cannotCreate, path);
    return kOutputFailureStatus;
  }
  fill(file);
  if (!file.Finish()) {
    Discard(path);
    Complain(messages, messages.cannotWrite, path);
    return kOutputFailureStatus;
  }
  return 0;
}
