#include "eval/submission.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "eval/test_util.h"

namespace {
const char kInput[] = "Zelmiranke\n3\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 1 1\n#\n\n3 2 1 1 1\n..\n";

TEST(ReadSubmission, EntriesInSubmissionOrderWithRepeats) {
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n"), "OK");
  EXPECT_EQ(Outcome(kInput,
                    "123456\nZelmiranke\n\n3\n1\n0 0 0 0\n\n\n1 rectangles follow\n2\n0 0 2 2\n"
                    "2 1 1 1\n3\n2\n1 0 -5 1\n0 0 1 0\n\n"),
            "OK|3 1|1 2|3 2");
}

// Lines read for block bodies and skipped empty lines all count.
TEST(ReadSubmission, LineNumbersCountEveryLine) {
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n2\n1\n0 0 1 1\n\n\n \n"),
            "202: v 8. vrstici bi morala biti stevilka testnega primera, ne pa \" \"");
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n\n2\n1\n0 0 1 1\n4\n"),
            "204: v 7. vrstici se pojavlja neveljavna stevilka testnega primera: 4");
}

TEST(ReadSubmission, EmptyLinesAreSkippedOnlyBetweenBlocks) {
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n2\n\n1\n"),
            "132: stevilo pravokotnikov bi moralo biti od 1 do 1");
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n2\n1\n\n0 0 1 1\n"),
            "139: opis 1. pravokotnika bi morala tvoriti stiri cela stevila");
}

TEST(ReadSubmission, HeaderChecksInOrder) {
  EXPECT_EQ(Outcome(kInput, "12345\nx\n"), "190: stevilka tekmovalca bi morala imeti 6 stevk");
  EXPECT_EQ(Outcome(kInput, "12ab56\nZelmiranke\n"), "OK");
  EXPECT_EQ(Outcome(kInput, "-12345\nZelmiranke\n"), "OK");
  EXPECT_EQ(Outcome(kInput, "abcdef\n"),
            "192: v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"abcdef\"");
  EXPECT_EQ(Outcome(kInput, "123456\r\nZelmiranke\r\n"), "OK");
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\r\r\n"),
            "194: v drugi vrstici bi moral biti niz \"Zelmiranke\", ne pa \"Zelmiranke\r\"");
}

// The observer is told the contestant number as written, once it has passed its checks.
TEST(ReadSubmission, ContestantNumberAsWritten) {
  struct Watch : RunObserver {
    std::vector<std::string> seen;
    void ContestantRead(std::string_view line) override { seen.emplace_back(line); }
  };
  for (const auto& [submission, told] :
       std::vector<std::pair<std::string, std::string>>{{"012345\r\nZelmiranke\r\n", "012345"},
                                                        {"12ab56\nZelmiranki\n", "12ab56"},
                                                        {"12345\nZelmiranke\n", ""},
                                                        {"abcdef\nZelmiranke\n", ""}}) {
    MemorySource input(kInput);
    MemorySource source(submission);
    Evaluation evaluation;
    Watch watch;
    Evaluate(input, source, evaluation, &watch);
    EXPECT_EQ(watch.seen, told.empty() ? std::vector<std::string>{} : std::vector{told})
        << submission;
  }
}

// Bounds are exact sums: a huge width must not wrap around into the grid.
TEST(EvaluateCase, BoundsDoNotWrapAround) {
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n1\n1\n2 0 2147483647 1\n"),
            "142: opis 1. pravokotnik strli cez desni rob mreze (x = 2, sirina = 2147483647, "
            "sirina mreze w = 3)");
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n1\n1\n0 4294967296 1 1\n"),
            "143: opis 1. pravokotnik strli cez spodnji rob mreze (y = 2147483647, visina = 1, "
            "visina mreze h = 2)");
  EXPECT_EQ(Outcome(kInput, "123456\nZelmiranke\n3\n1\n5 0 -3 1\n"), "OK|3 1");
}
}  // namespace
