#include "eval/picture_writer.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

int PictureWriter::Append(std::string_view row) {
  const char* cells = row.data();
  const int width = static_cast<int>(row.size());
  bit_rows::Byte* out = next_;
  int x = 0;
#if defined(__SSE2__)
  const __m128i black = _mm_set1_epi8('#');
  const __m128i white = _mm_set1_epi8('.');
  for (; x + 16 <= width; x += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + x));
    const unsigned blacks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, black)));
    const unsigned whites = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, white)));
    if ((blacks | whites) != 0xFFFF) {
      return x + std::countr_one(blacks | whites);
    }
    out[x / 8] = static_cast<bit_rows::Byte>(blacks);
    out[x / 8 + 1] = static_cast<bit_rows::Byte>(blacks >> 8);
  }
#endif
  for (; x < width; x += 8) {
    unsigned byte = 0;
    for (int bit = 0; bit < 8 && x + bit < width; ++bit) {
      const char c = cells[x + bit];
      if (c != '#' && c != '.') {
        return x + bit;
      }
      byte |= static_cast<unsigned>(c == '#') << bit;
    }
    out[x / 8] = static_cast<bit_rows::Byte>(byte);
  }
  // Counted a word at a time; the bits past the row's end are clear.
  std::int64_t at = 0;
  for (; at + 8 <= stride_; at += 8) {
    blackCount_ += bit_rows::Count(bit_rows::Load(out + at));
  }
  for (; at < stride_; ++at) {
    blackCount_ += bit_rows::Count(out[at]);
  }
  next_ += stride_;
  return -1;
}
