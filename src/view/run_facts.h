// What the viewer learns of a run through the evaluator's observer: the picture of the test
// case being read from the task input, the block of the submission at hand, and the block
// asked for, kept when the next one starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "eval/rect.h"
#include "eval/test_case.h"
#include "explain/explanation.h"

// The picture of the test case being read, as far as it was read. Rows are copied (a line
// stays valid only during the call) and cut to the picture's width.
struct PictureFacts {
  int number = 0;
  int w = 0;
  int h = 0;
  int a = 0;
  int b = 0;
  std::string cells;  // the rows read so far, each cut to w bytes
  int rowsRead = 0;

  // The row as read; shorter than w only for a row check 75 rejects.
  std::string_view Row(int y) const;
};

// A block of the submission: its test case, its rectangles as read (after a failure in it, the
// failing one last) with their lines, and the line of its test number.
struct BlockFacts {
  const TestCase* testCase = nullptr;
  std::vector<Rect> rects;
  std::vector<std::int64_t> lines;  // the line of each rectangle
  std::int64_t ordinal = 0;         // from 1, in submission order
  std::int64_t numberLine = 0;
};

// A BlockTrail too, so that the run can be explained.
class RunFacts : public BlockTrail {
 public:
  // `wantedBlock`: the block (from 1) to keep once a later one starts.
  explicit RunFacts(std::int64_t wantedBlock) : wantedBlock_(wantedBlock) {}

  void PictureStarted(const TestCase& testCase) override;
  void PictureRowRead(std::string_view row) override;
  void BlockStarted(const TestCase& testCase, std::int64_t numberLine) override;
  void RectRead(const Rect& rect, std::int64_t line) override {
    current_.rects.push_back(rect);
    current_.lines.push_back(line);
  }

  std::int64_t WantedBlock() const { return wantedBlock_; }
  std::int64_t PicturesStarted() const { return picturesStarted_; }
  const PictureFacts& Picture() const { return picture_; }
  std::int64_t BlocksStarted() const { return Current().ordinal; }
  // Block `ordinal` when it is the one at hand or the kept wanted one; null otherwise.
  const BlockFacts* Block(std::int64_t ordinal) const;

 private:
  std::int64_t wantedBlock_;
  std::int64_t picturesStarted_ = 0;
  PictureFacts picture_;
  BlockFacts current_;
  BlockFacts wanted_;
};
