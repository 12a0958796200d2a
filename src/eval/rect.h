// The rectangle of a submission, and a cell of a grid.
#pragma once

// A rectangle as its line gives it: `x` is the column and `y` the row of its top-left cell; it
// covers columns x..x+width-1 of rows y..y+height-1. Any values a line holds, also negative.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Only a rectangle with area paints cells; one with a zero or negative side still counts.
  bool HasArea() const { return width > 0 && height > 0; }
};

// A cell of a grid: column x, row y, both from 0.
struct Cell {
  int x = 0;
  int y = 0;
  bool operator==(const Cell&) const = default;
};
