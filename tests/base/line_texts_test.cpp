#include "base/line_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/line_reader.h"
#include "base/printable.h"

namespace {
TEST(ReadLineTexts, LinesAsTheReaderNumbersThem) {
  const auto path = (std::filesystem::temp_directory_path() / "zelmiranke-line-texts.txt").string();
  std::ofstream(path, std::ios::binary) << "one\r\ntwo\rtwo\n" + std::string(1000, 'x') + "\nlast";
  const auto texts = ReadLineTexts(path, {2, 3, 3, 4, 6}, 5);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0]->head, "two\rt");
  EXPECT_EQ(texts[0]->length, 7);
  EXPECT_EQ(texts[1]->head, "xxxxx");
  EXPECT_EQ(texts[2]->length, 1000);
  EXPECT_EQ(texts[3]->head, "last");
  EXPECT_FALSE(texts[4]);
  std::filesystem::remove(path);
}

// A line longer than the reader's window gives its head and length, and the lines after it
// keep their numbers.
TEST(ReadLineTexts, LongLineHeadFromAByteSource) {
  const std::string bytes = "a\n" + std::string(3 * LineReader::kWindow, 'y') + "\r\nz";
  MemorySource source(bytes);
  const auto texts = ReadLineTexts(source, {2, 3}, 4);
  EXPECT_EQ(texts[0]->head, "yyyy");
  EXPECT_EQ(texts[0]->length, static_cast<std::int64_t>(3 * LineReader::kWindow));
  EXPECT_TRUE(texts[0]->Cut());
  EXPECT_EQ(texts[1]->head, "z");
  EXPECT_FALSE(texts[1]->Cut());
}

// An empty line is a line: reading goes on past it (an end of file is told apart from it), and
// the lines are handed in order with their places until the file ends.
TEST(VisitLineTexts, EmptyLinesAndTheFilesEnd) {
  const std::string bytes = "a\n\n\nb\n";
  MemorySource source(bytes);
  std::vector<std::pair<std::size_t, std::string>> handed;
  const std::size_t count =
      VisitLineTexts(source, {2, 3, 4, 9}, 8, [&](std::size_t i, const LineText& text) {
        handed.emplace_back(i, text.head + "/" + std::to_string(text.length));
      });
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(handed,
            (std::vector<std::pair<std::size_t, std::string>>{{0, "/0"}, {1, "/0"}, {2, "b/1"}}));
}

TEST(Printable, BytesOutsidePrintableAsciiAndTheRoom) {
  bool cut = false;
  EXPECT_EQ(Printable(std::string("a\0\x7f\xff~", 5), 100, cut), "a\\x00\\x7F\\xFF~");
  EXPECT_FALSE(cut);
  // An escape is never cut in two.
  EXPECT_EQ(Printable("ab\x01", 5, cut), "ab");
  EXPECT_TRUE(cut);
}
}  // namespace
