// The texts of chosen lines of a file, read again with the evaluator's line reader so that
// they are numbered exactly as the checks number them. Only the head of each text is kept (a
// contestant's line may be gigabytes long, and is skipped past, not held); reading stops after
// the last line asked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_source.h"

struct LineText {
  std::string head;         // the first bytes of the line
  std::int64_t length = 0;  // the length of the whole line

  bool Cut() const { return length > static_cast<std::int64_t>(head.size()); }
};

// Hands each line asked to `take` as it is read, with its place in `numbers`: the lines the
// file does not have are not handed (they come last). For texts of many lines that the caller
// packs as it likes, without holding each on its own. Returns how many were handed.
std::size_t VisitLineTexts(ByteSource& source, const std::vector<std::int64_t>& numbers,
                           std::size_t keep,
                           const std::function<void(std::size_t, const LineText&)>& take);

// `numbers` are 1-based and ascending; a line the file does not have (it was changed, or it
// is a pipe that cannot be read twice) is none. `keep` is at most LineReader::kWindow.
std::vector<std::optional<LineText>> ReadLineTexts(ByteSource& source,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep);
std::vector<std::optional<LineText>> ReadLineTexts(const std::string& path,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep);
