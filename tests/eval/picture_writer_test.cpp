#include "eval/picture_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {
std::string DrawRow(std::mt19937& random, int w) {
  std::string row(static_cast<std::size_t>(w), '.');
  const unsigned blackOdds = random() % 101;
  for (char& c : row) {
    c = random() % 100 < blackOdds ? '#' : '.';
  }
  return row;
}

// The bits of `row` at `bits`, as a cell-by-cell reading gives them; the black count added.
void ExpectBits(const std::string& row, const bit_rows::Byte* bits, std::int64_t& blacks) {
  const int w = static_cast<int>(row.size());
  for (int x = 0; x < w; ++x) {
    const bool black = row[static_cast<std::size_t>(x)] == '#';
    blacks += black;
    ASSERT_EQ(bit_rows::Test(bits, x), black) << "cell " << x << " of " << w;
  }
  for (int x = w; x < bit_rows::Stride(w) * 8; ++x) {
    ASSERT_FALSE(bit_rows::Test(bits, x)) << "bit " << x << " past a row of " << w;
  }
}

// Two rows at a time, of every width up to 80 and of random widths up to the largest, the
// second now and then with a byte that is neither '.' nor '#' (anywhere, also among the last
// cells that a step reads twice): the bits, the black count and the column named must be what
// a cell-by-cell reading gives, a refused row must not count, and no byte past the rows may
// change.
TEST(PictureWriter, RowsAsCellByCell) {
  std::mt19937 random(79);
  const std::string others = std::string("\n\r\0 x#.\x80\xa3\xff", 10);
  for (int round = 0; round < 20000; ++round) {
    const int w = round < 80 * 20 ? 1 + round % 80 : 1 + static_cast<int>(random() % kMaxSide);
    const std::string first = DrawRow(random, w);
    std::string second = DrawRow(random, w);
    int other = -1;
    if (random() % 3 == 0) {
      const std::size_t at = random() % static_cast<unsigned>(w);
      second[at] = others[random() % others.size()];
      other = second[at] != '#' && second[at] != '.' ? static_cast<int>(at) : -1;
    }
    const std::size_t stride = static_cast<std::size_t>(bit_rows::Stride(w));
    std::vector<bit_rows::Byte> bytes(2 * stride + bit_rows::kPadding, 0xA5);
    PictureWriter writer(bytes.data(), w);
    ASSERT_EQ(writer.Append(first), -1);
    ASSERT_EQ(writer.Append(second), other) << ::testing::PrintToString(second);
    for (std::size_t at = 2 * stride; at < bytes.size(); ++at) {
      ASSERT_EQ(bytes[at], 0xA5) << "byte " << at << " past two rows of " << w;
    }
    std::int64_t blacks = 0;
    ExpectBits(first, bytes.data(), blacks);
    if (other < 0) {
      ExpectBits(second, bytes.data() + stride, blacks);
    }
    ASSERT_EQ(writer.BlackCount(), blacks) << w;
  }
}
}  // namespace
