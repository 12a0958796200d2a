// The likely causes of a failure: each looks for one trap in the files read again and, only
// when the files show it, names it with its fix. The list of causes with what each looks at is
// in docs/checks.md.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "eval/evaluation.h"
#include "explain/explanation.h"
#include "explain/file_again.h"

// What the causes look at.
struct Clues {
  const Evaluation& evaluation;
  const EAssertion& failure;
  const BlockTrail& trail;
  FileAgain& input;
  FileAgain& submission;
  // The text of the failing line: read again, or else as the message quotes it; null when
  // neither has it.
  const LineText* failingLine;
};

// The traps of the files' first lines, the header and single lines: how a file was saved, files
// swapped, white space and spelling.
std::optional<LikelyCause> LineCause(Clues& clues);
// The traps of the blocks: rectangle lines more or fewer than the count, the count line, test
// numbers from 0, corners for sizes, coordinates from 1.
std::optional<LikelyCause> BlockCause(Clues& clues);

// The rectangles' traps of checks 142 to 157: two corners for x y width height, coordinates
// counted from 1.
std::optional<LikelyCause> RectCause(Clues& clues, const BlockMark& block);

// The text with its first letter a capital.
std::string Capital(std::string text);
// "block 2 (test 5)".
std::string BlockWords(const BlockMark& block);
// The line between double quotes, printable, "..." before the closing quote when cut.
std::string Quoted(const LineText& line);

// "a blank", "2 blanks", "a tab", "a CR (\x0D)", ... for the white-space bytes of `text`.
std::string WhiteSpaceWords(std::string_view text);
