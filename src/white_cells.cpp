#include "white_cells.h"

#include <cstring>

namespace {
std::int64_t ScanBudget(const TestCase& testCase) {
  return 4 * static_cast<std::int64_t>(testCase.w) * testCase.h + 65536;
}

bool FindInRow(const TestCase& testCase, int x, int y, int width, int& cellX) {
  const char* start = testCase.Row(y) + x;
  if (width <= 16) {  // cheaper than a call for the narrow rectangles most covers use
    for (int i = 0; i < width; ++i) {
      if (start[i] != '#') {
        cellX = x + i;
        return true;
      }
    }
    return false;
  }
  const void* white = std::memchr(start, '.', static_cast<std::size_t>(width));
  if (white == nullptr) {
    return false;
  }
  cellX = x + static_cast<int>(static_cast<const char*>(white) - start);
  return true;
}

bool ScanRows(const TestCase& testCase, int x, int y, int width, int height, int& cellX,
              int& cellY) {
  for (int row = y; row < y + height; ++row) {
    if (FindInRow(testCase, x, row, width, cellX)) {
      cellY = row;
      return true;
    }
  }
  return false;
}

// whitePrefix[y * w + x] counts the white cells of columns 0..x in rows 0..y.
void BuildWhitePrefix(TestCase& testCase) {
  const std::size_t w = static_cast<std::size_t>(testCase.w);
  auto prefix = std::make_unique<std::uint32_t[]>(w * static_cast<std::size_t>(testCase.h));
  for (int y = 0; y < testCase.h; ++y) {
    const char* row = testCase.Row(y);
    std::uint32_t* out = prefix.get() + y * w;
    std::uint32_t run = 0;
    for (std::size_t x = 0; x < w; ++x) {
      run += row[x] == '.';
      out[x] = run;
    }
    if (y > 0) {
      const std::uint32_t* above = out - w;
      for (std::size_t x = 0; x < w; ++x) {
        out[x] += above[x];
      }
    }
  }
  testCase.whitePrefix = std::move(prefix);
}

std::int64_t PrefixAt(const TestCase& testCase, int x, int y) {
  if (x < 0 || y < 0) {
    return 0;
  }
  return testCase.whitePrefix[static_cast<std::size_t>(y) * testCase.w + x];
}

// White cells in columns x0..x1-1 of rows y0..y1-1.
std::int64_t CountWhite(const TestCase& testCase, int x0, int y0, int x1, int y1) {
  return PrefixAt(testCase, x1 - 1, y1 - 1) - PrefixAt(testCase, x0 - 1, y1 - 1) -
         PrefixAt(testCase, x1 - 1, y0 - 1) + PrefixAt(testCase, x0 - 1, y0 - 1);
}
}  // namespace

bool FindWhiteCell(TestCase& testCase, int x, int y, int width, int height, int& cellX,
                   int& cellY) {
  if (!testCase.whitePrefix) {
    // Every scanned row has a cell, so the cells bound the whole cost of a scan.
    testCase.scanCost += static_cast<std::int64_t>(width) * height;
    if (testCase.scanCost <= ScanBudget(testCase)) {
      return ScanRows(testCase, x, y, width, height, cellX, cellY);
    }
    BuildWhitePrefix(testCase);
  }
  if (CountWhite(testCase, x, y, x + width, y + height) == 0) {
    return false;
  }
  int row = y;
  while (CountWhite(testCase, x, row, x + width, row + 1) == 0) {
    ++row;
  }
  cellY = row;
  return FindInRow(testCase, x, row, width, cellX);
}
