// Turns the text rows of a picture into its bits (see bit_rows.h): '#' is a set bit, '.' a
// clear one. Sixteen cells at a time where the machine has SSE2, since every cell of every
// picture passes through here.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/bit_rows.h"
#include "eval/test_case.h"

class PictureWriter {
 public:
  // Rows of `w` cells go to `rows`, which holds Stride(w) bytes a row.
  PictureWriter(bit_rows::Byte* rows, int w) : next_(rows), stride_(bit_rows::Stride(w)) {}

  // Appends one row of w cells, w at most kMaxSide; returns the column of its first byte that
  // is neither '.' nor '#', or -1.
  int Append(std::string_view row);
  std::int64_t BlackCount() const { return blackCount_; }

 private:
  bit_rows::Byte* next_;
  std::int64_t stride_;
  std::int64_t blackCount_ = 0;
};
