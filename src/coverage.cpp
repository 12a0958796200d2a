#include "coverage.h"

#include <algorithm>
#include <cstring>

namespace {
// Keys for ordering; lambdas, so that each ordering is its own instance with the key inlined.
constexpr auto Left = [](const Rect& rect) { return rect.x; };
constexpr auto Right = [](const Rect& rect) { return rect.x + rect.width; };
constexpr auto Top = [](const Rect& rect) { return rect.y; };
constexpr auto Bottom = [](const Rect& rect) { return rect.y + rect.height; };

// Relative costs, in steps of a vectorised loop (measured on the benchmark workloads): taking
// one rectangle in order for the sweep or for the canvas, and one cell of a canvas row that is
// rebuilt (a serial running sum).
constexpr std::int64_t kSweepRectCost = 16;
constexpr std::int64_t kCanvasRectCost = 12;
constexpr std::int64_t kRebuiltCellCost = 4;
// Below this many rectangles per bucket a comparison sort is cheaper than a counting sort.
constexpr std::int64_t kBucketsPerRect = 8;

// Adds a rectangle's rows to the cover counts (delta 1) or takes them away (-1), and returns
// how many rows became covered or uncovered. The loop is free of aliasing and so vectorised.
std::int64_t CoverRows(std::int32_t* cover, const Rect& rect, int delta) {
  std::int32_t* const first = cover + rect.y;
  const int rows = rect.height;
  int change = 0;
  if (delta > 0) {
    for (int y = 0; y < rows; ++y) {
      change += first[y] == 0;
      first[y] += 1;
    }
  } else {
    for (int y = 0; y < rows; ++y) {
      first[y] -= 1;
      change -= first[y] == 0;
    }
  }
  return change;
}
}  // namespace

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase,
                                            const std::vector<Rect>& rects) {
  painted_ = 0;
  std::int64_t heights = 0;
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      ++painted_;
      heights += rect.height;
    }
  }
  const std::int64_t w = testCase.w;
  const std::int64_t h = testCase.h;
  const std::int64_t sweepCost = 2 * heights + painted_ * kSweepRectCost;
  const std::int64_t canvasCost =
      std::min(h, 2 * painted_) * w * kRebuiltCellCost + w * h / 8 + painted_ * kCanvasRectCost;
  if (sweepCost < canvasCost && UnionArea(testCase, rects) == testCase.blackCount) {
    return std::nullopt;
  }
  return PaintAndCompare(testCase, rects);
}

template <typename Key>
void Coverage::Order(const std::vector<Rect>& rects, Key key, int limit,
                     std::vector<std::uint32_t>& order) {
  order.clear();
  // Few rectangles: a comparison sort, so that a tiny block never pays for `limit` buckets.
  if (painted_ * kBucketsPerRect < limit) {
    for (std::uint32_t i = 0; i < rects.size(); ++i) {
      if (rects[i].HasArea()) {
        order.push_back(i);
      }
    }
    std::sort(order.begin(), order.end(), [&rects, key](std::uint32_t l, std::uint32_t r) {
      return key(rects[l]) < key(rects[r]);
    });
    return;
  }
  bucket_.assign(static_cast<std::size_t>(limit) + 2, 0);
  for (const Rect& rect : rects) {
    if (rect.HasArea()) {
      ++bucket_[static_cast<std::size_t>(key(rect)) + 1];
    }
  }
  for (std::size_t i = 1; i < bucket_.size(); ++i) {
    bucket_[i] += bucket_[i - 1];
  }
  order.resize(static_cast<std::size_t>(painted_));
  for (std::uint32_t i = 0; i < rects.size(); ++i) {
    if (rects[i].HasArea()) {
      order[bucket_[static_cast<std::size_t>(key(rects[i]))]++] = i;
    }
  }
}

std::int64_t Coverage::UnionArea(const TestCase& testCase, const std::vector<Rect>& rects) {
  if (painted_ <= 1) {  // a million one-rectangle blocks must stay cheap
    const auto only =
        std::find_if(rects.begin(), rects.end(), [](const Rect& rect) { return rect.HasArea(); });
    return only == rects.end() ? 0 : static_cast<std::int64_t>(only->width) * only->height;
  }
  Order(rects, Left, testCase.w, byStart_);
  Order(rects, Right, testCase.w, byEnd_);
  if (rowCover_.size() < static_cast<std::size_t>(testCase.h)) {
    rowCover_.resize(static_cast<std::size_t>(testCase.h), 0);
  }
  // Left to right over the columns where a rectangle starts or ends. Every start is undone by
  // its end, so the counts are zero again afterwards.
  std::int64_t area = 0;
  std::int64_t coveredRows = 0;
  int previousX = 0;
  std::size_t start = 0;
  std::size_t end = 0;
  while (end < byEnd_.size()) {
    const int x = start < byStart_.size()
                      ? std::min(Left(rects[byStart_[start]]), Right(rects[byEnd_[end]]))
                      : Right(rects[byEnd_[end]]);
    area += coveredRows * (x - previousX);
    previousX = x;
    for (; end < byEnd_.size() && Right(rects[byEnd_[end]]) == x; ++end) {
      coveredRows += CoverRows(rowCover_.data(), rects[byEnd_[end]], -1);
    }
    for (; start < byStart_.size() && Left(rects[byStart_[start]]) == x; ++start) {
      coveredRows += CoverRows(rowCover_.data(), rects[byStart_[start]], 1);
    }
  }
  return area;
}

std::optional<Cell> Coverage::PaintAndCompare(const TestCase& testCase,
                                              const std::vector<Rect>& rects) {
  Order(rects, Top, testCase.h, byStart_);
  Order(rects, Bottom, testCase.h, byEnd_);
  const std::size_t w = static_cast<std::size_t>(testCase.w);
  columnDelta_.assign(w + 1, 0);
  coverRow_.assign(w, '.');
  std::size_t start = 0;
  std::size_t end = 0;
  // Top to bottom; a row's cover changes only where a rectangle starts or ends.
  for (int y = 0; y < testCase.h; ++y) {
    bool changed = false;
    for (; end < byEnd_.size() && Bottom(rects[byEnd_[end]]) == y; ++end, changed = true) {
      columnDelta_[static_cast<std::size_t>(Left(rects[byEnd_[end]]))] -= 1;
      columnDelta_[static_cast<std::size_t>(Right(rects[byEnd_[end]]))] += 1;
    }
    for (; start < byStart_.size() && Top(rects[byStart_[start]]) == y; ++start, changed = true) {
      columnDelta_[static_cast<std::size_t>(Left(rects[byStart_[start]]))] += 1;
      columnDelta_[static_cast<std::size_t>(Right(rects[byStart_[start]]))] -= 1;
    }
    if (changed) {
      // Local pointers: a char store may alias anything, members included, which would make
      // the compiler reload them every cell.
      const std::int32_t* delta = columnDelta_.data();
      char* cover = coverRow_.data();
      std::int32_t running = 0;
      for (std::size_t x = 0; x < w; ++x) {
        running += delta[x];
        cover[x] = running > 0 ? '#' : '.';
      }
    }
    const char* picture = testCase.Row(y);
    if (std::memcmp(picture, coverRow_.data(), w) != 0) {
      const auto x = std::mismatch(coverRow_.begin(), coverRow_.end(), picture).first;
      return Cell{static_cast<int>(x - coverRow_.begin()), y};
    }
  }
  return std::nullopt;
}
