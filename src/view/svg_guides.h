// The parts of the SVG picture around its grid, in screen pixels: rulers that number the
// columns above the grid and the rows left of it, and the legend of its colours below it.
#pragma once

#include <span>
#include <string>

#include "view/legend.h"
#include "view/region.h"
#include "view/scene.h"

// Where the region of cells drawn stands in the picture, in pixels.
struct GridPlace {
  Region region;
  double cell = 1;  // pixels a cell side
  double x = 0;     // the region's top-left corner
  double y = 0;

  double X(double cellX) const { return x + (cellX - region.x0) * cell; }
  double Y(double cellY) const { return y + (cellY - region.y0) * cell; }
};

// The height of the column numbers above the grid, and the width of the row numbers left of
// it, without the gap between them and the grid.
inline constexpr int kColumnRulerHeight = 14;
int RowRulerWidth(const Scene& scene);

// `gap` pixels between the numbers and the grid, crossed by their ticks.
void AddRulers(std::string& out, const Scene& scene, const GridPlace& place, int gap);

// The legend in `lang`, laid out from (left, top) in rows at most `width` wide; returns its
// height.
int AddLegend(std::string& out, std::span<const Key> keys, Lang lang, int left, int top, int width);
