// The official task input: the task name, the number of test cases and one block per test
// case (an empty line, the size line "number w h a b" and h picture rows).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "line_reader.h"

struct RunFacts;

inline constexpr std::string_view TaskName = "Zelmiranke";
inline constexpr int kMaxSide = 1000;

struct TestCase {
  int number = 0;
  int w = 0;
  int h = 0;
  int a = 0;
  int b = 0;
  // The picture, h rows of w cells '.' or '#': in place in the mapped input file when its rows
  // stand at equal distances there, else copied into ownedRows.
  const char* mappedRows = nullptr;
  std::size_t rowStride = 0;
  std::string ownedRows;
  std::int64_t blackCount = 0;

  // Built by the evaluation only for a picture that is scanned often (see white_cells.h).
  std::unique_ptr<std::uint32_t[]> whitePrefix;
  std::int64_t scanCost = 0;

  const char* Row(int y) const {
    return (mappedRows != nullptr ? mappedRows : ownedRows.data()) +
           static_cast<std::size_t>(y) * rowStride;
  }
  bool IsBlack(int x, int y) const { return Row(y)[x] == '#'; }
};

// A deque, so that adding a test case never moves or copies the ones read before. It keeps the
// input file open, since pictures may lie in its mapping.
struct TestCaseList : std::deque<TestCase> {
  std::unique_ptr<ByteSource> input;
};

// `facts`, when given, learns the picture being read (see run_facts.h).
void ReadTaskInput(const std::string& path, TestCaseList& testCases, RunFacts* facts = nullptr);
void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunFacts* facts = nullptr);

// Reads one block; `lineCounter` advances by one for every line it tries to read.
TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter, RunFacts* facts = nullptr);

// The check that a line holds the task name, in both files: `whichLine` is the line's ordinal
// word in the message ("prvi", "drugi").
void CheckTaskName(std::string_view line, std::string_view whichLine, int check);

// The test case a submission block names, or nullptr. Test case k carries the number k.
TestCase* FindTestCase(TestCaseList& testCases, int number);
