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

// Where a check lies: the task input (a fault of the grading setup, not of the contestant),
// the submission's header, a line that starts a block, or a block's body.
enum class CheckPart { kTaskInput, kHeader, kBlockStart, kBlock, kNone };

struct CheckInfo {
  int number;
  CheckPart part;
};

inline constexpr CheckInfo kChecks[] = {
    {check::kSeparatorMissing, CheckPart::kTaskInput},
    {check::kSeparatorNotEmpty, CheckPart::kTaskInput},
    {check::kSizeLineMissing, CheckPart::kTaskInput},
    {check::kSizeLineNotFiveNumbers, CheckPart::kTaskInput},
    {check::kWidthOutOfRange, CheckPart::kTaskInput},
    {check::kHeightOutOfRange, CheckPart::kTaskInput},
    {check::kLimitAOutOfRange, CheckPart::kTaskInput},
    {check::kLimitBOutOfRange, CheckPart::kTaskInput},
    {check::kPictureRowMissing, CheckPart::kTaskInput},
    {check::kPictureRowLength, CheckPart::kTaskInput},
    {check::kPictureCellByte, CheckPart::kTaskInput},
    {check::kInputTaskNameMissing, CheckPart::kTaskInput},
    {check::kInputTaskNameWrong, CheckPart::kTaskInput},
    {check::kCaseCountMissing, CheckPart::kTaskInput},
    {check::kCaseCountInvalid, CheckPart::kTaskInput},
    {check::kCaseNumberWrong, CheckPart::kTaskInput},
    {check::kCountLineMissing, CheckPart::kBlock},
    {check::kCountInvalid, CheckPart::kBlock},
    {check::kRectLineMissing, CheckPart::kBlock},
    {check::kRectNotFourNumbers, CheckPart::kBlock},
    {check::kRectLeftEdge, CheckPart::kBlock},
    {check::kRectTopEdge, CheckPart::kBlock},
    {check::kRectRightEdge, CheckPart::kBlock},
    {check::kRectBottomEdge, CheckPart::kBlock},
    {check::kRectTooLarge, CheckPart::kBlock},
    {check::kRectCoversWhite, CheckPart::kBlock},
    {check::kCellUncovered, CheckPart::kBlock},
    {check::kCoverInconsistent, CheckPart::kBlock},
    {check::kContestantMissing, CheckPart::kHeader},
    {check::kContestantLength, CheckPart::kHeader},
    {check::kContestantNotNumber, CheckPart::kHeader},
    {check::kSubmissionTaskNameMissing, CheckPart::kHeader},
    {check::kSubmissionTaskNameWrong, CheckPart::kHeader},
    {check::kBlockStartNotNumber, CheckPart::kBlockStart},
    {check::kUnknownTestNumber, CheckPart::kBlockStart},
};

// The part of check `number`; kNone for a number that is no check.
constexpr CheckPart PartOfCheck(int number) {
  for (const CheckInfo& info : kChecks) {
    if (info.number == number) {
      return info.part;
    }
  }
  return CheckPart::kNone;
}
