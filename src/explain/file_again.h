// A file of the evaluation read again, for the explanation: its first bytes, and its lines as
// the evaluator's line reader numbers them. Lines are read forward; asking for an earlier line
// than the last opens the file again. A file that cannot be read again, or fails to, gives
// nothing more: no bytes and no lines.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/line_reader.h"
#include "base/line_texts.h"
#include "explain/explanation.h"

// A line's head is kept up to this many bytes: enough for what the causes look at.
inline constexpr std::size_t kHeadKeep = 4096;

class FileAgain {
 public:
  explicit FileAgain(Reopen reopen) : reopen_(std::move(reopen)) {}

  // Up to the first 64 bytes, as they stand in the file.
  std::string_view Start();
  // Line `number` (from 1); none when the file has no such line or cannot be read again.
  std::optional<LineText> Line(std::int64_t number);

 private:
  bool Open();

  Reopen reopen_;
  bool failed_ = false;
  std::optional<std::string> start_;
  std::unique_ptr<ByteSource> source_;
  std::unique_ptr<LineReader> reader_;
  bool ended_ = false;  // no line after the reader's last
  LineText last_;
  std::map<std::int64_t, LineText> kept_;  // a few lines asked for, so that going back is cheap
};

// The numbers at the start of a line as the evaluator reads them: how many of `count` (at most
// 5) convert, in `values`.
int LineNumbers(const LineText& line, int count, int* values);
// How many numbers, at most `count`, the line starts with.
int CountNumbers(const LineText& line, int count = 4);
// White space here is what an editor leaves unseen: blanks, tabs and CRs. Other control bytes
// (a vertical tab, a form feed) say that a file is no plain text, and no cause reads them as
// white space.
// A line with nothing but white space, and at least one byte.
bool OnlyWhiteSpace(std::string_view text);
// The text without the white space at its two ends.
std::string_view Trimmed(std::string_view text);
