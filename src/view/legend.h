// What a picture's legend explains: each kind of mark the picture shows in its region, in the
// legend's order. The SVG picture and the page both list these keys, each in its own words.
#pragma once

#include <string_view>
#include <vector>

#include "view/cell_runs.h"
#include "view/cover_map.h"
#include "view/layout.h"
#include "view/scene.h"

enum class Key {
  kWhite,
  kBlack,
  kUncovered,
  kNotReached,
  kUnread,
  kRect,
  kFailing,
  kEdge,
  kFaultCell,
  kFaultRow,
};

// The key's name: the SVG picture's class of what it explains, and the page's name for it.
std::string_view KeyName(Key key);
// The key of a run of cells.
Key KeyOf(RunKind kind);

// The keys of what the picture of `layout.region` shows.
std::vector<Key> LegendKeys(const Scene& scene, const CoverMap* cover, const Layout& layout);
