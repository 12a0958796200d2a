// Helpers for the viewer's tests: an evaluation for the picture on texts written to files, and
// a small scene whose last rectangle failed, drawn whole.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "view/layout.h"
#include "view/scene.h"
#include "view/viewed_run.h"

// The run lives on the heap, since a scene points into it.
inline std::unique_ptr<ViewedRun> ViewRun(const std::string& input, const std::string& submission,
                                          std::int64_t wantedBlock = 1) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("zelmiranke-view-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "input.txt", std::ios::binary) << input;
  std::ofstream(dir / "submission.txt", std::ios::binary) << submission;
  auto run = std::make_unique<ViewedRun>(wantedBlock);
  Evaluate((dir / "input.txt").string(), (dir / "submission.txt").string(), run->evaluation,
           &run->facts);
  std::filesystem::remove_all(dir);
  return run;
}

// A 3 x 2 grid, "##." over "###", with two rectangles, the second failing at the white cell
// (2, 0), and a layout that draws the whole grid and both rectangles. Not to be copied: the
// scene points into `rows` and `rects`.
struct FailingScene {
  std::vector<std::string> rows = {"##.", "###"};
  std::vector<Rect> rects = {{0, 0, 2, 2}, {1, 0, 2, 1}};
  std::vector<std::int64_t> lines = {5, 6};
  Scene scene;
  Layout layout;

  FailingScene() {
    scene.w = 3;
    scene.h = 2;
    scene.rows.assign(rows.begin(), rows.end());
    scene.rects = rects;
    scene.rectLines = lines;
    scene.lastFails = true;
    scene.faultCell = Cell{2, 0};
    scene.uncovered = Uncovered::kNotReached;
    layout.region = Region{0, 0, 3, 2};
    layout.drawn = {0, 1};
    layout.meeting = 2;
  }
  FailingScene(const FailingScene&) = delete;
  FailingScene& operator=(const FailingScene&) = delete;
};
