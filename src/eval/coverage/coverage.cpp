#include "eval/coverage/coverage.h"

#include <algorithm>

#include "base/expect.h"

using bit_rows::Word;

namespace {
// Every constant below but kLargeSide was tuned by measurement; the `make bench` workloads named
// with each measure it again.

// Relative costs of the painter and the cross-sections, in tenths of a nanosecond: a word of a
// row painted (or cleared, or compared); a cell of a cross-section rebuilt; a box put in order
// and added to the sections. They choose the way that names the first cell that differs, which
// no workload exercises (every workload passes), and the sections against the sweep below
// (`copies` against `random`, `unions` and `mixed`).
constexpr std::int64_t kPaintWord = 15;
constexpr std::int64_t kSectionCell = 8;
constexpr std::int64_t kSectionRect = 150;
// The sweep's costs beyond putting the boxes in order: a box added and taken away again, and a
// band it covers whole, both times (`copies`, `random`, `unions`, `mixed`).
constexpr std::int64_t kSweepRect = 40;
constexpr std::int64_t kSweepBand = 9;
// A handful of boxes go to the few-boxes way, which costs some 4 n * n steps for n boxes
// (`fewboxes`, `halves`).
constexpr std::size_t kFewBoxesAlways = 16;
static_assert(kFewBoxesAlways <= kFewBoxesMost);
// A box this wide and high covers a tile of the tile way whole, wherever it lies.
constexpr int kLargeSide = 63;
static_assert(kLargeSide >= 2 * TileCover::kSide - 1);
// The tile way gives up when its boxes reach into open tiles more than this many times a box
// (the blocks it serves reach about two), since a box would then cost it more than the sweep;
// and it is tried only with at least a box for every kBoxesPerTile tiles (`random`, `unions`,
// `copies`).
constexpr int kOpenReachesPerBox = 4;
constexpr std::int64_t kBoxesPerTile = 8;
// A rectangle of at most this many word steps, and at most this many words a row, is painted as
// it arrives. A wider one costs more to paint than to keep for a sweep, where a row of it costs
// a step whatever its width (`realistic`, `cells`, `rows`, `columns`).
constexpr std::int64_t kPaintNowMost = 64;
constexpr int kPaintNowPieces = 2;
}  // namespace

struct Coverage::Estimate {
  std::int64_t rects = 0;       // boxes
  std::int64_t heights = 0;     // the sum of their heights
  std::int64_t paintWords = 0;  // steps to paint the boxes not painted as they came
  std::int64_t rowEdges = 0;    // distinct rows where a box starts or ends
};

namespace {
CoverOutcome MismatchIf(bool differs, const Cell& cell) {
  return differs ? CoverOutcome{CoverOutcome::Kind::kMismatch, {}, cell} : CoverOutcome{};
}
}  // namespace

void Coverage::Begin(const TestCase& testCase, int count) {
  ZEL_EXPECT(count >= 1);
  canvas_.Begin(testCase);
  whiteCells_.Use(testCase);
  testCase_ = &testCase;
  settled_ = false;
  unpainted_ = 0;
  paintedBoxes_ = 0;
  boxCount_ = 0;
  rectsInBlock_ = static_cast<std::size_t>(count);
  deferred_.clear();
  boxesArea_ = 0;
  largeArea_ = 0;
}

bool Coverage::Take(const Rect& rect, const RectSite& site, CoverOutcome& outcome) {
  if (!rect.HasArea()) {
    return true;
  }
  ZEL_EXPECT(testCase_->Holds(rect));
  Cell white;
  if (PaintsNow(rect)) {
    if (!canvas_.PaintChecked(rect, white)) {
      Keep(rect, true);
      paintedBoxes_ = boxCount_;
      return true;
    }
  } else {
    if (testCase_->HasWhite()) {
      if (Defers(rect)) {
        deferred_.push_back({rect, site});
      } else if (whiteCells_.Find(rect, white)) {
        return CoversWhite(site, white, outcome);
      }
    }
    if (!settled_) {
      ++unpainted_;
      Keep(rect, false);
    }
    return true;
  }
  return CoversWhite(site, white, outcome);
}

bool Coverage::StopEarly(CoverOutcome& outcome) {
  return FirstDeferredOverWhite(outcome);
}

// Whether a rectangle with area is painted as it arrives: while every one before it was.
bool Coverage::PaintsNow(const Rect& rect) const {
  return !settled_ && unpainted_ == 0 && PiecesPerRow(rect.x, rect.width) <= kPaintNowPieces &&
         PaintSteps(rect.x, rect.width, rect.height) <= kPaintNowMost;
}

// Whether the check 148 of a rectangle that is not painted, in a picture with white cells, waits
// for the tiles: a large one, while the block is not settled.
bool Coverage::Defers(const Rect& rect) const {
  return !settled_ && rect.width >= kLargeSide && rect.height >= kLargeSide;
}

// Rectangle `site` covers `white`: the block's outcome, unless a deferred rectangle before it
// covers a white cell too. Returns false, for Take.
bool Coverage::CoversWhite(const RectSite& site, const Cell& white, CoverOutcome& outcome) {
  if (!FirstDeferredOverWhite(outcome)) {
    outcome = {CoverOutcome::Kind::kCoversWhite, site, white};
  }
  return false;
}

// The first deferred rectangle, in block order, that covers a white cell.
bool Coverage::FirstDeferredOverWhite(CoverOutcome& outcome) {
  Cell white;
  for (const Deferred& deferred : deferred_) {
    if (whiteCells_.Find(deferred.rect, white)) {
      outcome = {CoverOutcome::Kind::kCoversWhite, deferred.site, white};
      return true;
    }
  }
  return false;
}

// A painted box is kept even when it settles the block, so that it is cleared after.
void Coverage::Keep(const Rect& rect, bool painted) {
  if (static_cast<std::int64_t>(rect.width) * rect.height == testCase_->blackCount) {
    settled_ = true;  // it covers every black cell: nothing else can change the outcome
    if (!painted) {
      return;
    }
  }
  const PackedRect box = PackedRect::Of(rect);
  if (boxCount_ == boxes_.size()) {
    MakeRoom();
  }
  boxes_[boxCount_++] = box;
  boxesArea_ += box.Area();
  largeArea_ += box.width >= kLargeSide && box.height >= kLargeSide ? box.Area() : 0;
}

// More room for boxes, twice as much up to the block's count: a block settled early never needs
// room for all of its rectangles.
void Coverage::MakeRoom() {
  boxes_.resize(std::min(std::max<std::size_t>(2 * boxes_.size(), 1024),
                         std::max(rectsInBlock_, boxCount_ + 1)));
}

CoverOutcome Coverage::Finish() {
  bool tilesGaveUp = false;
  if (!deferred_.empty()) {
    // The tiles vouch for the check 148 of all the deferred rectangles at once, when they decide
    // the block; otherwise the rectangles are looked up one by one.
    CoverOutcome outcome;
    if (!settled_ && TilesApply()) {
      canvas_.Clear(Painted());
      if (DecidedByTiles(true, outcome, tilesGaveUp)) {
        return outcome;
      }
    }
    if (FirstDeferredOverWhite(outcome)) {
      return outcome;
    }
  }
  return Decide(!tilesGaveUp);
}

// The outcome of a block whose rectangles all lie inside the black cells.
CoverOutcome Coverage::Decide(bool tilesMayDecide) {
  Cell mismatch;
  if (settled_) {
    canvas_.Clear(Painted());
    return {};
  }
  if (unpainted_ == 0) {
    // Every rectangle is in the canvas: compare it with the picture when that costs no more
    // than the painting did; otherwise take the area of the union while clearing the canvas.
    const std::int64_t words = testCase_->Stride() * testCase_->h / 8 + 1;
    if (canvas_.Steps() >= words) {
      const bool differs = canvas_.FirstDifference(mismatch);
      canvas_.Clear(Painted());
      return MismatchIf(differs, mismatch);
    }
    if (canvas_.CountAndClear(Painted()) == testCase_->blackCount) {
      return {};
    }
    return MismatchIf(PaintAndCompare(mismatch), mismatch);
  }
  canvas_.Clear(Painted());
  const std::int64_t black = testCase_->blackCount;
  if (boxCount_ <= kFewBoxesAlways) {
    return MismatchIf(fewBoxes_(Boxes()) != black && Locate(Measure(), mismatch), mismatch);
  }
  if (const std::int64_t area = oneAxis_(*testCase_, Boxes()); area >= 0) {
    return MismatchIf(area != black && Locate(Measure(), mismatch), mismatch);
  }
  if (boxesArea_ < black) {
    return MismatchIf(Locate(Measure(), mismatch), mismatch);
  }
  if (CoverOutcome outcome; tilesMayDecide && TilesApply()) {
    bool gaveUp = false;
    if (DecidedByTiles(false, outcome, gaveUp)) {
      return outcome;
    }
  }
  // Many tall boxes on few distinct rows (copies of a few boxes, say) cost the sweep a step for
  // every band of every box; the sections then decide the block for a pass over those rows.
  const Estimate estimate = Measure();
  if (BySections(estimate) < BySweep(estimate)) {
    return MismatchIf(sections_.FirstDifference(*testCase_, Boxes(), walk_, mismatch), mismatch);
  }
  return MismatchIf(sweep_(*testCase_, Boxes(), walk_) != black && Locate(estimate, mismatch),
                    mismatch);
}

// Whether the tiles decide the block, and then its outcome. They decide nothing when they give
// up on a block too open for them (`gaveUp`), or, checking the white cells, find a rectangle
// over one without naming it.
bool Coverage::DecidedByTiles(bool checkWhite, CoverOutcome& outcome, bool& gaveUp) {
  Cell missing;
  switch (tiles_(*testCase_, Boxes(), kOpenReachesPerBox, checkWhite, missing)) {
    case TileCover::Outcome::kCovered:
      outcome = {};
      return true;
    case TileCover::Outcome::kMissed:
      outcome = MismatchIf(true, missing);
      return true;
    case TileCover::Outcome::kTooOpen:
      gaveUp = true;
      return false;
    case TileCover::Outcome::kCoversWhite:
      break;
  }
  return false;
}

// Large boxes that together cover the black cells at least once leave few tiles open; the
// tiles cost a pass over them all, worth it for enough boxes.
bool Coverage::TilesApply() const {
  return largeArea_ >= testCase_->blackCount &&
         static_cast<std::int64_t>(boxCount_) * kBoxesPerTile >= TileCover::Tiles(*testCase_);
}

// Paints every box into the clear canvas, compares it with the picture and clears it again.
bool Coverage::PaintAndCompare(Cell& mismatch) {
  canvas_.Paint(Boxes());
  paintedBoxes_ = boxCount_;
  const bool differs = canvas_.FirstDifference(mismatch);
  canvas_.Clear(Painted());
  return differs;
}

Coverage::Estimate Coverage::Measure() {
  const TestCase& testCase = *testCase_;
  Estimate estimate;
  const std::int64_t words = (testCase.h + 1 + 63) / 64;
  edges_.resize(std::max<std::size_t>(edges_.size(), static_cast<std::size_t>(words)));
  Word* edges = edges_.data();
  const auto mark = [edges](std::int64_t bit) { edges[bit / 64] |= Word{1} << (bit % 64); };
  for (const PackedRect& box : Boxes()) {
    ++estimate.rects;
    estimate.heights += box.height;
    const std::int64_t steps = PaintSteps(box);
    estimate.paintWords += steps > kPaintNowMost ? steps : 0;
    mark(box.Top());
    mark(box.Bottom());
  }
  for (std::int64_t i = 0; i < words; ++i) {
    estimate.rowEdges += bit_rows::Count(edges[i]);
    edges[i] = 0;
  }
  return estimate;
}

// Names the first cell that differs, by the painter or the cross-sections down the rows.
bool Coverage::Locate(const Estimate& estimate, Cell& mismatch) {
  const std::int64_t rowWords = testCase_->Stride() / 8 + 1;
  const std::int64_t byPainter =
      (estimate.paintWords + estimate.heights + rowWords * testCase_->h) * kPaintWord;
  if (BySections(estimate) < byPainter) {
    return sections_.FirstDifference(*testCase_, Boxes(), walk_, mismatch);
  }
  return PaintAndCompare(mismatch);
}

// The cost of the sections down the rows: a cross-section rebuilt at every row edge, and every
// row compared with the picture.
std::int64_t Coverage::BySections(const Estimate& estimate) const {
  const std::int64_t rowWords = testCase_->Stride() / 8 + 1;
  return estimate.rowEdges * testCase_->w * kSectionCell + estimate.rects * kSectionRect +
         testCase_->h * rowWords * kPaintWord;
}

std::int64_t Coverage::BySweep(const Estimate& estimate) const {
  return estimate.rects * (kSectionRect + kSweepRect) +
         estimate.heights / SweepArea::kBand * kSweepBand;
}
