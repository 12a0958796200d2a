// What a run can hand out beyond its report, for a caller that shows why it failed: the test
// case being read from the task input, and the block of the submission at hand. The readers
// fill it only when they are given one; the evaluator gives none, so it pays nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "coverage.h"
#include "submission.h"
#include "task_input.h"

// Where a failed run stopped, told by its check number.
enum class FailurePlace { kTaskInput, kHeader, kBlockStart, kBlock, kOther };
FailurePlace PlaceOfCheck(int check);

// The picture of the test case being read, as far as it was read. Rows are copied (a line
// stays valid only until the next read) and cut to the picture's width.
struct PictureFacts {
  int number = 0;
  int w = 0;
  int h = 0;
  int a = 0;
  int b = 0;
  std::string cells;               // the rows read so far, each cut to w bytes
  std::int64_t lastRowLength = 0;  // the length of the last row read, as it stood in the file
  int rowsRead = 0;
  std::optional<Cell> badCell;  // the cell check 79 names

  // The row as read; shorter than w only for a row check 75 rejects.
  std::string_view Row(int y) const;
};

// A block of the submission: its rectangles as read, and the line of its test number.
struct BlockFacts {
  const CaseResult* result = nullptr;
  std::int64_t ordinal = 0;     // 1-based, in submission order
  std::int64_t numberLine = 0;  // rectangle k stands on line numberLine + 1 + k
};

struct RunFacts {
  // Asked for before the run: the block (1-based) whose rectangles are kept once a later one
  // starts.
  std::int64_t wantedBlock = 1;

  // The task input: pictures started, and the last one.
  std::int64_t picturesStarted = 0;
  PictureFacts picture;

  // The submission: the block at hand lives in `workspace` (after a failure in a block, the
  // failing one; its failing rectangle is the last of result.rects), and the wanted block is
  // copied into `wanted` when the next block starts.
  BlockWorkspace workspace;
  std::int64_t blocksStarted = 0;
  std::int64_t numberLine = 0;
  CaseResult wanted;
  std::int64_t wantedLine = 0;

  // Called by the task input reader.
  void StartPicture(const TestCase& testCase);
  void AddRow(std::string_view row);
  void SetBadCell(int x, int y) { picture.badCell = Cell{x, y}; }

  // Called by the submission reader before a block is evaluated, with its test number's line.
  void StartBlock(std::int64_t line);

  // Block `ordinal` when it is the one at hand or the kept wanted one; none otherwise.
  std::optional<BlockFacts> Block(std::int64_t ordinal) const;
};
