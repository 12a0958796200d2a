#include "view/scene.h"

#include <gtest/gtest.h>

#include "view/test_util.h"

namespace {
const char kInput[] = "Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 2 1 1 1\n.#\n";
const char kHeader[] = "123456\nZelmiranke\n";

TEST(BuildScene, PassingRunShowsTheBlockAskedForElseTheFirst) {
  const std::string submission = std::string(kHeader) + "2\n1\n1 0 1 1\n\n1\n2\n0 0 2 2\n2 1 1 1\n";
  auto run = ViewRun(kInput, submission, 2);
  Scene scene = BuildScene(*run, 2);
  EXPECT_EQ(scene.caption[0], "OK");
  EXPECT_EQ(scene.w, 3);
  EXPECT_EQ(scene.rects.size(), 2u);
  EXPECT_EQ(scene.numberLine, 7);
  EXPECT_EQ(std::vector<std::int64_t>(scene.rectLines.begin(), scene.rectLines.end()),
            (std::vector<std::int64_t>{9, 10}));
  EXPECT_EQ(scene.uncovered, Uncovered::kAtEnd);
  EXPECT_FALSE(scene.faultCell);
  run = ViewRun(kInput, submission);
  scene = BuildScene(*run, 0);
  EXPECT_EQ(scene.w, 2);
  EXPECT_EQ(scene.rects.size(), 1u);
  run = ViewRun(kInput, submission, 3);
  scene = BuildScene(*run, 3);
  EXPECT_FALSE(scene.HasGrid());
  EXPECT_EQ(scene.caption.back(), "blok 3 ne obstaja (blokov: 2)");
}

// The named cells come from the evaluator's own functions and match the report.
TEST(BuildScene, FailingBlockMarksItsRectangleAndCell) {
  auto run = ViewRun(kInput, std::string(kHeader) + "1\n3\n0 0 1 2\n1 1 2 1\n1 0 2 1\n");
  Scene scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 148);
  EXPECT_TRUE(scene.lastFails);
  EXPECT_EQ(scene.rects.size(), 3u);
  ASSERT_TRUE(scene.faultCell);
  EXPECT_EQ(scene.faultCell->x, 2);
  EXPECT_EQ(scene.faultCell->y, 0);
  EXPECT_EQ(scene.uncovered, Uncovered::kNotReached);  // the block stopped at rectangle 3

  run = ViewRun(kInput, std::string(kHeader) + "1\n1\n0 0 2 2\n");
  scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 157);
  EXPECT_FALSE(scene.lastFails);
  EXPECT_EQ(scene.uncovered, Uncovered::kAtEnd);  // read to its end
  ASSERT_TRUE(scene.faultCell);
  EXPECT_EQ(scene.faultCell->x, 2);
  EXPECT_EQ(scene.faultCell->y, 1);

  run = ViewRun(kInput, std::string(kHeader) + "1\n2\n0 0 2 2\n2 1 1 -\n");
  scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 139);
  EXPECT_EQ(scene.rects.size(), 1u);  // the unreadable line is no rectangle
  EXPECT_FALSE(scene.lastFails);
  EXPECT_EQ(scene.uncovered, Uncovered::kNotReached);
  EXPECT_FALSE(scene.Pointed());

  run = ViewRun(kInput, std::string(kHeader) + "1\n2\n0 0 2 2\n2 -1 1 3\n");
  scene = BuildScene(*run, 0);
  EXPECT_EQ(scene.crossed, Edge::kTop);
  EXPECT_EQ(scene.Pointed(), (Cell{2, 0}));  // the failing rectangle's top-left cell in the grid
  EXPECT_EQ(scene.Focus().x, 2);
  EXPECT_EQ(scene.Focus().y, 0);
}

// A large rectangle's check 148 may come after later rectangles were read: the picture shows the
// block up to the rectangle the failure names, and that one as the failing one.
TEST(BuildScene, LateWhiteCellCheckShowsItsOwnRectangle) {
  std::string input = "Zelmiranke\n1\n\n1 200 200 200 200\n";
  for (int y = 0; y < 200; ++y) {
    input += std::string(200, '#') + "\n";
  }
  input[input.size() - 201 * 50 + 20] = '.';  // the cell (20, 150)
  auto run = ViewRun(input, std::string(kHeader) + "1\n2\n0 100 100 100\n5 5 300 1\n");
  const Scene scene = BuildScene(*run, 0);
  ASSERT_EQ(run->evaluation.failure->check, 148);
  EXPECT_EQ(scene.rects.size(), 1u);
  EXPECT_TRUE(scene.lastFails);
  ASSERT_TRUE(scene.faultCell);
  EXPECT_EQ(*scene.faultCell, (Cell{20, 150}));
}

// A failure at a block's start is no failure in a block: the block asked for is shown.
TEST(BuildScene, FailureBetweenBlocksShowsTheBlockAskedFor) {
  auto run = ViewRun(kInput, std::string(kHeader) + "2\n1\n1 0 1 1\n7\n");
  const Scene scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 204);
  EXPECT_EQ(scene.w, 2);
  EXPECT_EQ(scene.rects.size(), 1u);
}

TEST(BuildScene, TaskInputFailureShowsThePictureBeingRead) {
  auto run = ViewRun("Zelmiranke\n1\n\n1 3 3 1 1\n#.#\n#.\n", kHeader);
  Scene scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 75);
  EXPECT_EQ(scene.h, 3);
  EXPECT_EQ(scene.rows[1], "#.");
  EXPECT_EQ(scene.rows[2], "");
  EXPECT_EQ(scene.faultRow, 1);
  EXPECT_TRUE(scene.rects.empty());
  EXPECT_EQ(scene.uncovered, Uncovered::kNone);

  // Test case 2 fails before its picture: nothing of it can be shown.
  run = ViewRun("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n2 1 1 0 1\n", kHeader);
  scene = BuildScene(*run, 0);
  EXPECT_EQ(run->evaluation.failure->check, 68);
  EXPECT_FALSE(scene.HasGrid());
}

TEST(BuildScene, HeaderFailureShowsOnlyTheMessage) {
  auto run = ViewRun(kInput, "123456\nZelmiranka\n1\n1\n0 0 1 1\n");
  const Scene scene = BuildScene(*run, 0);
  EXPECT_FALSE(scene.HasGrid());
  ASSERT_EQ(scene.caption.size(), 1u);
  EXPECT_EQ(scene.caption[0],
            "Napaka [Ozi18Zelmiranke:194]: v drugi vrstici bi moral biti niz \"Zelmiranke\", ne "
            "pa \"Zelmiranka\"");
}
}  // namespace
