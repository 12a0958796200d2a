#include "view/run_facts.h"

#include <gtest/gtest.h>

#include <string>

#include "eval/evaluation.h"

namespace {
const char kInput[] = "Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 1 1\n#\n";

// An evaluation with facts watching; the facts point into its test cases.
struct Watched {
  Watched(std::string_view input, std::string_view submission, std::int64_t wantedBlock = 1)
      : facts(wantedBlock) {
    MemorySource inputSource(input);
    MemorySource submissionSource(submission);
    Evaluate(inputSource, submissionSource, evaluation, &facts);
  }
  int Check() const { return evaluation.failure ? evaluation.failure->check : 0; }

  Evaluation evaluation;
  RunFacts facts;
};

// The picture being read is in the facts as far as it was read, a long row cut to the grid.
TEST(RunFactsPicture, RowsReadSoFarAndTheBadRow) {
  const Watched run("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n2 3 3 1 2\n#.#\n##\n", "");
  EXPECT_EQ(run.Check(), 75);
  EXPECT_EQ(run.facts.PicturesStarted(), 2);
  const PictureFacts& picture = run.facts.Picture();
  EXPECT_EQ(picture.number, 2);
  EXPECT_EQ(picture.b, 2);
  EXPECT_EQ(picture.Row(0), "#.#");
  EXPECT_EQ(picture.Row(1), "##");
  EXPECT_EQ(picture.Row(2), "");
  const Watched longRow("Zelmiranke\n1\n\n1 2 1 1 1\n" + std::string(100000, '#'), "");
  EXPECT_EQ(longRow.Check(), 75);
  EXPECT_EQ(longRow.facts.Picture().Row(0), "##");
}

TEST(RunFactsBlock, FailingBlockHoldsItsRectanglesWithTheFailingOneLast) {
  const Watched run(kInput, "123456\nZelmiranke\n2\n1\n0 0 1 1\n\n1\n2\n0 0 2 1\n1 0 2 2\n");
  EXPECT_EQ(run.Check(), 148);
  const BlockFacts* block = run.facts.Block(2);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->numberLine, 7);
  EXPECT_EQ(block->testCase->number, 1);
  ASSERT_EQ(block->rects.size(), 2u);
  EXPECT_EQ(block->rects[1].height, 2);
  EXPECT_EQ(block->lines, (std::vector<std::int64_t>{9, 10}));
}

TEST(RunFactsBlock, WantedBlockIsKeptWhenALaterOneFails) {
  const Watched run(
      kInput, "123456\nZelmiranke\n2\n1\n0 0 1 1\n1\n2\n0 0 2 2\n2 1 1 1\n1\n1\n0 0 3 1\n", 2);
  EXPECT_EQ(run.Check(), 145);
  const BlockFacts* wanted = run.facts.Block(2);
  ASSERT_NE(wanted, nullptr);
  EXPECT_EQ(wanted->numberLine, 6);
  EXPECT_EQ(wanted->rects.size(), 2u);
  EXPECT_EQ(run.facts.Block(1), nullptr);
  EXPECT_NE(run.facts.Block(3), nullptr);
  EXPECT_EQ(run.facts.Block(4), nullptr);
  EXPECT_EQ(run.facts.BlocksStarted(), 3);
}
}  // namespace
