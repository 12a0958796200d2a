#include "eval/report.h"

#include <charconv>
#include <limits>

#include "base/expect.h"

namespace {
// Formats the entry list without allocating, in blocks of a fixed size.
class LineBuffer {
 public:
  explicit LineBuffer(TextSink& report) : report_(report) {}
  ~LineBuffer() { Flush(); }
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;

  void Number(long long value) {
    Reserve();
    used_ =
        static_cast<std::size_t>(std::to_chars(data_ + used_, data_ + kSize, value).ptr - data_);
  }
  void Text(std::string_view text) {
    ZEL_EXPECT(text.size() <= kLongestPiece);
    Reserve();
    text.copy(data_ + used_, text.size());
    used_ += text.size();
  }

 private:
  // The buffer's size (`make bench WORKLOADS="blocks tiny"`, whose reports are long).
  static constexpr std::size_t kSize = 1 << 16;
  // The longest piece added at once: a number with its sign, or a short text.
  static constexpr std::size_t kLongestPiece = 24;
  static_assert(kLongestPiece >= std::numeric_limits<long long>::digits10 + 2);
  void Reserve() {
    if (used_ + kLongestPiece > kSize) {
      Flush();
    }
  }
  void Flush() {
    report_.Write(std::string_view(data_, used_));
    used_ = 0;
  }
  TextSink& report_;
  char data_[kSize];
  std::size_t used_ = 0;
};
}  // namespace

void WriteOkReport(TextSink& report, const ReportEntryList& entries) {
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

void WriteFailureLine(TextSink& report, const EAssertion& assertion) {
  report.Write("Napaka [");
  report.Write(assertion.source);
  report.Write(":");
  report.Write(IntToStr(assertion.check));
  report.Write("]: ");
  report.Write(assertion.message);
}

void WriteFailureReport(TextSink& report, const EAssertion& assertion) {
  WriteFailureLine(report, assertion);
  report.Write(kLineEnd);
  report.Write("-1");
  report.Write(kLineEnd);
}

void WriteUnexpectedReport(TextSink& report) {
  report.Write(kUnexpectedLine);
  report.Write(kLineEnd);
  report.Write("-1");
  report.Write(kLineEnd);
}
