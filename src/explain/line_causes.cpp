// The traps of single lines: how a file was saved (a byte-order mark, UTF-16, CR alone as the
// line end), the files or the header's lines swapped, white space around a value, and the task
// name misspelt.
#include <algorithm>

#include "base/printable.h"
#include "base/scan_ints.h"
#include "eval/assertion.h"
#include "eval/checks.h"
#include "eval/task_input.h"
#include "explain/causes.h"
#include "explain/check_words.h"

namespace {
const std::string kSaveAscii =
    "Save the file as plain ASCII (or as UTF-8 without a byte-order mark).";

bool IsInput(const Clues& clues) {
  return PartOfCheck(clues.failure.check) == CheckPart::kTaskInput;
}

std::string FileWords(bool input) {
  return input ? "the task input" : "the submission";
}

// A check of the first line of its file.
bool OnFirstLine(int number) {
  return number == check::kContestantLength || number == check::kContestantNotNumber ||
         number == check::kInputTaskNameWrong;
}

// A byte of plain ASCII text: printable, or a tab, CR or LF.
bool IsAsciiText(char c) {
  return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E);
}

// Text as an editor writes it: bytes of ASCII text, or above it (UTF-8). A control byte of any
// other kind says the bytes are no text.
bool IsText(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return IsAsciiText(c) || (c & 0x80) != 0; });
}

// ASCII text saved as UTF-16: at least `least` characters, each a byte of text with a NUL on
// side `nul` (0: before it, as big-endian files have it; 1: after it).
bool NulBesideText(std::string_view bytes, std::size_t nul, std::size_t least) {
  const std::size_t size = bytes.size() & ~std::size_t{1};
  if (size < 2 * least) {
    return false;
  }
  for (std::size_t i = 0; i < size; i += 2) {
    if (bytes[i + nul] != '\0' || !IsAsciiText(bytes[i + 1 - nul])) {
      return false;
    }
  }
  return true;
}

std::optional<LikelyCause> Saved(FileAgain& file, bool input) {
  const std::string_view start = file.Start();
  const std::string words = Capital(FileWords(input));
  if (start.starts_with("\xEF\xBB\xBF") && IsText(start.substr(3, start.find('\n') - 3))) {
    return LikelyCause{"byte-order-mark",
                       words +
                           " starts with a UTF-8 byte-order mark (the bytes \\xEF\\xBB\\xBF) "
                           "before its first line.",
                       "Save the file as plain ASCII, or as UTF-8 without a byte-order mark."};
  }
  const bool littleEndian = start.starts_with("\xFF\xFE");
  if ((littleEndian || start.starts_with("\xFE\xFF")) &&
      NulBesideText(start.substr(2), littleEndian ? 1 : 0, 1)) {
    return LikelyCause{"utf-16",
                       words + " is saved as UTF-16: it starts with the byte-order mark \\x" +
                           (littleEndian ? "FF\\xFE" : "FE\\xFF") +
                           " and holds a NUL byte beside every character.",
                       kSaveAscii};
  }
  if (NulBesideText(start, 0, 4) || NulBesideText(start, 1, 4)) {
    return LikelyCause{"utf-16",
                       words +
                           " is saved as UTF-16 without a byte-order mark: every other byte "
                           "is NUL (\\x00).",
                       kSaveAscii};
  }
  return std::nullopt;
}

// CR bytes inside line 1, each followed by more of the line: line ends of CR alone, which the
// evaluator does not take for line ends; only in a line of text.
std::optional<LikelyCause> CrAlone(FileAgain& file, bool input) {
  const std::optional<LineText> first = file.Line(1);
  if (!first || first->head.empty() || !IsText(first->head)) {
    return std::nullopt;
  }
  const std::size_t inside = first->Cut() ? first->head.size() : first->head.size() - 1;
  const auto crs = std::count(first->head.begin(), first->head.begin() + inside, '\r');
  const std::int64_t length = first->length;
  const bool wholeFile = !file.Line(2);
  if (crs < 2 && !(crs == 1 && wholeFile)) {
    return std::nullopt;
  }
  return LikelyCause{
      "cr-line-ends",
      Capital(FileWords(input)) +
          "'s lines end in a CR alone (\\x0D, as old Mac files do): the evaluator ends lines at "
          "LF, so it reads " +
          (wholeFile ? "the whole file" : "its first lines") + " as line 1, of " +
          IntToStr(length) + " bytes.",
      "Save the file with LF (or CR LF) line ends."};
}

bool IsTaskName(const std::optional<LineText>& line) {
  return line && line->length == static_cast<std::int64_t>(TaskName.size()) &&
         line->head == TaskName;
}

// Line 1 of a submission: six characters that start with a number.
bool IsContestantLine(const std::optional<LineText>& line) {
  int number = 0;
  return line && line->length == 6 && LineNumbers(*line, 1, &number) == 1;
}

// A submission's header: the contestant number, then the task name.
bool StartsLikeSubmission(FileAgain& file) {
  return IsContestantLine(file.Line(1)) && IsTaskName(file.Line(2));
}

// A task input's first lines: the task name, the number of test cases, an empty line and a
// size line.
bool StartsLikeInput(FileAgain& file) {
  if (!IsTaskName(file.Line(1))) {
    return false;
  }
  const std::optional<LineText> count = file.Line(2);
  const std::optional<LineText> empty = file.Line(3);
  const std::optional<LineText> sizes = file.Line(4);
  return count && CountNumbers(*count, 1) == 1 && empty && empty->length == 0 && sizes &&
         CountNumbers(*sizes, 5) == 5;
}

// Lines 2 to 4 of the submission as a block: a test number of the task input alone, one
// number, then four.
bool StartsBlockAt2(Clues& clues) {
  const std::optional<LineText> test = clues.submission.Line(2);
  const std::optional<LineText> count = clues.submission.Line(3);
  const std::optional<LineText> rectangle = clues.submission.Line(4);
  int values[4];
  return test && count && rectangle && LineNumbers(*test, 4, values) == 1 && values[0] >= 1 &&
         static_cast<std::size_t>(values[0]) <= clues.evaluation.testCases.size() &&
         CountNumbers(*count) == 1 && CountNumbers(*rectangle) == 4;
}

std::optional<LikelyCause> FilesSwapped(Clues& clues) {
  if (clues.failure.check == check::kInputTaskNameWrong && StartsLikeSubmission(clues.input)) {
    if (StartsLikeInput(clues.submission)) {
      return LikelyCause{"files-swapped",
                         "The two files are swapped: the task input starts like a submission "
                         "(a contestant number, then Zelmiranke), and the submission like a task "
                         "input.",
                         "Give the task input as the task input and the submission as the "
                         "submission."};
    }
    return LikelyCause{"submission-as-input",
                       "The task input starts like a submission: a contestant number, then "
                       "Zelmiranke.",
                       "Give the official task input as the task input."};
  }
  if (clues.failure.check != check::kContestantLength || !IsTaskName(clues.submission.Line(1))) {
    return std::nullopt;
  }
  if (StartsLikeInput(clues.submission)) {
    return LikelyCause{"input-as-submission",
                       "The submission starts like a task input: the task name, the number of "
                       "test cases, an empty line and a size line.",
                       "Give the file your program wrote as the submission; the task input is "
                       "the other file."};
  }
  if (IsContestantLine(clues.submission.Line(2))) {
    return LikelyCause{"header-swapped",
                       "Line 1 holds the task name and line 2 a contestant number: the two lines "
                       "of the header are swapped.",
                       "Put the six-character contestant number on line 1 and Zelmiranke on "
                       "line 2."};
  }
  if (StartsBlockAt2(clues)) {
    return LikelyCause{
        "contestant-number-missing",
        "Line 1 holds the task name, and the lines after it a block (a test "
        "number, a count and a rectangle): the contestant number before the task name is "
        "missing.",
        "Put the six-character contestant number on line 1, before Zelmiranke."};
  }
  return std::nullopt;
}

// What the line would be, without the white space around it, for the checks that fail on white
// space; none for other checks.
std::optional<std::string> WithoutWhiteSpace(const Clues& clues, std::string_view text,
                                             std::string& what) {
  const std::string_view trimmed = Trimmed(text);
  int number = 0;
  switch (clues.failure.check) {
    case check::kContestantLength:
      if (trimmed.size() == 6 && ScanInts(trimmed, 1, &number) == 1) {
        what = "the contestant number";
        return std::string(trimmed);
      }
      break;
    case check::kSubmissionTaskNameWrong:
    case check::kInputTaskNameWrong:
      if (trimmed == TaskName) {
        what = "the task name";
        return std::string(trimmed);
      }
      break;
    case check::kPictureRowLength: {
      const auto values =
          TemplateValues(FindCheckWords(check::kPictureRowLength)->slovene, clues.failure.message);
      const auto w = values.find("w");
      if (w != values.end() && !trimmed.empty() && std::to_string(trimmed.size()) == w->second) {
        what = "the " + w->second + " cells of the row";
        return std::string(trimmed);
      }
      break;
    }
    default:
      break;
  }
  return std::nullopt;
}

std::string AroundWords(std::string_view text) {
  const std::string_view trimmed = Trimmed(text);
  const std::size_t before =
      trimmed.empty() ? 0 : static_cast<std::size_t>(trimmed.data() - text.data());
  const std::size_t after = text.size() - before - trimmed.size();
  std::string words;
  if (before > 0) {
    words = WhiteSpaceWords(text.substr(0, before)) + " before it";
  }
  if (after > 0) {
    words += (words.empty() ? "" : " and ") + WhiteSpaceWords(text.substr(text.size() - after)) +
             " after it";
  }
  return words;
}

std::optional<LikelyCause> WhiteSpace(Clues& clues) {
  const LineText* line = clues.failingLine;
  if (!line || line->Cut()) {
    return std::nullopt;
  }
  const std::string where = "Line " + IntToStr(clues.failure.site.line);
  const int number = clues.failure.check;
  if (number == check::kBlockStartNotNumber || number == check::kSeparatorNotEmpty) {
    if (!OnlyWhiteSpace(line->head)) {
      return std::nullopt;
    }
    return LikelyCause{
        "white-space",
        where + " holds only white space (" + WhiteSpaceWords(line->head) +
            "): it looks empty but is not" +
            (number == check::kBlockStartNotNumber ? ", so it is read where a block should start."
                                                   : "."),
        "Make the line empty (no blanks, tabs or CR), or remove it."};
  }
  std::string what;
  const std::optional<std::string> bare = WithoutWhiteSpace(clues, line->head, what);
  if (!bare || *bare == line->head) {
    return std::nullopt;
  }
  const bool cr = line->head.find('\r') != std::string::npos;
  return LikelyCause{"white-space",
                     where + " holds " + what + " with " + AroundWords(line->head) + ".",
                     "Remove the white space: the line must hold " + what + " alone." +
                         (cr ? " A CR there mostly comes from a line end written twice (CR CR "
                               "LF)."
                             : "")};
}

// Picture cells where a test case's empty line should stand.
std::optional<LikelyCause> ExtraPictureRows(Clues& clues) {
  const LineText* line = clues.failingLine;
  if (clues.failure.check != check::kSeparatorNotEmpty || line == nullptr ||
      line->head.find_first_not_of(".#") != std::string::npos) {
    return std::nullopt;
  }
  return LikelyCause{"extra-picture-rows",
                     "Line " + IntToStr(clues.failure.site.line) +
                         " holds picture cells where the empty line before a test case should "
                         "stand: the picture before it has more rows than its h.",
                     "Give that picture as many rows as its h says, or correct its h."};
}

bool SameLetters(std::string_view text, std::string_view name) {
  return text.size() == name.size() &&
         std::equal(text.begin(), text.end(), name.begin(), [](char a, char b) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
           return lower(a) == lower(b);
         });
}

std::optional<LikelyCause> TaskNameSpelling(Clues& clues) {
  const int number = clues.failure.check;
  const LineText* line = clues.failingLine;
  if ((number != check::kSubmissionTaskNameWrong && number != check::kInputTaskNameWrong) ||
      !line || line->Cut()) {
    return std::nullopt;
  }
  const std::string where = "Line " + IntToStr(clues.failure.site.line);
  const std::string_view text = line->head;
  if (SameLetters(text, TaskName)) {
    return LikelyCause{"task-name-spelling", where + " writes the task name in other letter case.",
                       "Write it exactly Zelmiranke: a capital Z, the other letters small."};
  }
  // Z with a caron in UTF-8, capital or small, then the rest of the name.
  if ((text.starts_with("\xC5\xBD") || text.starts_with("\xC5\xBE")) &&
      SameLetters(text.substr(2), TaskName.substr(1))) {
    return LikelyCause{"task-name-spelling",
                       where +
                           " writes the task name with a letter Z with caron (the UTF-8 "
                           "bytes \\xC5\\x" +
                           std::string(text[1] == '\xBD' ? "BD" : "BE") + ").",
                       "Write it in plain ASCII, exactly Zelmiranke."};
  }
  return std::nullopt;
}
}  // namespace

std::string Capital(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  }
  return text;
}

std::string BlockWords(const BlockMark& block) {
  return "block " + IntToStr(block.ordinal) + " (test " + IntToStr(block.test) + ")";
}

std::string Quoted(const LineText& line) {
  bool cut = false;
  const std::string text = Printable(line.head, kLineRoom, cut);
  return "\"" + text + (cut || line.Cut() ? "..." : "") + "\"";
}

std::string WhiteSpaceWords(std::string_view text) {
  std::string words;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t run = 1;
    while (i + run < text.size() && text[i + run] == text[i]) {
      ++run;
    }
    const char c = text[i];
    const std::string count = run == 1 ? "a" : IntToStr(static_cast<std::int64_t>(run));
    const std::string plural = run == 1 ? "" : "s";
    std::string name;
    switch (c) {
      case ' ':
        name = "blank" + plural;
        break;
      case '\t':
        name = "tab" + plural;
        break;
      case '\r':
        name = "CR" + plural + " (\\x0D)";
        break;
      default: {
        char shown[4];
        name = "control byte" + plural + " (" + std::string(shown, PrintableByte(c, shown)) + ")";
      }
    }
    words += (words.empty() ? "" : ", ") + count + " " + name;
    i += run;
  }
  return words;
}

std::optional<LikelyCause> LineCause(Clues& clues) {
  const bool input = IsInput(clues);
  if (OnFirstLine(clues.failure.check)) {
    FileAgain& file = input ? clues.input : clues.submission;
    if (std::optional<LikelyCause> cause = Saved(file, input)) {
      return cause;
    }
    if (std::optional<LikelyCause> cause = CrAlone(file, input)) {
      return cause;
    }
  }
  if (std::optional<LikelyCause> cause = FilesSwapped(clues)) {
    return cause;
  }
  if (std::optional<LikelyCause> cause = WhiteSpace(clues)) {
    return cause;
  }
  if (std::optional<LikelyCause> cause = ExtraPictureRows(clues)) {
    return cause;
  }
  return TaskNameSpelling(clues);
}
