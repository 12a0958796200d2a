#include "eval/task_input.h"

#include <gtest/gtest.h>

#include "eval/test_util.h"

namespace {
const char kHeader[] = "123456\nZelmiranke\n";

TEST(ReadTaskInput, StoresPictureAndBlackCount) {
  MemorySource source("Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 5 7\n.\ntrailing junk");
  LineReader reader(source);
  TestCaseList testCases;
  testCases.resize(3);  // replaced once the header has passed
  ReadTaskInput(reader, testCases);
  ASSERT_EQ(testCases.size(), 2u);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(testCases[0].IsBlack(x, 0), x < 2);
    EXPECT_TRUE(testCases[0].IsBlack(x, 1));
  }
  EXPECT_EQ(testCases[0].blackCount, 5);
  EXPECT_TRUE(testCases[0].IsBlack(2, 1));
  EXPECT_FALSE(testCases[0].IsBlack(2, 0));
  EXPECT_EQ(testCases[1].a, 5);
  EXPECT_EQ(testCases[1].b, 7);
  EXPECT_EQ(testCases[1].blackCount, 0);
  EXPECT_EQ(FindTestCase(testCases, 2), &testCases[1]);
  EXPECT_EQ(FindTestCase(testCases, 0), nullptr);
  EXPECT_EQ(FindTestCase(testCases, 3), nullptr);
}

// The block start is the last line of the block before, and the counter counts every row.
TEST(ReadTaskInput, WrongTestNumberNamesTheBlockLines) {
  EXPECT_EQ(Outcome("Zelmiranke\n2\n\n1 1 2 1 1\n#\n.\n\n3 1 1 1 1\n#\n", kHeader),
            "105: v vrsticah 6..9 bi moral biti testni primer stevilka 2, ne pa 3");
  EXPECT_EQ(Outcome("Zelmiranke\n1\n\n7 1 1 1 1\n#\n", kHeader),
            "105: v vrsticah 2..5 bi moral biti testni primer stevilka 1, ne pa 7");
  // A broken picture is reported before the wrong number.
  EXPECT_EQ(Outcome("Zelmiranke\n1\n\n7 2 1 1 1\n#\n", kHeader),
            "75: vrstica y = 0 bi morala biti dolga 2 znakov, ne pa 1");
}

TEST(ReadTaskInput, MissingLinesAreCountedWhereTheyShouldStand) {
  EXPECT_EQ(Outcome("Zelmiranke\n2\n\n1 1 1 1 1\n#\n", kHeader), "61: manjka 6. vrstica");
  EXPECT_EQ(Outcome("Zelmiranke\n2\n\n1 1 1 1 1\n#\n\n", kHeader), "63: manjka 7. vrstica");
  EXPECT_EQ(Outcome("Zelmiranke\n1\n\n1 1 3 1 1\n#\n", kHeader), "74: manjka vrstica y = 1");
}

TEST(ReadTaskInput, CellCodeIsAnUnsignedByte) {
  EXPECT_EQ(Outcome("Zelmiranke\n1\n\n1 3 1 1 1\n#.\xe9\n", kHeader),
            "79: znak za celico x = 2, y = 0 ima s kodo 233, ki niti '.' niti '#'");
  EXPECT_EQ(Outcome(std::string("Zelmiranke\n1\n\n1 2 1 1 1\n\0#\n", 26), kHeader),
            "79: znak za celico x = 0, y = 0 ima s kodo 0, ki niti '.' niti '#'");
}
}  // namespace
