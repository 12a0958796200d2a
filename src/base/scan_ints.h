// Reads whole numbers from a line the way sscanf reads "%d", "%d %d %d %d" and
// "%d %d %d %d %d": white space (as C's isspace has it in the C locale) is skipped before each
// number, a number is an optional sign and one or more decimal digits, the blank between two
// numbers matches any white space or none, and whatever follows the last number is ignored.
// A zero byte ends the text. A value outside the 32-bit range saturates to INT_MAX or INT_MIN,
// so that an absurd value can never pass as a small valid one.
#pragma once

#include <climits>
#include <cstdint>
#include <string_view>

// Inline, by force where the compiler allows it: it runs for every line of a submission, four
// times for a rectangle, and a call costs about as much as the parsing.
#if defined(__GNUC__)
#define ZEL_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define ZEL_ALWAYS_INLINE inline
#endif

namespace scan_ints_detail {
inline bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr std::uint64_t kLimit = std::uint64_t{1} << 31;  // |INT_MIN|

// One more digit; the magnitude stops growing once it is past the 32-bit range.
inline std::uint64_t AddDigit(std::uint64_t magnitude, char digit) {
  return magnitude <= kLimit ? magnitude * 10 + static_cast<std::uint64_t>(digit - '0') : magnitude;
}

inline int Saturate(bool negative, std::uint64_t magnitude) {
  if (negative) {
    return magnitude >= kLimit ? INT_MIN : -static_cast<int>(magnitude);
  }
  return magnitude >= kLimit ? INT_MAX : static_cast<int>(magnitude);
}

// White space within a line: a line end stops the scan there instead.
inline bool IsSpaceWithinLine(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r' && c != '\n');
}

// Parses one number at `p`; returns false when no digit follows the optional sign. With
// `kUpToLineEnd`, a line end is no white space, so the scan stops at the end of the line.
template <bool kUpToLineEnd = false>
ZEL_ALWAYS_INLINE bool ScanOne(const char*& p, const char* end, int& value) {
  while (p < end && (kUpToLineEnd ? IsSpaceWithinLine(*p) : IsCSpace(*p))) {
    ++p;
  }
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end || !IsDigit(*p)) {
    return false;
  }
  // Nine digits cannot overflow; only a longer number takes the saturating loop.
  std::uint64_t magnitude = 0;
  const char* fast = end - p > 9 ? p + 9 : end;
  while (p < fast && IsDigit(*p)) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p++ - '0');
  }
  for (; p < end && IsDigit(*p); ++p) {
    magnitude = AddDigit(magnitude, *p);
  }
  value = Saturate(negative, magnitude);
  return true;
}
}  // namespace scan_ints_detail

// Reads the numbers of a line one after the other.
class IntScanner {
 public:
  explicit IntScanner(std::string_view line) : next_(line.data()), end_(next_ + line.size()) {}
  // Reads the next number. Returns false when no number follows; nothing more can be read then.
  ZEL_ALWAYS_INLINE bool Next(int& value) { return scan_ints_detail::ScanOne(next_, end_, value); }

 private:
  const char* next_;
  const char* end_;
};

// Converts up to `count` numbers into `values` and returns how many were converted.
inline int ScanInts(std::string_view line, int count, int* values) {
  IntScanner scanner(line);
  for (int i = 0; i < count; ++i) {
    if (!scanner.Next(values[i])) {
      return i;
    }
  }
  return count;
}

// The same conversion for a line too long to hold, handed over piece by piece.
class IntStream {
 public:
  IntStream(int count, int* values) : count_(count), values_(values) {}
  // Takes the next piece of the line. Returns true once no later byte can change the result.
  bool Feed(const char* p, const char* end);
  // How many numbers were converted, once the whole line has been fed.
  int Finish();
  bool Done() const { return state_ == State::kDone; }
  bool Converted() const { return converted_ == count_; }

 private:
  enum class State { kSpace, kSign, kDigits, kDone };
  void Store();

  int count_;
  int* values_;
  int converted_ = 0;
  State state_ = count_ > 0 ? State::kSpace : State::kDone;
  bool negative_ = false;
  std::uint64_t magnitude_ = 0;
};
