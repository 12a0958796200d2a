#include "eval/white_cells.h"

#include <algorithm>

#include "base/expect.h"

namespace {
// Marks a test case whose index has been built.
constexpr std::uint32_t kIndexed = 0xFFFFFFFFu;

// About what building an index costs, in the units of SearchCost: a few steps for every
// eight cells and every row, and a floor that keeps tiny pictures from building one often
// (`make bench WORKLOADS=whiterows` measures the choice).
std::uint32_t SearchBudget(const TestCase& testCase) {
  const std::uint32_t bytes = static_cast<std::uint32_t>(testCase.Stride()) * testCase.h;
  return 2 * bytes + 4 * testCase.h + 4096;
}

// A search: a step for each row and each piece of up to 57 cells it reads.
std::uint32_t SearchCost(int width, int height) {
  return static_cast<std::uint32_t>(height) * (2 + static_cast<std::uint32_t>(width) / 57);
}
}  // namespace

void WhiteCells::Use(const TestCase& testCase) {
  if (&testCase != testCase_) {
    testCase_ = &testCase;
    index_ = nullptr;
  }
}

bool WhiteCells::Find(const Rect& rect, Cell& white) {
  ZEL_EXPECT(testCase_->Holds(rect));
  if (index_ == nullptr) {
    const TestCase& testCase = *testCase_;
    if (!testCase.HasWhite()) {
      return false;
    }
    const std::size_t slot = static_cast<std::size_t>(testCase.number) - 1;
    if (slot >= searchCost_.size()) {
      searchCost_.resize(slot + 1, 0);
    }
    std::uint32_t& spent = searchCost_[slot];
    const std::uint32_t cost = SearchCost(rect.width, rect.height);
    const std::uint32_t budget = SearchBudget(testCase);
    if (spent < budget - std::min(cost, budget)) {
      spent += cost;
      return Search(rect, white);
    }
    std::unique_ptr<WhiteIndex>& index = indexes_[testCase.number];
    if (index == nullptr) {
      index = std::make_unique<WhiteIndex>(testCase);
    }
    index_ = index.get();
    spent = kIndexed;
  }
  return index_->AnyWhite(rect.x, rect.y, rect.x + rect.width, rect.y + rect.height) &&
         Search(rect, white);
}

bool WhiteCells::Search(const Rect& rect, Cell& white) const {
  const TestCase& testCase = *testCase_;
  const int end = rect.x + rect.width;
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    const int x = bit_rows::FirstClear(testCase.Row(y), rect.x, end);
    if (x != end) {
      white = Cell{x, y};
      return true;
    }
  }
  return false;
}
