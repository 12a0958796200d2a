// What a picture's legend explains: each kind of mark the picture shows in its region, in the
// legend's order. One table says each key's name, its words and the kind of cell it explains;
// the SVG picture and the page both list the keys from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/cell_runs.h"
#include "view/cover_map.h"
#include "view/lang.h"
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

struct KeyRow {
  Key key;
  std::string_view name;  // the SVG picture's class of what it explains, and the page's name
  Words words;
  std::optional<CellKind> cell;  // the kind of cell it explains; none for a mark over cells
};

// clang-format off
inline constexpr KeyRow kKeys[] = {
    {Key::kWhite, "white", {"bela celica", "white cell"}, CellKind::kWhite},
    {Key::kBlack, "black", {"crna celica", "black cell"}, CellKind::kBlack},
    {Key::kUncovered, "uncovered",
     {"crna celica, ki je ni pokril noben pravokotnik bloka",
      "black cell that no rectangle of the block covers"}, CellKind::kUncovered},
    {Key::kNotReached, "not-reached",
     {"crna celica, ki je pravokotniki pred napako se niso pokrili",
      "black cell not yet covered by the rectangles before the failure"}, CellKind::kNotReached},
    {Key::kUnread, "unread",
     {"celica, do katere branje vhoda ni prislo", "cell the reading of the task input never reached"},
     CellKind::kUnread},
    {Key::kRect, "rect",
     {"pravokotnik bloka: nad belo celico svetlejsi, nad crno temnejsi",
      "rectangle of the block: lighter over a white cell, darker over a black one"}, std::nullopt},
    {Key::kFailing, "failing",
     {"pravokotnik, ki ga preverjanje zavrne", "rectangle that the check rejects"}, std::nullopt},
    {Key::kEdge, "edge", {"rob mreze, cez katerega sega", "edge of the grid it crosses"},
     std::nullopt},
    {Key::kFaultCell, "fault",
     {"celica, ki jo navaja napaka (sredina: njena barva)",
      "cell the failure names (middle: its own colour)"}, std::nullopt},
    {Key::kFaultRow, "fault-row", {"vrstica, ki jo navaja napaka", "row the failure names"},
     std::nullopt},
};
// clang-format on

constexpr const KeyRow& RowOf(Key key) {
  return kKeys[static_cast<std::size_t>(key)];
}

constexpr bool KeysInOrder() {
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    if (kKeys[i].key != static_cast<Key>(i)) {
      return false;
    }
  }
  return true;
}
static_assert(KeysInOrder(), "kKeys holds each key at its own place");

inline std::string_view KeyName(Key key) {
  return RowOf(key).name;
}
// The key of a kind of cell.
Key KeyOf(CellKind kind);
// The names of the kinds of cell, one a line, in the order of their codes.
std::string CellKindNames();

// The keys of what the picture of `layout.region` shows.
std::vector<Key> LegendKeys(const Scene& scene, const CoverMap* cover, const Layout& layout);
