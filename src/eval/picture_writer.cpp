#include "eval/picture_writer.h"

#include <cstring>

#include "base/expect.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// The column of the first byte of `row` that is neither '.' nor '#', or -1.
int FirstOtherByte(std::string_view row) {
  for (std::size_t x = 0; x < row.size(); ++x) {
    if (row[x] != '#' && row[x] != '.') {
      return static_cast<int>(x);
    }
  }
  return -1;
}

// A row's cells as the bits of `out`, a byte at a time; false at a byte that is neither '.'
// nor '#'.
bool WriteCells(const char* cells, int width, bit_rows::Byte* out) {
  for (int x = 0; x < width; x += 8) {
    unsigned byte = 0;
    for (int bit = 0; bit < 8 && x + bit < width; ++bit) {
      const char c = cells[x + bit];
      if (c != '#' && c != '.') {
        return false;
      }
      byte |= static_cast<unsigned>(c == '#') << bit;
    }
    out[x / 8] = static_cast<bit_rows::Byte>(byte);
  }
  return true;
}
}  // namespace

int PictureWriter::Append(std::string_view row) {
  ZEL_EXPECT(row.size() <= kMaxSide && bit_rows::Stride(static_cast<int>(row.size())) == stride_);
  const char* cells = row.data();
  const int width = static_cast<int>(row.size());
  bit_rows::Byte* out = next_;
#if defined(__SSE2__)
  if (width >= 16) {
    // Sixteen cells a step, and no branch in the step: whether every byte is '.' or '#' is
    // gathered over the row, and the black cells are counted in byte lanes, which hold the
    // steps of the longest row.
    static_assert(kMaxSide / 16 < 256);
    const __m128i black = _mm_set1_epi8('#');
    const __m128i white = _mm_set1_epi8('.');
    __m128i valid = _mm_cmpeq_epi8(black, black);
    __m128i blacks = _mm_setzero_si128();
    const auto step = [&](const char* at) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      const __m128i isBlack = _mm_cmpeq_epi8(chunk, black);
      valid = _mm_and_si128(valid, _mm_or_si128(isBlack, _mm_cmpeq_epi8(chunk, white)));
      return isBlack;
    };
    const int whole = width & ~15;
    bit_rows::Byte* bitsAt = out;
    for (const char* at = cells; at != cells + whole; at += 16, bitsAt += 2) {
      const __m128i isBlack = step(at);
      blacks = _mm_sub_epi8(blacks, isBlack);
      const auto bits = static_cast<std::uint16_t>(_mm_movemask_epi8(isBlack));
      std::memcpy(bitsAt, &bits, sizeof bits);
    }
    if (const int tail = width - whole; tail > 0) {
      // The last sixteen cells again, of which only the last `tail` are new.
      alignas(16) static constexpr signed char kLastLanes[32] = {
          0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
          -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
      const __m128i isBlack = step(cells + width - 16);
      const __m128i newLanes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kLastLanes + tail));
      blacks = _mm_sub_epi8(blacks, _mm_and_si128(isBlack, newLanes));
      const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(isBlack)) >> (16 - tail);
      out[whole / 8] = static_cast<bit_rows::Byte>(bits);
      if (tail > 8) {
        out[whole / 8 + 1] = static_cast<bit_rows::Byte>(bits >> 8);
      }
    }
    if (_mm_movemask_epi8(valid) != 0xFFFF) {
      return FirstOtherByte(row);
    }
    const __m128i sums = _mm_sad_epu8(blacks, _mm_setzero_si128());
    blackCount_ += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    next_ += stride_;
    return -1;
  }
#endif
  if (!WriteCells(cells, width, out)) {
    return FirstOtherByte(row);
  }
  for (std::int64_t at = 0; at < stride_; ++at) {
    blackCount_ += bit_rows::Count(out[at]);
  }
  next_ += stride_;
  return -1;
}
