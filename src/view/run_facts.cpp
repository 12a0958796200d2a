#include "view/run_facts.h"

#include <utility>

std::string_view PictureFacts::Row(int y) const {
  if (y < 0 || y >= rowsRead) {
    return {};
  }
  const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
  return std::string_view(cells).substr(start, static_cast<std::size_t>(w));
}

void RunFacts::PictureStarted(const TestCase& testCase) {
  ++picturesStarted_;
  picture_.number = testCase.number;
  picture_.w = testCase.w;
  picture_.h = testCase.h;
  picture_.a = testCase.a;
  picture_.b = testCase.b;
  picture_.cells.clear();
  picture_.rowsRead = 0;
}

void RunFacts::PictureRowRead(std::string_view row) {
  // A row of the wrong length may be megabytes long; only the cells of the grid are kept.
  picture_.cells.append(row.substr(0, static_cast<std::size_t>(picture_.w)));
  ++picture_.rowsRead;
}

void RunFacts::BlockStarted(const TestCase& testCase, std::int64_t numberLine) {
  if (current_.ordinal == wantedBlock_) {
    std::swap(wanted_, current_);
  }
  BlockTrail::BlockStarted(testCase, numberLine);
  current_.testCase = &testCase;
  current_.rects.clear();
  current_.lines.clear();
  current_.ordinal = Current().ordinal;
  current_.numberLine = numberLine;
}

const BlockFacts* RunFacts::Block(std::int64_t ordinal) const {
  if (ordinal == current_.ordinal && ordinal > 0) {
    return &current_;
  }
  if (ordinal == wanted_.ordinal && ordinal > 0) {
    return &wanted_;
  }
  return nullptr;
}
