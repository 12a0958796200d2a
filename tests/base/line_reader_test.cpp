#include "base/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
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

#ifdef __linux__
// A file whose read fails at once (this process's memory at address 0, which is never mapped)
// must throw too, not read as an empty file.
TEST(FileSource, FailingFirstReadThrows) {
  FileSource source("/proc/self/mem");
  ASSERT_TRUE(source.IsOpen());
  char buffer[16];
  EXPECT_THROW(source.Read(buffer, sizeof buffer), EReadError);
}

// A file source closes its file when it ends: the batch evaluates thousands of runs in one
// process, and a file left open by each would soon leave none to open.
TEST(FileSource, ClosesItsFile) {
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
  };
  const auto path = (std::filesystem::temp_directory_path() / "zelmiranke-closes.txt").string();
  std::ofstream(path, std::ios::binary) << "x\n";
  const auto before = openFiles();
  {
    FileSource source(path);
    ASSERT_TRUE(source.IsOpen());
  }
  EXPECT_EQ(openFiles(), before);
  std::filesystem::remove(path);
}
#endif

TEST(FileSource, MissingFileAndFolderReadAsEmpty) {
  for (const std::string& path :
       {std::string("/nonexistent/zelmiranke"), std::filesystem::temp_directory_path().string()}) {
    FileSource source(path);
    EXPECT_TRUE(ReadAll(source).empty()) << path;
  }
}

// Bytes held nowhere (a view of nothing, whose data is null) read as an empty file; the
// sanitizer build catches a copy from the null data.
TEST(MemorySource, NoBytesAtAllReadAsEmpty) {
  MemorySource source{std::string_view()};
  LineReader reader(source);
  std::string_view line;
  EXPECT_FALSE(reader.ReadLine(line));
}
// Lines longer than the reader's window take other paths: numbers converted as the line
// streams past, a failed line held whole to be quoted, a length counted without the line. Each
// must agree with reading the line whole, whatever the read sizes, the next line must follow
// as usual, and each read counts one line, a read past the end too.
TEST(LineReader, LongLinesReadLikeShortOnes) {
  const std::string pad(LineReader::kWindow + 12345, ' ');
  const std::string zeros(LineReader::kWindow, '0');
  const std::string lines[] = {
      pad + "12 -3\t+4" + pad + "5 junk",  // four numbers far apart
      "7" + pad + "8 9" + zeros + "10",    // the last one long
      pad + "x",                           // nothing converts
      pad + "-" + pad,                     // a sign alone
      zeros + zeros + "42 1 2 3" + pad,    // a number longer than the window
      "1 2" + pad + "\r",                  // a CR before the LF
  };
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line + "\r\n";
  }
  bytes += "6 7 8 9";
  // Reads of one byte leave one byte at hand at every step of a long line: its CR before the LF
  // must still be seen.
  for (const std::size_t chunk :
       {std::size_t{1}, std::size_t{7}, std::size_t{1} << 16, std::size_t{1} << 24}) {
    for (int kind = 0; kind < 3; ++kind) {
      ChunkSource source(bytes, chunk);
      LineReader reader(source);
      std::int64_t lineNumber = 0;
      for (const std::string& line : lines) {
        ++lineNumber;
        int expected[4] = {};
        const int count = ScanInts(line, 4, expected);
        int got[4] = {};
        std::string_view quoted;
        std::int64_t length = 0;
        if (kind == 0) {
          ASSERT_EQ(reader.ReadInts(got[0], got[1], got[2], got[3]), count) << chunk;
        } else if (kind == 1) {
          ASSERT_EQ(reader.ReadIntsOrLine(4, got, quoted), count) << chunk;
          if (count < 4) {
            EXPECT_EQ(quoted, line) << chunk;
          }
        } else {
          ASSERT_TRUE(reader.MeasureLine(quoted, length));
          EXPECT_EQ(length, static_cast<std::int64_t>(line.size())) << chunk;
        }
        ASSERT_EQ(reader.LineNumber(), lineNumber) << chunk;
        if (kind == 2) {
          continue;
        }
        for (int i = 0; i < count; ++i) {
          EXPECT_EQ(got[i], expected[i]) << chunk << " number " << i;
        }
      }
      int last[4] = {};
      EXPECT_EQ(reader.ReadInts(last[0], last[1], last[2], last[3]), 4);
      EXPECT_EQ(last[3], 9);
      EXPECT_EQ(reader.ReadInts(last[0]), -1);
      EXPECT_EQ(reader.LineNumber(), lineNumber + 2);
    }
  }
}

// A line of numbers whose last byte at hand is a CR, where the file ends, scanned in place:
// the window still holds bytes of an earlier read after it, here an LF, which must not be taken
// for the line's end (the reader would then stand past the bytes read and read stale ones).
TEST(LineReader, CrAsTheLastByteAtHandEndsNoLine) {
  const std::string numbers = "0 0 1000 1000";
  const std::string last = std::string(63 - numbers.size(), ' ') + numbers + "\r";
  // The window's first read ends 4 bytes into a line; the second brings the rest of that line
  // and the last line, and the bytes at hand then end at `end`, where the first read had an LF.
  const std::size_t end = 4 + (numbers.size() + 1 - 4) + last.size();
  std::string bytes = std::string(end - numbers.size(), ' ') + numbers + "\n";
  int lines = 1;
  while (LineReader::kWindow - 4 - bytes.size() >= 2 * (numbers.size() + 1)) {
    bytes += numbers + "\n";
    ++lines;
  }
  bytes += std::string(LineReader::kWindow - 4 - bytes.size() - numbers.size() - 1, ' ') + numbers +
           "\n" + numbers + "\n" + last;
  lines += 3;
  ASSERT_EQ(bytes[end], '\n');
  ChunkSource source(bytes, std::size_t{1} << 20);
  LineReader reader(source);
  int values[4] = {};
  for (int line = 1; line <= lines; ++line) {
    ASSERT_EQ(reader.ReadInts(values[0], values[1], values[2], values[3]), 4) << line;
    ASSERT_EQ(values[3], 1000) << line;
  }
  EXPECT_EQ(reader.ReadInts(values[0]), -1);
  EXPECT_EQ(reader.LineNumber(), lines + 1);
}

// Lines of numbers as a submission holds them, and their near misses: every line read for its
// numbers must give what converting the line whole gives, and the lines must stay in step
// (the line after each is read whole and compared), wherever the lines fall in the window and
// whether one number or four are read. Long runs of blanks carry numbers past the bytes that
// plain lines are classified in.
TEST(LineReader, NumberLinesReadInPlaceLikeWhole) {
  std::mt19937 random(5);
  const std::string pieces[] = {
      "0",    "7",    "42",    "1000", "-3",         "+8",       " ",      "  ",
      "\t",   "\r",   "\v",    "\f",   "x",          "-",        "+",      {"\0", 1},
      "\xb5", "\x80", "/",     ":",    "2147483648", "00012",    "-0",     "999999999",
      "1x",   "9999", "10000", "0000", "1234",       "12345678", "      ", "               "};
  std::vector<std::string> lines;
  for (int i = 0; i < 40000; ++i) {
    std::string line;
    for (int n = static_cast<int>(random() % 9); n > 0; --n) {
      line += pieces[random() % std::size(pieces)];
    }
    lines.push_back(i % 2 == 0 ? line : "check " + std::to_string(i));
  }
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    bytes += lines[i] + (i % 3 == 0 ? "\r\n" : "\n");
  }
  for (const std::size_t chunk : {std::size_t{61}, std::size_t{1} << 20}) {
    ChunkSource source(bytes, chunk);
    LineReader reader(source);
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      int expected[4] = {};
      const bool four = i % 4 == 0;
      const int count = ScanInts(lines[i], four ? 4 : 1, expected);
      int got[4] = {};
      if (four) {
        ASSERT_EQ(reader.ReadInts(got[0], got[1], got[2], got[3]), count) << "line " << i;
      } else {
        ASSERT_EQ(reader.ReadInts(got[0]), count) << "line " << i;
      }
      for (int k = 0; k < count; ++k) {
        ASSERT_EQ(got[k], expected[k])
            << "line " << i << " number " << k << ::testing::PrintToString(lines[i]);
      }
      std::string_view next;
      ASSERT_TRUE(reader.ReadLine(next));
      ASSERT_EQ(next, lines[i + 1]);
    }
  }
}

// A line of a known length is taken without a search for its end only when it is that long
// and its end follows: whatever the read sizes, a line taken is the line (and counted), and a
// line refused is left for the next read whole (and not counted). The lines are near misses: one
// byte off, a CR before the LF, a CR or LF among the bytes (which the caller's check refuses).
TEST(LineReader, LinesOfAKnownLengthTakenAsTheyStand) {
  std::mt19937 random(2);
  std::vector<std::string> lines;
  std::string bytes;
  for (int i = 0; i < 3000; ++i) {
    std::string line(random() % 40, '#');
    if (!line.empty() && random() % 4 == 0) {
      line[random() % line.size()] = random() % 2 == 0 ? '\r' : '.';
    }
    lines.push_back(line);
    // A CR before a lone LF would belong to the line end.
    const bool endsInCr = !line.empty() && line.back() == '\r';
    bytes += line + (endsInCr || random() % 3 == 0 ? "\r\n" : "\n");
  }
  // No LF among the bytes taken, and no CR at their end, as a picture row's check ensures.
  const auto take = [](std::string_view cells) {
    return cells.find('\n') == std::string_view::npos && (cells.empty() || cells.back() != '\r');
  };
  for (const std::size_t chunk :
       {std::size_t{1}, std::size_t{5}, std::size_t{61}, std::size_t{1} << 20}) {
    ChunkSource source(bytes, chunk);
    LineReader reader(source);
    std::size_t taken = 0;
    std::int64_t lineNumber = 0;
    for (const std::string& line : lines) {
      ++lineNumber;
      const std::size_t length = line.size() + random() % 3 - (line.empty() ? 0 : 1);
      std::string_view got;
      if (reader.ReadLineOfLength(length, [&](std::string_view cells) {
            got = cells;
            return take(cells);
          })) {
        ASSERT_EQ(got, line) << "chunk " << chunk;
        ASSERT_EQ(reader.LineNumber(), lineNumber);
        ++taken;
        continue;
      }
      ASSERT_EQ(reader.LineNumber(), lineNumber - 1);
      ASSERT_TRUE(reader.ReadLine(got));
      ASSERT_EQ(got, line) << "chunk " << chunk;
      ASSERT_EQ(reader.LineNumber(), lineNumber);
    }
    std::string_view none;
    EXPECT_FALSE(reader.ReadLine(none));
    if (chunk > 61) {
      EXPECT_GT(taken, lines.size() / 4);
    }
  }
}

// A file that shrinks while it is read ends where it now ends; one that grows is read on.
TEST(FileSource, FileChangingSizeWhileReadIsReadToItsEnd) {
  const std::string path = (std::filesystem::temp_directory_path() / "zelmiranke-shrink").string();
  {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 200000; ++i) {
      out << i << "\n";
    }
  }
  FileSource source(path);
  LineReader reader(source);
  std::string_view line;
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, "0");
  std::filesystem::resize_file(path, 3 * LineReader::kWindow / 2);
  std::int64_t lines = 1;
  while (reader.ReadLine(line)) {
    ++lines;
  }
  EXPECT_GT(lines, 1);
  EXPECT_LT(lines, 200000);
  std::filesystem::remove(path);
}
}  // namespace
