#include "coverage.h"

#include <algorithm>

namespace {
// Rough cost of one sweep edge in canvas cells: a sort step and a tree update.
constexpr std::int64_t kEdgeCost = 48;

bool Paints(const Rect& rect) {
  return rect.width > 0 && rect.height > 0;
}
}  // namespace

std::optional<Cell> Coverage::FirstMismatch(const TestCase& testCase,
                                            const std::vector<Rect>& rects) {
  const auto painted = std::count_if(rects.begin(), rects.end(), Paints);
  const std::int64_t cells = static_cast<std::int64_t>(testCase.w) * testCase.h;
  if (painted * 2 * kEdgeCost < cells && UnionArea(rects, testCase.h) == testCase.blackCount) {
    return std::nullopt;
  }
  return PaintAndCompare(testCase, rects, painted);
}

std::int64_t Coverage::UnionArea(const std::vector<Rect>& rects, int h) {
  edges_.clear();
  for (const Rect& rect : rects) {
    if (!Paints(rect)) {
      continue;
    }
    edges_.push_back({rect.x, rect.y, rect.y + rect.height, 1});
    edges_.push_back({rect.x + rect.width, rect.y, rect.y + rect.height, -1});
  }
  if (edges_.size() == 2) {  // one rectangle: a million one-rectangle blocks must stay cheap
    return static_cast<std::int64_t>(edges_[1].x - edges_[0].x) * (edges_[0].y1 - edges_[0].y0);
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

// The difference table holds +1/-1 at the corners of each rectangle; summing it row by row
// into a running column total gives each cell's cover count. The table is zero outside this
// function: only the corners are written and they are cleared again, so a block costs its
// rectangles plus one pass over the cells, never a clearing of the whole table.
std::optional<Cell> Coverage::PaintAndCompare(const TestCase& testCase,
                                              const std::vector<Rect>& rects,
                                              std::int64_t painted) {
  const std::size_t stride = static_cast<std::size_t>(testCase.w) + 1;
  const std::size_t size = stride * (static_cast<std::size_t>(testCase.h) + 1);
  if (canvas_.size() < size) {
    canvas_.assign(size, 0);
  }
  MarkCorners(rects, stride, 1);
  columnCover_.assign(static_cast<std::size_t>(testCase.w), 0);
  std::optional<Cell> mismatch;
  for (int y = 0; y < testCase.h && !mismatch; ++y) {
    const std::int32_t* diff = canvas_.data() + static_cast<std::size_t>(y) * stride;
    const char* picture = testCase.Row(y);
    std::int32_t* cover = columnCover_.data();
    std::int32_t running = 0;
    bool differs = false;
    for (int x = 0; x < testCase.w; ++x) {
      running += diff[x];
      cover[x] += running;
      differs |= (cover[x] > 0) != (picture[x] == '#');
    }
    if (differs) {
      int x = 0;
      while ((cover[x] > 0) == (picture[x] == '#')) {
        ++x;
      }
      mismatch = Cell{x, y};
    }
  }
  // Clearing corners one by one is random access; past a point one sweep is cheaper.
  if (painted * 64 > static_cast<std::int64_t>(size)) {
    std::fill(canvas_.begin(), canvas_.begin() + static_cast<std::ptrdiff_t>(size), 0);
  } else {
    MarkCorners(rects, stride, 0);
  }
  return mismatch;
}

void Coverage::MarkCorners(const std::vector<Rect>& rects, std::size_t stride, int mark) {
  for (const Rect& rect : rects) {
    if (!Paints(rect)) {
      continue;
    }
    const std::size_t top = static_cast<std::size_t>(rect.y) * stride + rect.x;
    const std::size_t bottom = top + static_cast<std::size_t>(rect.height) * stride;
    const std::size_t width = static_cast<std::size_t>(rect.width);
    if (mark == 0) {
      canvas_[top] = canvas_[top + width] = canvas_[bottom] = canvas_[bottom + width] = 0;
    } else {
      canvas_[top] += 1;
      canvas_[top + width] -= 1;
      canvas_[bottom] -= 1;
      canvas_[bottom + width] += 1;
    }
  }
}
