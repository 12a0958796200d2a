#include "eval/coverage/canvas.h"

#include <algorithm>
#include <bit>

#include "base/expect.h"

using bit_rows::Byte;
using bit_rows::Word;

namespace {
// Applies `apply(row, from, to)` to the cells of each row of a box in a canvas laid out like
// the picture.
template <typename Apply>
void ForEachRow(Byte* canvas, std::int64_t stride, const PackedRect& box, Apply apply) {
  Byte* row = canvas + box.y * stride;
  for (int r = 0; r < box.height; ++r, row += stride) {
    apply(row, box.Left(), box.Right());
  }
}
}  // namespace

void Canvas::Begin(const TestCase& testCase) {
  if (steps_ > 0) {
    // The block before ended at a failed check with cells still painted.
    std::fill(bits_.begin(), bits_.end(), Byte{0});
    steps_ = 0;
  }
  testCase_ = &testCase;
  const std::size_t bytes =
      static_cast<std::size_t>(testCase.Stride() * testCase.h + bit_rows::kPadding);
  if (bits_.size() < bytes) {
    bits_.resize(bytes, 0);
  }
}

bool Canvas::PaintChecked(const Rect& rect, Cell& white) {
  const TestCase& testCase = *testCase_;
  ZEL_EXPECT(testCase.Holds(rect));
  const std::int64_t stride = testCase.Stride();
  const Byte* picture = testCase.Row(rect.y);
  Byte* canvas = bits_.data() + rect.y * stride;
  const int from = rect.x;
  const int to = rect.x + rect.width;
  // Counted first: a white cell found half way leaves rows painted, for the next Begin to clear.
  steps_ += PaintSteps(rect.x, rect.width, rect.height);
  // Looks for a white cell under one piece of a row, and paints the piece when there is none.
  const auto checkAndPaint = [&](const bit_rows::Piece& piece, int y) {
    if (const Word found = ~bit_rows::Load(picture + piece.byte) & piece.mask) {
      white = Cell{piece.byte * 8 + std::countr_zero(found), y};
      return true;
    }
    bit_rows::Store(canvas + piece.byte, bit_rows::Load(canvas + piece.byte) | piece.mask);
    return false;
  };
  // Most rectangles take one word a row, with the same mask on every row.
  int firstEnd = from;
  const bit_rows::Piece first = bit_rows::NextPiece(firstEnd, to);
  for (int y = rect.y; y < rect.y + rect.height; ++y, picture += stride, canvas += stride) {
    if (firstEnd == to) {
      if (checkAndPaint(first, y)) {
        return true;
      }
      continue;
    }
    for (int at = from; at < to;) {
      if (checkAndPaint(bit_rows::NextPiece(at, to), y)) {
        return true;
      }
    }
  }
  return false;
}

void Canvas::Paint(std::span<const PackedRect> boxes) {
  const std::int64_t stride = testCase_->Stride();
  for (const PackedRect& box : boxes) {
    ForEachRow(bits_.data(), stride, box, bit_rows::SetRun);
    steps_ += PaintSteps(box);
  }
}

bool Canvas::FirstDifference(Cell& cell) const {
  const TestCase& testCase = *testCase_;
  const std::int64_t bit =
      bit_rows::FirstDifference(bits_.data(), testCase.cells, testCase.Stride() * testCase.h);
  if (bit < 0) {
    return false;
  }
  cell = CellOfBit(bit, testCase.Stride());
  return true;
}

void Canvas::Clear(std::span<const PackedRect> painted) {
  if (steps_ == 0) {
    return;
  }
  const std::int64_t bytes = testCase_->Stride() * testCase_->h;
  if (steps_ >= bytes / 8) {
    std::fill(bits_.data(), bits_.data() + bytes, Byte{0});
    steps_ = 0;
    return;
  }
  ClearBoxes(painted, false);
}

std::int64_t Canvas::CountAndClear(std::span<const PackedRect> painted) {
  return ClearBoxes(painted, true);
}

std::int64_t Canvas::ClearBoxes(std::span<const PackedRect> painted, bool count) {
  if (steps_ == 0) {
    return 0;
  }
  const std::int64_t stride = testCase_->Stride();
  std::int64_t cleared = 0;
  for (const PackedRect& box : painted) {
    ForEachRow(bits_.data(), stride, box, [&](Byte* row, int from, int to) {
      for (int at = from; at < to;) {
        const bit_rows::Piece piece = bit_rows::NextPiece(at, to);
        const Word before = bit_rows::Load(row + piece.byte);
        if (count) {
          cleared += bit_rows::Count(before & piece.mask);
        }
        bit_rows::Store(row + piece.byte, before & ~piece.mask);
      }
    });
  }
  steps_ = 0;
  return cleared;
}
