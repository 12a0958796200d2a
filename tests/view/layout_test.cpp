#include "view/layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "view/args.h"
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
    scene.showUncovered = true;
  }
};

std::int64_t Bytes(const Layout& layout, const Scene& scene, const CoverMap& cover) {
  std::int64_t runs = 0;
  ForEachRun(scene, &cover, layout.region, [&runs](RunKind, int, int, int) { ++runs; });
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
  const Layout layout = ChooseLayout(scene, nullptr, kDefaultWindow);
  EXPECT_FALSE(layout.windowed);
  EXPECT_EQ(layout.region.Width(), 3);
  EXPECT_EQ(layout.drawn, (std::vector<std::uint32_t>{0, 1}));
}

TEST(ChooseLayout, NoiseGetsAWindowAroundTheFault) {
  Noise noise;
  noise.scene.faultCell = Cell{990, 5};
  const CoverMap cover(1000, 1000, noise.rects);
  const Layout layout = ChooseLayout(noise.scene, &cover, 200);
  EXPECT_TRUE(layout.windowed);
  EXPECT_EQ(layout.region.x1, 1000);
  EXPECT_EQ(layout.region.y0, 0);
  EXPECT_EQ(layout.region.Width(), 200);
  EXPECT_EQ(layout.region.Height(), 200);
  EXPECT_EQ(static_cast<std::int64_t>(layout.drawn.size()), layout.meeting);
  EXPECT_LE(Bytes(layout, noise.scene, cover), kPictureBound);
  // A window as large as the grid is made smaller until the file fits.
  const Layout large = ChooseLayout(noise.scene, &cover, 1000);
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
  const Layout layout = ChooseLayout(scene, nullptr, kDefaultWindow);
  EXPECT_EQ(layout.meeting, 1000000);
  ASSERT_EQ(layout.drawn.size(), static_cast<std::size_t>(kAreaLayers) + 1);
  EXPECT_EQ(layout.drawn.back(), 999999u);
  // With room for a window of 200 black rows and three rectangles, the failing one is still
  // among them.
  const Layout tight =
      ChooseLayout(scene, nullptr, 200, kFixedBytes + 200 * kRunBytes + 3 * kRectBytes);
  EXPECT_TRUE(tight.windowed);
  EXPECT_EQ(tight.drawn, (std::vector<std::uint32_t>{0, 1, 999999}));
}
}  // namespace
