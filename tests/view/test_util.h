// Helpers for the viewer's tests: an evaluation for the picture on texts written to files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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
