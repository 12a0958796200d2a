// Finding white cells under a submitted rectangle (check 148) at a cost that no file shape
// can inflate. A picture is first searched row by row, a few word operations a row; once the
// searches of one test case have cost about what building a WhiteIndex costs, one is built for
// it and kept for the rest of the run, after which a rectangle costs a constant, and only a
// rectangle that does cover a white cell pays for a row-by-row search to name the first one.
// What the searches have cost is the run's own state, never the test case's: the task input
// stays as it was read.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "eval/rect.h"
#include "eval/test_case.h"
#include "eval/white_index.h"

class WhiteCells {
 public:
  // Makes the searches that follow be for `testCase`. Every test case of a run comes from one
  // list, and what their searches cost, and their indexes, are kept by their numbers.
  void Use(const TestCase& testCase);
  // Looks for the first white cell, in row-major order, of a rectangle with area inside the
  // picture.
  bool Find(const Rect& rect, Cell& white);

 private:
  bool Search(const Rect& rect, Cell& white) const;

  const TestCase* testCase_ = nullptr;
  const WhiteIndex* index_ = nullptr;  // the index of testCase_, once it is looked up
  // What the searches of each test case have cost so far, by its number less one; kIndexed once
  // its index is built.
  std::vector<std::uint32_t> searchCost_;
  std::unordered_map<int, std::unique_ptr<WhiteIndex>> indexes_;
};
