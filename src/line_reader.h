// Line reading over raw bytes. A line ends at LF; a CR directly before the LF belongs to the
// terminator, any other CR stays in the line; a last line without LF is still a line. A byte
// 0x1A ends the input wherever it stands, as Windows text mode does, so that a file gets the
// same verdict on every system.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "byte_source.h"

class LineReader {
 public:
  explicit LineReader(ByteSource& source);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // True when the source is mapped and lines are views into it.
  bool LinesStayValid() const { return mapped_; }

  // Reads the next line without its terminator. The view stays valid until the next call, or
  // as long as the source lives when LinesStayValid(). Returns false when no byte is left. A
  // read error or running out of memory throws.
  bool ReadLine(std::string_view& line) {
    const std::size_t left = static_cast<std::size_t>(end_ - next_);
    if (const void* lf = left == 0 ? nullptr : std::memchr(next_, '\n', left)) {
      TakeLine(static_cast<const char*>(lf), line);
      return true;
    }
    return ReadLineSlow(line);
  }

 private:
  void TakeLine(const char* lf, std::string_view& line) {
    const char* stop = lf;
    if (stop != next_ && stop[-1] == '\r') {
      --stop;
    }
    line = std::string_view(next_, static_cast<std::size_t>(stop - next_));
    next_ = const_cast<char*>(lf) + 1;
  }
  bool ReadLineSlow(std::string_view& line);
  void Refill();
  // Makes `size` more bytes at end_ part of the input, up to a byte 0x1A.
  void TakeChunk(std::size_t size, bool last);

  ByteSource& source_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  char* next_ = nullptr;  // first byte not yet returned
  char* end_ = nullptr;   // end of the bytes read so far
  bool atEnd_ = false;    // nothing more will come from the source
  bool mapped_ = false;   // buffer_ is the source's mapping, not ours
};
