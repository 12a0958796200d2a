// How much of a scene the picture draws, so that the file stays small enough for a browser to
// open in seconds. The whole grid when its estimated size is within the bound; otherwise a
// window of at most N x N cells around the failure (around the top-left cell when there is
// none), made smaller while its cells alone would take more than half the bound, with as many
// of the rectangles meeting it as the rest of the bound holds (the failing one always). Either
// way, rectangles that would paint the region over more than kAreaLayers times are left out.
#pragma once

#include <cstdint>
#include <vector>

#include "view/cover_map.h"
#include "view/region.h"
#include "view/scene.h"

// The bound of a picture file, and the most one element of each kind can take in it (the
// picture's writer keeps to these; its test checks the largest of each).
inline constexpr std::int64_t kPictureBound = 20'000'000;
inline constexpr std::int64_t kRunBytes = 72;
inline constexpr std::int64_t kRectBytes = 256;
inline constexpr std::int64_t kFixedBytes = 16384;
inline constexpr std::int64_t kAreaLayers = 16;

struct Layout {
  Region region;
  bool windowed = false;
  std::vector<std::uint32_t> drawn;  // indices into scene.rects, in order
  std::int64_t meeting = 0;          // rectangles with area in the region
};

Layout ChooseLayout(const Scene& scene, const CoverMap* cover, int window,
                    std::int64_t bound = kPictureBound);
