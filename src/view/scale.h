// How large a picture draws a cell, and which columns and rows its rulers number. The SVG
// picture draws at one scale; the page at every scale its zoom takes, with the same numbers
// from the same rule (src/web/scene_fields.cpp sends it these values).
#pragma once

#include <optional>
#include <span>
#include <vector>

// The SVG picture's grid is about this long on its longer side: a cell takes at least
// kLeastCellPixels, so that the ring and the rulers find it, and a small grid is drawn larger,
// up to kMostCellPixels a cell, so that its cells are large enough to read.
inline constexpr double kGridPixels = 800;
inline constexpr double kLeastCellPixels = 3;
inline constexpr double kMostCellPixels = 96;
// Lines between the cells from this many pixels a cell.
inline constexpr double kGridLinesFrom = 8;
// A ruler's numbers: a digit takes at most kDigitPixels, and numbers keep kRulerGap apart.
inline constexpr double kDigitPixels = 7;
inline constexpr double kRulerGap = 10;
inline constexpr int kRulerSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};

// Pixels a cell side in the SVG picture of a region of `width` x `height` cells.
double CellPixels(int width, int height);

// The numbers a ruler shows for the cells `first` to `last` at `cellPixels`, in order: the
// multiples of the smallest step whose numbers (of `digits` digits at most) do not touch, and
// `named` (the column or row of the cell the check names) when it lies in range, in place of
// the multiples too near it.
std::vector<int> RulerNumbers(int first, int last, double cellPixels, int digits,
                              std::optional<int> named);

// The digits of the largest number a ruler of a w x h grid shows.
int RulerDigits(int w, int h);
