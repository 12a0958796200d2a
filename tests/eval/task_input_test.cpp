#include "eval/task_input.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "eval/run_observer.h"
#include "eval/test_util.h"

namespace {
const char kHeader[] = "123456\nZelmiranke\n";

TEST(ReadTaskInput, StoresPictureAndBlackCount) {
  MemorySource source("Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 1 1 5 7\n.\ntrailing junk");
  LineReader reader(source);
  TestCaseList testCases;
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

// The failure, or every picture's cells and black count, of reading `input`. With an observer
// every picture row is read as a line; without, a row of the right length is taken as it stands.
std::string ReadPictures(const std::string& input, bool watched) {
  MemorySource source(input);
  LineReader reader(source);
  TestCaseList testCases;
  RunObserver observer;
  try {
    ReadTaskInput(reader, testCases, watched ? &observer : nullptr);
  } catch (const EAssertion& failure) {
    return std::to_string(failure.check) + " on line " + std::to_string(failure.site.line) + ": " +
           failure.message;
  }
  std::string text;
  for (std::size_t k = 0; k < testCases.size(); ++k) {
    const TestCase& testCase = testCases[k];
    for (int y = 0; y < testCase.h; ++y) {
      for (int x = 0; x < testCase.w; ++x) {
        text += testCase.IsBlack(x, y) ? '#' : '.';
      }
    }
    text += " " + std::to_string(testCase.blackCount) + "\n";
  }
  return text;
}

// Pictures with now and then a fault in a row: a row too short or too long, a byte that is
// neither '.' nor '#', a CR or LF among the cells, a CR before the line end, the file ending
// early. Rows taken as they stand must give the outcome of rows read as lines, to the message.
TEST(ReadTaskInput, RowsTakenAsTheyStandAsReadAsLines) {
  std::mt19937 random(74);
  const std::string faults[] = {"x", "\r", "\n", std::string(1, '\0'), "\x1a", "\xa3"};
  for (int round = 0; round < 3000; ++round) {
    const int count = 1 + static_cast<int>(random() % 3);
    std::string input = "Zelmiranke\n" + std::to_string(count) + "\n";
    const unsigned faultOdds = random() % 40;
    for (int k = 1; k <= count; ++k) {
      const int w = 1 + static_cast<int>(random() % (random() % 8 == 0 ? kMaxSide : 40));
      const int h = 1 + static_cast<int>(random() % 12);
      input +=
          "\n" + std::to_string(k) + " " + std::to_string(w) + " " + std::to_string(h) + " 1 1\n";
      for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
          row += random() % 2 == 0 ? '#' : '.';
        }
        if (random() % 1000 < faultOdds) {
          const std::size_t at = random() % (row.size() + 1);
          switch (random() % 4) {
            case 0:
              row.insert(at, faults[random() % std::size(faults)]);
              break;
            case 1:
              row.erase(at, 1);
              break;
            case 2:
              row.push_back('\r');
              break;
            default:
              row.replace(at, 1, faults[random() % std::size(faults)]);
          }
        }
        input += row + (random() % 4 == 0 ? "\r\n" : "\n");
      }
    }
    if (random() % 10 == 0) {
      input.resize(random() % input.size());
    }
    ASSERT_EQ(ReadPictures(input, false), ReadPictures(input, true))
        << ::testing::PrintToString(input.substr(0, 300));
  }
}
}  // namespace
