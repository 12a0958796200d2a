// The rectangles' traps: a rectangle written as two corners (x1 y1 x2 y2) where the edge or the
// limit shows it, and coordinates counted from 1. Both are given only when the block's
// rectangles agree: read as corners, every one lies in the grid; moved one column left and one
// row up, every one lies on black cells.
#include <vector>

#include "eval/assertion.h"
#include "eval/checks.h"
#include "explain/causes.h"

namespace {
// Counts of the white cells above and left of each corner, so that whether a box holds only
// black cells takes four lookups.
class WhiteCounts {
 public:
  explicit WhiteCounts(const TestCase& testCase)
      : w_(testCase.w), h_(testCase.h), counts_(static_cast<std::size_t>((w_ + 1) * (h_ + 1))) {
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        At(x + 1, y + 1) = At(x, y + 1) + At(x + 1, y) - At(x, y) + !testCase.IsBlack(x, y);
      }
    }
  }

  // Whether the cells x0..x1-1 of rows y0..y1-1 lie in the grid, are some, and are all black.
  bool AllBlack(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) const {
    if (x0 < 0 || y0 < 0 || x1 > w_ || y1 > h_ || x0 >= x1 || y0 >= y1) {
      return false;
    }
    return Get(x1, y1) - Get(x0, y1) - Get(x1, y0) + Get(x0, y0) == 0;
  }

 private:
  std::int32_t& At(int x, int y) { return counts_[static_cast<std::size_t>(y * (w_ + 1) + x)]; }
  std::int32_t Get(std::int64_t x, std::int64_t y) const {
    return counts_[static_cast<std::size_t>(y * (w_ + 1) + x)];
  }

  int w_;
  int h_;
  std::vector<std::int32_t> counts_;
};

// What the first rectangle lines of a block show.
struct BlockRects {
  std::int64_t read = 0;     // lines that held four numbers
  bool touchesZero = false;  // a rectangle starts in column 0 or row 0
  bool shiftedBlack = true;  // moved one column left and one row up, each lies on black cells
  bool allCorners = true;    // read as two corners, each lies in the grid
  bool swappedBlack = true;  // read as y x height width, each lies on black cells
  Rect last;                 // the last one read
};

std::optional<Rect> RectOn(FileAgain& file, std::int64_t number) {
  const std::optional<LineText> line = file.Line(number);
  int values[4];
  if (!line || LineNumbers(*line, 4, values) != 4) {
    return std::nullopt;
  }
  return Rect{values[0], values[1], values[2], values[3]};
}

bool CornersInGrid(const Rect& rect, const TestCase& testCase) {
  return rect.x >= 0 && rect.x <= rect.width && rect.width < testCase.w && rect.y >= 0 &&
         rect.y <= rect.height && rect.height < testCase.h;
}

// The `count` rectangle lines from line `first`.
BlockRects ReadBlockRects(FileAgain& file, std::int64_t first, std::int64_t count,
                          const TestCase& testCase, const WhiteCounts& whites) {
  BlockRects rects;
  for (; rects.read < count; ++rects.read) {
    const std::optional<Rect> rect = RectOn(file, first + rects.read);
    if (!rect) {
      break;
    }
    const std::int64_t x = rect->x - 1;
    const std::int64_t y = rect->y - 1;
    rects.touchesZero = rects.touchesZero || rect->x == 0 || rect->y == 0;
    rects.shiftedBlack =
        rects.shiftedBlack &&
        (!rect->HasArea() || whites.AllBlack(x, y, x + rect->width, y + rect->height));
    rects.allCorners = rects.allCorners && CornersInGrid(*rect, testCase);
    rects.swappedBlack =
        rects.swappedBlack &&
        (!rect->HasArea() ||
         whites.AllBlack(rect->y, rect->x, static_cast<std::int64_t>(rect->y) + rect->height,
                         static_cast<std::int64_t>(rect->x) + rect->width));
    rects.last = *rect;
  }
  return rects;
}

bool FitsLimit(std::int64_t width, std::int64_t height, const TestCase& testCase) {
  return (width <= testCase.a && height <= testCase.b) ||
         (width <= testCase.b && height <= testCase.a);
}

LikelyCause FromOne(std::string lead, bool upToIt, const BlockMark& block,
                    const TestCase& testCase) {
  return LikelyCause{"coordinates-from-1",
                     lead + " No rectangle of " + BlockWords(block) + (upToIt ? " up to it" : "") +
                         " starts in column 0 or row 0, and moved one column left and one row "
                         "up, each lies on black cells only: the coordinates look counted from "
                         "1.",
                     "Count columns and rows from 0: x from 0 to " + IntToStr(testCase.w - 1) +
                         " and y from 0 to " + IntToStr(testCase.h - 1) +
                         " (subtract 1 from every x and y)."};
}

std::optional<LikelyCause> UncoveredCause(Clues& clues, const BlockMark& block,
                                          const TestCase& testCase, const WhiteCounts& whites) {
  const Cell cell = *clues.failure.site.cell;
  const std::optional<LineText> countLine = clues.submission.Line(block.numberLine + 1);
  int count = 0;
  if ((cell.x != 0 && cell.y != 0) || !countLine || LineNumbers(*countLine, 1, &count) != 1) {
    return std::nullopt;
  }
  const BlockRects rects =
      ReadBlockRects(clues.submission, block.numberLine + 2, count, testCase, whites);
  if (rects.read != count || rects.touchesZero || !rects.shiftedBlack) {
    return std::nullopt;
  }
  return FromOne(
      "The cell x = " + IntToStr(cell.x) + ", y = " + IntToStr(cell.y) + " stayed white.", false,
      block, testCase);
}

std::optional<LikelyCause> Corners(Clues& clues, const Rect& rect, const BlockRects& rects,
                                   const TestCase& testCase, const WhiteCounts& whites) {
  const std::int64_t width = static_cast<std::int64_t>(rect.width) - rect.x + 1;
  const std::int64_t height = static_cast<std::int64_t>(rect.height) - rect.y + 1;
  if (!rects.allCorners || !FitsLimit(width, height, testCase) ||
      !whites.AllBlack(rect.x, rect.y, rect.x + width, rect.y + height)) {
    return std::nullopt;
  }
  const int k = clues.failure.site.rectangle;
  const std::string corner1 = "(" + IntToStr(rect.x) + ", " + IntToStr(rect.y) + ")";
  const std::string corner2 = "(" + IntToStr(rect.width) + ", " + IntToStr(rect.height) + ")";
  return LikelyCause{
      "corners",
      "Rectangle " + IntToStr(k) + " (" + Quoted(*clues.failingLine) +
          ") reads as two corners: the cells from " + corner1 + " to " + corner2 +
          " lie in the grid, fit the limit and are all black" +
          (k > 1 ? ", and every rectangle of the block before it reads as two corners too." : "."),
      "Write each rectangle as x y width height, its sides counted in cells: this one as \"" +
          IntToStr(rect.x) + " " + IntToStr(rect.y) + " " + IntToStr(width) + " " +
          IntToStr(height) + "\"."};
}
}  // namespace

std::optional<LikelyCause> RectCause(Clues& clues, const BlockMark& block) {
  const int number = clues.failure.check;
  const bool rightEdge = number == check::kRectRightEdge;
  const bool bottomEdge = number == check::kRectBottomEdge;
  const bool tooLarge = number == check::kRectTooLarge;
  const bool white = number == check::kRectCoversWhite;
  const auto& testCases = clues.evaluation.testCases;
  if (block.test < 1 || static_cast<std::size_t>(block.test) > testCases.size() ||
      !(rightEdge || bottomEdge || tooLarge || white || number == check::kCellUncovered)) {
    return std::nullopt;
  }
  const TestCase& testCase = testCases[static_cast<std::size_t>(block.test) - 1];
  const WhiteCounts whites(testCase);
  if (number == check::kCellUncovered) {
    return UncoveredCause(clues, block, testCase, whites);
  }
  const int k = clues.failure.site.rectangle;
  if (k < 1 || clues.failingLine == nullptr) {
    return std::nullopt;
  }
  // Rectangle k, the failing one, is the last of those read.
  const BlockRects rects =
      ReadBlockRects(clues.submission, block.numberLine + 2, k, testCase, whites);
  if (rects.read != k) {
    return std::nullopt;
  }
  const Rect* rect = &rects.last;
  const bool pastEdge =
      (rightEdge && static_cast<std::int64_t>(rect->x) + rect->width == testCase.w + 1) ||
      (bottomEdge && static_cast<std::int64_t>(rect->y) + rect->height == testCase.h + 1);
  if ((pastEdge || white) && !rects.touchesZero && rects.shiftedBlack) {
    const std::string lead = "Rectangle " + IntToStr(k) +
                             (rightEdge    ? " ends one column past the grid's right edge."
                              : bottomEdge ? " ends one row past the grid's bottom edge."
                                           : " paints a white cell.");
    return FromOne(lead, true, block, testCase);
  }
  if (!white) {
    if (std::optional<LikelyCause> cause = Corners(clues, *rect, rects, testCase, whites)) {
      return cause;
    }
  }
  // A white cell alone shows little: a rectangle before it must agree.
  if (!tooLarge && rects.swappedBlack && (!white || k > 1)) {
    return LikelyCause{
        "x-y-swapped",
        "Read as y x height width, " +
            (k > 1 ? "every rectangle of " + BlockWords(block) + " up to rectangle " + IntToStr(k)
                   : "rectangle 1 of " + BlockWords(block)) +
            " lies inside the grid on black cells only: the rows and columns look "
            "swapped.",
        "Write the column first: x y width height, x counted across and y "
        "down."};
  }
  return std::nullopt;
}
