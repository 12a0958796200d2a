#include "view/layout.h"

#include <algorithm>

#include "view/cell_runs.h"

namespace {
std::int64_t RunCount(const Scene& scene, const CoverMap* cover, const Region& region) {
  std::int64_t count = 0;
  ForEachRun(scene, cover, region, [&count](CellKind, int, int, int) { ++count; });
  return count;
}

// A window of side at most `side` around `focus`, inside the grid.
Region Window(const Scene& scene, Cell focus, int side) {
  const int width = std::min(side, scene.w);
  const int height = std::min(side, scene.h);
  const int x0 = std::clamp(focus.x - width / 2, 0, scene.w - width);
  const int y0 = std::clamp(focus.y - height / 2, 0, scene.h - height);
  return Region{x0, y0, x0 + width, y0 + height};
}

// The rectangles with area in `region`, at most `room` of them, and only as many as paint the
// region at most kAreaLayers times over (a browser pays for every painted pixel); the failing
// one is always drawn.
std::vector<std::uint32_t> RectsIn(const Scene& scene, const Region& region, std::int64_t room,
                                   std::int64_t& meeting) {
  std::vector<std::uint32_t> drawn;
  std::int64_t area = kAreaLayers * region.Width() * static_cast<std::int64_t>(region.Height());
  meeting = 0;
  const std::size_t count = scene.rects.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Region box = Clip(scene.rects[i], region);
    if (box.Empty()) {
      continue;
    }
    ++meeting;
    const std::int64_t boxArea = box.Width() * static_cast<std::int64_t>(box.Height());
    const bool failing = scene.lastFails && i + 1 == count;
    if ((static_cast<std::int64_t>(drawn.size()) + 1 < room && boxArea <= area) || failing) {
      drawn.push_back(static_cast<std::uint32_t>(i));
      area -= boxArea;
    }
  }
  return drawn;
}
}  // namespace

Layout ChooseLayout(const Scene& scene, const CoverMap* cover, const WindowAsked& asked,
                    std::int64_t bound) {
  Layout layout;
  if (!scene.HasGrid()) {
    return layout;
  }
  const Region whole{0, 0, scene.w, scene.h};
  const Cell focus = asked.at.value_or(scene.Focus());
  int side = asked.side > 0 ? asked.side : kDefaultWindow;
  layout.region = asked.side > 0 || asked.at ? Window(scene, focus, side) : whole;
  std::int64_t runBytes = RunCount(scene, cover, layout.region) * kRunBytes;
  std::int64_t meeting = 0;
  const std::int64_t everyRect = static_cast<std::int64_t>(scene.rects.size()) + 1;
  layout.drawn = RectsIn(scene, layout.region, everyRect, meeting);
  const auto drawnBytes = static_cast<std::int64_t>(layout.drawn.size()) * kRectBytes;
  if (kFixedBytes + runBytes + drawnBytes > bound) {
    layout.tooLarge = true;
    for (;; side = (side + 1) / 2) {
      layout.region = Window(scene, focus, side);
      runBytes = RunCount(scene, cover, layout.region) * kRunBytes;
      if (runBytes <= bound / 2 || side == 1) {
        break;
      }
    }
    const std::int64_t room = (bound - kFixedBytes - runBytes) / kRectBytes;
    layout.drawn = RectsIn(scene, layout.region, room, meeting);
  }
  layout.windowed = layout.region != whole;
  layout.meeting = meeting;
  return layout;
}
