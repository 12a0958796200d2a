// The plain reference evaluation: a whole run of the evaluator's checks, written the plainest way
// there is, for the tests and the fuzzers to hold the evaluator against. Both files are split
// into lines, the pictures kept as text, and each block's rectangles painted into a canvas of
// text rows, checked cell by cell as they are painted and compared with the picture at the end.
// It shares nothing with the core but the number scanner (base/scan_ints.h, which has tests of
// its own), and it knows no message text (the golden cases check those): only which check fails
// and where it points, or every block's test number and rectangle count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

struct Cell {
  int x = 0;
  int y = 0;
  bool operator==(const Cell&) const = default;
};

// A rectangle as its line gives it: top-left column x and row y, any values, also negative.
struct Rectangle {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A test case of the task input: its sides, its size limit and its rows of '.' and '#'.
struct Picture {
  int w = 0;
  int h = 0;
  int a = 0;
  int b = 0;
  std::vector<std::string> rows;
};

// A line of the report of a run that passed: a block's test number and rectangle count.
struct Entry {
  int test = 0;
  int count = 0;
  bool operator==(const Entry&) const = default;
};

struct Verdict {
  int check = 0;               // the check that failed; 0: the run passed; -1: no check (an error)
  std::int64_t line = 0;       // the line of the file the check concerns, from 1; 0: none
  int rectangle = 0;           // the rectangle's ordinal in its block, from 1; 0: none
  std::optional<Cell> cell;    // the cell the check names
  std::vector<Entry> entries;  // the run passed: one per block, in submission order
  bool operator==(const Verdict&) const = default;
};

// One line of text, for test and fuzzer messages.
std::string Describe(const Verdict& verdict);

// The verdict of a run on a task input and a submission, given as their bytes.
Verdict EvaluateRun(std::string_view input, std::string_view submission);

// The verdict of one block's rectangles against a picture, rectangle k standing on line
// countLine + k; a passed block has one entry, test 1.
Verdict JudgeBlock(const Picture& picture, const std::vector<Rectangle>& rects,
                   std::int64_t countLine = 0);

}  // namespace reference
