// A test case of the task input, with its picture as bits, and the list that owns them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bit_rows.h"
#include "base/chunked_list.h"
#include "eval/rect.h"

// Sides and limits of a test case are 1..kMaxSide.
inline constexpr int kMaxSide = 1000;

// One test case, kept small: an input may hold millions of tiny ones. Once the task input is
// read it never changes, so that submissions may be checked against one list at once.
struct TestCase {
  // The picture, one bit a cell, set for black (see bit_rows.h).
  const bit_rows::Byte* cells = nullptr;
  int number = 0;
  std::int32_t blackCount = 0;
  std::uint16_t w = 0;
  std::uint16_t h = 0;
  std::uint16_t a = 0;
  std::uint16_t b = 0;

  std::int64_t Stride() const { return bit_rows::Stride(w); }
  const bit_rows::Byte* Row(int y) const { return cells + y * Stride(); }
  bool IsBlack(int x, int y) const { return bit_rows::Test(Row(y), x); }
  bool HasWhite() const { return blackCount != static_cast<std::int64_t>(w) * h; }
  // Whether a rectangle has area and lies inside the picture.
  bool Holds(const Rect& rect) const {
    return rect.HasArea() && rect.x >= 0 && rect.y >= 0 &&
           static_cast<std::int64_t>(rect.x) + rect.width <= w &&
           static_cast<std::int64_t>(rect.y) + rect.height <= h;
  }
};

// Memory for the pictures' bits, handed out from large ready blocks that never move.
class PictureArena {
 public:
  PictureArena() = default;
  PictureArena(const PictureArena&) = delete;
  PictureArena& operator=(const PictureArena&) = delete;
  ~PictureArena();
  // Room for `bytes` bytes of rows and the padding after them.
  bit_rows::Byte* Allocate(std::size_t bytes);

 private:
  struct Block {
    bit_rows::Byte* bytes;
    std::size_t size;
  };
  std::vector<Block> blocks_;
  bit_rows::Byte* next_ = nullptr;
  std::size_t left_ = 0;
};

struct TestCaseList : ChunkedList<TestCase> {
  PictureArena pictures;
};

// The test case a submission block names, or nullptr. Test case k carries the number k.
const TestCase* FindTestCase(const TestCaseList& testCases, int number);
