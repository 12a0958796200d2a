// The texts of chosen lines of a file, read again with the evaluator's line reader so that
// they are numbered exactly as the checks number them. Only the head of each text is kept (a
// contestant's line may be megabytes long, and the reader holds such a line whole only while
// it is read); reading stops after the last line asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LineText {
  std::string head;         // the first bytes of the line
  std::int64_t length = 0;  // the length of the whole line
};

// `numbers` are 1-based and ascending; a line the file does not have (it was changed, or it
// is a pipe that cannot be read twice) is none.
std::vector<std::optional<LineText>> ReadLineTexts(const std::string& path,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep);
