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

// A rectangle's line and its ordinal in the block.
struct RectSite {
  std::int64_t line;
  int k;
};

void ReadRect(LineReader& reader, const RectSite& site, Rect& rect) {
  const int converted = reader.ReadInts(rect.x, rect.y, rect.width, rect.height);
  if (converted < 0) {
    Fail("manjka vrstica z " + Ordinal(site.k) + "pravokotnikom", check::kRectLineMissing,
         {site.line, site.k});
  }
  if (converted < 4) {
    Fail("opis " + Ordinal(site.k) + "pravokotnika bi morala tvoriti stiri cela stevila",
         check::kRectNotFourNumbers, {site.line, site.k});
  }
}

// The message of a failed check of CheckRect, built out of line: CheckRect runs for every
// rectangle and, with the messages apart, costs a few compares inline.
[[noreturn, gnu::noinline]] void FailRect(int failed, const Rect& rect, const RectSite& site,
                                          const TestCase& testCase) {
  const std::string edge = "opis " + Ordinal(site.k) + "pravokotnik strli cez ";
  std::string message;
  switch (failed) {
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
      message = Ordinal(site.k) + "pravokotnik je prevelik (" + IntToStr(rect.width) + " * " +
                IntToStr(rect.height) + ", omejitev je " + IntToStr(testCase.a) + " * " +
                IntToStr(testCase.b) + ")";
  }
  Fail(std::move(message), failed, {site.line, site.k});
}

void CheckRect(const Rect& rect, const RectSite& site, const TestCase& testCase) {
  if (rect.x < 0) {
    FailRect(check::kRectLeftEdge, rect, site, testCase);
  }
  if (rect.y < 0) {
    FailRect(check::kRectTopEdge, rect, site, testCase);
  }
  if (static_cast<std::int64_t>(rect.x) + rect.width > testCase.w) {
    FailRect(check::kRectRightEdge, rect, site, testCase);
  }
  if (static_cast<std::int64_t>(rect.y) + rect.height > testCase.h) {
    FailRect(check::kRectBottomEdge, rect, site, testCase);
  }
  if (!FitsLimit(rect, testCase)) {
    FailRect(check::kRectTooLarge, rect, site, testCase);
  }
}

[[noreturn]] void FailWhiteCell(const RectSite& site, const Cell& cell) {
  Fail(Ordinal(site.k) + "pravokotnik pobarva tudi celico x = " + IntToStr(cell.x) +
           ", y = " + IntToStr(cell.y) + ", ki bi morala ostati bela",
       check::kRectCoversWhite, {site.line, site.k, cell});
}

// Check 148, and the rectangle on to the coverage check: a small one is painted in the same
// pass that looks for a white cell; a large one, in a picture with white cells, is left to the
// coverage check to check with all the others at once; any other is looked up in the white-cell
// index.
void CheckCells(const Rect& rect, const RectSite& site, BlockWorkspace& workspace) {
  if (!rect.HasArea()) {
    return;
  }
  Cell cell;
  if (workspace.coverage.PaintsNow(rect)) {
    if (workspace.coverage.PaintChecked(rect, cell)) {
      FailWhiteCell(site, cell);
    }
    return;
  }
  if (workspace.whiteCells.HasWhite()) {
    if (workspace.coverage.AddUnchecked(rect, site.k)) {
      return;
    }
    if (workspace.whiteCells.Find(rect, cell)) {
      FailWhiteCell(site, cell);
    }
  }
  workspace.coverage.Add(rect);
}

// Check 148 of the rectangles taken unchecked, in their order: an earlier rectangle's failure
// comes before any later one's. Rectangle k stands on line countLine + k.
void CheckUnchecked(BlockWorkspace& workspace, std::int64_t countLine) {
  Cell cell;
  for (const Coverage::Unchecked& unchecked : workspace.coverage.UncheckedRects()) {
    if (workspace.whiteCells.Find(unchecked.rect, cell)) {
      FailWhiteCell({countLine + unchecked.ordinal, unchecked.ordinal}, cell);
    }
  }
  workspace.coverage.MarkChecked();
}

void CheckCoverage(const TestCase& testCase, BlockWorkspace& workspace, std::int64_t countLine) {
  Cell cell;
  Coverage::Finished finished = workspace.coverage.Finish(cell);
  if (finished == Coverage::Finished::kUnchecked) {
    CheckUnchecked(workspace, countLine);
    finished = workspace.coverage.Finish(cell);
  }
  if (finished == Coverage::Finished::kCovered) {
    return;
  }
  const std::string where = "x = " + IntToStr(cell.x) + ", y = " + IntToStr(cell.y);
  if (testCase.IsBlack(cell.x, cell.y)) {
    Fail("celica " + where + " je ostala bela, pa bi morala postati crna", check::kCellUncovered,
         {0, 0, cell});
  }
  Fail("V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  " + where,
       check::kCoverInconsistent, {0, 0, cell});
}

void ReadHeader(LineReader& reader, RunObserver* observer) {
  std::string_view line;
  std::int64_t length = 0;
  if (!reader.MeasureLine(line, length)) {
    Fail("manjka stevilka tekmovalca", check::kContestantMissing, {1});
  }
  if (length != 6) {
    Fail("stevilka tekmovalca bi morala imeti 6 stevk", check::kContestantLength, {1});
  }
  int contestant = 0;
  if (ScanInts(line, 1, &contestant) != 1) {
    Fail(QuoteLine("v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"", line, "\""),
         check::kContestantNotNumber, {1});
  }
  if (observer != nullptr) {
    observer->ContestantRead(line);
  }
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica", check::kSubmissionTaskNameMissing, {2});
  }
  CheckTaskName(line, "drugi", 2, check::kSubmissionTaskNameWrong);
}
}  // namespace

int EvaluateCase(LineReader& reader, const TestCase& testCase, std::int64_t& lineCounter,
                 BlockWorkspace& workspace) {
  ++lineCounter;
  int count = 0;
  const int converted = reader.ReadInts(count);
  if (converted < 0) {
    Fail("manjka vrstica s stevilom pravokotnikov", check::kCountLineMissing, {lineCounter});
  }
  const int cells = testCase.w * testCase.h;
  if (converted != 1 || count < 1 || count > cells) {
    Fail("stevilo pravokotnikov bi moralo biti od 1 do " + IntToStr(cells), check::kCountInvalid,
         {lineCounter});
  }
  workspace.whiteCells.Use(testCase);
  workspace.coverage.Begin(testCase, count);
  const std::int64_t countLine = lineCounter;
  try {
    for (int k = 1; k <= count; ++k) {
      const RectSite site{++lineCounter, k};
      Rect rect;
      ReadRect(reader, site, rect);
      if (workspace.observer != nullptr) {
        workspace.observer->RectRead(rect);
      }
      CheckRect(rect, site, testCase);
      CheckCells(rect, site, workspace);
    }
  } catch (const EAssertion&) {
    CheckUnchecked(workspace, countLine);
    throw;
  }
  CheckCoverage(testCase, workspace, countLine);
  return count;
}

void ReadSubmission(LineReader& reader, const TestCaseList& testCases, ReportEntryList& entries,
                    RunObserver* observer) {
  ReadHeader(reader, observer);
  BlockWorkspace workspace;
  workspace.observer = observer;
  std::int64_t lineCounter = 2;
  std::string_view line;
  for (;;) {
    ++lineCounter;
    int testNumber = 0;
    const int converted = reader.ReadIntsOrLine(1, &testNumber, line);
    if (converted < 0) {
      break;
    }
    if (converted == 0 && line.empty()) {
      continue;
    }
    if (converted != 1) {
      Fail(QuoteLine("v " + IntToStr(lineCounter) +
                         ". vrstici bi morala biti stevilka testnega primera, ne pa \"",
                     line, "\""),
           check::kBlockStartNotNumber, {lineCounter});
    }
    const TestCase* testCase = FindTestCase(testCases, testNumber);
    if (testCase == nullptr) {
      Fail(
          "v " + IntToStr(lineCounter) +
              ". vrstici se pojavlja neveljavna stevilka testnega primera: " + IntToStr(testNumber),
          check::kUnknownTestNumber, {lineCounter});
    }
    if (observer != nullptr) {
      observer->BlockStarted(*testCase, lineCounter);
    }
    entries.push_back({testNumber, EvaluateCase(reader, *testCase, lineCounter, workspace)});
  }
}
