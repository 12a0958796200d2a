#include "eval/coverage/sections.h"

#include <type_traits>

using bit_rows::Byte;

namespace {
template <typename Axis>
constexpr bool kDown = std::is_same_v<Axis, DownTheRows>;
}  // namespace

std::int64_t Sections::RowsArea(const TestCase& testCase, std::span<const PackedRect> boxes,
                                EdgeWalk& walk) {
  return Walk(DownTheRows(), testCase, boxes, walk, nullptr);
}

std::int64_t Sections::ColumnsArea(const TestCase& testCase, std::span<const PackedRect> boxes,
                                   EdgeWalk& walk) {
  return Walk(AcrossTheColumns(), testCase, boxes, walk, nullptr);
}

bool Sections::FirstDifference(const TestCase& testCase, std::span<const PackedRect> boxes,
                               EdgeWalk& walk, Cell& cell) {
  return Walk(DownTheRows(), testCase, boxes, walk, &cell) < 0;
}

// Sections along one axis, each rebuilt only where a box starts or ends. With `mismatch`
// (rows only), each row's cover is compared with the picture, and the first cell that differs
// ends the walk: it is put in `mismatch` and the result is -1.
template <typename Axis>
std::int64_t Sections::Walk(Axis axis, const TestCase& testCase, std::span<const PackedRect> boxes,
                            EdgeWalk& walk, Cell* mismatch) {
  const int length = kDown<Axis> ? testCase.h : testCase.w;
  const int across = kDown<Axis> ? testCase.w : testCase.h;
  delta_.assign(static_cast<std::size_t>(across) + 1, 0);
  const std::int64_t stride = bit_rows::Stride(across);
  section_.assign(static_cast<std::size_t>(stride), 0);
  std::int32_t* delta = delta_.data();
  Byte* section = section_.data();
  bool found = false;
  // Compares rows [from, to) with the section while no cell differs yet.
  const auto compareRows = [&](int from, int to) {
    for (int y = from; y < to && !found; ++y) {
      const std::int64_t bit = bit_rows::FirstDifference(section, testCase.Row(y), stride);
      if (bit >= 0) {
        *mismatch = Cell{static_cast<int>(bit), y};
        found = true;
      }
    }
  };
  std::int64_t area = 0;
  std::int64_t covered = 0;
  int previous = 0;
  walk.Walk(axis, boxes, length, [&](int here, auto ends, auto starts) {
    if (mismatch != nullptr) {
      compareRows(previous, here);
    }
    area += covered * (here - previous);
    previous = here;
    for (const std::uint32_t i : ends) {
      delta[axis.From(boxes[i])] -= 1;
      delta[axis.To(boxes[i])] += 1;
    }
    for (const std::uint32_t i : starts) {
      delta[axis.From(boxes[i])] += 1;
      delta[axis.To(boxes[i])] -= 1;
    }
    std::int32_t running = 0;
    covered = 0;
    if (mismatch == nullptr) {
      for (int i = 0; i < across; ++i) {
        running += delta[i];
        covered += running > 0;
      }
      return;
    }
    for (int i = 0; i < across; i += 8) {
      unsigned bits = 0;
      for (int b = 0; b < 8 && i + b < across; ++b) {
        running += delta[i + b];
        bits |= static_cast<unsigned>(running > 0) << b;
      }
      section[i / 8] = static_cast<Byte>(bits);
      covered += bit_rows::Count(bits);
    }
  });
  if (mismatch != nullptr) {
    compareRows(previous, length);
  }
  return found ? -1 : area;
}
