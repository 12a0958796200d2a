#include "explain/file_again.h"

#include <algorithm>

#include "base/scan_ints.h"

namespace {
constexpr std::size_t kStartBytes = 64;
constexpr std::size_t kMostKept = 64;

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
}  // namespace

bool FileAgain::Open() {
  if (failed_ || !reopen_) {
    failed_ = true;
    return false;
  }
  reader_.reset();
  source_ = reopen_();
  if (!source_) {
    failed_ = true;
    return false;
  }
  reader_ = std::make_unique<LineReader>(*source_);
  ended_ = false;
  return true;
}

std::string_view FileAgain::Start() {
  if (!start_) {
    start_.emplace();
    try {
      if (std::unique_ptr<ByteSource> source = reopen_ ? reopen_() : nullptr) {
        char bytes[kStartBytes];
        std::size_t got = 0;
        while (got < kStartBytes) {
          const std::size_t more = source->Read(bytes + got, kStartBytes - got);
          if (more == 0) {
            break;
          }
          got += more;
        }
        start_->assign(bytes, got);
      }
    } catch (...) {
      // What could not be read again stays unknown.
    }
  }
  return *start_;
}

std::optional<LineText> FileAgain::Line(std::int64_t number) {
  if (const auto kept = kept_.find(number); kept != kept_.end()) {
    return kept->second;
  }
  if (number < 1 || failed_) {
    return std::nullopt;
  }
  try {
    if (!reader_ || number <= reader_->LineNumber()) {
      if (!Open()) {
        return std::nullopt;
      }
    }
    // The lines before the one asked are passed by, not copied.
    std::string_view skipped;
    while (!ended_ && reader_->LineNumber() + 1 < number) {
      ended_ = !reader_->MeasureLine(skipped, last_.length);
    }
    if (!ended_) {
      last_.length = reader_->ReadLineHead(last_.head, kHeadKeep);
      ended_ = last_.length < 0;
    }
  } catch (...) {
    // A read error or no memory: the file gives nothing more.
    failed_ = true;
    reader_.reset();
    return std::nullopt;
  }
  if (ended_) {
    return std::nullopt;
  }
  if (kept_.size() == kMostKept) {
    kept_.clear();
  }
  kept_.emplace(number, last_);
  return last_;
}

int LineNumbers(const LineText& line, int count, int* values) {
  return ScanInts(line.head, count, values);
}

int CountNumbers(const LineText& line, int count) {
  int values[5];
  return LineNumbers(line, std::min(count, 5), values);
}

bool OnlyWhiteSpace(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsWhiteSpace);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsWhiteSpace(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}
