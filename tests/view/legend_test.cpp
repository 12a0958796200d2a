#include "view/legend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/test_util.h"

namespace {
std::string Names(const std::vector<Key>& keys) {
  std::string names;
  for (const Key key : keys) {
    names.append(names.empty() ? "" : " ").append(KeyName(key));
  }
  return names;
}

// The legend lists what the region shows: a black cell under a drawn rectangle shows as the
// rectangle, and marks outside a window are not listed.
TEST(LegendKeys, WhatTheRegionShows) {
  FailingScene failing;
  Scene& scene = failing.scene;
  Layout& layout = failing.layout;
  const CoverMap cover(3, 2, failing.rects);
  EXPECT_EQ(Names(LegendKeys(scene, &cover, layout)), "white not-reached rect failing fault");
  // A rectangle left out leaves black cells bare.
  scene.uncovered = Uncovered::kAtEnd;
  layout.drawn = {1};
  EXPECT_EQ(Names(LegendKeys(scene, &cover, layout)), "white black uncovered failing fault");
  layout.region = Region{0, 1, 3, 2};
  layout.drawn = {0};
  layout.meeting = 1;
  EXPECT_EQ(Names(LegendKeys(scene, &cover, layout)), "uncovered rect");
  // The picture of the task input: its cells, the rows not read and the rejected row.
  Scene input;
  input.w = 3;
  input.h = 2;
  input.rows = {"#.", ""};
  input.faultRow = 0;
  layout = Layout();
  layout.region = Region{0, 0, 3, 2};
  EXPECT_EQ(Names(LegendKeys(input, nullptr, layout)), "white black unread fault-row");
}
// The page draws cells by their codes and names them by "cellKinds": each kind of cell has its
// key, and the names stand in the order of the codes.
TEST(KeyTable, EveryKindOfCellHasItsKey) {
  EXPECT_EQ(CellKindNames(), "white\nblack\nuncovered\nunread\nnot-reached");
  for (const CellKind kind : {CellKind::kWhite, CellKind::kBlack, CellKind::kUncovered,
                              CellKind::kUnread, CellKind::kNotReached}) {
    EXPECT_EQ(RowOf(KeyOf(kind)).cell, kind);
  }
  for (const KeyRow& row : kKeys) {
    EXPECT_FALSE(row.words.slovene.empty() || row.words.english.empty()) << row.name;
  }
}
}  // namespace
