#include "white_cells.h"

#include <algorithm>

namespace {
// Marks a test case whose index has been built.
constexpr std::uint32_t kIndexed = 0xFFFFFFFFu;

// About what building an index costs, in the units of SearchCost: a few steps for every word of
// the picture and every row, and a floor that keeps tiny pictures from building one often.
std::uint32_t SearchBudget(const TestCase& testCase) {
  const std::int64_t words =
      bit_rows::WordCount(static_cast<std::int64_t>(testCase.w) * testCase.h);
  return static_cast<std::uint32_t>(16 * words + 4 * testCase.h + 4096);
}

// A search: a step for each row and each word it touches; the rows of a rectangle as wide as
// the picture are one run of bits.
std::uint32_t SearchCost(const TestCase& testCase, int width, int height) {
  if (width == testCase.w) {
    return 2 + static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) / 64;
  }
  return static_cast<std::uint32_t>(height) * (2 + static_cast<std::uint32_t>(width) / 64);
}
}  // namespace

void WhiteCells::Use(TestCase& testCase) {
  testCase_ = &testCase;
  index_ = nullptr;
  if (testCase.whiteScanCost == kIndexed) {
    if (const auto found = indexes_.find(&testCase); found != indexes_.end()) {
      index_ = found->second.get();
    }
  }
}

bool WhiteCells::Find(int x, int y, int width, int height, int& cellX, int& cellY) {
  if (index_ == nullptr) {
    TestCase& testCase = *testCase_;
    const std::uint32_t cost = SearchCost(testCase, width, height);
    if (testCase.whiteScanCost < SearchBudget(testCase) - std::min(cost, SearchBudget(testCase))) {
      testCase.whiteScanCost += cost;
      return Search(x, y, width, height, cellX, cellY);
    }
    auto& slot = indexes_[&testCase];
    if (slot == nullptr) {
      slot = std::make_unique<WhiteIndex>(testCase);
    }
    index_ = slot.get();
    testCase.whiteScanCost = kIndexed;
  }
  return index_->AnyWhite(x, y, x + width, y + height) && Search(x, y, width, height, cellX, cellY);
}

bool WhiteCells::Search(int x, int y, int width, int height, int& cellX, int& cellY) const {
  const TestCase& testCase = *testCase_;
  if (width == testCase.w) {
    const std::int64_t to = testCase.CellIndex(0, y + height);
    const std::int64_t white = bit_rows::FirstClear(testCase.cells, testCase.CellIndex(0, y), to);
    cellX = static_cast<int>(white % testCase.w);
    cellY = static_cast<int>(white / testCase.w);
    return white != to;
  }
  for (int row = y; row < y + height; ++row) {
    const std::int64_t from = testCase.CellIndex(x, row);
    const std::int64_t to = from + width;
    const std::int64_t white = bit_rows::FirstClear(testCase.cells, from, to);
    if (white != to) {
      cellX = static_cast<int>(white - testCase.CellIndex(0, row));
      cellY = row;
      return true;
    }
  }
  return false;
}
