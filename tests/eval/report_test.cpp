// The success report: its entries kept seven bits a byte, and the text written from them
// through a buffer of a fixed size.
#include "eval/report.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {
// Numbers on both sides of every length of their code (one byte to five), 0 and INT_MAX.
std::vector<int> Lengths() {
  std::vector<int> values = {0, INT_MAX - 1, INT_MAX};
  for (const int bits : {7, 14, 21, 28}) {
    for (const int delta : {-1, 0, 1}) {
      values.push_back((1 << bits) + delta);
    }
  }
  return values;
}

// Every number comes back as it went in, in its place, as a test number and as a count: a
// code one byte too short or too long would shift every entry after it.
TEST(ReportEntryList, NumbersComeBackWhateverTheirLength) {
  const std::vector<int> values = Lengths();
  std::vector<ReportEntry> added;
  for (std::size_t i = 0; i < values.size(); ++i) {
    for (std::size_t k = 0; k < values.size(); ++k) {
      added.push_back({values[i], values[(i + k) % values.size()]});
    }
  }
  ReportEntryList entries;
  for (const ReportEntry& entry : added) {
    entries.push_back(entry);
  }
  ASSERT_EQ(entries.size(), added.size());
  std::size_t at = 0;
  for (const ReportEntry& entry : entries) {
    ASSERT_LT(at, added.size());
    EXPECT_EQ(entry.testNumber, added[at].testNumber) << at;
    EXPECT_EQ(entry.rectangleCount, added[at].rectangleCount) << at;
    ++at;
  }
  EXPECT_EQ(at, added.size());
  // Stepping past entries without reading them lands on the same ones.
  auto it = entries.begin();
  ++it;
  ++it;
  EXPECT_EQ((*it).testNumber, added[2].testNumber);
  EXPECT_EQ((*it).rectangleCount, added[2].rectangleCount);
}

// Enough entries of every length that the buffer fills many times at every place of a line.
TEST(WriteOkReport, ManyEntriesAsPlainText) {
  const std::vector<int> values = Lengths();
  ReportEntryList entries;
  std::string expected = std::string(kOkLine) + std::string(kLineEnd);
  std::string lines;
  std::size_t count = 0;
  for (int round = 0; round < 3000; ++round) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int test = values[(i + static_cast<std::size_t>(round)) % values.size()];
      entries.push_back({test, values[i]});
      lines += std::to_string(test) + " " + std::to_string(values[i]) + std::string(kLineEnd);
      ++count;
    }
  }
  expected += std::to_string(count) + std::string(kLineEnd) + lines;
  StringSink report;
  WriteOkReport(report, entries);
  EXPECT_TRUE(report.Text() == expected);
}
}  // namespace
