// A block whose rectangles all span the same rows, or all the same columns, as a cover by
// stripes does: its union is those rows (columns) times the union of the rectangles' runs
// across (down), found from a table of differences along one axis, a constant a rectangle.
#pragma once

#include <cstdint>
#include <span>

#include "eval/coverage/packed_rect.h"
#include "eval/test_case.h"

class OneAxis {
 public:
  // The area of the union of `boxes`, inside the picture of `testCase`, when they all span the
  // rows of the first, or all its columns; -1 otherwise.
  std::int64_t operator()(const TestCase& testCase, std::span<const PackedRect> boxes);

 private:
  template <typename Axis>
  std::int64_t Area(Axis axis, int length, std::span<const PackedRect> boxes);

  ScratchArray<std::int32_t> delta_;
};
