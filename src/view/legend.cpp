#include "view/legend.h"

#include <algorithm>
#include <array>

namespace {
// Whether the band along the crossed edge lies in the region.
bool EdgeInView(const Scene& scene, const Region& region) {
  switch (scene.crossed) {
    case Edge::kLeft:
      return region.x0 == 0;
    case Edge::kTop:
      return region.y0 == 0;
    case Edge::kRight:
      return region.x1 == scene.w;
    case Edge::kBottom:
      return region.y1 == scene.h;
    case Edge::kNone:
      break;
  }
  return false;
}
}  // namespace

Key KeyOf(CellKind kind) {
  for (const KeyRow& row : kKeys) {
    if (row.cell == kind) {
      return row.key;
    }
  }
  return Key::kWhite;
}

std::string CellKindNames() {
  std::string names;
  for (int code = 0;; ++code) {
    const auto row = std::find_if(std::begin(kKeys), std::end(kKeys), [code](const KeyRow& key) {
      return key.cell && static_cast<int>(*key.cell) == code;
    });
    if (row == std::end(kKeys)) {
      return names;
    }
    names.append(code == 0 ? "" : "\n").append(row->name);
  }
}

std::vector<Key> LegendKeys(const Scene& scene, const CoverMap* cover, const Layout& layout) {
  const Region& region = layout.region;
  std::array<bool, std::size(kKeys)> shown{};
  const auto show = [&shown](Key key) { shown[static_cast<std::size_t>(key)] = true; };
  // With every rectangle over the region drawn, a black cell shows as black only where none
  // covers it, and then as uncovered or not reached.
  const bool bareBlack =
      cover == nullptr || static_cast<std::int64_t>(layout.drawn.size()) < layout.meeting;
  std::int64_t blackOrUnread = 0;
  ForEachRun(scene, cover, region, [&](CellKind kind, int, int, int length) {
    if (kind != CellKind::kBlack || bareBlack) {
      show(KeyOf(kind));
    }
    blackOrUnread += kind == CellKind::kBlack || kind == CellKind::kUnread ? length : 0;
  });
  if (blackOrUnread < region.Width() * static_cast<std::int64_t>(region.Height())) {
    show(Key::kWhite);
  }
  for (const std::uint32_t index : layout.drawn) {
    show(scene.lastFails && index + 1 == scene.rects.size() ? Key::kFailing : Key::kRect);
  }
  if (scene.lastFails && !scene.rects.empty() && EdgeInView(scene, region)) {
    show(Key::kEdge);
  }
  if (scene.FaultCellIn(region)) {
    show(Key::kFaultCell);
  }
  if (scene.faultRow && *scene.faultRow >= region.y0 && *scene.faultRow < region.y1) {
    show(Key::kFaultRow);
  }
  std::vector<Key> keys;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i]) {
      keys.push_back(static_cast<Key>(i));
    }
  }
  return keys;
}
