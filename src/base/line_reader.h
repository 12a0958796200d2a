// Line reading over raw bytes. A line ends at LF; a CR directly before the LF belongs to the
// terminator, any other CR stays in the line; a last line without LF is still a line. A byte
// 0x1A ends the input wherever it stands, as Windows text mode does, so that a file gets the
// same verdict on every system.
//
// Bytes pass through one window of a fixed size that stays in the cache, so that memory does
// not grow with the size of a file. Only a line that must be seen whole (ReadLine, or a line
// whose text a message quotes) is held beyond the window; the numbers of a longer line are
// converted as it streams past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/byte_source.h"
#include "base/expect.h"
#include "base/plain_numbers.h"
#include "base/scan_ints.h"

class LineReader {
 public:
  explicit LineReader(ByteSource& source);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Lines at most this long are always seen whole by every kind of read. The window stays in the
  // cache (`make bench WORKLOADS="long cells"` measures its size against others).
  static constexpr std::size_t kWindow = std::size_t{1} << 17;

  // The number of the line the last read took, from 1. A read that finds no line left counts
  // too: the number is then the one the missing line would have had. A ReadLineOfLength that
  // takes nothing does not count.
  std::int64_t LineNumber() const { return lineNumber_; }

  // Reads the next line without its terminator; the view stays valid until the next read.
  // Returns false when no byte is left. A read error or running out of memory throws.
  bool ReadLine(std::string_view& line) {
    ++lineNumber_;
    if (const char* lf = FindLineEnd()) {
      TakeLine(lf, line);
      return true;
    }
    return FindLine(line, true);
  }

  // Reads the next line when it is `length` bytes long and `take` accepts them, without a
  // search for its end: the bytes after them must be the line end (LF, or CR LF), and `take`
  // must refuse bytes that hold an LF or end in CR, which would make the line shorter. False,
  // with nothing read, otherwise.
  template <typename Take>
  bool ReadLineOfLength(std::size_t length, Take&& take) {
    if (static_cast<std::size_t>(end_ - next_) < length + 2) {
      return false;
    }
    const char* const after = next_ + length;
    const std::size_t terminator = after[0] == '\n'                       ? 1
                                   : after[0] == '\r' && after[1] == '\n' ? 2
                                                                          : 0;
    if (terminator == 0 || !take(std::string_view(next_, length))) {
      return false;
    }
    ZEL_EXPECT(length == 0 || after[-1] != '\r');
    next_ += length + terminator;
    ++lineNumber_;
    return true;
  }

  // Reads the next line and converts numbers from its start into `values`, one after the
  // other (see scan_ints.h); returns how many were converted, or -1 when no line is left.
  // Each number goes straight to its place: an array in between would be stored a number at a
  // time and then read as one wide word, which stalls.
  template <typename... Ints>
  int ReadInts(Ints&... values) {
    ++lineNumber_;
    // A line of numbers mostly ends right after them: scanned up to its end, it needs no search
    // for the line end, and no pass of its own.
    if (end_ - next_ >= kInPlaceRoom) {
      const char* p = next_;
      const char* const room = next_ + kInPlaceRoom;
      int converted = sizeof...(values);
      if (const char* last = plain_numbers::Scan(p, values...)) {
        p = last;
      } else {
        converted = 0;
        (... && (scan_ints_detail::ScanOne<true>(p, room, values) && ++converted > 0));
      }
      if (p < room) {
        if (const char* after = AfterLineEnd(p)) {
          next_ = const_cast<char*>(after);
          return converted;
        }
      }
    }
    if (const char* lf = FindLineEnd()) {
      std::string_view line;
      TakeLine(lf, line);
      IntScanner scanner(line);
      int converted = 0;
      (... && (scanner.Next(values) && ++converted > 0));
      return converted;
    }
    int parsed[sizeof...(values)] = {};
    const int converted = ReadIntsSlow(static_cast<int>(sizeof...(values)), parsed, nullptr);
    int at = 0;
    ((values = parsed[at++]), ...);
    return converted;
  }

  // As ReadInts; when fewer than `count` numbers convert, `line` is the whole line, for a
  // message that quotes it (valid until the next read).
  int ReadIntsOrLine(int count, int* values, std::string_view& line);

  // Reads the next line and gives its length, and the line itself when it is at most
  // `kWindow` long (otherwise `line` is empty). Returns false when no line is left.
  bool MeasureLine(std::string_view& line, std::int64_t& length);

  // Reads the next line and copies its first `keep` bytes (at most kWindow) into `head`,
  // however long the line: a line longer than the window is skipped, not held. Returns the
  // line's length, or -1 when no line is left.
  std::int64_t ReadLineHead(std::string& head, std::size_t keep);

 private:
  // ReadInts scans a line in place when this many bytes are at hand; a scan that reaches their
  // end starts again the usual way (`make bench WORKLOADS="cells realistic"`).
  static constexpr std::ptrdiff_t kInPlaceRoom = 64;
  static_assert(kInPlaceRoom >= plain_numbers::kReach);

  // The start of the next line when the line at hand ends at `p` or later within the bytes at
  // hand; null otherwise. `p` lies before end_; a CR in the last byte at hand is no line end
  // yet (the byte after it is not read).
  const char* AfterLineEnd(const char* p) const {
    ZEL_EXPECT(p < end_);
    if (*p == '\n') {
      return p + 1;
    }
    if (*p == '\r' && p + 1 < end_ && p[1] == '\n') {
      return p + 2;
    }
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end_ - p));
    return lf != nullptr ? static_cast<const char*>(lf) + 1 : nullptr;
  }

  const char* FindLineEnd() const {
    const std::size_t left = static_cast<std::size_t>(end_ - next_);
    return static_cast<const char*>(left == 0 ? nullptr : std::memchr(next_, '\n', left));
  }
  void TakeLine(const char* lf, std::string_view& line) {
    const char* stop = lf;
    if (stop != next_ && stop[-1] == '\r') {
      --stop;
    }
    line = std::string_view(next_, static_cast<std::size_t>(stop - next_));
    next_ = const_cast<char*>(lf) + 1;
  }
  int ReadIntsSlow(int count, int* values, std::string_view* wholeLine);
  bool FindLine(std::string_view& line, bool grow);
  std::int64_t SkipLongLine();
  void Refill(bool grow);
  // Makes `size` more bytes at end_ part of the input, up to a byte 0x1A.
  void TakeChunk(std::size_t size, bool last);

  ByteSource& source_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  char* next_ = nullptr;  // first byte not yet returned
  char* end_ = nullptr;   // end of the bytes read so far
  bool atEnd_ = false;    // nothing more will come from the source
  bool grown_ = false;    // buffer_ came from malloc, to hold a long line
  std::int64_t lineNumber_ = 0;
};
