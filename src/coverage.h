// Whether a block's rectangles cover exactly the black cells of a picture, at a cost that no
// shape of the block can inflate. Every rectangle handed in has passed the grid and white-cell
// checks, so their union lies inside the black cells, and it covers every black cell exactly
// when its area equals the number of black cells.
//
// A small rectangle (a few rows of a few words) is painted into a canvas of one bit a cell as
// it arrives, in the same pass that looks for a white cell under it (check 148): for the small
// rectangles of most covers that is all there is to do. For a block with larger rectangles the
// area of the union is found in whichever of these ways costs least for the block at hand (each
// cost estimated from one pass over the rectangles):
// - one rectangle as large as the whole black area: nothing to add up;
// - a few rectangles: a grid of the distinct edges, a cell per pair of neighbouring edges;
// - the painter: the rest painted too, and the canvas compared with the picture word by word;
// - cross-sections: down the rows (or across the columns), rebuilt only where a rectangle
//   starts or ends; cheap when few rows (columns) are such places, as for a block of
//   full-height (full-width) rectangles;
// - the sweep: left to right over the edges, with cover counts over the rows in bands of 32: a
//   rectangle costs its rows only within the two bands it covers in part, and a step for each
//   band between, so at most 62 + 31 steps whatever its size: the bound for every other block.
// A block that misses a cell then pays once, by the painter or the cross-sections down the
// rows, to name the first cell that differs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "bit_rows.h"
#include "populated.h"
#include "task_input.h"

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Only a rectangle with area paints cells; one with a zero or negative side still counts.
  bool HasArea() const { return width > 0 && height > 0; }
};

using RectList = std::vector<Rect>;

struct Cell {
  int x = 0;
  int y = 0;
};

class Coverage {
 public:
  // Starts a block of `testCase`.
  void Begin(const TestCase& testCase);

  // Whether a rectangle with area is painted as it arrives (PaintChecked) rather than looked
  // up in the white-cell index and kept for later (Add).
  bool PaintsNow(const Rect& rect) const;
  // Paints a rectangle unless it covers a white cell: then true, with the first such cell in
  // row-major order (check 148), and the block ends there.
  bool PaintChecked(const Rect& rect, Cell& white);
  // Takes a rectangle with area, not painted, that has passed every check.
  void Add(const Rect& rect);

  // After the block's last rectangle: whether some cell's colour in the picture differs from
  // whether the rectangles cover it, and then the first such cell in row-major order.
  bool Finish(Cell& mismatch);

  // The whole check for rectangles that have passed the white-cell check, for tests.
  std::optional<Cell> FirstMismatch(const TestCase& testCase, const RectList& rects);

  // The ways to the union's area, for tests that must reach each one.
  enum class Way { kChoose, kGrid, kPainter, kRows, kColumns, kSweep };
  void Force(Way way) { forced_ = way; }

  // A rectangle with area inside the picture: every side fits 16 bits, which halves the
  // memory a block of a million rectangles takes.
  struct Box {
    std::uint16_t x;
    std::uint16_t y;
    std::uint16_t width;
    std::uint16_t height;
  };
  template <typename T>
  using Array = std::vector<T, PopulatingAllocator<T>>;

 private:
  struct Estimate;
  void Keep(const Rect& rect, bool painted);
  Estimate Measure();
  Way Choose(const Estimate& estimate) const;
  std::int64_t UnionArea(Way way);
  bool Locate(const Estimate& estimate, Cell& mismatch);
  bool PaintAndCompare(Cell& mismatch);
  bool CompareCanvas(Cell& mismatch) const;
  std::int64_t ClearCanvas(bool count);
  bool LargestCoverAll();
  std::int64_t GridArea(std::span<const Box> boxes);
  std::int64_t SweepArea();
  template <typename Axis>
  std::int64_t Sections(Axis axis, int length, int across, Cell* mismatch);
  template <typename Key>
  void Order(Key key, int limit, Array<std::uint32_t>& order);
  template <typename Axis, typename At>
  void Sweep(Axis axis, int length, At at);

  Way forced_ = Way::kChoose;
  const TestCase* testCase_ = nullptr;
  bool settled_ = false;           // one rectangle covers every black cell
  std::int64_t paintedSteps_ = 0;  // what painting the painted rectangles cost
  std::int64_t unpainted_ = 0;     // rectangles kept without being painted
  // The boxes painted: the first ones, up to the first rectangle that was not. From then on a
  // way other than the canvas decides, so painting more would only cost.
  std::size_t paintedBoxes_ = 0;
  Array<Box> boxes_;  // the rectangles with area, in order, until settled
  Array<std::uint32_t> byStart_;
  Array<std::uint32_t> byEnd_;
  Array<std::uint32_t> bucket_;
  Array<bit_rows::Word> edges_;      // marks of distinct edges, clear between blocks
  Array<int> gridX_;                 // grid: the distinct edges across
  Array<int> gridY_;                 // and down
  Array<std::int32_t> gridCover_;    // grid: cover counts of the cells
  Array<std::int32_t> rowCover_;     // sweep: boxes over each row; zero between blocks
  Array<std::int32_t> bandFull_;     // sweep: boxes over each band of rows whole
  Array<std::int32_t> bandPartial_;  // sweep: rows of each band covered row by row
  Array<std::int32_t> delta_;        // cross-sections: change of the cover count
  Array<bit_rows::Byte> section_;    // cross-sections: the cover of one section
  Array<bit_rows::Byte> canvas_;     // painted cells; clear between blocks
};
