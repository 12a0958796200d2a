// The one file a program writes (a report, a picture), with one set of rules: it must not name
// an input, also through a link; it is created before anything is read; a file that could not
// be written whole is left empty, so that no part of it is taken for a finished one.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "base/text_sink.h"

// Exit status when the output cannot be created or written, or would overwrite an input.
inline constexpr int kOutputFailureStatus = 2;

// A file being written in binary mode. Every write and the close are checked.
class OutputFile : public TextSink {
 public:
  OutputFile() = default;
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the file, or truncates it. Returns false when that cannot be done.
  bool Create(const std::string& path);
  void Write(std::string_view text) override;
  // Flushes and closes the file. Returns true when every byte reached it.
  bool Finish();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// The program's name and its three complaints, one line each on standard error.
struct OutputMessages {
  std::string_view program;
  std::string_view wouldOverwriteInput;
  std::string_view cannotCreate;
  std::string_view cannotWrite;
};

// Creates `path`, lets `fill` write it and finishes it. Returns 0, or kOutputFailureStatus
// after one line on standard error.
int WriteOutputFile(const std::string& path, const std::string& inputPath,
                    const std::string& submissionPath, const OutputMessages& messages,
                    const std::function<void(OutputFile&)>& fill);
