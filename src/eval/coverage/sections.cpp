#include "eval/coverage/sections.h"

using bit_rows::Byte;

bool Sections::FirstDifference(const TestCase& testCase, std::span<const PackedRect> boxes,
                               EdgeWalk& walk, Cell& cell) {
  const int w = testCase.w;
  delta_.assign(static_cast<std::size_t>(w) + 1, 0);
  const std::int64_t stride = testCase.Stride();
  section_.assign(static_cast<std::size_t>(stride), 0);
  std::int32_t* delta = delta_.data();
  Byte* section = section_.data();
  bool found = false;
  // Compares rows [from, to) with the section while no cell differs yet.
  const auto compareRows = [&](int from, int to) {
    for (int y = from; y < to && !found; ++y) {
      const std::int64_t bit = bit_rows::FirstDifference(section, testCase.Row(y), stride);
      if (bit >= 0) {
        cell = Cell{static_cast<int>(bit), y};
        found = true;
      }
    }
  };
  int previous = 0;
  walk.Walk(DownTheRows(), boxes, testCase.h, [&](int here, auto ends, auto starts) {
    compareRows(previous, here);
    previous = here;
    for (const std::uint32_t i : ends) {
      delta[boxes[i].Left()] -= 1;
      delta[boxes[i].Right()] += 1;
    }
    for (const std::uint32_t i : starts) {
      delta[boxes[i].Left()] += 1;
      delta[boxes[i].Right()] -= 1;
    }
    std::int32_t running = 0;
    for (int x = 0; x < w; x += 8) {
      unsigned bits = 0;
      for (int b = 0; b < 8 && x + b < w; ++b) {
        running += delta[x + b];
        bits |= static_cast<unsigned>(running > 0) << b;
      }
      section[x / 8] = static_cast<Byte>(bits);
    }
  });
  compareRows(previous, testCase.h);
  return found;
}
