#include "report.h"

#include <charconv>

ReportFile::~ReportFile() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

bool ReportFile::Create(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void ReportFile::Write(std::string_view text) {
  if (failed_ || file_ == nullptr) {
    failed_ = true;
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    failed_ = true;
  }
}

bool ReportFile::Finish() {
  if (file_ == nullptr) {
    return false;
  }
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return flushed && closed && !failed_;
}

namespace {
// Formats the entry list without allocating, in blocks of a fixed size.
class LineBuffer {
 public:
  explicit LineBuffer(ReportFile& report) : report_(report) {}
  ~LineBuffer() { Flush(); }
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;

  void Number(long long value) {
    Reserve();
    used_ =
        static_cast<std::size_t>(std::to_chars(data_ + used_, data_ + kSize, value).ptr - data_);
  }
  void Text(std::string_view text) {
    Reserve();
    text.copy(data_ + used_, text.size());
    used_ += text.size();
  }

 private:
  static constexpr std::size_t kSize = 1 << 16;
  static constexpr std::size_t kLongestPiece = 24;
  void Reserve() {
    if (used_ + kLongestPiece > kSize) {
      Flush();
    }
  }
  void Flush() {
    report_.Write(std::string_view(data_, used_));
    used_ = 0;
  }
  ReportFile& report_;
  char data_[kSize];
  std::size_t used_ = 0;
};
}  // namespace

void WriteOkReport(ReportFile& report, const ReportEntryList& entries) {
  LineBuffer out(report);
  out.Text(kOkLine);
  out.Text(kLineEnd);
  out.Number(static_cast<long long>(entries.size()));
  out.Text(kLineEnd);
  for (const ReportEntry& entry : entries) {
    out.Number(entry.testNumber);
    out.Text(" ");
    out.Number(entry.rectangleCount);
    out.Text(kLineEnd);
  }
}

void WriteFailureReport(ReportFile& report, const EAssertion& assertion) {
  WriteFailureLine(assertion, [&report](std::string_view piece) { report.Write(piece); });
  report.Write(kLineEnd);
  report.Write("-1");
  report.Write(kLineEnd);
}

void WriteUnexpectedReport(ReportFile& report) {
  report.Write(kUnexpectedLine);
  report.Write(kLineEnd);
  report.Write("-1");
  report.Write(kLineEnd);
}
