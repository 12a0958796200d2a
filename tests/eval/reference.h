// A deliberately plain evaluation of one block, worded as the checks are, for the tests to hold
// the evaluator against: the bounds and the size limit in order, the first white cell of each
// rectangle row by row (from a table of the next white cell of every row), and the first cell
// whose cover differs from the picture (from a table of cover counts).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "eval/rect.h"

struct Verdict {
  int check = 0;  // 0: accepted
  int rectangle = 0;
  std::optional<Cell> cell;
  bool operator==(const Verdict&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Verdict& v) {
  out << "check " << v.check << " rectangle " << v.rectangle;
  if (v.cell) {
    out << " cell " << v.cell->x << "," << v.cell->y;
  }
  return out;
}

// Cover counts of rectangles with area over a w x h grid, from a table of differences.
inline std::vector<int> CoverCounts(int w, int h, const std::vector<Rect>& rects) {
  std::vector<int> cover(static_cast<std::size_t>(w + 1) * (h + 1), 0);
  const auto at = [&](int x, int y) -> int& {
    return cover[static_cast<std::size_t>(y) * (w + 1) + x];
  };
  for (const Rect& r : rects) {
    if (r.HasArea()) {
      ++at(r.x, r.y);
      --at(r.x + r.width, r.y);
      --at(r.x, r.y + r.height);
      ++at(r.x + r.width, r.y + r.height);
    }
  }
  for (int y = 0; y <= h; ++y) {
    for (int x = 0; x <= w; ++x) {
      at(x, y) += (x > 0 ? at(x - 1, y) : 0) + (y > 0 ? at(x, y - 1) : 0) -
                  (x > 0 && y > 0 ? at(x - 1, y - 1) : 0);
    }
  }
  std::vector<int> cells(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) cells[static_cast<std::size_t>(y) * w + x] = at(x, y);
  }
  return cells;
}

// The first cell, in row-major order, where being covered differs from being black.
inline std::optional<Cell> FirstMismatch(const std::vector<std::string>& rows,
                                         const std::vector<Rect>& rects) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows[0].size());
  const std::vector<int> cover = CoverCounts(w, h, rects);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if ((rows[y][x] == '#') != (cover[static_cast<std::size_t>(y) * w + x] > 0)) {
        return Cell{x, y};
      }
    }
  }
  return std::nullopt;
}

inline Verdict ReferenceVerdict(const std::vector<std::string>& rows, int a, int b,
                                const std::vector<Rect>& rects) {
  const int h = static_cast<int>(rows.size());
  const int w = static_cast<int>(rows[0].size());
  std::vector<std::vector<int>> nextWhite(h, std::vector<int>(w + 1, w));
  for (int y = 0; y < h; ++y) {
    for (int x = w - 1; x >= 0; --x) nextWhite[y][x] = rows[y][x] == '.' ? x : nextWhite[y][x + 1];
  }
  for (int k = 1; k <= static_cast<int>(rects.size()); ++k) {
    const Rect& r = rects[k - 1];
    if (r.x < 0)
      return {140, k, std::nullopt};
    if (r.y < 0)
      return {141, k, std::nullopt};
    if (static_cast<std::int64_t>(r.x) + r.width > w)
      return {142, k, std::nullopt};
    if (static_cast<std::int64_t>(r.y) + r.height > h)
      return {143, k, std::nullopt};
    if (!((r.width <= a && r.height <= b) || (r.width <= b && r.height <= a)))
      return {145, k, std::nullopt};
    for (int y = r.y; y < r.y + r.height && r.width > 0; ++y) {
      if (nextWhite[y][r.x] < r.x + r.width)
        return {148, k, Cell{nextWhite[y][r.x], y}};
    }
  }
  if (const auto cell = FirstMismatch(rows, rects)) {
    return {rows[cell->y][cell->x] == '#' ? 157 : 161, 0, cell};
  }
  return {};
}
