#include "eval/submission.h"

#include "base/scan_ints.h"
#include "eval/assertion.h"
#include "eval/checks.h"
#include "eval/task_input.h"

namespace {
std::string Ordinal(int k) {
  return IntToStr(k) + ". ";
}

bool FitsLimit(const Rect& rect, const TestCase& testCase) {
  return (rect.width <= testCase.a && rect.height <= testCase.b) ||
         (rect.width <= testCase.b && rect.height <= testCase.a);
}

// The message of a failed check of a rectangle before 148, built out of line: the checks run
// for every rectangle and, with the messages apart, cost a few compares inline.
[[noreturn, gnu::noinline]] void FailRect(int failed, const Rect& rect, const RectSite& site,
                                          const TestCase& testCase) {
  const std::string edge = "opis " + Ordinal(site.ordinal) + "pravokotnik strli cez ";
  std::string message;
  switch (failed) {
    case check::kRectLineMissing:
      message = "manjka vrstica z " + Ordinal(site.ordinal) + "pravokotnikom";
      break;
    case check::kRectNotFourNumbers:
      message =
          "opis " + Ordinal(site.ordinal) + "pravokotnika bi morala tvoriti stiri cela stevila";
      break;
    case check::kRectLeftEdge:
      message = edge + "levi rob mreze (x = " + IntToStr(rect.x) + ")";
      break;
    case check::kRectTopEdge:
      message = edge + "zgornji rob mreze (y = " + IntToStr(rect.y) + ")";
      break;
    case check::kRectRightEdge:
      message = edge + "desni rob mreze (x = " + IntToStr(rect.x) +
                ", sirina = " + IntToStr(rect.width) +
                ", sirina mreze w = " + IntToStr(testCase.w) + ")";
      break;
    case check::kRectBottomEdge:
      message = edge + "spodnji rob mreze (y = " + IntToStr(rect.y) +
                ", visina = " + IntToStr(rect.height) +
                ", visina mreze h = " + IntToStr(testCase.h) + ")";
      break;
    default:
      message = Ordinal(site.ordinal) + "pravokotnik je prevelik (" + IntToStr(rect.width) + " * " +
                IntToStr(rect.height) + ", omejitev je " + IntToStr(testCase.a) + " * " +
                IntToStr(testCase.b) + ")";
  }
  Fail(std::move(message), failed, {site.line, site.ordinal});
}

// The first check a rectangle fails before 148, by its number; 0 when it passes them all.
int FailedCheck(int converted, const Rect& rect, const TestCase& testCase) {
  if (converted < 0) {
    return check::kRectLineMissing;
  }
  if (converted < 4) {
    return check::kRectNotFourNumbers;
  }
  if (rect.x < 0) {
    return check::kRectLeftEdge;
  }
  if (rect.y < 0) {
    return check::kRectTopEdge;
  }
  if (static_cast<std::int64_t>(rect.x) + rect.width > testCase.w) {
    return check::kRectRightEdge;
  }
  if (static_cast<std::int64_t>(rect.y) + rect.height > testCase.h) {
    return check::kRectBottomEdge;
  }
  if (!FitsLimit(rect, testCase)) {
    return check::kRectTooLarge;
  }
  return 0;
}

// The failure of check 148, 157 or 161 that a block's coverage found.
[[noreturn, gnu::noinline]] void FailCover(const CoverOutcome& outcome, const TestCase& testCase) {
  const std::string where = "x = " + IntToStr(outcome.cell.x) + ", y = " + IntToStr(outcome.cell.y);
  if (outcome.kind == CoverOutcome::Kind::kCoversWhite) {
    Fail(Ordinal(outcome.rect.ordinal) + "pravokotnik pobarva tudi celico " + where +
             ", ki bi morala ostati bela",
         check::kRectCoversWhite, {outcome.rect.line, outcome.rect.ordinal, outcome.cell});
  }
  if (testCase.IsBlack(outcome.cell.x, outcome.cell.y)) {
    Fail("celica " + where + " je ostala bela, pa bi morala postati crna", check::kCellUncovered,
         {0, 0, outcome.cell});
  }
  Fail("V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  " + where,
       check::kCoverInconsistent, {0, 0, outcome.cell});
}

// A rectangle failed check `failed`; a rectangle taken before it that covers a white cell
// fails first.
[[noreturn, gnu::noinline]] void FailRectOrEarlier(int failed, const Rect& rect,
                                                   const RectSite& site, const TestCase& testCase,
                                                   Coverage& coverage) {
  if (CoverOutcome earlier; coverage.StopEarly(earlier)) {
    FailCover(earlier, testCase);
  }
  FailRect(failed, rect, site, testCase);
}

void ReadHeader(LineReader& reader, RunObserver* observer) {
  std::string_view line;
  std::int64_t length = 0;
  if (!reader.MeasureLine(line, length)) {
    Fail("manjka stevilka tekmovalca", check::kContestantMissing, {reader.LineNumber()});
  }
  if (length != 6) {
    Fail("stevilka tekmovalca bi morala imeti 6 stevk", check::kContestantLength,
         {reader.LineNumber()});
  }
  int contestant = 0;
  if (ScanInts(line, 1, &contestant) != 1) {
    Fail(QuoteLine("v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"", line, "\""),
         check::kContestantNotNumber, {reader.LineNumber()});
  }
  if (observer != nullptr) {
    observer->ContestantRead(line);
  }
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica", check::kSubmissionTaskNameMissing, {reader.LineNumber()});
  }
  CheckTaskName(line, "drugi", reader.LineNumber(), check::kSubmissionTaskNameWrong);
}
}  // namespace

int EvaluateCase(LineReader& reader, const TestCase& testCase, BlockWorkspace& workspace) {
  int count = 0;
  const int converted = reader.ReadInts(count);
  if (converted < 0) {
    Fail("manjka vrstica s stevilom pravokotnikov", check::kCountLineMissing,
         {reader.LineNumber()});
  }
  const int cells = testCase.w * testCase.h;
  if (converted != 1 || count < 1 || count > cells) {
    Fail("stevilo pravokotnikov bi moralo biti od 1 do " + IntToStr(cells), check::kCountInvalid,
         {reader.LineNumber()});
  }
  Coverage& coverage = workspace.coverage;
  coverage.Begin(testCase, count);
  CoverOutcome outcome;
  for (int k = 1; k <= count; ++k) {
    Rect rect;
    const int numbers = reader.ReadInts(rect.x, rect.y, rect.width, rect.height);
    const RectSite site{reader.LineNumber(), k};
    if (numbers == 4 && workspace.observer != nullptr) {
      workspace.observer->RectRead(rect, site.line);
    }
    if (const int failed = FailedCheck(numbers, rect, testCase); failed != 0) {
      FailRectOrEarlier(failed, rect, site, testCase, coverage);
    }
    if (!coverage.Take(rect, site, outcome)) {
      FailCover(outcome, testCase);
    }
  }
  outcome = coverage.Finish();
  if (outcome.kind != CoverOutcome::Kind::kCovered) {
    FailCover(outcome, testCase);
  }
  return count;
}

void ReadSubmission(LineReader& reader, const TestCaseList& testCases, ReportEntryList& entries,
                    RunObserver* observer) {
  ReadHeader(reader, observer);
  BlockWorkspace workspace;
  workspace.observer = observer;
  std::string_view line;
  for (;;) {
    int testNumber = 0;
    const int converted = reader.ReadIntsOrLine(1, &testNumber, line);
    if (converted < 0) {
      break;
    }
    if (converted == 0 && line.empty()) {
      continue;
    }
    const std::int64_t numberLine = reader.LineNumber();
    if (converted != 1) {
      Fail(QuoteLine("v " + IntToStr(numberLine) +
                         ". vrstici bi morala biti stevilka testnega primera, ne pa \"",
                     line, "\""),
           check::kBlockStartNotNumber, {numberLine});
    }
    const TestCase* testCase = FindTestCase(testCases, testNumber);
    if (testCase == nullptr) {
      Fail(
          "v " + IntToStr(numberLine) +
              ". vrstici se pojavlja neveljavna stevilka testnega primera: " + IntToStr(testNumber),
          check::kUnknownTestNumber, {numberLine});
    }
    if (observer != nullptr) {
      observer->BlockStarted(*testCase, numberLine);
    }
    entries.push_back({testNumber, EvaluateCase(reader, *testCase, workspace)});
  }
}
