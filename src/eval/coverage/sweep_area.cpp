#include "eval/coverage/sweep_area.h"

namespace {
// The sweep's cover counts over the rows come in bands of kBand rows: a box counts once for
// each band it covers whole, and row by row only in the two bands it covers in part. So a box
// costs at most 2 * (kBand - 1) row steps and h / kBand band steps, whatever its height.
constexpr int kBand = SweepArea::kBand;

struct BandedCounts {
  std::int32_t* rows;     // boxes over each row, counted row by row
  std::int32_t* full;     // boxes over each band whole
  std::int32_t* partial;  // rows of each band with a row count above zero

  // Rows [from, to) of one band; returns the change of covered rows. The loops are free of
  // aliasing and so vectorised.
  std::int64_t CountRows(int band, int from, int to, int delta) const {
    std::int32_t* const first = rows + from;
    const int count = to - from;
    int change = 0;
    if (delta > 0) {
      for (int y = 0; y < count; ++y) {
        change += first[y] == 0;
        first[y] += 1;
      }
    } else {
      for (int y = 0; y < count; ++y) {
        first[y] -= 1;
        change -= first[y] == 0;
      }
    }
    partial[band] += change;
    return full[band] == 0 ? change : 0;
  }

  // Bands covered whole: one that turns covered counts all its rows but those it already
  // counted row by row, and one that turns uncovered takes them away again. Without branches:
  // whether a band turns is as unpredictable as the boxes.
  std::int64_t CountBands(int band, int last, int delta) const {
    std::int64_t change = 0;
    for (; band <= last; ++band) {
      const std::int32_t before = full[band];
      const std::int32_t after = before + delta;
      full[band] = after;
      const std::int32_t turned = static_cast<std::int32_t>(before == 0) - (after == 0);
      change += turned * (kBand - partial[band]);
    }
    return change;
  }

  // Adds a box's rows [from, to) (delta 1) or takes them away (-1); returns the change of
  // covered rows.
  std::int64_t Add(int from, int to, int delta) const {
    int band = from / kBand;
    int last = (to - 1) / kBand;
    if (band == last) {
      return CountRows(band, from, to, delta);
    }
    std::int64_t change = 0;
    if (from % kBand != 0) {
      change += CountRows(band, from, (band + 1) * kBand, delta);
      ++band;
    }
    if (to % kBand != 0) {
      change += CountRows(last, last * kBand, to, delta);
      --last;
    }
    return change + CountBands(band, last, delta);
  }
};

}  // namespace

std::int64_t SweepArea::operator()(const TestCase& testCase, std::span<const PackedRect> boxes,
                                   EdgeWalk& walk) {
  const int h = testCase.h;
  const std::size_t bands = static_cast<std::size_t>(h / kBand + 1);
  if (rows_.size() < static_cast<std::size_t>(h)) {
    rows_.resize(static_cast<std::size_t>(h), 0);
  }
  if (full_.size() < bands) {
    full_.resize(bands, 0);
    partial_.resize(bands, 0);
  }
  const BandedCounts counts{rows_.data(), full_.data(), partial_.data()};
  std::int64_t area = 0;
  std::int64_t covered = 0;
  int previous = 0;
  walk.Walk(AcrossTheColumns(), boxes, testCase.w, [&](int x, auto ends, auto starts) {
    area += covered * (x - previous);
    previous = x;
    for (const std::uint32_t i : ends) {
      covered += counts.Add(boxes[i].Top(), boxes[i].Bottom(), -1);
    }
    for (const std::uint32_t i : starts) {
      covered += counts.Add(boxes[i].Top(), boxes[i].Bottom(), 1);
    }
  });
  return area;
}
