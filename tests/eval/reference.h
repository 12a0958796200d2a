// The reference evaluation (reference/reference.h) of one block, in the core's own types, for
// the core's tests to hold the evaluator against block by block.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "eval/rect.h"
#include "reference/reference.h"

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

inline Verdict ReferenceVerdict(const std::vector<std::string>& rows, int a, int b,
                                const std::vector<Rect>& rects) {
  const reference::Picture picture{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                                   a, b, rows};
  std::vector<reference::Rectangle> rectangles;
  for (const Rect& r : rects) {
    rectangles.push_back({r.x, r.y, r.width, r.height});
  }
  const reference::Verdict verdict = reference::JudgeBlock(picture, rectangles);
  Verdict out{verdict.check, verdict.rectangle, std::nullopt};
  if (verdict.cell) {
    out.cell = Cell{verdict.cell->x, verdict.cell->y};
  }
  return out;
}
