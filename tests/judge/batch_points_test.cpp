// The points of a batch against sums worked out by hand, for each formula and each way of
// taking a contestant's submissions.
#include "judge/batch_points.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
GradedSubmission Accepted(const std::string& contestant, std::vector<TestCount> counts) {
  GradedSubmission submission;
  submission.path = contestant + "-" + std::to_string(counts.size());
  submission.verdict = Verdict::kOk;
  submission.contestant = contestant;
  submission.counts = std::move(counts);
  return submission;
}

GradedSubmission Failed(const std::string& contestant, Verdict verdict, int check) {
  GradedSubmission submission;
  submission.path = contestant + "-failed";
  submission.verdict = verdict;
  submission.check = check;
  submission.contestant = contestant;
  return submission;
}

// Three tests worth 10, 20 and 30. A's second submission is better as a whole, but its first
// is better on test 1; B's last submission is rejected; one of C's could not be graded.
std::vector<GradedSubmission> Contest() {
  return {
      Accepted("A", {{1, 4}, {2, 10}}),
      Failed("B", Verdict::kRejected, 148),
      Accepted("A", {{1, 5}, {2, 8}, {3, 3}}),
      Accepted("B", {{1, 4}, {3, 6}}),
      Failed("B", Verdict::kRejected, 157),
      Failed("C", Verdict::kInternalError, 0),
      Accepted("C", {{2, 8}}),
      Failed("", Verdict::kRejected, 190),
  };
}

Scoring Score(Formula formula, Take take) {
  Scoring scoring;
  scoring.formula = formula;
  scoring.take = take;
  scoring.points = {10, 20, 30};
  return scoring;
}

// "contestant total", in the order of the table.
std::vector<std::string> Totals(const BatchPoints& points) {
  std::vector<std::string> totals;
  for (const ContestantPoints& contestant : points.contestants) {
    totals.push_back(std::to_string(contestant.rank) + " " + contestant.contestant + " " +
                     FormatPoints(contestant.total));
  }
  return totals;
}

using Totals_ = std::vector<std::string>;

TEST(BatchPointsTest, TheSummaryIsOverEveryAcceptedSubmission) {
  const BatchPoints points = ScoreBatch(Contest(), Score(Formula::kRatio, Take::kBest), 3);
  ASSERT_EQ(points.tests.size(), 3u);
  EXPECT_EQ(points.tests[0].best, 4);
  EXPECT_EQ(points.tests[0].reachedBy, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(points.tests[0].answered, 2);
  EXPECT_EQ(points.tests[1].best, 8);
  EXPECT_EQ(points.tests[1].reachedBy, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(points.tests[2].best, 3);
  EXPECT_EQ(points.tests[2].answered, 2);
  EXPECT_EQ(points.tests[2].reference, std::vector<int>{3});
  // The rejected submission without a contestant number is in no one's points.
  ASSERT_EQ(points.contestants.size(), 3u);
  const ContestantPoints& c = points.contestants[2];
  EXPECT_EQ(c.contestant, "C");
  EXPECT_EQ(c.submissions, 2);
  EXPECT_EQ(c.ungraded, 1);
}

// Ratio: A's first 10 + 20 * 8/10 = 26, its second 10 * 4/5 + 20 + 30 = 58; B's accepted one
// 10 + 30 * 3/6 = 25; C's 20.
TEST(BatchPointsTest, RatioForEachWayOfTaking) {
  EXPECT_EQ(Totals(ScoreBatch(Contest(), Score(Formula::kRatio, Take::kBest), 3)),
            (Totals_{"1 A 58", "2 B 25", "3 C 20"}));
  EXPECT_EQ(Totals(ScoreBatch(Contest(), Score(Formula::kRatio, Take::kLast), 3)),
            (Totals_{"1 A 58", "2 C 20", "3 B 0"}));
  EXPECT_EQ(Totals(ScoreBatch(Contest(), Score(Formula::kRatio, Take::kEachTest), 3)),
            (Totals_{"1 A 60", "2 B 25", "3 C 20"}));
}

// All or nothing: A's first reaches the best on test 1 only (10), its second on tests 2 and 3
// (50); B's reaches it on test 1 (10).
TEST(BatchPointsTest, AllOrNothing) {
  EXPECT_EQ(Totals(ScoreBatch(Contest(), Score(Formula::kAllOrNothing, Take::kBest), 3)),
            (Totals_{"1 A 50", "2 C 20", "3 B 10"}));
  EXPECT_EQ(Totals(ScoreBatch(Contest(), Score(Formula::kAllOrNothing, Take::kEachTest), 3)),
            (Totals_{"1 A 60", "2 C 20", "3 B 10"}));
}

// Reference counts from a file: ratio against 2, 16 and 3 gives A's second 10 * 2/5 + 20 + 30
// = 54 and its first 5 + 20 = 25; B's 5 + 15 = 20; C's 20: B and C tie for second place.
TEST(BatchPointsTest, RatioAgainstReferenceCountsAndTies) {
  Scoring scoring = Score(Formula::kRatio, Take::kBest);
  scoring.reference = {{2}, {16}, {3}};
  const BatchPoints points = ScoreBatch(Contest(), scoring, 3);
  EXPECT_EQ(Totals(points), (Totals_{"1 A 54", "2 B 20", "2 C 20"}));
  EXPECT_EQ(points.tests[0].reference, std::vector<int>{2});
  EXPECT_EQ(points.tests[0].best, 4);  // the batch's own best stays in the summary
}

// Thresholds 4 / 6, 8 / 12 and 3 / 5 with levels 1 and 0.5: A's second 5 + 20 + 30 = 55, its
// first 10 + 10 = 20; B's 10 + 0 (6 is above 5); C's 20.
TEST(BatchPointsTest, Thresholds) {
  Scoring scoring = Score(Formula::kThresholds, Take::kBest);
  scoring.reference = {{4, 6}, {8, 12}, {3, 5}};
  scoring.levels = {1, 0.5};
  EXPECT_EQ(Totals(ScoreBatch(Contest(), scoring, 3)), (Totals_{"1 A 55", "2 C 20", "3 B 10"}));
  scoring.take = Take::kEachTest;  // 10 + 20 + 30
  EXPECT_EQ(Totals(ScoreBatch(Contest(), scoring, 3)), (Totals_{"1 A 60", "2 C 20", "3 B 10"}));
}

// Of equal submissions the later counts, and equal totals share a rank even when summed in
// another order: 0.1 + 0.2 + 0.3 is not 0.6 in floating point.
TEST(BatchPointsTest, TiesTakeTheLaterSubmissionAndShareARank) {
  std::vector<GradedSubmission> graded = {Accepted("X", {{1, 3}}), Accepted("X", {{1, 3}}),
                                          Accepted("Y", {{1, 3}, {2, 3}, {3, 3}}),
                                          Accepted("Z", {{4, 3}})};
  graded[1].path = "X-again";
  Scoring scoring = Score(Formula::kRatio, Take::kBest);
  scoring.points = {0.1, 0.2, 0.3, 0.6};
  const BatchPoints points = ScoreBatch(graded, scoring, 4);
  EXPECT_EQ(Totals(points), (Totals_{"1 Y 0.6", "1 Z 0.6", "3 X 0.1"}));
  EXPECT_EQ(points.contestants[2].counted, "X-again");
}

TEST(BatchPointsTest, PointsAreWrittenToSixDecimals) {
  EXPECT_EQ(FormatPoints(10), "10");
  EXPECT_EQ(FormatPoints(2.5), "2.5");
  EXPECT_EQ(FormatPoints(10.0 / 3), "3.333333");
  EXPECT_EQ(FormatPoints(0.0000004), "0");
  EXPECT_EQ(FormatPoints(0), "0");
}

class ReferenceFileTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& text, std::size_t countsPerLine = 0) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("zelmiranke-reference-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::ofstream(path, std::ios::binary) << text;
    reference.clear();
    std::string error;
    const bool read = ReadReference(path.string(), 3, countsPerLine, reference, error);
    std::filesystem::remove(path);
    return read ? "" : error.substr(error.find(':') + 2);
  }
  std::vector<std::vector<int>> reference;
};

TEST_F(ReferenceFileTest, LinesInAnyOrderWithCommentsAndCrLf) {
  EXPECT_EQ(Read("# test counts\r\n3 7\r\n\r\n1 4 6\r\n  2\t9\r\n"), "");
  EXPECT_EQ(reference, (std::vector<std::vector<int>>{{4, 6}, {9}, {7}}));
}

TEST_F(ReferenceFileTest, EveryFaultNamesItsLine) {
  EXPECT_EQ(Read("1 4\n2 x\n3 5\n"),
            "pricakovani so stevilka testa in stevila pravokotnikov, cela stevila");
  EXPECT_EQ(Read("1 4\n2\n"),
            "pricakovani so stevilka testa in stevila pravokotnikov, cela stevila");
  EXPECT_EQ(Read("1 4\n4 5\n"), "testa 4 ni v uradnem vhodu");
  EXPECT_EQ(Read("1 4\n1 5\n"), "test 1 je ze naveden");
  EXPECT_EQ(Read("1 0\n"), "stevilo pravokotnikov mora biti vsaj 1");
  EXPECT_EQ(Read("1 4\n2 5\n"), "manjka test 3");
  EXPECT_EQ(Read("1 4 5\n2 5\n3 1 2\n", 2),
            "stevil pravokotnikov mora biti toliko kot delezev v --levels: 2");
}
}  // namespace
