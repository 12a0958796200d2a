// Turns the text rows of a picture into its bits (see bit_rows.h): '#' is a set bit, '.' a
// clear one, rows one after the other without gaps. Sixteen cells at a time where the machine
// has SSE2, since every cell of every picture passes through here.
#pragma once

#include <cstdint>
#include <string_view>

#include "bit_rows.h"

class PictureWriter {
 public:
  explicit PictureWriter(bit_rows::Word* words) : out_(words) {}

  // Appends one row; returns the column of its first byte that is neither '.' nor '#', or -1.
  int Append(std::string_view row);
  // Writes the last, partly filled word.
  void Finish();
  // The black cells written, once finished.
  std::int64_t BlackCount() const { return blackCount_; }

 private:
  void Put(bit_rows::Word bits, int count);

  bit_rows::Word* out_;
  bit_rows::Word pending_ = 0;
  int used_ = 0;  // bits of pending_ in use
  std::int64_t blackCount_ = 0;
};
