// Fuzzes the verdict on pictures and covers built from the fuzz bytes (scenes.h): one or two
// test cases up to 1000 x 1000 and one to three blocks, written as a task input and a
// submission, and evaluated in memory; the verdict must be the reference evaluation's. The
// rectangles of one run paint at most kAreaBudget cells, which bounds the reference's time.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "same_verdict.h"
#include "scenes.h"

namespace {
constexpr std::int64_t kAreaBudget = 30'000'000;

struct Block {
  std::size_t scene;
  std::vector<reference::Rectangle> rects;
};

// The size limit of a test case, from the sides its blocks use: the largest there is, just
// enough (turned or not), one short, or small.
std::pair<int, int> Limits(FuzzedDataProvider& in, const std::vector<Block>& blocks,
                           std::size_t scene) {
  int wide = 1;
  int high = 1;
  for (const Block& block : blocks) {
    if (block.scene != scene) {
      continue;
    }
    for (const reference::Rectangle& r : block.rects) {
      wide = std::max(wide, std::min(r.width, 1000));
      high = std::max(high, std::min(r.height, 1000));
    }
  }
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      return {wide, high};
    case 1:
      return {high, wide};
    case 2:
      return {std::max(1, wide - 1), high};
    case 3:
      return {in.ConsumeIntegralInRange(1, 20), in.ConsumeIntegralInRange(1, 20)};
    default:
      return {1000, 1000};
  }
}

std::string Input(FuzzedDataProvider& in, const std::vector<Scene>& scenes,
                  const std::vector<Block>& blocks) {
  std::string text = "Zelmiranke\n" + std::to_string(scenes.size()) + "\n";
  for (std::size_t t = 0; t < scenes.size(); ++t) {
    const auto [a, b] = Limits(in, blocks, t);
    text += "\n" + std::to_string(t + 1) + " " + std::to_string(scenes[t].w) + " " +
            std::to_string(scenes[t].h) + " " + std::to_string(a) + " " + std::to_string(b) + "\n";
    for (const std::string& row : scenes[t].rows) {
      text.append(row).append("\n");
    }
  }
  return text;
}

std::string Submission(FuzzedDataProvider& in, const std::vector<Block>& blocks) {
  std::string text = "123456\nZelmiranke\n";
  for (const Block& block : blocks) {
    if (in.ConsumeBool()) {
      text += "\n";  // a blank line between blocks is skipped, but counts
    }
    text += std::to_string(block.scene + 1) + "\n" + std::to_string(block.rects.size()) + "\n";
    for (const reference::Rectangle& r : block.rects) {
      text += std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) +
              " " + std::to_string(r.height) + "\n";
    }
  }
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<Scene> scenes(in.ConsumeIntegralInRange(1, 2));
  for (Scene& scene : scenes) {
    scene = MakeScene(in);
  }
  std::vector<Block> blocks(in.ConsumeIntegralInRange(1, 3));
  std::int64_t areaBudget = kAreaBudget;
  for (Block& block : blocks) {
    block.scene = in.ConsumeIntegralInRange<std::size_t>(0, scenes.size() - 1);
    block.rects = MakeBlock(in, scenes[block.scene], areaBudget);
  }
  const std::string input = Input(in, scenes, blocks);
  const std::string submission = Submission(in, blocks);
  CheckSameVerdict(EvaluatorVerdict(input, submission), input, submission);
  return 0;
}
