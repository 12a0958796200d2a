// The official task input: the task name, the number of test cases and one block per test
// case (an empty line, the size line "number w h a b" and h picture rows).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bit_rows.h"
#include "chunked_list.h"
#include "line_reader.h"

struct RunFacts;

inline constexpr std::string_view TaskName = "Zelmiranke";
inline constexpr int kMaxSide = 1000;

// One test case, kept small: an input may hold millions of tiny ones.
struct TestCase {
  // The picture, one bit a cell, set for black (see bit_rows.h).
  const bit_rows::Byte* cells = nullptr;
  int number = 0;
  std::int32_t blackCount = 0;
  // Sides and limits are 1..1000 once read.
  std::uint16_t w = 0;
  std::uint16_t h = 0;
  std::uint16_t a = 0;
  std::uint16_t b = 0;
  // What looking for white cells under rectangles has cost so far (see white_cells.h).
  std::uint32_t whiteScanCost = 0;

  std::int64_t Stride() const { return bit_rows::Stride(w); }
  const bit_rows::Byte* Row(int y) const { return cells + y * Stride(); }
  bool IsBlack(int x, int y) const { return bit_rows::Test(Row(y), x); }
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

// `facts`, when given, learns the picture being read (see run_facts.h).
void ReadTaskInput(const std::string& path, TestCaseList& testCases, RunFacts* facts = nullptr);
void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunFacts* facts = nullptr);

// Reads one block, its picture into `pictures`; `lineCounter` advances by one for every line
// it tries to read.
TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter, PictureArena& pictures,
                      RunFacts* facts = nullptr);

// The check that a line holds the task name, in both files: `whichLine` is the line's ordinal
// word in the message ("prvi", "drugi").
void CheckTaskName(std::string_view line, std::string_view whichLine, int check);

// The test case a submission block names, or nullptr. Test case k carries the number k.
TestCase* FindTestCase(TestCaseList& testCases, int number);
