#include "run_facts.h"

#include <gtest/gtest.h>

#include <string>

#include "assertion.h"
#include "byte_source.h"
#include "line_reader.h"

namespace {
const char kInput[] = "Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 1 1\n#\n";

// Runs both stages with facts and returns the failing check, or 0.
int RunWithFacts(std::string_view input, std::string_view submission, RunFacts& facts,
                 TestCaseList& testCases) {
  try {
    ReportEntryList entries;
    MemorySource inputSource(input);
    LineReader inputReader(inputSource);
    ReadTaskInput(inputReader, testCases, &facts);
    MemorySource submissionSource(submission);
    LineReader submissionReader(submissionSource);
    ReadSubmission(submissionReader, testCases, entries, &facts);
    return 0;
  } catch (const EAssertion& assertion) {
    return assertion.line;
  }
}

int RunWithFacts(std::string_view input, std::string_view submission, RunFacts& facts) {
  TestCaseList testCases;
  return RunWithFacts(input, submission, facts, testCases);
}

TEST(PlaceOfCheck, RangesOfTheChecks) {
  EXPECT_EQ(PlaceOfCheck(61), FailurePlace::kTaskInput);
  EXPECT_EQ(PlaceOfCheck(105), FailurePlace::kTaskInput);
  EXPECT_EQ(PlaceOfCheck(129), FailurePlace::kBlock);
  EXPECT_EQ(PlaceOfCheck(161), FailurePlace::kBlock);
  EXPECT_EQ(PlaceOfCheck(189), FailurePlace::kHeader);
  EXPECT_EQ(PlaceOfCheck(194), FailurePlace::kHeader);
  EXPECT_EQ(PlaceOfCheck(202), FailurePlace::kBlockStart);
  EXPECT_EQ(PlaceOfCheck(204), FailurePlace::kBlockStart);
  EXPECT_EQ(PlaceOfCheck(203), FailurePlace::kOther);
  EXPECT_EQ(PlaceOfCheck(0), FailurePlace::kOther);
}

// The picture being read is the one in the facts, with the row a check rejects.
TEST(RunFactsPicture, RowsReadSoFarAndTheBadRow) {
  RunFacts facts;
  EXPECT_EQ(RunWithFacts("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n2 3 3 1 2\n#.#\n##\n", "", facts), 75);
  EXPECT_EQ(facts.picturesStarted, 2);
  EXPECT_EQ(facts.picture.number, 2);
  EXPECT_EQ(facts.picture.b, 2);
  EXPECT_EQ(facts.picture.rowsRead, 2);
  EXPECT_EQ(facts.picture.Row(0), "#.#");
  EXPECT_EQ(facts.picture.Row(1), "##");
  EXPECT_EQ(facts.picture.Row(2), "");
  EXPECT_EQ(facts.picture.lastRowLength, 2);
  EXPECT_FALSE(facts.picture.badCell);
}

TEST(RunFactsPicture, LongRowIsCutToTheGrid) {
  RunFacts facts;
  EXPECT_EQ(
      RunWithFacts("Zelmiranke\n1\n\n1 2 1 1 1\n" + std::string(100000, '#') + "\n", "", facts),
      75);
  EXPECT_EQ(facts.picture.Row(0), "##");
  EXPECT_EQ(facts.picture.lastRowLength, 100000);
}

TEST(RunFactsPicture, CheckSeventyNineNamesItsCell) {
  RunFacts facts;
  EXPECT_EQ(RunWithFacts("Zelmiranke\n1\n\n1 3 2 1 1\n###\n#.x\n", "", facts), 79);
  ASSERT_TRUE(facts.picture.badCell);
  EXPECT_EQ(facts.picture.badCell->x, 2);
  EXPECT_EQ(facts.picture.badCell->y, 1);
  EXPECT_EQ(facts.picture.Row(1), "#.x");
}

// A failure before the picture of test case 2 leaves test case 1 as the last started.
TEST(RunFactsPicture, FailureBeforeAPictureStartsNone) {
  RunFacts facts;
  TestCaseList testCases;
  EXPECT_EQ(RunWithFacts("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n2 0 1 1 1\n", "", facts, testCases), 66);
  EXPECT_EQ(facts.picturesStarted, static_cast<std::int64_t>(testCases.size()));
}

TEST(RunFactsBlock, FailingBlockHoldsItsRectanglesWithTheFailingOneLast) {
  RunFacts facts;
  EXPECT_EQ(
      RunWithFacts(kInput, "123456\nZelmiranke\n2\n1\n0 0 1 1\n\n1\n2\n0 0 2 1\n1 0 2 2\n", facts),
      148);
  EXPECT_EQ(facts.blocksStarted, 2);
  const auto block = facts.Block(2);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->numberLine, 7);
  EXPECT_EQ(block->result->testNumber, 1);
  ASSERT_EQ(block->result->rects.size(), 2u);
  EXPECT_EQ(block->result->rects[1].x, 1);
  EXPECT_EQ(block->result->rects[1].height, 2);
}

TEST(RunFactsBlock, WantedBlockIsKeptWhenALaterOneFails) {
  RunFacts facts;
  facts.wantedBlock = 2;
  EXPECT_EQ(RunWithFacts(kInput,
                         "123456\nZelmiranke\n2\n1\n0 0 1 1\n1\n2\n0 0 2 2\n2 1 1 1\n1\n1\n"
                         "0 0 3 1\n",
                         facts),
            145);
  const auto wanted = facts.Block(2);
  ASSERT_TRUE(wanted);
  EXPECT_EQ(wanted->numberLine, 6);
  EXPECT_EQ(wanted->result->rects.size(), 2u);
  EXPECT_EQ(wanted->result->testNumber, 1);
  EXPECT_FALSE(facts.Block(1));
  EXPECT_TRUE(facts.Block(3));
  EXPECT_FALSE(facts.Block(4));
}

// The facts only watch: every verdict is the same with them as without them.
TEST(RunFactsBlock, VerdictsDoNotChange) {
  for (const char* submission :
       {"123456\nZelmiranke\n1\n2\n0 0 2 2\n2 1 1 1\n", "123456\nZelmiranke\n1\n1\n0 0 2 2\n",
        "123456\nZelmiranke\n1\n1\n", "123456\nZelmiranke\n3\n", "12345\n"}) {
    RunFacts facts;
    TestCaseList testCases;
    const int withFacts = RunWithFacts(kInput, submission, facts, testCases);
    int without = 0;
    try {
      TestCaseList plain;
      ReportEntryList entries;
      MemorySource inputSource(kInput);
      LineReader inputReader(inputSource);
      ReadTaskInput(inputReader, plain);
      MemorySource submissionSource(submission);
      LineReader submissionReader(submissionSource);
      ReadSubmission(submissionReader, plain, entries);
    } catch (const EAssertion& assertion) {
      without = assertion.line;
    }
    EXPECT_EQ(withFacts, without) << submission;
  }
}
}  // namespace
