#include "picture_writer.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using bit_rows::Word;

void PictureWriter::Put(Word bits, int count) {
  pending_ |= bits << used_;
  used_ += count;
  if (used_ >= bit_rows::kBits) {
    blackCount_ += bit_rows::Count(pending_);
    *out_++ = pending_;
    used_ -= bit_rows::kBits;
    pending_ = used_ == 0 ? 0 : bits >> (count - used_);
  }
}

void PictureWriter::Finish() {
  if (used_ > 0) {
    blackCount_ += bit_rows::Count(pending_);
    *out_++ = pending_;
    pending_ = 0;
    used_ = 0;
  }
}

int PictureWriter::Append(std::string_view row) {
  const char* cells = row.data();
  const int width = static_cast<int>(row.size());
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
    Put(blacks, 16);
  }
#endif
  Word bits = 0;
  int count = 0;
  for (; x < width; ++x) {
    const char c = cells[x];
    if (c != '#' && c != '.') {
      return x;
    }
    bits |= Word{c == '#'} << count;
    if (++count == bit_rows::kBits) {
      Put(bits, count);
      bits = 0;
      count = 0;
    }
  }
  if (count > 0) {
    Put(bits, count);
  }
  return -1;
}
