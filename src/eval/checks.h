// The check numbers of the evaluator. They stand in the report ("Napaka [Ozi18Zelmiranke:148]"),
// so each is fixed for good; programs that explain a failure tell by them where it lies.
#pragma once

namespace check {
// The task input: its header, then each test case's separator, size line and picture.
inline constexpr int kSeparatorMissing = 61;
inline constexpr int kSeparatorNotEmpty = 62;
inline constexpr int kSizeLineMissing = 63;
inline constexpr int kSizeLineNotFiveNumbers = 65;
inline constexpr int kWidthOutOfRange = 66;
inline constexpr int kHeightOutOfRange = 67;
inline constexpr int kLimitAOutOfRange = 68;
inline constexpr int kLimitBOutOfRange = 69;
inline constexpr int kPictureRowMissing = 74;
inline constexpr int kPictureRowLength = 75;
inline constexpr int kPictureCellByte = 79;
inline constexpr int kInputTaskNameMissing = 91;
inline constexpr int kInputTaskNameWrong = 92;
inline constexpr int kCaseCountMissing = 95;
inline constexpr int kCaseCountInvalid = 98;
inline constexpr int kCaseNumberWrong = 105;
// A block of the submission: its count line and rectangles, then the cover as a whole.
inline constexpr int kCountLineMissing = 129;
inline constexpr int kCountInvalid = 132;
inline constexpr int kRectLineMissing = 137;
inline constexpr int kRectNotFourNumbers = 139;
inline constexpr int kRectLeftEdge = 140;
inline constexpr int kRectTopEdge = 141;
inline constexpr int kRectRightEdge = 142;
inline constexpr int kRectBottomEdge = 143;
inline constexpr int kRectTooLarge = 145;
inline constexpr int kRectCoversWhite = 148;
inline constexpr int kCellUncovered = 157;
inline constexpr int kCoverInconsistent = 161;
// The submission's header and the lines that start blocks.
inline constexpr int kContestantMissing = 189;
inline constexpr int kContestantLength = 190;
inline constexpr int kContestantNotNumber = 192;
inline constexpr int kSubmissionTaskNameMissing = 193;
inline constexpr int kSubmissionTaskNameWrong = 194;
inline constexpr int kBlockStartNotNumber = 202;
inline constexpr int kUnknownTestNumber = 204;
}  // namespace check

// Where a check lies: the task input, the submission's header, a line that starts a block, or a
// block's body.
enum class CheckPart { kTaskInput, kHeader, kBlockStart, kBlock, kNone };

// Whose fault a failed check is: the contestant's, the grading setup's (the organizers wrote the
// task input), or the evaluator's own (it contradicts itself, which no file can cause).
enum class Party { kContestant, kGradingSetup, kEvaluator };

// What a failed check's site (FailureSite) names of a rectangle of the block.
enum class RectNamed {
  kNoRect,
  kOrdinal,  // its place in the block: its line is missing or holds no four numbers
  kRead,     // its place and its numbers: it was read and fails a check of its own
};

// What a check means. The line a site names is one of the check's file: the task input for the
// checks of kTaskInput, the submission for all others.
struct CheckInfo {
  int number;
  CheckPart part;
  Party party;
  bool namesLine;       // the site names a line of the file
  RectNamed rectangle;  // what the site names of a rectangle
  bool namesCell;       // the site names a cell of the picture
  bool wholeBlock;      // the check weighs the block's cover as a whole, after its last rectangle
};

namespace check_rows {
using enum CheckPart;
using enum Party;
using enum RectNamed;
// clang-format off
inline constexpr CheckInfo kRows[] = {
    // number                             part         party          line   rectangle cell   whole
    {check::kSeparatorMissing,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kSeparatorNotEmpty,           kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kSizeLineMissing,             kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kSizeLineNotFiveNumbers,      kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kWidthOutOfRange,             kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kHeightOutOfRange,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kLimitAOutOfRange,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kLimitBOutOfRange,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kPictureRowMissing,           kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kPictureRowLength,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kPictureCellByte,             kTaskInput,  kGradingSetup, true,  kNoRect,  true,  false},
    {check::kInputTaskNameMissing,        kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kInputTaskNameWrong,          kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kCaseCountMissing,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kCaseCountInvalid,            kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kCaseNumberWrong,             kTaskInput,  kGradingSetup, true,  kNoRect,  false, false},
    {check::kCountLineMissing,            kBlock,      kContestant,   true,  kNoRect,  false, false},
    {check::kCountInvalid,                kBlock,      kContestant,   true,  kNoRect,  false, false},
    {check::kRectLineMissing,             kBlock,      kContestant,   true,  kOrdinal, false, false},
    {check::kRectNotFourNumbers,          kBlock,      kContestant,   true,  kOrdinal, false, false},
    {check::kRectLeftEdge,                kBlock,      kContestant,   true,  kRead,    false, false},
    {check::kRectTopEdge,                 kBlock,      kContestant,   true,  kRead,    false, false},
    {check::kRectRightEdge,               kBlock,      kContestant,   true,  kRead,    false, false},
    {check::kRectBottomEdge,              kBlock,      kContestant,   true,  kRead,    false, false},
    {check::kRectTooLarge,                kBlock,      kContestant,   true,  kRead,    false, false},
    {check::kRectCoversWhite,             kBlock,      kContestant,   true,  kRead,    true,  false},
    {check::kCellUncovered,               kBlock,      kContestant,   false, kNoRect,  true,  true},
    {check::kCoverInconsistent,           kBlock,      kEvaluator,    false, kNoRect,  true,  true},
    {check::kContestantMissing,           kHeader,     kContestant,   true,  kNoRect,  false, false},
    {check::kContestantLength,            kHeader,     kContestant,   true,  kNoRect,  false, false},
    {check::kContestantNotNumber,         kHeader,     kContestant,   true,  kNoRect,  false, false},
    {check::kSubmissionTaskNameMissing,   kHeader,     kContestant,   true,  kNoRect,  false, false},
    {check::kSubmissionTaskNameWrong,     kHeader,     kContestant,   true,  kNoRect,  false, false},
    {check::kBlockStartNotNumber,         kBlockStart, kContestant,   true,  kNoRect,  false, false},
    {check::kUnknownTestNumber,           kBlockStart, kContestant,   true,  kNoRect,  false, false},
};
// clang-format on
}  // namespace check_rows

// Every check of the evaluator, and what it means.
inline constexpr const auto& kChecks = check_rows::kRows;

// The row of check `number`; null for a number that is no check.
constexpr const CheckInfo* FindCheck(int number) {
  for (const CheckInfo& info : kChecks) {
    if (info.number == number) {
      return &info;
    }
  }
  return nullptr;
}

// The part of check `number`; kNone for a number that is no check.
constexpr CheckPart PartOfCheck(int number) {
  const CheckInfo* info = FindCheck(number);
  return info != nullptr ? info->part : CheckPart::kNone;
}

// Whose fault a failure of check `number` is; a number that is no check is the evaluator's.
constexpr Party PartyOfCheck(int number) {
  const CheckInfo* info = FindCheck(number);
  return info != nullptr ? info->party : Party::kEvaluator;
}
