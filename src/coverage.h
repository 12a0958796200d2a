// Whether a block's rectangles cover exactly the black cells of a picture, at a cost that does
// not grow with how much the rectangles overlap. Every rectangle handed in has passed the grid
// and white-cell checks, so their union lies inside the black cells, and it covers every black
// cell exactly when its area equals the number of black cells.
//
// Two ways to know, whichever costs less for the block at hand; both take the rectangles in the
// order of where they start and where they end along one axis (a counting sort, or a
// comparison sort for few rectangles):
// - the sweep: over the columns, left to right, with a cover count per row; it costs the
//   rectangles' heights, so a million one-rectangle blocks stay cheap;
// - the canvas: down the rows, with a cover count per column that changes only at rows where
//   a rectangle starts or ends; a row's cover is rebuilt there and compared with the picture
//   row as a whole. It also names the first cell that differs, which a failing block needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "task_input.h"

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Only a rectangle with area paints cells; one with a zero or negative side still counts.
  bool HasArea() const { return width > 0 && height > 0; }
};

struct Cell {
  int x = 0;
  int y = 0;
};

class Coverage {
 public:
  // The first cell in row-major order whose colour in the picture differs from whether the
  // rectangles cover it; none when they match. Rectangles without area are ignored.
  std::optional<Cell> FirstMismatch(const TestCase& testCase, const std::vector<Rect>& rects);

 private:
  std::int64_t UnionArea(const TestCase& testCase, const std::vector<Rect>& rects);
  std::optional<Cell> PaintAndCompare(const TestCase& testCase, const std::vector<Rect>& rects);
  // The indices of the rectangles with area, ordered by `key` (values 0..limit). A template,
  // so that the key inlines into the counting loops.
  template <typename Key>
  void Order(const std::vector<Rect>& rects, Key key, int limit, std::vector<std::uint32_t>& order);

  std::int64_t painted_ = 0;  // rectangles with area in the block at hand
  std::vector<std::uint32_t> byStart_;
  std::vector<std::uint32_t> byEnd_;
  std::vector<std::uint32_t> bucket_;
  std::vector<std::int32_t> rowCover_;     // sweep: rectangles over each row; zero between sweeps
  std::vector<std::int32_t> columnDelta_;  // canvas: change of the cover count at each column
  std::string coverRow_;                   // canvas: the current row's cover as '#' and '.'
};
