#include "view/cell_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string Runs(const Scene& scene, const CoverMap* cover, const Region& region) {
  std::string text;
  ForEachRun(scene, cover, region, [&text](CellKind kind, int x, int y, int length) {
    text += "WBNUR"[static_cast<int>(kind)] + std::to_string(x) + "," + std::to_string(y) + "+" +
            std::to_string(length) + " ";
  });
  return text;
}

TEST(ForEachRun, BlackUncoveredAndUnreadRunsInsideTheRegion) {
  Scene scene;
  scene.w = 5;
  scene.h = 3;
  scene.rows = {"##.##", "#x", ""};  // a bad byte is not black; the rest was never read
  const std::vector<Rect> rects = {{0, 0, 1, 1}, {4, 0, 1, 1}};
  const CoverMap cover(5, 3, rects);
  EXPECT_EQ(Runs(scene, nullptr, Region{0, 0, 5, 3}), "B0,0+2 B3,0+2 B0,1+1 U2,1+3 U0,2+5 ");
  EXPECT_EQ(Runs(scene, &cover, Region{0, 0, 5, 3}),
            "B0,0+2 B3,0+2 N1,0+1 N3,0+1 B0,1+1 N0,1+1 U2,1+3 U0,2+5 ");
  EXPECT_EQ(Runs(scene, nullptr, Region{1, 0, 4, 2}), "B1,0+1 B3,0+1 U2,1+2 ");
  // A block stopped by a failure: its uncovered cells were not reached.
  scene.uncovered = Uncovered::kNotReached;
  EXPECT_EQ(Runs(scene, &cover, Region{0, 0, 5, 1}), "B0,0+2 B3,0+2 R1,0+1 R3,0+1 ");
  EXPECT_EQ(KindAt(scene, &cover, Cell{1, 0}), CellKind::kNotReached);
  EXPECT_EQ(KindAt(scene, &cover, Cell{0, 0}), CellKind::kBlack);
  EXPECT_EQ(KindAt(scene, &cover, Cell{2, 0}), CellKind::kWhite);
  EXPECT_EQ(KindAt(scene, &cover, Cell{3, 2}), CellKind::kUnread);
}
}  // namespace
