// Runs of bits in an array of 64-bit words, bit i being bit i % 64 of word i / 64. A picture is
// kept this way (see task_input.h), so that testing or painting a run of cells costs a few
// word operations, and two pictures compare word by word in row-major order.
#pragma once

#include <bit>
#include <cstdint>

namespace bit_rows {
using Word = std::uint64_t;
constexpr int kBits = 64;

inline std::int64_t WordCount(std::int64_t bits) {
  return (bits + kBits - 1) / kBits;
}
inline Word MaskFrom(std::int64_t bit) {  // bits bit % 64 .. 63
  return ~Word{0} << (bit & (kBits - 1));
}
inline Word MaskTo(std::int64_t end) {  // bits 0 .. (end - 1) % 64
  return ~Word{0} >> ((kBits - (end & (kBits - 1))) & (kBits - 1));
}

// The number of set bits. std::popcount becomes a library call on machines not known to have
// the instruction, which costs more than these few steps.
inline int Count(Word bits) {
  bits -= (bits >> 1) & 0x5555555555555555;
  bits = (bits & 0x3333333333333333) + ((bits >> 2) & 0x3333333333333333);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0F;
  return static_cast<int>((bits * 0x0101010101010101) >> 56);
}

inline bool Test(const Word* words, std::int64_t bit) {
  return (words[bit / kBits] >> (bit & (kBits - 1))) & 1;
}

// The first clear bit in [from, to), or `to` when every one is set.
inline std::int64_t FirstClear(const Word* words, std::int64_t from, std::int64_t to) {
  if (from >= to) {
    return to;
  }
  std::int64_t index = from / kBits;
  const std::int64_t last = (to - 1) / kBits;
  Word clear = ~words[index] & MaskFrom(from);
  for (; index < last; clear = ~words[++index]) {
    if (clear != 0) {
      return index * kBits + std::countr_zero(clear);
    }
  }
  clear &= MaskTo(to);
  return clear != 0 ? index * kBits + std::countr_zero(clear) : to;
}

// Applies `apply(word, mask)` to the words of [from, to), from > to being an empty run.
template <typename Apply>
inline void ForRun(std::int64_t from, std::int64_t to, Apply apply) {
  if (from >= to) {
    return;
  }
  std::int64_t index = from / kBits;
  const std::int64_t last = (to - 1) / kBits;
  Word mask = MaskFrom(from);
  for (; index < last; ++index, mask = ~Word{0}) {
    apply(index, mask);
  }
  apply(index, mask & MaskTo(to));
}

inline void SetRun(Word* words, std::int64_t from, std::int64_t to) {
  ForRun(from, to, [&](std::int64_t index, Word mask) { words[index] |= mask; });
}

inline void ClearRun(Word* words, std::int64_t from, std::int64_t to) {
  ForRun(from, to, [&](std::int64_t index, Word mask) { words[index] &= ~mask; });
}
}  // namespace bit_rows

namespace bit_rows {
// Whether any bit in [from, to) is set.
inline bool AnySet(const Word* words, std::int64_t from, std::int64_t to) {
  bool any = false;
  ForRun(from, to, [&](std::int64_t index, Word mask) { any |= (words[index] & mask) != 0; });
  return any;
}

// Up to 64 bits from `from` on, as the low bits of a word; bits past the array read as clear
// only when the caller stays inside it (`count` bits must exist).
inline Word Extract(const Word* words, std::int64_t from, int count) {
  const std::int64_t index = from / kBits;
  const int shift = static_cast<int>(from & (kBits - 1));
  Word bits = words[index] >> shift;
  if (shift != 0 && shift + count > kBits) {
    bits |= words[index + 1] << (kBits - shift);
  }
  return count == kBits ? bits : bits & ((Word{1} << count) - 1);
}
}  // namespace bit_rows
