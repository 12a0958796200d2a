// A shortcut to the numbers of the usual line of numbers: up to four numbers of at most four
// digits, apart by spaces, ending within the line's first 16 or 32 bytes. Read digit by digit,
// every number ends in a branch that depends on its length, mispredicted whenever the lengths
// vary, and each number waits for the one before it. Here the bytes are classified sixteen at
// a time, the numbers are found in the bit masks, and all of them are converted at once, each
// digit weighed by its place. Any other line (a sign, a tab, a CR within it, a longer number,
// too few numbers) is left to ScanOne, which knows every rule; where the shortcut answers, it
// gives what ScanOne gives.
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

// The first kBytes bytes at `p`, 16 or 32.
template <int kBytes>
inline Classes Classify(const char* p) {
  const Classes low = ClassifyHalf(p);
  if constexpr (kBytes == 16) {
    return low;
  }
  const Classes high = ClassifyHalf(p + 16);
  return {low.digits | high.digits << 16, low.plain | high.plain << 16};
}

// The values of up to four numbers of 1 to 4 digits at once, number i from the bytes at
// p + start[i]: four bytes from each must be readable. Each number's digits are weighed by
// their place in it; the bytes after its digits weigh nothing, whatever they are.
template <int kCount>
ZEL_ALWAYS_INLINE __m128i Values(const char* p, const int (&start)[kCount],
                                 const int (&length)[kCount]) {
  alignas(16) static constexpr std::int16_t kWeights[5][4] = {
      {}, {1}, {10, 1}, {100, 10, 1}, {1000, 100, 10, 1}};
  __m128i digits[4];
  __m128i weights[4];
  for (int i = 0; i < 4; ++i) {
    if (i < kCount) {
      std::int32_t word;
      std::memcpy(&word, p + start[i], sizeof word);
      digits[i] = _mm_cvtsi32_si128(word);
      weights[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kWeights[length[i]]));
    } else {
      digits[i] = weights[i] = _mm_setzero_si128();
    }
  }
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_subs_epu8(_mm_unpacklo_epi64(_mm_unpacklo_epi32(digits[0], digits[1]),
                                                         _mm_unpacklo_epi32(digits[2], digits[3])),
                                      _mm_set1_epi8('0'));
  // Two products summed per 32 bits: the two halves of each number, at most 9900 each.
  const __m128i low =
      _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), _mm_unpacklo_epi64(weights[0], weights[1]));
  const __m128i high =
      _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), _mm_unpacklo_epi64(weights[2], weights[3]));
  return _mm_madd_epi16(_mm_packs_epi32(low, high), _mm_set1_epi16(1));
}

// Converts the first sizeof...(values) numbers of the line at `p` when the line is plain (see
// above) within its first kBytes bytes and returns the end of the last of them; null, with
// `values` untouched, otherwise. `kReach` bytes from `p` must be readable.
template <int kBytes, typename... Ints>
ZEL_ALWAYS_INLINE const char* ScanWithin(const char* p, Ints&... values) {
  constexpr int kCount = sizeof...(values);
  static_assert(kCount >= 1 && kCount <= 4);
  const Classes classes = Classify<kBytes>(p);
  // Bits from kBytes up stand for "beyond the bytes classified": a number that seems to end
  // there (it may run on) fails the check.
  constexpr std::uint64_t kBeyond = ~std::uint64_t{0} << kBytes;
  const std::uint64_t digits = classes.digits;
  std::uint64_t starts = (digits & ~(digits << 1)) | kBeyond;
  std::uint64_t ends = (~digits & (digits << 1)) | kBeyond;  // the byte after a number
  int start[kCount];
  int length[kCount];
  int end = 0;
  unsigned longer = 0;  // a length past 4, or none, leaves a bit from 4 up
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
  if ((other | (longer & ~3u) | static_cast<unsigned>(end / kBytes)) != 0) {
    return nullptr;
  }
  alignas(16) int converted[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(converted), Values<kCount>(p, start, length));
  int at = 0;
  ((values = converted[at++]), ...);
  return p + end;
}

// Most lines end within 16 bytes: only a longer one costs the second look.
template <typename... Ints>
ZEL_ALWAYS_INLINE const char* Scan(const char* p, Ints&... values) {
  if (const char* end = ScanWithin<16>(p, values...)) {
    return end;
  }
  return ScanWithin<32>(p, values...);
}
#else
constexpr int kReach = 0;

template <typename... Ints>
const char* Scan(const char*, Ints&...) {
  return nullptr;
}
#endif
}  // namespace plain_numbers
