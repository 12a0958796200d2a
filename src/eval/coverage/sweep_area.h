// The sweep: left to right over the edges of the boxes, with cover counts over the rows kept in
// bands of 32 rows. A box costs its rows only within the two bands it covers in part, and a
// step for each band between, so at most 62 + 31 steps whatever its size: the bound for every
// block that no cheaper way takes.
#pragma once

#include <cstdint>
#include <span>

#include "eval/coverage/edge_walk.h"
#include "eval/coverage/packed_rect.h"
#include "eval/test_case.h"

class SweepArea {
 public:
  // The rows of a band (`make bench WORKLOADS="random unions tall"`).
  static constexpr int kBand = 32;

  // The area of the union of `boxes`, which lie inside the picture of `testCase`.
  std::int64_t operator()(const TestCase& testCase, std::span<const PackedRect> boxes,
                          EdgeWalk& walk);

 private:
  // Every box added is taken away again, so the counts are zero between blocks.
  ScratchArray<std::int32_t> rows_;     // boxes over each row, counted row by row
  ScratchArray<std::int32_t> full_;     // boxes over each band whole
  ScratchArray<std::int32_t> partial_;  // rows of each band with a row count above zero
};
