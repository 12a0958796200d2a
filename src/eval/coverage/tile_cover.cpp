#include "eval/coverage/tile_cover.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {
// Bits first..last (inclusive) of a word of tiles.
std::uint32_t TileRange(int first, int last) {
  return (~std::uint32_t{0} >> (31 - last)) & (~std::uint32_t{0} << first);
}

// Cells [from, to) of a tile's row, as bits of the tile's word; 0 <= from < to <= 32.
std::uint32_t CellRange(int from, int to) {
  return (~std::uint32_t{0} >> (32 - (to - from))) << from;
}
}  // namespace

TileCover::Outcome TileCover::operator()(const TestCase& testCase,
                                         std::span<const PackedRect> boxes, int mostOpen,
                                         Cell& missing) {
  across_ = (testCase.w + kSide - 1) / kSide;
  down_ = (testCase.h + kSide - 1) / kSide;
  MarkWholeTiles(testCase, boxes);
  if (!FindOpen(testCase, mostOpen)) {
    return Outcome::kTooOpen;
  }
  if (opens_.empty()) {
    return Outcome::kCovered;
  }
  PaintOpen(boxes);
  return FirstMissing(missing) ? Outcome::kMissed : Outcome::kCovered;
}

// The tiles each box covers whole, as a table of differences summed over the tiles: a tile
// covered whole lies inside the box up to the grid's edge.
void TileCover::MarkWholeTiles(const TestCase& testCase, std::span<const PackedRect> boxes) {
  const int stride = across_ + 1;
  counts_.assign(static_cast<std::size_t>(stride) * (down_ + 1), 0);
  std::int32_t* counts = counts_.data();
  for (const PackedRect& box : boxes) {
    const int i0 = (box.Left() + kSide - 1) / kSide;
    const int i1 = box.Right() == testCase.w ? across_ : box.Right() / kSide;
    const int j0 = (box.Top() + kSide - 1) / kSide;
    const int j1 = box.Bottom() == testCase.h ? down_ : box.Bottom() / kSide;
    if (i0 < i1 && j0 < j1) {
      counts[j0 * stride + i0] += 1;
      counts[j0 * stride + i1] -= 1;
      counts[j1 * stride + i0] -= 1;
      counts[j1 * stride + i1] += 1;
    }
  }
  for (int j = 0; j < down_; ++j) {
    std::int32_t running = 0;
    std::uint32_t whole = 0;
    for (int i = 0; i < across_; ++i) {
      running += counts[j * stride + i];
      // The count of this tile: this row's running sum plus the tile above.
      const std::int32_t count = running + (j > 0 ? counts[(j - 1) * stride + i] : 0);
      counts[j * stride + i] = count;
      whole |= static_cast<std::uint32_t>(count > 0) << i;
    }
    whole_[j] = whole;
  }
}

// The open tiles: not covered whole, with a black cell. False when there are too many.
bool TileCover::FindOpen(const TestCase& testCase, int mostOpen) {
  opens_.clear();
  Open tile{};
  for (int j = 0; j < down_; ++j) {
    open_[j] = 0;
    const int rows = std::min(kSide, testCase.h - j * kSide);
    for (std::uint32_t rest = ~whole_[j] & TileRange(0, across_ - 1); rest != 0; rest &= rest - 1) {
      const int i = std::countr_zero(rest);
      const std::uint32_t inside = CellRange(0, std::min(kSide, testCase.w - i * kSide));
      std::uint32_t any = 0;
      std::fill(tile.black + rows, tile.black + kSide, 0);
      for (int r = 0; r < rows; ++r) {
        std::memcpy(&tile.black[r], testCase.Row(j * kSide + r) + i * (kSide / 8),
                    sizeof(std::uint32_t));
        tile.black[r] &= inside;
        any |= tile.black[r];
      }
      if (any == 0) {
        continue;
      }
      if (static_cast<int>(opens_.size()) == mostOpen) {
        return false;
      }
      open_[j] |= std::uint32_t{1} << i;
      openIndex_[j * kMostTiles + i] = static_cast<std::uint16_t>(opens_.size());
      tile.i = i;
      tile.j = j;
      opens_.push_back(tile);
    }
  }
  return true;
}

// Paints each box into the open tiles it reaches.
void TileCover::PaintOpen(std::span<const PackedRect> boxes) {
  std::uint32_t openRows = 0;
  for (int j = 0; j < down_; ++j) {
    openRows |= static_cast<std::uint32_t>(open_[j] != 0) << j;
  }
  for (const PackedRect& box : boxes) {
    const int j0 = box.Top() / kSide;
    const int j1 = (box.Bottom() - 1) / kSide;
    const std::uint32_t columns = TileRange(box.Left() / kSide, (box.Right() - 1) / kSide);
    for (std::uint32_t rows = openRows & TileRange(j0, j1); rows != 0; rows &= rows - 1) {
      const int j = std::countr_zero(rows);
      for (std::uint32_t hit = open_[j] & columns; hit != 0; hit &= hit - 1) {
        const int i = std::countr_zero(hit);
        Open& tile = opens_[openIndex_[j * kMostTiles + i]];
        const int from = std::max(box.Left(), i * kSide) - i * kSide;
        const int to = std::min(box.Right(), (i + 1) * kSide) - i * kSide;
        const std::uint32_t cells = CellRange(from, to);
        const int top = std::max(box.Top(), j * kSide) - j * kSide;
        const int bottom = std::min(box.Bottom(), (j + 1) * kSide) - j * kSide;
        for (int r = top; r < bottom; ++r) {
          tile.painted[r] |= cells;
        }
      }
    }
  }
}

// The first black cell, in row-major order, that no box covers; boxes lie inside the black
// cells, so a painted tile differs from the picture only there.
bool TileCover::FirstMissing(Cell& missing) const {
  bool found = false;
  for (const Open& tile : opens_) {
    for (int r = 0; r < kSide; ++r) {
      const int y = tile.j * kSide + r;
      if (found && y > missing.y) {
        break;
      }
      if (const std::uint32_t left = tile.black[r] & ~tile.painted[r]) {
        const Cell cell{tile.i * kSide + std::countr_zero(left), y};
        if (!found || cell.y < missing.y || (cell.y == missing.y && cell.x < missing.x)) {
          missing = cell;
          found = true;
        }
        break;
      }
    }
  }
  return found;
}
