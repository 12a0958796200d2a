// The report file: "OK" with the entry list, one failure line and "-1", or the fixed
// unexpected-error text. Line ends are written explicitly, LF on POSIX systems and CR LF on
// Windows, since the file is written in binary mode.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "assertion.h"
#include "submission.h"

#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

// A report being written. Every write and the close are checked, so that a report that was
// not written whole is never taken for a finished one.
class ReportFile {
 public:
  ReportFile() = default;
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Creates the file or truncates it; false when that cannot be done.
  bool Create(const std::string& path);
  void Write(std::string_view text);
  // Flushes and closes; true when every byte reached the file.
  bool Finish();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// The first line of the OK report and the text of the unexpected-error report.
inline constexpr std::string_view kOkLine = "OK";
inline constexpr std::string_view kUnexpectedLine =
    "Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.";

// Hands the failure line, without its line end, to `write` piece by piece, so that a long
// quoted line in the message is never copied.
template <typename Write>
void WriteFailureLine(const EAssertion& assertion, Write&& write) {
  write(std::string_view("Napaka ["));
  write(std::string_view(assertion.file));
  write(std::string_view(":"));
  write(std::string_view(IntToStr(assertion.line)));
  write(std::string_view("]: "));
  write(std::string_view(assertion.message));
}

void WriteOkReport(ReportFile& report, const ReportEntryList& entries);
void WriteFailureReport(ReportFile& report, const EAssertion& assertion);
void WriteUnexpectedReport(ReportFile& report);
