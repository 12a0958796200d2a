#include "base/plain_numbers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
// Where the shortcut answers, it must answer as the digit-by-digit scan of a line read in place
// does: the same values, and the same end of the last number.
template <typename... Ints>
void ExpectSameAsScanOne(const std::string& bytes, int& answered, Ints&... got) {
  const char* const begin = bytes.data();
  const char* const end = plain_numbers::Scan(begin, got...);
  if (end == nullptr) {
    return;
  }
  ++answered;
  const char* p = begin;
  int converted = 0;
  int expected = 0;
  for (const int value : {got...}) {
    ASSERT_TRUE(scan_ints_detail::ScanOne<true>(p, begin + bytes.size(), expected))
        << "number " << converted << " of " << ::testing::PrintToString(bytes);
    EXPECT_EQ(value, expected) << "number " << converted << " of "
                               << ::testing::PrintToString(bytes);
    ++converted;
  }
  EXPECT_EQ(end, p) << ::testing::PrintToString(bytes);
}

// Bytes as runs of digits and of spaces of every length, so that numbers start and end at every
// place of the 32 bytes classified and across their end, with now and then a byte that makes a
// line not plain: another white space, a line end, a sign, a byte from 0x80 up, any byte.
std::string DrawBytes(std::mt19937& random) {
  const std::string rare = std::string("\t\v\f\r\n+-x/:\x7f\x80\xb0\xb9\xff", 15) + '\0';
  const int rareOdds = static_cast<int>(random() % 60);
  std::string bytes;
  while (bytes.size() < 64) {
    const int run = 1 + static_cast<int>(random() % (random() % 2 == 0 ? 5 : 12));
    for (int i = 0; i < run; ++i) {
      bytes += static_cast<char>('0' + random() % 10);
    }
    bytes.append(random() % 8, ' ');
    if (static_cast<int>(random() % 1000) < rareOdds) {
      bytes += random() % 4 == 0 ? static_cast<char>(random()) : rare[random() % rare.size()];
    }
  }
  // Blanks in front, or a number from the first byte.
  bytes.insert(0, random() % 3 == 0 ? 0 : random() % 24, ' ');
  bytes.resize(64);
  return bytes;
}

TEST(PlainNumbers, AnswersAsTheScanOfEveryByte) {
#if !defined(__SSE2__)
  GTEST_SKIP() << "no shortcut without SSE2";
#endif
  std::mt19937 random(16);
  int answeredOne = 0;
  int answeredFour = 0;
  for (int round = 0; round < 400000; ++round) {
    const std::string bytes = DrawBytes(random);
    int a = -1, b = -1, c = -1, d = -1;
    ExpectSameAsScanOne(bytes, answeredOne, a);
    ExpectSameAsScanOne(bytes, answeredFour, a, b, c, d);
  }
  // The draw must reach the shortcut often, or the comparison says little.
  EXPECT_GT(answeredOne, 100000) << answeredOne;
  EXPECT_GT(answeredFour, 10000);
}

// Every value of one to four digits, leading zeros included, at each place in the 32 bytes.
TEST(PlainNumbers, EveryShortNumberAtEveryPlace) {
#if !defined(__SSE2__)
  GTEST_SKIP() << "no shortcut without SSE2";
#endif
  for (int digits = 1; digits <= 4; ++digits) {
    for (int value = 0; value < 10000; ++value) {
      std::string text = std::to_string(value);
      if (static_cast<int>(text.size()) > digits) {
        continue;
      }
      text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
      for (int place = 0; place + digits < 32; place += 1 + value % 5) {
        const std::string bytes = std::string(static_cast<std::size_t>(place), ' ') + text +
                                  std::string(static_cast<std::size_t>(64 - place), '\n');
        int got = -1;
        const char* end = plain_numbers::Scan(bytes.data(), got);
        ASSERT_EQ(end, bytes.data() + place + digits) << text << " at " << place;
        ASSERT_EQ(got, value) << text << " at " << place;
      }
    }
  }
}
}  // namespace
