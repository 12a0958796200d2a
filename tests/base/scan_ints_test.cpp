#include "base/scan_ints.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {
struct ScanCase {
  std::string line;
  int count;
  std::vector<int> expected;  // the converted values; their number is the result
  friend void PrintTo(const ScanCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.line);
  }
};

class ScanIntsTest : public ::testing::TestWithParam<ScanCase> {};

// The conversion of a line too long to hold, fed in pieces, gives the same numbers.
TEST_P(ScanIntsTest, InPiecesAsWhole) {
  const ScanCase& c = GetParam();
  for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}}) {
    int values[5] = {};
    IntStream stream(c.count, values);
    for (std::size_t at = 0; at < c.line.size(); at += piece) {
      const std::string_view part = std::string_view(c.line).substr(at, piece);
      stream.Feed(part.data(), part.data() + part.size());
    }
    ASSERT_EQ(stream.Finish(), static_cast<int>(c.expected.size())) << "line: " << c.line;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(values[i], c.expected[i]) << "value " << i << " of: " << c.line;
    }
  }
}

TEST_P(ScanIntsTest, ConvertsLikeScanfWithSaturation) {
  const ScanCase& c = GetParam();
  int values[5] = {};
  const int converted = ScanInts(c.line, c.count, values);
  ASSERT_EQ(converted, static_cast<int>(c.expected.size())) << "line: " << c.line;
  for (int i = 0; i < converted; ++i) {
    EXPECT_EQ(values[i], c.expected[i]) << "value " << i << " of: " << c.line;
  }
}

const ScanCase kCases[] = {
    {"5", 1, {5}},
    {"3 test cases", 1, {3}},
    {"   -7x", 1, {-7}},
    {"+3", 1, {3}},
    {"-0", 1, {0}},
    {"0001", 1, {1}},
    {"", 1, {}},
    {"   ", 1, {}},
    {"-", 1, {}},
    {"+", 1, {}},
    {"- 5", 1, {}},
    {"+-5", 1, {}},
    {"x1", 1, {}},
    {"0x10", 1, {0}},
    {"0x10 1 1 1", 4, {0}},
    {"12ab56", 1, {12}},
    {"\t\v\f\r 9", 1, {9}},
    {"\x85"
     "1",
     1,
     {}},  // not white space in the C locale
    {"1-2-3-4", 4, {1, -2, -3, -4}},
    {"1+2", 2, {1, 2}},
    {"1 2 3", 4, {1, 2, 3}},
    {"1 5 5 2 3 9", 5, {1, 5, 5, 2, 3}},
    {"1\t\t2\r3 4 trailing text", 4, {1, 2, 3, 4}},
    {std::string("1\0 2", 4), 2, {1}},
    {std::string("\0"
                 "5",
                 2),
     1,
     {}},
    {"2147483647", 1, {INT_MAX}},
    {"2147483648", 1, {INT_MAX}},
    {"-2147483648", 1, {INT_MIN}},
    {"-2147483649", 1, {INT_MIN}},
    {"4294967296 0 1 1", 4, {INT_MAX, 0, 1, 1}},
    {"-4294967296", 1, {INT_MIN}},
    {"123456789012345678901234567890", 1, {INT_MAX}},
    {"-000000000000000000000000000012", 1, {-12}},
};
INSTANTIATE_TEST_SUITE_P(Lines, ScanIntsTest, ::testing::ValuesIn(kCases));
}  // namespace
