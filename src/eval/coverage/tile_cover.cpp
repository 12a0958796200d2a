#include "eval/coverage/tile_cover.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/expect.h"

namespace {
// Bits first..last (inclusive) of a word of tiles.
std::uint32_t TileRange(int first, int last) {
  ZEL_EXPECT(0 <= first && first <= last && last < 32);
  return (~std::uint32_t{0} >> (31 - last)) & (~std::uint32_t{0} << first);
}

// Cells [from, to) of a tile's row, as bits of the tile's word; 0 <= from < to <= 32.
std::uint32_t CellRange(int from, int to) {
  ZEL_EXPECT(0 <= from && from < to && to <= 32);
  return (~std::uint32_t{0} >> (32 - (to - from))) << from;
}

// Sums a table of differences over (across + 1) x (down + 1) tiles and gives, for each row of
// tiles, the tiles whose count is above zero.
void SumTiles(std::int32_t* counts, int across, int down, std::uint32_t* above) {
  const int stride = across + 1;
  for (int j = 0; j < down; ++j) {
    std::int32_t* row = counts + j * stride;
    // Along the row, then the row above added: a loop of its own, so that it runs in vectors.
    for (int i = 1; i < across; ++i) {
      row[i] += row[i - 1];
    }
    if (j > 0) {
      const std::int32_t* up = row - stride;
      for (int i = 0; i < across; ++i) {
        row[i] += up[i];
      }
    }
    std::uint32_t bits = 0;
    for (int i = 0; i < across; ++i) {
      bits |= static_cast<std::uint32_t>(row[i] > 0) << i;
    }
    above[j] = bits;
  }
}

// Adds a box over tiles [i0, i1) x [j0, j1) to a table of differences.
void MarkRange(std::int32_t* counts, int stride, int i0, int i1, int j0, int j1) {
  counts[j0 * stride + i0] += 1;
  counts[j0 * stride + i1] -= 1;
  counts[j1 * stride + i0] -= 1;
  counts[j1 * stride + i1] += 1;
}
}  // namespace

TileCover::Outcome TileCover::operator()(const TestCase& testCase,
                                         std::span<const PackedRect> boxes, int reachesPerBox,
                                         bool checkWhite, Cell& missing) {
  across_ = (testCase.w + kSide - 1) / kSide;
  down_ = (testCase.h + kSide - 1) / kSide;
  const TiledPicture& tiled = Tiled(testCase);
  MarkTiles(testCase, boxes, checkWhite);
  if (checkWhite) {
    for (int j = 0; j < down_; ++j) {
      if ((whole_[j] & tiled.anyWhite[j]) != 0 || (touched_[j] & ~tiled.anyBlack[j]) != 0) {
        return Outcome::kCoversWhite;
      }
    }
  }
  FindOpen(tiled);
  if (opens_.empty()) {
    return Outcome::kCovered;
  }
  if (!PaintOpen(boxes, reachesPerBox)) {
    return Outcome::kTooOpen;
  }
  if (checkWhite && PaintsWhite()) {
    return Outcome::kCoversWhite;
  }
  return FirstMissing(missing) ? Outcome::kMissed : Outcome::kCovered;
}

const TileCover::TiledPicture& TileCover::Tiled(const TestCase& testCase) {
  std::unique_ptr<TiledPicture>& slot = tiled_[testCase.number];
  if (slot != nullptr) {
    return *slot;
  }
  slot = std::make_unique<TiledPicture>();
  TiledPicture& tiled = *slot;
  tiled.black.assign(static_cast<std::size_t>(across_) * down_ * kSide, 0);
  for (int j = 0; j < down_; ++j) {
    const int rows = std::min(kSide, testCase.h - j * kSide);
    for (int i = 0; i < across_; ++i) {
      const std::uint32_t inside = CellRange(0, std::min(kSide, testCase.w - i * kSide));
      std::uint32_t* black =
          tiled.black.data() + (static_cast<std::size_t>(j) * across_ + i) * kSide;
      for (int r = 0; r < rows; ++r) {
        std::memcpy(&black[r], testCase.Row(j * kSide + r) + i * (kSide / 8), sizeof *black);
        black[r] &= inside;
        tiled.anyBlack[j] |= static_cast<std::uint32_t>(black[r] != 0) << i;
        tiled.anyWhite[j] |= static_cast<std::uint32_t>(black[r] != inside) << i;
      }
    }
  }
  return tiled;
}

// The tiles each box covers whole (it reaches the grid's edge or the tile's), and with
// `touched` the tiles it reaches at all, each as a table of differences summed over the tiles.
void TileCover::MarkTiles(const TestCase& testCase, std::span<const PackedRect> boxes,
                          bool touched) {
  const int stride = across_ + 1;
  const std::size_t size = static_cast<std::size_t>(stride) * (down_ + 1);
  counts_.assign(size, 0);
  if (touched) {
    reach_.assign(size, 0);
  }
  for (const PackedRect& box : boxes) {
    const int i0 = (box.Left() + kSide - 1) / kSide;
    const int i1 = box.Right() == testCase.w ? across_ : box.Right() / kSide;
    const int j0 = (box.Top() + kSide - 1) / kSide;
    const int j1 = box.Bottom() == testCase.h ? down_ : box.Bottom() / kSide;
    if (i0 < i1 && j0 < j1) {
      MarkRange(counts_.data(), stride, i0, i1, j0, j1);
    }
    if (touched) {
      MarkRange(reach_.data(), stride, box.Left() / kSide, (box.Right() - 1) / kSide + 1,
                box.Top() / kSide, (box.Bottom() - 1) / kSide + 1);
    }
  }
  SumTiles(counts_.data(), across_, down_, whole_);
  if (touched) {
    SumTiles(reach_.data(), across_, down_, touched_);
  }
}

// The open tiles: not covered whole, with a black cell.
void TileCover::FindOpen(const TiledPicture& tiled) {
  opens_.clear();
  for (int j = 0; j < down_; ++j) {
    open_[j] = ~whole_[j] & tiled.anyBlack[j];
    for (std::uint32_t rest = open_[j]; rest != 0; rest &= rest - 1) {
      const int i = std::countr_zero(rest);
      openIndex_[j * kMostTiles + i] = static_cast<std::uint16_t>(opens_.size());
      opens_.push_back(
          Open{i, j, tiled.black.data() + (static_cast<std::size_t>(j) * across_ + i) * kSide, {}});
    }
  }
}

// Paints each box into the open tiles it reaches; false, part way, once the boxes reach more
// than their allowance. A box reaches open tiles only along its border, where no box covers a
// tile whole, so a few are usual; a block shaped to run many borders through open tiles is left
// to another way, having cost little more than its allowance.
bool TileCover::PaintOpen(std::span<const PackedRect> boxes, int reachesPerBox) {
  std::int64_t allowed = kFreeReaches;
  std::uint32_t openRows = 0;
  std::uint32_t openColumns = 0;
  for (int j = 0; j < down_; ++j) {
    openRows |= static_cast<std::uint32_t>(open_[j] != 0) << j;
    openColumns |= open_[j];
  }
  for (const PackedRect& box : boxes) {
    allowed += reachesPerBox;
    const std::uint32_t columns = TileRange(box.Left() / kSide, (box.Right() - 1) / kSide);
    const std::uint32_t rows = openRows & TileRange(box.Top() / kSide, (box.Bottom() - 1) / kSide);
    // Most boxes reach no open tile: a column and a row of them rule that out at once.
    if ((columns & openColumns) == 0 || rows == 0) {
      continue;
    }
    for (std::uint32_t rest = rows; rest != 0; rest &= rest - 1) {
      const int j = std::countr_zero(rest);
      for (std::uint32_t hit = open_[j] & columns; hit != 0; hit &= hit - 1) {
        const int i = std::countr_zero(hit);
        if (--allowed < 0) {
          return false;
        }
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
  return true;
}

// Whether a box painted a cell of an open tile that is not black.
bool TileCover::PaintsWhite() const {
  for (const Open& tile : opens_) {
    std::uint32_t white = 0;
    for (int r = 0; r < kSide; ++r) {
      white |= tile.painted[r] & ~tile.black[r];
    }
    if (white != 0) {
      return true;
    }
  }
  return false;
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
