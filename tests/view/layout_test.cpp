#include "view/layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "view/cell_runs.h"

namespace {
// A 1000 x 1000 noise picture and its cover by 1 x 1 rectangles: half a million black runs.
struct Noise {
  std::vector<std::string> rows;
  std::vector<Rect> rects;
  Scene scene;
  Noise() {
    std::mt19937 random(7);
    for (int y = 0; y < 1000; ++y) {
      rows.emplace_back(1000, '.');
      for (int x = 0; x < 1000; ++x) {
        if (random() % 2 == 0) {
          rows.back()[static_cast<std::size_t>(x)] = '#';
          rects.push_back(Rect{x, y, 1, 1});
        }
      }
    }
    scene.w = scene.h = 1000;
    scene.rows.assign(rows.begin(), rows.end());
    scene.rects = rects;
    scene.uncovered = Uncovered::kAtEnd;
  }
};

std::int64_t Bytes(const Layout& layout, const Scene& scene, const CoverMap& cover) {
  std::int64_t runs = 0;
  ForEachRun(scene, &cover, layout.region, [&runs](CellKind, int, int, int) { ++runs; });
  return kFixedBytes + runs * kRunBytes +
         static_cast<std::int64_t>(layout.drawn.size()) * kRectBytes;
}

TEST(ChooseLayout, SmallPictureIsDrawnWhole) {
  const std::vector<std::string> rows = {"##.", "###"};
  const std::vector<Rect> rects = {{0, 0, 2, 2}, {2, 1, 1, 1}};
  Scene scene;
  scene.w = 3;
  scene.h = 2;
  scene.rows.assign(rows.begin(), rows.end());
  scene.rects = rects;
  const Layout layout = ChooseLayout(scene, nullptr);
  EXPECT_FALSE(layout.windowed);
  EXPECT_EQ(layout.region.Width(), 3);
  EXPECT_EQ(layout.drawn, (std::vector<std::uint32_t>{0, 1}));
}

// A window asked for zooms in whatever the size: around the cell asked for, else the failure;
// inside the grid, and the whole grid when it is no larger.
TEST(ChooseLayout, WindowAskedForZoomsIn) {
  const std::vector<std::string> rows(12, std::string(20, '#'));
  Scene scene;
  scene.w = 20;
  scene.h = 12;
  scene.rows.assign(rows.begin(), rows.end());
  scene.faultCell = Cell{10, 3};
  Layout layout = ChooseLayout(scene, nullptr, WindowAsked{6});
  EXPECT_TRUE(layout.windowed);
  EXPECT_FALSE(layout.tooLarge);
  EXPECT_EQ(layout.region, (Region{7, 0, 13, 6}));
  layout = ChooseLayout(scene, nullptr, WindowAsked{5, Cell{19, 11}});
  EXPECT_EQ(layout.region, (Region{15, 7, 20, 12}));
  layout = ChooseLayout(scene, nullptr, WindowAsked{0, Cell{2, 2}});  // the default side
  EXPECT_FALSE(layout.windowed);
  EXPECT_EQ(layout.region, (Region{0, 0, 20, 12}));
  layout = ChooseLayout(scene, nullptr, WindowAsked{});
  EXPECT_FALSE(layout.windowed);
}

TEST(ChooseLayout, NoiseGetsAWindowAroundTheFault) {
  Noise noise;
  noise.scene.faultCell = Cell{990, 5};
  const CoverMap cover(1000, 1000, noise.rects);
  const Layout layout = ChooseLayout(noise.scene, &cover);
  EXPECT_TRUE(layout.windowed);
  EXPECT_TRUE(layout.tooLarge);
  EXPECT_EQ(layout.region.x1, 1000);
  EXPECT_EQ(layout.region.y0, 0);
  EXPECT_EQ(layout.region.Width(), 200);
  EXPECT_EQ(layout.region.Height(), 200);
  EXPECT_EQ(static_cast<std::int64_t>(layout.drawn.size()), layout.meeting);
  EXPECT_LE(Bytes(layout, noise.scene, cover), kPictureBound);
  const Layout at = ChooseLayout(noise.scene, &cover, WindowAsked{0, Cell{10, 990}});
  EXPECT_EQ(at.region, (Region{0, 800, 200, 1000}));
  // A window as large as the grid is made smaller until the file fits.
  const Layout large = ChooseLayout(noise.scene, &cover, WindowAsked{1000});
  EXPECT_LT(large.region.Width(), 1000);
  EXPECT_TRUE(large.region.Contains(990, 5));
  EXPECT_LE(Bytes(large, noise.scene, cover), kPictureBound);
}

// A million rectangles over the whole grid would paint it a million times over.
TEST(ChooseLayout, OverlapIsCutButTheFailingRectangleStays) {
  const std::vector<std::string> rows(1000, std::string(1000, '#'));
  std::vector<Rect> rects(1000000, Rect{0, 0, 1000, 1000});
  rects.back() = Rect{500, 0, 1000, 1};
  Scene scene;
  scene.w = scene.h = 1000;
  scene.rows.assign(rows.begin(), rows.end());
  scene.rects = rects;
  scene.lastFails = true;
  const Layout layout = ChooseLayout(scene, nullptr);
  EXPECT_EQ(layout.meeting, 1000000);
  ASSERT_EQ(layout.drawn.size(), static_cast<std::size_t>(kAreaLayers) + 1);
  EXPECT_EQ(layout.drawn.back(), 999999u);
  // With room for a window of 200 black rows and three rectangles, the failing one is still
  // among them.
  const Layout tight = ChooseLayout(scene, nullptr, WindowAsked{200},
                                    kFixedBytes + 200 * kRunBytes + 3 * kRectBytes);
  EXPECT_TRUE(tight.windowed);
  EXPECT_EQ(tight.drawn, (std::vector<std::uint32_t>{0, 1, 999999}));
}
}  // namespace
