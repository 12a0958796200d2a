#include "base/line_reader.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "base/populated.h"

namespace {
constexpr char kEndOfFile = 0x1A;
}  // namespace

LineReader::LineReader(ByteSource& source) : source_(source) {
  buffer_ = static_cast<char*>(AllocatePopulated(kWindow));
  capacity_ = kWindow;
  next_ = end_ = buffer_;
}

LineReader::~LineReader() {
  if (grown_) {
    std::free(buffer_);
  } else {
    FreePopulated(buffer_, kWindow);
  }
}

// Reads more input until the next line ends inside the buffer, or the input ends, and takes
// that line. Returns false, having taken nothing, when no line is left, or, unless `grow`, when
// the line does not fit the window. Bytes already known to hold no LF are not searched again,
// so a long line costs linear time.
bool LineReader::FindLine(std::string_view& line, bool grow) {
  std::size_t searched = static_cast<std::size_t>(end_ - next_);
  while (!atEnd_ && (grow || searched < capacity_)) {
    Refill(grow);
    const std::size_t pending = static_cast<std::size_t>(end_ - next_);
    if (const void* lf = std::memchr(next_ + searched, '\n', pending - searched)) {
      TakeLine(static_cast<const char*>(lf), line);
      return true;
    }
    searched = pending;
  }
  if (!atEnd_ || next_ == end_) {
    return false;
  }
  line = std::string_view(next_, static_cast<std::size_t>(end_ - next_));
  next_ = end_;
  return true;
}

int LineReader::ReadIntsOrLine(int count, int* values, std::string_view& line) {
  ++lineNumber_;
  if (const char* lf = FindLineEnd()) {
    TakeLine(lf, line);
    return ScanInts(line, count, values);
  }
  return ReadIntsSlow(count, values, &line);
}

int LineReader::ReadIntsSlow(int count, int* values, std::string_view* wholeLine) {
  std::string_view line;
  if (FindLine(line, false)) {
    const int converted = ScanInts(line, count, values);
    if (wholeLine != nullptr) {
      *wholeLine = line;
    }
    return converted;
  }
  if (next_ == end_) {
    return -1;
  }
  // Longer than the window: converted as it streams past. The bytes are kept only while a
  // failed conversion could still have to quote the line.
  IntStream stream(count, values);
  std::size_t fed = 0;
  for (;;) {
    const char* from = next_ + fed;
    const void* found = std::memchr(from, '\n', static_cast<std::size_t>(end_ - from));
    const char* lf = static_cast<const char*>(found);
    stream.Feed(from, lf != nullptr ? lf : end_);
    const bool keep = wholeLine != nullptr && !(stream.Done() && stream.Converted());
    if (lf != nullptr || atEnd_) {
      const int converted = stream.Finish();
      if (lf != nullptr) {
        TakeLine(lf, line);
      } else {
        line = std::string_view(next_, static_cast<std::size_t>(end_ - next_));
        next_ = end_;
      }
      if (keep) {
        *wholeLine = line;
      }
      return converted;
    }
    if (!keep) {
      next_ = end_;
    }
    fed = static_cast<std::size_t>(end_ - next_);
    Refill(keep);
  }
}

bool LineReader::MeasureLine(std::string_view& line, std::int64_t& length) {
  ++lineNumber_;
  if (const char* lf = FindLineEnd()) {
    TakeLine(lf, line);
  } else if (!FindLine(line, false)) {
    if (next_ == end_) {
      return false;
    }
    line = {};
    length = SkipLongLine();
    return true;
  }
  length = static_cast<std::int64_t>(line.size());
  return true;
}

std::int64_t LineReader::ReadLineHead(std::string& head, std::size_t keep) {
  ZEL_EXPECT(keep <= kWindow);
  ++lineNumber_;
  std::string_view line;
  if (const char* lf = FindLineEnd()) {
    TakeLine(lf, line);
  } else if (!FindLine(line, false)) {
    if (next_ == end_) {
      return -1;
    }
    // The window holds the line's first bytes, and none of its line end.
    head.assign(next_, std::min(keep, static_cast<std::size_t>(end_ - next_)));
    return SkipLongLine();
  }
  head.assign(line.substr(0, keep));
  return static_cast<std::int64_t>(line.size());
}

// Skips a line longer than the window and returns its length.
std::int64_t LineReader::SkipLongLine() {
  std::int64_t length = 0;
  bool endsInCr = false;
  for (;;) {
    const std::size_t pending = static_cast<std::size_t>(end_ - next_);
    if (const void* found = std::memchr(next_, '\n', pending)) {
      const char* lf = static_cast<const char*>(found);
      length += lf - next_;
      if (lf == next_ ? endsInCr : lf[-1] == '\r') {
        --length;  // the CR belongs to the line end
      }
      next_ = const_cast<char*>(lf) + 1;
      return length;
    }
    length += static_cast<std::int64_t>(pending);
    if (pending > 0) {
      endsInCr = end_[-1] == '\r';
    }
    next_ = end_;
    if (atEnd_) {
      return length;
    }
    Refill(false);
  }
}

// Moves the bytes not yet returned to the front and reads more after them. The buffer grows
// only when `grow` and those bytes fill it: a line that must be held whole.
void LineReader::Refill(bool grow) {
  const std::size_t kept = static_cast<std::size_t>(end_ - next_);
  if (next_ != buffer_) {
    std::memmove(buffer_, next_, kept);
  }
  if (kept == capacity_ && grow) {
    // realloc can grow a large block in place, so a line of gigabytes is never held twice.
    void* grown = std::realloc(grown_ ? buffer_ : nullptr, capacity_ * 2);
    if (grown == nullptr) {
      throw std::bad_alloc();
    }
    if (!grown_) {
      std::memcpy(grown, buffer_, kept);
      FreePopulated(buffer_, kWindow);
      grown_ = true;
    }
    buffer_ = static_cast<char*>(grown);
    capacity_ *= 2;
  }
  next_ = buffer_;
  end_ = buffer_ + kept;
  const std::size_t got = source_.Read(end_, capacity_ - kept);
  TakeChunk(got, got == 0);
}

void LineReader::TakeChunk(std::size_t size, bool last) {
  if (const void* stop = std::memchr(end_, kEndOfFile, size)) {
    size = static_cast<std::size_t>(static_cast<const char*>(stop) - end_);
    last = true;
  }
  end_ += size;
  atEnd_ = last;
}
