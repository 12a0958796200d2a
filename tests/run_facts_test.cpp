#include "run_facts.h"

#include <gtest/gtest.h>

#include <string>

#include "test_util.h"

namespace {
const char kInput[] = "Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 1 1\n#\n";

// Runs both stages with facts; returns the failing check, or 0.
int RunWithFacts(std::string_view input, std::string_view submission, RunFacts& facts) {
  try {
    TestCaseList testCases;
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

TEST(PlaceOfCheck, RangesOfTheChecks) {
  for (const int check : {61, 105}) EXPECT_EQ(PlaceOfCheck(check), FailurePlace::kTaskInput);
  for (const int check : {129, 161}) EXPECT_EQ(PlaceOfCheck(check), FailurePlace::kBlock);
  for (const int check : {189, 194}) EXPECT_EQ(PlaceOfCheck(check), FailurePlace::kHeader);
  for (const int check : {202, 204}) EXPECT_EQ(PlaceOfCheck(check), FailurePlace::kBlockStart);
  for (const int check : {0, 203}) EXPECT_EQ(PlaceOfCheck(check), FailurePlace::kOther);
}

// The picture being read is in the facts as far as it was read, a long row cut to the grid.
TEST(RunFactsPicture, RowsReadSoFarAndTheBadRow) {
  RunFacts facts;
  EXPECT_EQ(RunWithFacts("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n2 3 3 1 2\n#.#\n##\n", "", facts), 75);
  EXPECT_EQ(facts.picturesStarted, 2);
  EXPECT_EQ(facts.picture.number, 2);
  EXPECT_EQ(facts.picture.b, 2);
  EXPECT_EQ(facts.picture.Row(0), "#.#");
  EXPECT_EQ(facts.picture.Row(1), "##");
  EXPECT_EQ(facts.picture.Row(2), "");
  EXPECT_EQ(facts.picture.lastRowLength, 2);
  EXPECT_EQ(RunWithFacts("Zelmiranke\n1\n\n1 2 1 1 1\n" + std::string(100000, '#'), "", facts), 75);
  EXPECT_EQ(facts.picture.Row(0), "##");
  EXPECT_EQ(facts.picture.lastRowLength, 100000);
  EXPECT_FALSE(facts.picture.badCell);
}

TEST(RunFactsPicture, CheckSeventyNineNamesItsCell) {
  RunFacts facts;
  EXPECT_EQ(RunWithFacts("Zelmiranke\n1\n\n1 3 2 1 1\n###\n#.x\n", "", facts), 79);
  ASSERT_TRUE(facts.picture.badCell);
  EXPECT_EQ(facts.picture.badCell->x, 2);
  EXPECT_EQ(facts.picture.badCell->y, 1);
  EXPECT_EQ(facts.picture.Row(1), "#.x");
}

TEST(RunFactsBlock, FailingBlockHoldsItsRectanglesWithTheFailingOneLast) {
  RunFacts facts;
  EXPECT_EQ(
      RunWithFacts(kInput, "123456\nZelmiranke\n2\n1\n0 0 1 1\n\n1\n2\n0 0 2 1\n1 0 2 2\n", facts),
      148);
  const auto block = facts.Block(2);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->numberLine, 7);
  EXPECT_EQ(block->result->testNumber, 1);
  ASSERT_EQ(block->result->rects.size(), 2u);
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
    const std::string plain = Outcome(kInput, submission);
    const int check = RunWithFacts(kInput, submission, facts);
    EXPECT_EQ(check == 0 ? "OK" : std::to_string(check), plain.substr(0, plain.find_first_of(":|")))
        << submission;
  }
}
}  // namespace
