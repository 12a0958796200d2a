// Cross-sections down the rows: the cover of one row at a time, rebuilt only where a box starts
// or ends, and compared with the picture's row. Names the first cell that differs for a block
// of many large boxes on few distinct rows, which painting every box would make slow.
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
  // Whether a cell's cover by `boxes`, which lie inside the picture of `testCase`, differs from
  // its colour, and then the first such cell in row-major order.
  bool FirstDifference(const TestCase& testCase, std::span<const PackedRect> boxes, EdgeWalk& walk,
                       Cell& cell);

 private:
  ScratchArray<std::int32_t> delta_;      // the change of the cover count along a row
  ScratchArray<bit_rows::Byte> section_;  // the cover of one row, as bits
};
