#include "eval/coverage/one_axis.h"

#include <algorithm>

namespace {
// Whether every box spans what the first spans across `Axis` (its From..To).
template <typename Axis>
bool SameSpan(Axis axis, std::span<const PackedRect> boxes) {
  const int from = axis.From(boxes[0]);
  const int to = axis.To(boxes[0]);
  return std::all_of(boxes.begin(), boxes.end(), [&](const PackedRect& box) {
    return axis.From(box) == from && axis.To(box) == to;
  });
}
}  // namespace

std::int64_t OneAxis::operator()(const TestCase& testCase, std::span<const PackedRect> boxes) {
  if (boxes.empty()) {
    return 0;
  }
  // Boxes of the same rows differ only in their columns: a walk across the columns.
  if (SameSpan(AcrossTheColumns(), boxes)) {
    return Area(DownTheRows(), testCase.w, boxes);
  }
  if (SameSpan(DownTheRows(), boxes)) {
    return Area(AcrossTheColumns(), testCase.h, boxes);
  }
  return -1;
}

// The union of the boxes' runs along `Axis` (From..To, 0..length), times the span they share.
template <typename Axis>
std::int64_t OneAxis::Area(Axis axis, int length, std::span<const PackedRect> boxes) {
  delta_.assign(static_cast<std::size_t>(length) + 1, 0);
  for (const PackedRect& box : boxes) {
    delta_[static_cast<std::size_t>(axis.From(box))] += 1;
    delta_[static_cast<std::size_t>(axis.To(box))] -= 1;
  }
  std::int32_t running = 0;
  std::int64_t covered = 0;
  for (int at = 0; at < length; ++at) {
    running += delta_[static_cast<std::size_t>(at)];
    covered += running > 0;
  }
  return covered * (axis.End(boxes[0]) - axis.Start(boxes[0]));
}
