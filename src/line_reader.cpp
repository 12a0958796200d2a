#include "line_reader.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
constexpr std::size_t kInitialCapacity = std::size_t{1} << 20;
constexpr char kEndOfFile = 0x1A;
}  // namespace

LineReader::LineReader(ByteSource& source) : source_(source) {
  const std::string_view mapped = source.Mapped();
  if (!mapped.empty()) {
    // Never written through: a mapped source is only read.
    buffer_ = next_ = end_ = const_cast<char*>(mapped.data());
    capacity_ = mapped.size();
    mapped_ = true;
    return;
  }
  buffer_ = static_cast<char*>(std::malloc(kInitialCapacity));
  if (buffer_ == nullptr) {
    throw std::bad_alloc();
  }
  capacity_ = kInitialCapacity;
  next_ = end_ = buffer_;
}

LineReader::~LineReader() {
  if (!mapped_) {
    std::free(buffer_);
  }
}

bool LineReader::ReadLineSlow(std::string_view& line) {
  // Bytes already known to hold no LF are not searched again, so a long line costs linear time.
  std::size_t searched = static_cast<std::size_t>(end_ - next_);
  while (!atEnd_) {
    Refill();
    const std::size_t pending = static_cast<std::size_t>(end_ - next_);
    if (const void* lf = std::memchr(next_ + searched, '\n', pending - searched)) {
      TakeLine(static_cast<const char*>(lf), line);
      return true;
    }
    searched = pending;
  }
  if (next_ == end_) {
    return false;
  }
  line = std::string_view(next_, static_cast<std::size_t>(end_ - next_));
  next_ = end_;
  return true;
}

void LineReader::Refill() {
  if (mapped_) {
    // The mapping is taken in chunks, so that a byte 0x1A is looked for only as far as lines
    // are read, never in what follows the last line needed.
    const std::size_t left = capacity_ - static_cast<std::size_t>(end_ - buffer_);
    const std::size_t got = std::min(left, kInitialCapacity);
    TakeChunk(got, got == left);
    return;
  }
  const std::size_t kept = static_cast<std::size_t>(end_ - next_);
  if (next_ != buffer_) {
    std::memmove(buffer_, next_, kept);
  }
  if (kept == capacity_) {
    // realloc can grow a large block in place, so a line of gigabytes is never held twice.
    void* grown = std::realloc(buffer_, capacity_ * 2);
    if (grown == nullptr) {
      throw std::bad_alloc();
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
