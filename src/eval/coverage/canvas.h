// The painter: a block's cells painted into a canvas of one bit a cell, laid out like the
// picture (see bit_rows.h), and compared with the picture word by word. The canvas is clear
// between blocks.
#pragma once

#include <cstdint>
#include <span>

#include "base/bit_rows.h"
#include "eval/coverage/packed_rect.h"
#include "eval/rect.h"
#include "eval/test_case.h"

// Words to paint a rectangle's run of cells on one row: a word covers 57 to 64 cells.
inline int PiecesPerRow(int x, int width) {
  return 1 + (x % 8 + width - 1) / 64;
}
// Word steps to paint a rectangle: its pieces on each of its rows.
inline std::int64_t PaintSteps(int x, int width, int height) {
  return static_cast<std::int64_t>(height) * PiecesPerRow(x, width);
}
inline std::int64_t PaintSteps(const PackedRect& box) {
  return PaintSteps(box.x, box.width, box.height);
}

// The cell of bit `bit` of a picture laid out in rows of `stride` bytes.
inline Cell CellOfBit(std::int64_t bit, std::int64_t stride) {
  return Cell{static_cast<int>((bit / 8 % stride) * 8 + bit % 8),
              static_cast<int>(bit / 8 / stride)};
}

class Canvas {
 public:
  // Starts a block of `testCase`, clearing what a block that failed half way left painted.
  void Begin(const TestCase& testCase);

  // Paints a rectangle with area inside the picture unless it covers a white cell: then true,
  // with the first such cell in row-major order, and the rows before it stay painted.
  bool PaintChecked(const Rect& rect, Cell& white);
  void Paint(std::span<const PackedRect> boxes);

  // The first cell, in row-major order, where the canvas and the picture differ.
  bool FirstDifference(Cell& cell) const;

  // Clears the painted boxes, box by box or the whole canvas, whichever costs less.
  void Clear(std::span<const PackedRect> painted);
  // Clears the painted boxes box by box and returns how many cells were painted: the area of
  // their union.
  std::int64_t CountAndClear(std::span<const PackedRect> painted);

  // The word steps painted since the canvas was clear.
  std::int64_t Steps() const { return steps_; }

 private:
  std::int64_t ClearBoxes(std::span<const PackedRect> painted, bool count);

  const TestCase* testCase_ = nullptr;
  std::int64_t steps_ = 0;
  ScratchArray<bit_rows::Byte> bits_;
};
