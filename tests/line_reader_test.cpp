#include "line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// Hands out at most `chunk` bytes a read, so that terminators fall across read boundaries.
class ChunkSource : public ByteSource {
 public:
  ChunkSource(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = std::min({size, chunk_, bytes_.size() - pos_});
    bytes_.copy(buffer, got, pos_);
    pos_ += got;
    return got;
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t pos_ = 0;
};

std::vector<std::string> ReadAll(ByteSource& source) {
  LineReader reader(source);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.ReadLine(line)) {
    lines.emplace_back(line);
  }
  return lines;
}

struct LineCase {
  std::string bytes;
  std::vector<std::string> lines;
  friend void PrintTo(const LineCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.bytes);
  }
};

class LineReaderTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderTest, SameLinesWhateverTheReadSizes) {
  for (const std::size_t chunk :
       {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{1} << 20}) {
    ChunkSource source(GetParam().bytes, chunk);
    EXPECT_EQ(ReadAll(source), GetParam().lines) << "chunk " << chunk;
  }
}

const LineCase kCases[] = {
    {"", {}},
    {"a\nb\n", {"a", "b"}},
    {"a\nb", {"a", "b"}},
    {"\n\n", {"", ""}},
    {"a\r\nb\r\n", {"a", "b"}},
    {"\r\n", {""}},
    {"a\rb\n", {"a\rb"}},
    {"a\r\r\n", {"a\r"}},
    {"a\r", {"a\r"}},
    {"\r", {"\r"}},
    {std::string("a\0b\n\0", 5), {std::string("a\0b", 3), std::string("\0", 1)}},
    {"ab\x1a"
     "cd\nef\n",
     {"ab"}},
    {"x\n\x1a\ny\n", {"x"}},
    {"x\r\x1a\n", {"x\r"}},
    {"\x1a", {}},
    {"\x1a\n", {}},
};
INSTANTIATE_TEST_SUITE_P(Bytes, LineReaderTest, ::testing::ValuesIn(kCases));

TEST(LineReader, LinesLongerThanTheBuffer) {
  const std::string longLine(3 * (1 << 20) + 7, '#');
  const std::string bytes = longLine + "\r\n" + longLine + "z";
  MemorySource source(bytes);
  const auto lines = ReadAll(source);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], longLine + "z");
}

// A failing read must not look like the end of the file, or a broken submission could pass
// with the blocks read so far.
TEST(LineReader, ReadErrorThrowsInsteadOfEndingTheFile) {
  class FailingSource : public ByteSource {
   public:
    std::size_t Read(char* buffer, std::size_t) override {
      if (calls_++ == 0) {
        buffer[0] = 'a';
        return 1;
      }
      throw EReadError("broken");
    }

   private:
    int calls_ = 0;
  } source;
  LineReader reader(source);
  std::string_view line;
  EXPECT_THROW(reader.ReadLine(line), EReadError);
}

TEST(FileSource, MissingFileAndFolderReadAsEmpty) {
  for (const std::string& path :
       {std::string("/nonexistent/zelmiranke"), std::filesystem::temp_directory_path().string()}) {
    FileSource source(path);
    EXPECT_TRUE(ReadAll(source).empty()) << path;
  }
}
}  // namespace
