// The traps of the blocks: a block with more rectangle lines than its count (the next block
// then starts on a rectangle line) or fewer (a rectangle line is the next block's start), the
// count line missing, empty lines inside a block, numbers separated by commas, tests numbered
// from 0, and rectangles written as corners or with coordinates from 1.
#include <algorithm>

#include "base/printable.h"
#include "base/scan_ints.h"
#include "eval/assertion.h"
#include "eval/checks.h"
#include "explain/causes.h"

namespace {
// How far past its count a block's rectangle lines are counted.
constexpr std::int64_t kMostExtraLines = 1'000'000;
// How many empty lines are looked past for the line after them.
constexpr std::int64_t kMostEmptyLines = 16;

std::string LineWords(std::int64_t number) {
  return "line " + IntToStr(number);
}

bool IsEmptyLine(const LineText& line) {
  return line.length == 0 || (!line.Cut() && OnlyWhiteSpace(line.head));
}

// The count on a block's count line; none when the line gives none.
std::optional<int> CountOf(FileAgain& file, const BlockMark& block) {
  const std::optional<LineText> line = file.Line(block.numberLine + 1);
  int count = 0;
  if (!line || LineNumbers(*line, 1, &count) != 1) {
    return std::nullopt;
  }
  return count;
}

// How many lines in a row from line `first` hold four numbers, up to `most`.
std::int64_t RectangleLinesFrom(FileAgain& file, std::int64_t first, std::int64_t most) {
  std::int64_t lines = 0;
  for (std::optional<LineText> line = file.Line(first);
       line && CountNumbers(*line) == 4 && lines < most; line = file.Line(first + lines)) {
    ++lines;
  }
  return lines;
}

// A line of four numbers where a block starts: the block before gave more rectangle lines than
// its count, or this block's test number line is missing.
LikelyCause RectangleAtBlockStart(Clues& clues, std::int64_t startLine, const LineText& start,
                                  const BlockMark& before) {
  const std::optional<int> count =
      before.ordinal > 0 ? CountOf(clues.submission, before) : std::nullopt;
  if (count && *count >= 1) {
    const std::int64_t lines =
        RectangleLinesFrom(clues.submission, before.numberLine + 2, *count + kMostExtraLines);
    if (lines > *count) {
      int test = 0;
      LineNumbers(start, 1, &test);
      const bool readAsBlock = clues.failure.check != check::kUnknownTestNumber;
      const std::string block = BlockWords(before);
      return LikelyCause{
          "extra-rectangle-lines",
          Capital(block) + " gives its count as " + IntToStr(*count) + ", but " + IntToStr(lines) +
              " rectangle lines follow its count line (lines " + IntToStr(before.numberLine + 2) +
              " to " + IntToStr(before.numberLine + 1 + lines) + "): " + LineWords(startLine) +
              ", its rectangle line " + IntToStr(*count + 1) + " (" + Quoted(start) +
              "), stands where the next block should start" +
              (readAsBlock
                   ? ", so a block for test " + IntToStr(test) + " is read from there."
                   : ", and its first number, " + IntToStr(test) + ", is read as a test number."),
          "Make the count of " + block + " " + IntToStr(lines) +
              ", or remove the rectangle lines after its first " + IntToStr(*count) + "."};
    }
  }
  return LikelyCause{"rectangle-at-block-start",
                     "Line " + IntToStr(startLine) + " holds four numbers, a rectangle (" +
                         Quoted(start) +
                         "), where a block should start with its test number on a line of its "
                         "own.",
                     "Start each block with its test number alone on a line, then the number of "
                     "its rectangles on the next, then one line per rectangle."};
}

std::optional<LikelyCause> ZeroBasedTest(Clues& clues, const LineText& start) {
  if (start.Cut() || Trimmed(start.head) != "0") {
    return std::nullopt;
  }
  return LikelyCause{"test-numbers-from-0",
                     "Line " + IntToStr(clues.failure.site.line) +
                         " starts a block for test 0, but tests are numbered from 1 (the task "
                         "input has " +
                         IntToStr(static_cast<std::int64_t>(clues.evaluation.testCases.size())) +
                         " of them).",
                     "Number the tests from 1, as the task input does: add 1 to each test "
                     "number."};
}

// How many lines in a row from line `first` hold one number and nothing else but white space or
// text after it, up to `most`.
int OneNumberLinesFrom(FileAgain& file, std::int64_t first, int most) {
  int lines = 0;
  for (std::optional<LineText> line = file.Line(first);
       line && lines < most && CountNumbers(*line) == 1; line = file.Line(first + lines)) {
    ++lines;
  }
  return lines;
}

// Three lines of one number each before rectangle lines: a block has a line too many before its
// rectangles, mostly a count of blocks before the first one.
std::optional<LikelyCause> ExtraNumberLine(Clues& clues, std::int64_t first, std::int64_t block) {
  const std::optional<LineText> after = clues.submission.Line(first + 3);
  if (OneNumberLinesFrom(clues.submission, first, 3) != 3 || !after || CountNumbers(*after) != 4) {
    return std::nullopt;
  }
  return LikelyCause{
      "extra-number-line",
      "Lines " + IntToStr(first) + " to " + IntToStr(first + 2) +
          " hold one number each before the rectangle lines of block " + IntToStr(block) +
          ": one of them is one too many" +
          (block == 1 ? ", maybe a count of blocks, which a submission does not have." : "."),
      "Give each block two lines before its rectangles: its test number, then "
      "the number of its rectangles."};
}

// Whether the line reads as a label and a number ("Case #1:"): printable text only, with a
// letter before its first digit. Bytes of any other kind say the file is not text at all.
bool LabelBeforeNumber(const LineText& line) {
  const std::string_view text = line.head;
  const std::size_t digit = text.find_first_of("0123456789");
  const auto printable = [](char c) { return c == '\t' || (c >= 0x20 && c <= 0x7E); };
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return digit != std::string_view::npos && !line.Cut() &&
         std::all_of(text.begin(), text.end(), printable) &&
         std::any_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(digit), letter);
}

// Text before a block's test number, as other tasks' outputs write it ("Case #1:").
std::optional<LikelyCause> TextBeforeTestNumber(Clues& clues) {
  const LineText* line = clues.failingLine;
  if (clues.failure.check != check::kBlockStartNotNumber || line == nullptr ||
      !LabelBeforeNumber(*line)) {
    return std::nullopt;
  }
  return LikelyCause{"text-before-test-number",
                     "Line " + IntToStr(clues.failure.site.line) + " holds text before a number (" +
                         Quoted(*line) + ") where a block should start with its test number.",
                     "Write the test number alone on the line, with nothing before it."};
}

// The count line of the block at hand, when it holds a rectangle or nothing.
std::optional<LikelyCause> CountLineCause(Clues& clues, const BlockMark& block) {
  const LineText* line = clues.failingLine;
  if (!line) {
    return std::nullopt;
  }
  const std::string where = "Line " + IntToStr(clues.failure.site.line);
  if (CountNumbers(*line) == 4) {
    return LikelyCause{"count-line-missing",
                       where + ", where " + BlockWords(block) +
                           " should give the number of its rectangles, holds four numbers, a "
                           "rectangle (" +
                           Quoted(*line) + ").",
                       "Put the number of rectangles on the line after the test number, then one "
                       "line per rectangle."};
  }
  const std::optional<LineText> next = clues.submission.Line(clues.failure.site.line + 1);
  if (IsEmptyLine(*line) && next && CountNumbers(*next) >= 1) {
    return LikelyCause{"empty-line-in-block",
                       where + ", between the test number of " + BlockWords(block) +
                           " and its count, is " + (line->length == 0 ? "empty." : "blank."),
                       "Remove it: the lines of a block follow each other with no empty line "
                       "between them."};
  }
  return std::nullopt;
}

// Numbers separated by commas or semicolons, which the evaluator does not take for separators.
std::optional<LikelyCause> Commas(Clues& clues, const LineText& line) {
  if (line.Cut() || line.head.find_first_of(",;") == std::string::npos) {
    return std::nullopt;
  }
  std::string blanks = line.head;
  std::replace_if(
      blanks.begin(), blanks.end(), [](char c) { return c == ',' || c == ';'; }, ' ');
  int values[4];
  if (ScanInts(blanks, 4, values) != 4) {
    return std::nullopt;
  }
  return LikelyCause{"commas",
                     "Line " + IntToStr(clues.failure.site.line) +
                         " separates the numbers of rectangle " +
                         IntToStr(clues.failure.site.rectangle) + " with commas or semicolons (" +
                         Quoted(line) + ").",
                     "Separate the four numbers with blanks: x y width height."};
}

LikelyCause FewerLines(const BlockMark& block, int count, int rectangle, std::string_view end) {
  return LikelyCause{"fewer-rectangle-lines",
                     Capital(BlockWords(block)) + " gives its count as " + IntToStr(count) +
                         ", but only " + IntToStr(rectangle - 1) +
                         " rectangle lines follow its count line: " + std::string(end),
                     "Make the count of " + BlockWords(block) + " " + IntToStr(rectangle - 1) +
                         ", or add the rectangle lines it lacks."};
}

// A line that holds one number and is followed by one that holds one number: a test number and
// a count, the start of a block.
bool StartsBlock(FileAgain& file, std::int64_t number) {
  const std::optional<LineText> line = file.Line(number);
  const std::optional<LineText> next = file.Line(number + 1);
  return line && next && CountNumbers(*line) == 1 && CountNumbers(*next) == 1;
}

// A rectangle's line that holds no four numbers: an empty line inside the block, commas, or the
// start of the next block because the count is too large.
std::optional<LikelyCause> RectLineCause(Clues& clues, const BlockMark& block) {
  const std::optional<int> count = CountOf(clues.submission, block);
  const std::int64_t at = clues.failure.site.line;
  const std::optional<LineText> line = clues.submission.Line(at);
  if (!count || !line) {
    return std::nullopt;
  }
  const int rectangle = clues.failure.site.rectangle;
  if (!IsEmptyLine(*line)) {
    if (std::optional<LikelyCause> cause = Commas(clues, *line)) {
      return cause;
    }
    if (!StartsBlock(clues.submission, at)) {
      return std::nullopt;
    }
    return FewerLines(block, *count, rectangle,
                      LineWords(at) + " (" + Quoted(*line) + "), where its rectangle " +
                          IntToStr(rectangle) + " should stand, starts the next block.");
  }
  std::int64_t next = at + 1;
  std::optional<LineText> after = clues.submission.Line(next);
  while (after && IsEmptyLine(*after) && next < at + kMostEmptyLines) {
    after = clues.submission.Line(++next);
  }
  if (after && CountNumbers(*after) == 4) {
    return LikelyCause{"empty-line-in-block",
                       "Line " + IntToStr(at) + ", among the rectangle lines of " +
                           BlockWords(block) + ", is " + (line->length == 0 ? "empty" : "blank") +
                           ", and more rectangle lines follow it.",
                       "Remove it: the lines of a block follow each other with no empty line "
                       "between them."};
  }
  if (StartsBlock(clues.submission, next)) {
    return FewerLines(block, *count, rectangle,
                      "after them, " + LineWords(next) + " starts the next block.");
  }
  return std::nullopt;
}
}  // namespace

std::optional<LikelyCause> BlockCause(Clues& clues) {
  const int number = clues.failure.check;
  if (std::optional<LikelyCause> cause = TextBeforeTestNumber(clues)) {
    return cause;
  }
  const CheckPart part = PartOfCheck(number);
  const bool startFails = number == check::kUnknownTestNumber;
  if (!startFails && (part != CheckPart::kBlock || PartyOfCheck(number) != Party::kContestant)) {
    return std::nullopt;
  }
  const BlockMark& block = clues.trail.Current();
  const std::int64_t startLine = startFails ? clues.failure.site.line : block.numberLine;
  const std::optional<LineText> start = clues.submission.Line(startLine);
  if (!start) {
    return std::nullopt;
  }
  if (CountNumbers(*start) == 4) {
    return RectangleAtBlockStart(clues, startLine, *start,
                                 startFails ? block : clues.trail.Previous());
  }
  if (startFails) {
    if (std::optional<LikelyCause> cause = ExtraNumberLine(clues, startLine, block.ordinal + 1)) {
      return cause;
    }
    return ZeroBasedTest(clues, *start);
  }
  switch (number) {
    case check::kCountInvalid:
      return CountLineCause(clues, block);
    case check::kRectNotFourNumbers:
      if (clues.failure.site.rectangle == 1) {
        if (std::optional<LikelyCause> cause =
                ExtraNumberLine(clues, block.numberLine, block.ordinal)) {
          return cause;
        }
      }
      return RectLineCause(clues, block);
    case check::kRectLineMissing:
      if (const std::optional<int> count = CountOf(clues.submission, block)) {
        return FewerLines(block, *count, clues.failure.site.rectangle, "the file ends after them.");
      }
      return std::nullopt;
    default:
      return RectCause(clues, block);
  }
}
