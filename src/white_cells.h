// Finding white cells under a submitted rectangle (check 148) in time that does not grow with
// how often a picture is covered. A picture is first scanned row by row; once the scans of
// one test case have cost a few times its size, a table of white-cell counts is built for it,
// after which each rectangle costs O(1), and only a rectangle that does cover a white cell
// costs O(height + width) to locate the first one.
#pragma once

#include "task_input.h"

// Looks for the first white cell, in row-major order, of the rectangle with top-left cell
// (x, y) and the given positive sides, which lies inside the picture.
bool FindWhiteCell(TestCase& testCase, int x, int y, int width, int height, int& cellX, int& cellY);
