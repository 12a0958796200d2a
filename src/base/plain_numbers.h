// A shortcut to the numbers of the usual line of numbers: numbers of at most four digits,
// apart by spaces, within its first 32 bytes. Read digit by digit, every number ends in a
// branch that depends on its length, mispredicted whenever the lengths vary, and each number
// waits for the one before it. Here the bytes are classified sixteen at a time, the numbers are
// found in the bit masks, and each is converted on its own from one word. Any other line (a
// sign, a tab, a CR within it, a longer number, too few numbers) is left to ScanOne, which
// knows every rule; where the shortcut answers, it gives what ScanOne gives.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/scan_ints.h"

namespace plain_numbers {
#if defined(__SSE2__)
// How many bytes from the line's start a scan may read.
constexpr int kReach = 36;

// Bit i set when byte i is a digit, and when it is a digit or a space.
struct Classes {
  std::uint32_t digits;
  std::uint32_t plain;
};

inline Classes ClassifyHalf(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // '0'..'9' moved to the lowest ten signed byte values: one compare finds them.
  const __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - '0')));
  const __m128i digits = _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(0x80 + 10)), moved);
  const __m128i plain = _mm_or_si128(digits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')));
  return {static_cast<std::uint32_t>(_mm_movemask_epi8(digits)),
          static_cast<std::uint32_t>(_mm_movemask_epi8(plain))};
}

inline Classes Classify(const char* p) {
  const Classes low = ClassifyHalf(p);
  const Classes high = ClassifyHalf(p + 16);
  return {low.digits | high.digits << 16, low.plain | high.plain << 16};
}

// The value of the `length` (1 to 4) digits at `p`, from one word: four bytes from `p` must be
// readable. The bytes after the digits are shifted out, so whatever they are does not matter
// (a borrow from them runs only towards later bytes).
inline int Digits(const char* p, int length) {
  std::uint32_t word;
  std::memcpy(&word, p, sizeof word);
  word -= 0x30303030;
  // Leading zeros in front, the last digit in the highest byte; then pairs of digits in bytes
  // 0 and 2; then the first pair times 100 plus the second in the upper half.
  word <<= 8 * (4 - length);
  word = word * 10 + (word >> 8);
  word = ((word & 0x00FF00FF) * (1 + (100 << 16))) >> 16;
  return static_cast<int>(word);
}

// Converts the first sizeof...(values) numbers of the line at `p` when the line is plain (see
// above) and returns the end of the last of them; null, with `values` untouched, otherwise.
// `kReach` bytes from `p` must be readable.
template <typename... Ints>
ZEL_ALWAYS_INLINE const char* Scan(const char* p, Ints&... values) {
  constexpr int kCount = sizeof...(values);
  static_assert(kCount >= 1 && kCount <= 32);
  const Classes classes = Classify(p);
  // Bits from 32 up stand for "beyond the 32 bytes": a number that seems to end there (it may
  // run on) fails the check.
  constexpr std::uint64_t kBeyond = ~std::uint64_t{0} << 32;
  const std::uint64_t digits = classes.digits;
  std::uint64_t starts = (digits & ~(digits << 1)) | kBeyond;
  std::uint64_t ends = (~digits & (digits << 1)) | kBeyond;  // the byte after a number
  int start[kCount];
  int length[kCount];
  int end = 0;
  unsigned longer = 0;  // a length past 4 leaves a bit from 4 up
  for (int i = 0; i < kCount; ++i) {
    start[i] = std::countr_zero(starts);
    end = std::countr_zero(ends);
    length[i] = end - start[i];
    longer |= static_cast<unsigned>(length[i] - 1);
    starts &= starts - 1;
    ends &= ends - 1;
  }
  // Every byte up to the end of the last number a digit or a space, and that end seen.
  const std::uint64_t other = ~std::uint64_t{classes.plain} & ((std::uint64_t{1} << end) - 1);
  if ((other | (longer & ~3u) | static_cast<unsigned>(end >> 5)) != 0) {
    return nullptr;
  }
  int at = 0;
  ((values = Digits(p + start[at], length[at]), ++at), ...);
  return p + end;
}
#else
constexpr int kReach = 0;

template <typename... Ints>
const char* Scan(const char*, Ints&...) {
  return nullptr;
}
#endif
}  // namespace plain_numbers
