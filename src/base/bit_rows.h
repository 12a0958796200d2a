// Pictures and canvases as bits, one row after another: a row starts at a byte and takes
// Stride(w) bytes; cell x of a row is bit x % 8 of its byte x / 8, set for black (or painted).
// Runs of cells are handled 57 to 64 at a time through unaligned 64-bit words, with the mask
// of a run the same for every row of a rectangle. A block of rows is followed by kPadding
// bytes, so that a word can be read at any byte of any row.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace bit_rows {
using Byte = std::uint8_t;
using Word = std::uint64_t;
constexpr int kPadding = 8;

inline std::int64_t Stride(int w) {
  return (w + 7) / 8;
}
inline Word Load(const Byte* at) {
  Word word;
  std::memcpy(&word, at, sizeof word);
  return word;
}
inline void Store(Byte* at, Word word) {
  std::memcpy(at, &word, sizeof word);
}

// The number of set bits. std::popcount becomes a library call on machines not known to have
// the instruction, which costs more than these few steps.
inline int Count(Word bits) {
  bits -= (bits >> 1) & 0x5555555555555555;
  bits = (bits & 0x3333333333333333) + ((bits >> 2) & 0x3333333333333333);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0F;
  return static_cast<int>((bits * 0x0101010101010101) >> 56);
}

inline bool Test(const Byte* row, int x) {
  return (row[x / 8] >> (x % 8)) & 1;
}

// Cells [from, to) of a row as pieces of at most 57..64 cells: the byte each piece's word
// starts at, and the mask of the piece within that word.
struct Piece {
  int byte;
  Word mask;
};
// The piece that starts at `at`, which moves on to where the piece ends.
inline Piece NextPiece(int& at, int to) {
  const int shift = at % 8;
  const int count = to - at < 64 - shift ? to - at : 64 - shift;
  const Word ones = count == 64 ? ~Word{0} : (Word{1} << count) - 1;
  const Piece piece{at / 8, ones << shift};
  at += count;
  return piece;
}

// The first clear cell in [from, to) of a row, or `to`.
inline int FirstClear(const Byte* row, int from, int to) {
  for (int at = from; at < to;) {
    const Piece piece = NextPiece(at, to);
    if (const Word clear = ~Load(row + piece.byte) & piece.mask) {
      return piece.byte * 8 + std::countr_zero(clear);
    }
  }
  return to;
}

// Returns the first bit where two runs of `bytes` bytes differ, as the byte's index times 8 plus
// the bit's, or -1 when they are the same.
inline std::int64_t FirstDifference(const Byte* a, const Byte* b, std::int64_t bytes) {
  std::int64_t at = 0;
  for (; at + 8 <= bytes; at += 8) {
    if (Load(a + at) != Load(b + at)) {
      break;
    }
  }
  for (; at < bytes; ++at) {
    if (const unsigned differ = static_cast<unsigned>(a[at] ^ b[at])) {
      return at * 8 + std::countr_zero(differ);
    }
  }
  return -1;
}

inline void SetRun(Byte* row, int from, int to) {
  for (int at = from; at < to;) {
    const Piece piece = NextPiece(at, to);
    Store(row + piece.byte, Load(row + piece.byte) | piece.mask);
  }
}

}  // namespace bit_rows
