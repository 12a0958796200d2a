#include "eval/white_index.h"

#include <algorithm>
#include <array>

#include "base/expect.h"

using bit_rows::Word;

namespace {
constexpr int kTile = 8;
constexpr int kRunKinds = 36;  // runs [lo, hi) with 0 <= lo < hi <= 8
// Runs of fewer tiles are tested tile by tile (`make bench WORKLOADS=whiterows`).
constexpr int kShortRun = 16;
constexpr Word kLowBytes = 0x0101010101010101;

constexpr std::array<std::array<int, kTile + 1>, kTile> kRunKind = [] {
  std::array<std::array<int, kTile + 1>, kTile> kinds{};
  int next = 0;
  for (int lo = 0; lo < kTile; ++lo) {
    for (int hi = lo + 1; hi <= kTile; ++hi) {
      kinds[lo][hi] = next++;
    }
  }
  return kinds;
}();

Word RowsMask(int lo, int hi) {  // rows lo..hi-1 of a tile
  return (~Word{0} >> (64 - kTile * (hi - lo))) << (kTile * lo);
}
Word ColumnsMask(int lo, int hi) {  // columns lo..hi-1 of a tile
  return (((Word{1} << (hi - lo)) - 1) << lo) * kLowBytes;
}

int BandWords(int tiles) {
  return tiles >= kShortRun ? (tiles + 63) / 64 : 0;
}

// Whether any of the bits first..last of a band is set.
bool AnySet(const Word* band, int first, int last) {
  Word any = 0;
  for (int word = first / 64; word <= last / 64; ++word) {
    const Word from = word == first / 64 ? ~Word{0} << (first % 64) : ~Word{0};
    const Word to = word == last / 64 ? ~Word{0} >> (63 - last % 64) : ~Word{0};
    any |= band[word] & from & to;
  }
  return any != 0;
}

// Fills the bands of one line of tiles: `partOf(t, p)` says whether tile t has a white cell in
// its row (or column) p; out receives a bit set per run kind.
template <typename PartOf>
void FillBands(int tiles, int words, Word* out, PartOf partOf) {
  std::vector<Word> single(static_cast<std::size_t>(kTile * words), 0);
  for (int t = 0; t < tiles; ++t) {
    for (int p = 0; p < kTile; ++p) {
      if (partOf(t, p)) {
        single[static_cast<std::size_t>(p * words + t / 64)] |= Word{1} << (t % 64);
      }
    }
  }
  for (int lo = 0; lo < kTile; ++lo) {
    for (int w = 0; w < words; ++w) {
      Word any = 0;
      for (int hi = lo + 1; hi <= kTile; ++hi) {
        any |= single[static_cast<std::size_t>((hi - 1) * words + w)];
        out[kRunKind[lo][hi] * words + w] = any;
      }
    }
  }
}
}  // namespace

WhiteIndex::WhiteIndex(const TestCase& testCase)
    : tilesAcross_((testCase.w + kTile - 1) / kTile), tilesDown_((testCase.h + kTile - 1) / kTile) {
  BuildTiles(testCase);
  BuildCounts();
  BuildBands();
}

// A tile's row is a byte of a picture row: the index keeps the white cells of eight rows of it
// together in one word.
void WhiteIndex::BuildTiles(const TestCase& testCase) {
  tiles_.resize(static_cast<std::size_t>(tilesAcross_) * tilesDown_);
  const int lastBits = testCase.w % kTile;
  const Word lastMask = lastBits == 0 ? 0xFF : (Word{1} << lastBits) - 1;
  for (int j = 0; j < tilesDown_; ++j) {
    Word* tileRow = tiles_.data() + static_cast<std::size_t>(j) * tilesAcross_;
    for (int i = 0; i < tilesAcross_; ++i) {
      const Word inside = i + 1 == tilesAcross_ ? lastMask : 0xFF;
      Word tile = 0;
      for (int r = 0; r < kTile && kTile * j + r < testCase.h; ++r) {
        tile |= (~Word{testCase.Row(kTile * j + r)[i]} & inside) << (kTile * r);
      }
      tileRow[i] = tile;
    }
  }
}

void WhiteIndex::BuildCounts() {
  const int across = tilesAcross_ + 1;
  tilesWithWhite_.assign(static_cast<std::size_t>(across) * (tilesDown_ + 1), 0);
  for (int j = 0; j < tilesDown_; ++j) {
    std::uint32_t inRow = 0;
    for (int i = 0; i < tilesAcross_; ++i) {
      inRow += tiles_[static_cast<std::size_t>(j) * tilesAcross_ + i] != 0;
      tilesWithWhite_[static_cast<std::size_t>(j + 1) * across + i + 1] =
          tilesWithWhite_[static_cast<std::size_t>(j) * across + i + 1] + inRow;
    }
  }
}

void WhiteIndex::BuildBands() {
  rowBandWords_ = BandWords(tilesAcross_);
  columnBandWords_ = BandWords(tilesDown_);
  rowBands_.assign(static_cast<std::size_t>(tilesDown_) * kRunKinds * rowBandWords_, 0);
  columnBands_.assign(static_cast<std::size_t>(tilesAcross_) * kRunKinds * columnBandWords_, 0);
  const auto tile = [this](int i, int j) {
    return tiles_[static_cast<std::size_t>(j) * tilesAcross_ + i];
  };
  for (int j = 0; rowBandWords_ > 0 && j < tilesDown_; ++j) {
    FillBands(tilesAcross_, rowBandWords_,
              rowBands_.data() + static_cast<std::size_t>(j) * kRunKinds * rowBandWords_,
              [&](int i, int row) { return ((tile(i, j) >> (kTile * row)) & 0xFF) != 0; });
  }
  for (int i = 0; columnBandWords_ > 0 && i < tilesAcross_; ++i) {
    FillBands(tilesDown_, columnBandWords_,
              columnBands_.data() + static_cast<std::size_t>(i) * kRunKinds * columnBandWords_,
              [&](int j, int column) { return (tile(i, j) & (kLowBytes << column)) != 0; });
  }
}

int WhiteIndex::Split(int from, int to, Run* runs) {
  const int first = from / kTile;
  const int last = (to - 1) / kTile;
  const int lo = from % kTile;
  const int hi = (to - 1) % kTile + 1;
  if (first == last) {
    runs[0] = {first, first, lo, hi};
    return 1;
  }
  int count = 0;
  if (lo != 0) {
    runs[count++] = {first, first, lo, kTile};
  }
  const int middleFirst = lo != 0 ? first + 1 : first;
  const int middleLast = hi != kTile ? last - 1 : last;
  if (middleFirst <= middleLast) {
    runs[count++] = {middleFirst, middleLast, 0, kTile};
  }
  if (hi != kTile) {
    runs[count++] = {last, last, 0, hi};
  }
  return count;
}

bool WhiteIndex::AnyWhite(int x0, int y0, int x1, int y1) const {
  ZEL_EXPECT(0 <= x0 && x0 < x1 && x1 <= kTile * tilesAcross_ && 0 <= y0 && y0 < y1 &&
             y1 <= kTile * tilesDown_);
  // Most rectangles of a cover lie among tiles without a white cell at all: the tiles they
  // touch, counted at once, settle it.
  if (TilesWithWhite(x0 / kTile, y0 / kTile, (x1 - 1) / kTile + 1, (y1 - 1) / kTile + 1) == 0) {
    return false;
  }
  Run across[3];
  Run down[3];
  const int acrossCount = Split(x0, x1, across);
  const int downCount = Split(y0, y1, down);
  for (int a = 0; a < acrossCount; ++a) {
    for (int d = 0; d < downCount; ++d) {
      if (AnyWhite(across[a], down[d])) {
        return true;
      }
    }
  }
  return false;
}

bool WhiteIndex::AnyWhite(const Run& across, const Run& down) const {
  const bool oneAcross = across.first == across.last;
  const bool oneDown = down.first == down.last;
  if (!oneAcross && !oneDown) {  // whole tiles only
    return TilesWithWhite(across.first, down.first, across.last + 1, down.last + 1) != 0;
  }
  if (oneDown && !oneAcross && rowBandWords_ > 0) {
    const Word* band = rowBands_.data() + (static_cast<std::size_t>(down.first) * kRunKinds +
                                           kRunKind[down.lo][down.hi]) *
                                              rowBandWords_;
    return AnySet(band, across.first, across.last);
  }
  if (oneAcross && !oneDown && columnBandWords_ > 0) {
    const Word* band = columnBands_.data() + (static_cast<std::size_t>(across.first) * kRunKinds +
                                              kRunKind[across.lo][across.hi]) *
                                                 columnBandWords_;
    return AnySet(band, down.first, down.last);
  }
  return AnyInTiles(across, down);
}

std::uint32_t WhiteIndex::TilesWithWhite(int i0, int j0, int i1, int j1) const {
  const int stride = tilesAcross_ + 1;
  const auto count = [&](int i, int j) {
    return tilesWithWhite_[static_cast<std::size_t>(j) * stride + i];
  };
  return count(i1, j1) - count(i0, j1) - count(i1, j0) + count(i0, j0);
}

// Tile by tile: a corner, or a short run in a picture without bands.
bool WhiteIndex::AnyInTiles(const Run& across, const Run& down) const {
  const Word mask = RowsMask(down.lo, down.hi) & ColumnsMask(across.lo, across.hi);
  for (int j = down.first; j <= down.last; ++j) {
    const Word* row = tiles_.data() + static_cast<std::size_t>(j) * tilesAcross_;
    for (int i = across.first; i <= across.last; ++i) {
      if ((row[i] & mask) != 0) {
        return true;
      }
    }
  }
  return false;
}
