// Lines read again for the explanation: numbered as the evaluator numbers them, in any order
// asked, and nothing from a file that cannot be read again.
#include "explain/file_again.h"

#include <gtest/gtest.h>

#include <string>

namespace {
TEST(FileAgain, LinesInAnyOrderAndPastTheEnd) {
  const std::string bytes = "one\ntwo\r\n\n" + std::string(2 * LineReader::kWindow, 'x') + "\nlast";
  FileAgain file(ReopenBytes(bytes));
  EXPECT_EQ(file.Line(2)->head, "two");
  EXPECT_EQ(file.Line(1)->head, "one");  // back: the file is read again from its start
  EXPECT_EQ(file.Line(3)->length, 0);
  const std::optional<LineText> long_line = file.Line(4);
  EXPECT_EQ(long_line->length, static_cast<std::int64_t>(2 * LineReader::kWindow));
  EXPECT_EQ(long_line->head.size(), kHeadKeep);
  EXPECT_FALSE(file.Line(6));
  EXPECT_EQ(file.Line(5)->head, "last");  // after the end was met
  EXPECT_FALSE(file.Line(0));
  EXPECT_EQ(file.Start(), bytes.substr(0, 64));
}

TEST(FileAgain, AFileThatCannotBeReadAgainGivesNothing) {
  FileAgain file{Reopen()};
  EXPECT_FALSE(file.Line(1));
  EXPECT_TRUE(file.Start().empty());
}

TEST(FileAgain, LineHelpers) {
  int values[5];
  EXPECT_EQ(LineNumbers(LineText{" 1\t-2 3x", 8}, 5, values), 3);
  EXPECT_EQ(values[1], -2);
  EXPECT_EQ(CountNumbers(LineText{"1 2 3 4 5", 9}), 4);
  EXPECT_TRUE(OnlyWhiteSpace(" \t\r"));
  EXPECT_FALSE(OnlyWhiteSpace(""));
  EXPECT_EQ(Trimmed(" \tab c\r"), "ab c");
}
}  // namespace
