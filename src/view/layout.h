// How much of a scene the picture draws: the whole grid, or a window of at most N x N cells
// when one is asked for (around the cell asked for, else the failure, else the top-left cell).
// So that the file stays small enough for a browser to open in seconds, a picture whose
// estimated size exceeds the bound becomes a window too (of the side asked for, else
// kDefaultWindow), made smaller while its cells alone would take more than half the bound,
// with as many of the rectangles meeting it as the rest of the bound holds (the failing one
// always). Either way, rectangles that would paint the region over more than kAreaLayers
// times are left out.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "view/cover_map.h"
#include "view/region.h"
#include "view/scene.h"

// The bound of a picture file, and the most one element of each kind can take in it (the
// picture's writer keeps to these; its test checks the largest of each).
inline constexpr std::int64_t kPictureBound = 20'000'000;
inline constexpr std::int64_t kRunBytes = 72;
inline constexpr std::int64_t kRectBytes = 256;
inline constexpr std::int64_t kFixedBytes = 65536;
inline constexpr std::int64_t kAreaLayers = 16;

// The side of a window when only its centre is asked for, or when the whole picture would be
// too large.
inline constexpr int kDefaultWindow = 200;

// The window asked for: its side (0: none) and the cell at its middle.
struct WindowAsked {
  int side = 0;
  std::optional<Cell> at = std::nullopt;
};

struct Layout {
  Region region;
  bool windowed = false;             // less than the whole grid
  bool tooLarge = false;             // made a window, or smaller, to stay within the bound
  std::vector<std::uint32_t> drawn;  // indices into scene.rects, in order
  std::int64_t meeting = 0;          // rectangles with area in the region
};

Layout ChooseLayout(const Scene& scene, const CoverMap* cover, const WindowAsked& asked = {},
                    std::int64_t bound = kPictureBound);
