// The texts of chosen lines of a file, read again with the evaluator's line reader so that
// they are numbered exactly as the checks number them. Only the head of each text is kept (a
// contestant's line may be gigabytes long, and is skipped past, not held); reading stops after
// the last line asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_source.h"

struct LineText {
  std::string head;         // the first bytes of the line
  std::int64_t length = 0;  // the length of the whole line

  bool Cut() const { return length > static_cast<std::int64_t>(head.size()); }
};

// `numbers` are 1-based and ascending; a line the file does not have (it was changed, or it
// is a pipe that cannot be read twice) is none. `keep` is at most LineReader::kWindow.
std::vector<std::optional<LineText>> ReadLineTexts(ByteSource& source,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep);
std::vector<std::optional<LineText>> ReadLineTexts(const std::string& path,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep);
