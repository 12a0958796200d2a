#include "run_facts.h"

FailurePlace PlaceOfCheck(int check) {
  if (check >= 61 && check <= 105) {
    return FailurePlace::kTaskInput;
  }
  if (check >= 129 && check <= 161) {
    return FailurePlace::kBlock;
  }
  if (check >= 189 && check <= 194) {
    return FailurePlace::kHeader;
  }
  if (check == 202 || check == 204) {
    return FailurePlace::kBlockStart;
  }
  return FailurePlace::kOther;
}

std::string_view PictureFacts::Row(int y) const {
  if (y < 0 || y >= rowsRead) {
    return {};
  }
  const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
  return std::string_view(cells).substr(start, static_cast<std::size_t>(w));
}

void RunFacts::StartPicture(const TestCase& testCase) {
  ++picturesStarted;
  picture.number = testCase.number;
  picture.w = testCase.w;
  picture.h = testCase.h;
  picture.a = testCase.a;
  picture.b = testCase.b;
  picture.cells.clear();
  picture.lastRowLength = 0;
  picture.rowsRead = 0;
  picture.badCell.reset();
}

void RunFacts::AddRow(std::string_view row) {
  // A row of the wrong length may be megabytes long; only the cells of the grid are kept.
  picture.cells.append(row.substr(0, static_cast<std::size_t>(picture.w)));
  picture.lastRowLength = static_cast<std::int64_t>(row.size());
  ++picture.rowsRead;
}

void RunFacts::StartBlock(std::int64_t line) {
  workspace.keepRects = true;
  if (blocksStarted == wantedBlock) {
    wanted = workspace.result;
    wantedLine = numberLine;
  }
  ++blocksStarted;
  numberLine = line;
}

std::optional<BlockFacts> RunFacts::Block(std::int64_t ordinal) const {
  if (ordinal == blocksStarted && ordinal > 0) {
    return BlockFacts{&workspace.result, ordinal, numberLine};
  }
  if (ordinal == wantedBlock && ordinal < blocksStarted) {
    return BlockFacts{&wanted, ordinal, wantedLine};
  }
  return std::nullopt;
}
