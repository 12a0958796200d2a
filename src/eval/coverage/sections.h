// Cross-sections: the cover of one row at a time, walked down the rows (or of one column,
// across the columns), rebuilt only where a box starts or ends. Cheap when few rows (columns)
// are such places, as for a block of full-height (full-width) rectangles.
#pragma once

#include <cstdint>
#include <span>

#include "base/bit_rows.h"
#include "eval/coverage/edge_walk.h"
#include "eval/coverage/packed_rect.h"
#include "eval/rect.h"
#include "eval/test_case.h"

class Sections {
 public:
  // The area of the union of `boxes`, which lie inside the picture of `testCase`.
  std::int64_t RowsArea(const TestCase& testCase, std::span<const PackedRect> boxes,
                        EdgeWalk& walk);
  std::int64_t ColumnsArea(const TestCase& testCase, std::span<const PackedRect> boxes,
                           EdgeWalk& walk);
  // Down the rows, each row's cover compared with the picture: whether a cell differs, and
  // then the first one in row-major order.
  bool FirstDifference(const TestCase& testCase, std::span<const PackedRect> boxes, EdgeWalk& walk,
                       Cell& cell);

 private:
  template <typename Axis>
  std::int64_t Walk(Axis axis, const TestCase& testCase, std::span<const PackedRect> boxes,
                    EdgeWalk& walk, Cell* mismatch);

  ScratchArray<std::int32_t> delta_;      // the change of the cover count along a section
  ScratchArray<bit_rows::Byte> section_;  // the cover of one section, as bits
};
