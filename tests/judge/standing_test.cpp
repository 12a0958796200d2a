#include "judge/standing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Read {
  AnswerForm form;
  Standing standing;
  std::string fault;
};

Read ReadList(std::string_view answer, std::int64_t testCount = 5) {
  Read read;
  MemorySource source(answer);
  read.form = ReadAnswerList(source, testCount, read.standing, read.fault);
  return read;
}

std::vector<std::pair<int, int>> Pairs(const Standing& standing) {
  std::vector<std::pair<int, int>> pairs;
  for (const TestRef& ref : standing.tests) {
    pairs.emplace_back(ref.test, ref.reference);
  }
  return pairs;
}

// A passing submission's blocks.
struct Entries {
  Entries(std::initializer_list<ReportEntry> entries) {
    for (const ReportEntry& entry : entries) {
      list.push_back(entry);
    }
  }
  operator const ReportEntryList&() const { return list; }
  ReportEntryList list;
};

TEST(ReadAnswerListTest, NoNumbersStandForEveryTest) {
  for (const std::string_view answer : {"", "\n", "  \r\n\t\n", "\n\n\n"}) {
    const Read read = ReadList(answer);
    EXPECT_EQ(read.form, AnswerForm::kList);
    EXPECT_TRUE(read.fault.empty()) << read.fault;
    EXPECT_TRUE(read.standing.everyTest);
  }
}

TEST(ReadAnswerListTest, TestsAndReferencesOncePerTestTheSmallerReferenceKept) {
  const Read read = ReadList("4 10\r\n\n 2\n4 7\n2 9\n5\n3 1 \n");
  ASSERT_TRUE(read.fault.empty()) << read.fault;
  EXPECT_FALSE(read.standing.everyTest);
  EXPECT_EQ(Pairs(read.standing),
            (std::vector<std::pair<int, int>>{{2, 9}, {3, 1}, {4, 7}, {5, 0}}));
  // One line alone, without a line end.
  EXPECT_EQ(Pairs(ReadList("3").standing), (std::vector<std::pair<int, int>>{{3, 0}}));
}

TEST(ReadAnswerListTest, ASubmissionIsToldByItsSecondLine) {
  EXPECT_EQ(ReadList("000000\r\nZelmiranke\r\n1\n1\n0 0 1 1\n").form, AnswerForm::kSubmission);
  EXPECT_EQ(ReadList("000000\nZelmiranke").form, AnswerForm::kSubmission);
  EXPECT_FALSE(ReadList("000000\nzelmiranke\n").fault.empty());
}

TEST(ReadAnswerListTest, AnythingElseIsAFaultThatNamesItsLine) {
  EXPECT_NE(ReadList("1\n2 x\n").fault.find("v 2. vrstici"), std::string::npos);
  for (const std::string_view answer : {"1 2 3\n", "x\n", "0\n", "6\n", "-1\n", "1 0\n", "1 -4\n",
                                        "1 99999999999\n", "1,2\n", "99999999999999999999999\n"}) {
    EXPECT_FALSE(ReadList(answer).fault.empty()) << answer;
  }
}

TEST(StandingOfReferenceTest, TheBlocksOfAPassingReferenceAreItsTestsAndCounts) {
  RunOutcome reference;
  for (const ReportEntry entry : {ReportEntry{3, 8}, ReportEntry{1, 2}, ReportEntry{3, 5}}) {
    reference.entries.push_back(entry);
  }
  Standing standing;
  std::string fault;
  ASSERT_TRUE(StandingOfReference(reference, standing, fault));
  EXPECT_EQ(Pairs(standing), (std::vector<std::pair<int, int>>{{1, 2}, {3, 5}}));
  RunOutcome failed;
  failed.unexpected = true;
  EXPECT_FALSE(StandingOfReference(failed, standing, fault));
  EXPECT_NE(fault.find("Nepricakovana napaka"), std::string::npos);
}

TEST(ScoreOfTest, EveryTestNeedsABlockAndAHeaderAloneScoresNothing) {
  const Standing every;
  const Score none = ScoreOf(every, Entries({}), 3);
  EXPECT_EQ(none.answered, 0);
  EXPECT_FALSE(none.full);
  EXPECT_EQ(none.missing, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(FractionText(none), "0.0");
  const Score two = ScoreOf(every, Entries({{3, 4}, {1, 9}, {3, 1}}), 3);
  EXPECT_EQ(two.answered, 2);
  EXPECT_EQ(two.missing, (std::vector<int>{2}));
  EXPECT_EQ(FractionText(two), "0.666667");
  EXPECT_EQ(FractionText(ScoreOf(every, Entries({{2, 1}, {1, 1}, {3, 1}}), 3)), "1.0");
}

TEST(ScoreOfTest, ATestScoresItsBestBlockAgainstItsReference) {
  Standing standing;
  standing.everyTest = false;
  standing.tests = {{1, 4}, {2, 0}, {5, 3}};
  // Test 1: best 5 against 4; test 2 without a reference; test 5: better than its reference.
  const Score score = ScoreOf(standing, Entries({{1, 8}, {1, 5}, {2, 40}, {5, 2}, {4, 1}}), 5);
  EXPECT_EQ(score.tests, 3);
  EXPECT_EQ(score.answered, 3);
  EXPECT_FALSE(score.full);
  EXPECT_DOUBLE_EQ(score.fraction, (0.8 + 1 + 1) / 3);
  EXPECT_EQ(FractionText(score), "0.933333");
  EXPECT_EQ(FractionText(ScoreOf(standing, Entries({{1, 4}, {2, 1}, {5, 3}}), 5)), "1.0");
  const Score missing = ScoreOf(standing, Entries({{2, 1}}), 5);
  EXPECT_EQ(missing.missing, (std::vector<int>{1, 5}));
  EXPECT_EQ(FractionText(missing), "0.333333");
}

TEST(FractionTextTest, NeverFullPointsNorNoneByRounding) {
  Score score;
  score.tests = 2;
  score.answered = 2;
  score.fraction = 0.9999999;
  EXPECT_EQ(FractionText(score), "0.999999");
  score.fraction = 1e-9;
  EXPECT_EQ(FractionText(score), "0.000001");
  score.fraction = 0.5;
  EXPECT_EQ(FractionText(score), "0.5");
}
}  // namespace
