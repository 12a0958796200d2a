// The rectangles the ways of deciding a block work on, and what they share.
#pragma once

#include <cstdint>
#include <vector>

#include "base/expect.h"
#include "base/populated.h"
#include "eval/rect.h"
#include "eval/test_case.h"

// A rectangle with area inside the picture, packed: every side fits 16 bits, which halves the
// memory a block of a million rectangles takes.
struct PackedRect {
  static_assert(kMaxSide <= 0xFFFF);
  std::uint16_t x;
  std::uint16_t y;
  std::uint16_t width;
  std::uint16_t height;

  static PackedRect Of(const Rect& rect) {
    ZEL_EXPECT(rect.HasArea() && rect.x >= 0 && rect.y >= 0 && rect.x + rect.width <= kMaxSide &&
               rect.y + rect.height <= kMaxSide);
    return {static_cast<std::uint16_t>(rect.x), static_cast<std::uint16_t>(rect.y),
            static_cast<std::uint16_t>(rect.width), static_cast<std::uint16_t>(rect.height)};
  }
  int Left() const { return x; }
  int Right() const { return x + width; }
  int Top() const { return y; }
  int Bottom() const { return y + height; }
  std::int64_t Area() const { return static_cast<std::int64_t>(width) * height; }
};

// Scratch memory of the ways, kept from block to block and ready when it grows large.
template <typename T>
using ScratchArray = std::vector<T, PopulatingAllocator<T>>;

// The two directions a way can walk a block in: along the walk rectangles start and end, and
// each covers a run of the cross-section.
struct DownTheRows {
  static int Start(const PackedRect& box) { return box.Top(); }
  static int End(const PackedRect& box) { return box.Bottom(); }
  static int From(const PackedRect& box) { return box.Left(); }
  static int To(const PackedRect& box) { return box.Right(); }
};
struct AcrossTheColumns {
  static int Start(const PackedRect& box) { return box.Left(); }
  static int End(const PackedRect& box) { return box.Right(); }
  static int From(const PackedRect& box) { return box.Top(); }
  static int To(const PackedRect& box) { return box.Bottom(); }
};
