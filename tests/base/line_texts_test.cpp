#include "base/line_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
}  // namespace
