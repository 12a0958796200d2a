#include "coverage.h"

#include <algorithm>

namespace {
// Rough cost of one sweep edge in canvas cells: a sort step and a tree update.
constexpr std::int64_t kEdgeCost = 48;
}  // namespace

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase,
                                            const std::vector<Rect>& rects) {
  painted_.clear();
  for (const Rect& rect : rects) {
    if (rect.width > 0 && rect.height > 0) {
      painted_.push_back(rect);
    }
  }
  const std::int64_t cells = static_cast<std::int64_t>(testCase.w) * testCase.h;
  if (static_cast<std::int64_t>(painted_.size()) * 2 * kEdgeCost < cells &&
      UnionArea(testCase.h) == testCase.blackCount) {
    return std::nullopt;
  }
  return PaintAndCompare(testCase);
}

std::int64_t Coverage::UnionArea(int h) {
  if (painted_.size() == 1) {
    return static_cast<std::int64_t>(painted_[0].width) * painted_[0].height;
  }
  edges_.clear();
  for (const Rect& rect : painted_) {
    edges_.push_back({rect.x, rect.y, rect.y + rect.height, 1});
    edges_.push_back({rect.x + rect.width, rect.y, rect.y + rect.height, -1});
  }
  std::sort(edges_.begin(), edges_.end(), [](const Edge& l, const Edge& r) { return l.x < r.x; });
  const std::size_t nodes = 4 * static_cast<std::size_t>(h);
  if (coverCount_.size() < nodes) {
    coverCount_.assign(nodes, 0);
    coveredRows_.assign(nodes, 0);
  }
  std::int64_t area = 0;
  int previousX = edges_.empty() ? 0 : edges_.front().x;
  for (const Edge& edge : edges_) {
    area += static_cast<std::int64_t>(coveredRows_[1]) * (edge.x - previousX);
    previousX = edge.x;
    UpdateRows(1, 0, h, edge);
  }
  return area;
}

void Coverage::UpdateRows(int node, int low, int high, const Edge& edge) {
  if (edge.y1 <= low || high <= edge.y0) {
    return;
  }
  if (edge.y0 <= low && high <= edge.y1) {
    coverCount_[node] += edge.delta;
  } else {
    const int middle = low + (high - low) / 2;
    UpdateRows(2 * node, low, middle, edge);
    UpdateRows(2 * node + 1, middle, high, edge);
  }
  if (coverCount_[node] > 0) {
    coveredRows_[node] = high - low;
  } else {
    coveredRows_[node] = high - low == 1 ? 0 : coveredRows_[2 * node] + coveredRows_[2 * node + 1];
  }
}

std::optional<Cell> Coverage::PaintAndCompare(const TestCase& testCase) {
  const std::size_t stride = static_cast<std::size_t>(testCase.w) + 1;
  canvas_.assign(stride * (static_cast<std::size_t>(testCase.h) + 1), 0);
  for (const Rect& rect : painted_) {
    const std::size_t top = static_cast<std::size_t>(rect.y) * stride;
    const std::size_t bottom = static_cast<std::size_t>(rect.y + rect.height) * stride;
    canvas_[top + rect.x] += 1;
    canvas_[top + rect.x + rect.width] -= 1;
    canvas_[bottom + rect.x] -= 1;
    canvas_[bottom + rect.x + rect.width] += 1;
  }
  for (int y = 0; y < testCase.h; ++y) {
    std::int32_t* row = canvas_.data() + static_cast<std::size_t>(y) * stride;
    for (int x = 1; x < testCase.w; ++x) {
      row[x] += row[x - 1];
    }
    if (y > 0) {
      const std::int32_t* above = row - stride;
      for (int x = 0; x < testCase.w; ++x) {
        row[x] += above[x];
      }
    }
    const char* picture = testCase.Row(y);
    for (int x = 0; x < testCase.w; ++x) {
      if ((row[x] > 0) != (picture[x] == '#')) {
        return Cell{x, y};
      }
    }
  }
  return std::nullopt;
}
