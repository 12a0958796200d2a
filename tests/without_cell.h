// A cover with one cell cut out, for the tests and fuzzers that make near misses: for the
// core's rectangles and the reference's alike (anything with x, y, width and height).
#pragma once

#include <vector>

// Cuts cell (x, y) out of every rectangle that holds it: up to four pieces around it.
template <typename Rectangle>
std::vector<Rectangle> WithoutCell(const std::vector<Rectangle>& rects, int x, int y) {
  std::vector<Rectangle> out;
  for (const Rectangle& r : rects) {
    if (x < r.x || x >= r.x + r.width || y < r.y || y >= r.y + r.height) {
      out.push_back(r);
      continue;
    }
    const Rectangle pieces[] = {{r.x, r.y, r.width, y - r.y},
                                {r.x, y + 1, r.width, r.y + r.height - y - 1},
                                {r.x, y, x - r.x, 1},
                                {x + 1, y, r.x + r.width - x - 1, 1}};
    for (const Rectangle& piece : pieces) {
      if (piece.width > 0 && piece.height > 0) {
        out.push_back(piece);
      }
    }
  }
  return out;
}
