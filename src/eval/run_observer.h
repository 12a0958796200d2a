// What a program built on the evaluator may watch while a run reads its files: the one way a
// client sees inside a run. The readers take an observer that may be null; the evaluator
// passes none and pays one null test per picture row, per block and per rectangle.
#pragma once

#include <cstdint>
#include <string_view>

#include "eval/rect.h"
#include "eval/test_case.h"

class RunObserver {
 public:
  virtual ~RunObserver() = default;

  // The task input: a test case's size line has passed its checks and its picture rows
  // follow. Its number, sides and limits are set; its cells are not read yet.
  virtual void PictureStarted(const TestCase& /*testCase*/) {}
  // A picture row as read, before its checks; the text is valid only during the call.
  virtual void PictureRowRead(std::string_view /*row*/) {}

  // The submission: its first line, the contestant number, has passed its checks; the text is
  // valid only during the call.
  virtual void ContestantRead(std::string_view /*line*/) {}
  // A block for `testCase` starts; its test number stands on line `numberLine`.
  virtual void BlockStarted(const TestCase& /*testCase*/, std::int64_t /*numberLine*/) {}
  // A rectangle of the block at hand, on line `line`, has been read and is about to be checked.
  // A large one's white-cell check (148) may be done after later rectangles were read; a
  // failure names the rectangle it belongs to (EAssertion::site.rectangle).
  virtual void RectRead(const Rect& /*rect*/, std::int64_t /*line*/) {}
};
