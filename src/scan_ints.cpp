#include "scan_ints.h"

#include <climits>
#include <cstdint>

namespace {
bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Parses one number at `pos`; returns false when no digit follows the optional sign.
bool ScanOne(std::string_view line, std::size_t& pos, int& value) {
  const std::size_t size = line.size();
  while (pos < size && IsCSpace(line[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < size && (line[pos] == '+' || line[pos] == '-')) {
    negative = line[pos] == '-';
    ++pos;
  }
  if (pos >= size || !IsDigit(line[pos])) {
    return false;
  }
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 31;  // |INT_MIN|
  std::uint64_t magnitude = 0;
  do {
    if (magnitude <= kLimit) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(line[pos] - '0');
    }
    ++pos;
  } while (pos < size && IsDigit(line[pos]));
  if (negative) {
    value = magnitude >= kLimit ? INT_MIN : -static_cast<int>(magnitude);
  } else {
    value = magnitude >= kLimit ? INT_MAX : static_cast<int>(magnitude);
  }
  return true;
}
}  // namespace

int ScanInts(std::string_view line, int count, int* values) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    if (!ScanOne(line, pos, values[i])) {
      return i;
    }
  }
  return count;
}
