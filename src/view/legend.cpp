#include "view/legend.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 10> kKeyNames = {
    "white", "black",   "uncovered", "not-reached", "unread",
    "rect",  "failing", "edge",      "fault",       "fault-row"};

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

std::string_view KeyName(Key key) {
  return kKeyNames[static_cast<std::size_t>(key)];
}

Key KeyOf(RunKind kind) {
  switch (kind) {
    case RunKind::kBlack:
      return Key::kBlack;
    case RunKind::kUncovered:
      return Key::kUncovered;
    case RunKind::kUnread:
      return Key::kUnread;
    case RunKind::kNotReached:
      break;
  }
  return Key::kNotReached;
}

std::vector<Key> LegendKeys(const Scene& scene, const CoverMap* cover, const Layout& layout) {
  const Region& region = layout.region;
  std::array<bool, kKeyNames.size()> shown{};
  const auto show = [&shown](Key key) { shown[static_cast<std::size_t>(key)] = true; };
  // With every rectangle over the region drawn, a black cell shows as black only where none
  // covers it, and then as uncovered or not reached.
  const bool bareBlack =
      cover == nullptr || static_cast<std::int64_t>(layout.drawn.size()) < layout.meeting;
  std::int64_t blackOrUnread = 0;
  ForEachRun(scene, cover, region, [&](RunKind kind, int, int, int length) {
    if (kind != RunKind::kBlack || bareBlack) {
      show(KeyOf(kind));
    }
    blackOrUnread += kind == RunKind::kBlack || kind == RunKind::kUnread ? length : 0;
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
