#include "submission.h"

#include "assertion.h"
#include "run_facts.h"
#include "scan_ints.h"
#include "white_cells.h"

namespace {
std::string Ordinal(int k) {
  return IntToStr(k) + ". ";
}

bool FitsLimit(const Rect& rect, const TestCase& testCase) {
  return (rect.width <= testCase.a && rect.height <= testCase.b) ||
         (rect.width <= testCase.b && rect.height <= testCase.a);
}

void ReadRect(LineReader& reader, int k, std::int64_t& lineCounter, Rect& rect) {
  ++lineCounter;
  const int converted = reader.ReadInts(rect.x, rect.y, rect.width, rect.height);
  if (converted < 0) {
    Fail("manjka vrstica z " + Ordinal(k) + "pravokotnikom", 137);
  }
  if (converted < 4) {
    Fail("opis " + Ordinal(k) + "pravokotnika bi morala tvoriti stiri cela stevila", 139);
  }
}

void CheckRect(const Rect& rect, int k, const TestCase& testCase) {
  // Messages are built only on failure: this runs for every rectangle.
  const auto edge = [k] { return "opis " + Ordinal(k) + "pravokotnik strli cez "; };
  if (rect.x < 0) {
    Fail(edge() + "levi rob mreze (x = " + IntToStr(rect.x) + ")", 140);
  }
  if (rect.y < 0) {
    Fail(edge() + "zgornji rob mreze (y = " + IntToStr(rect.y) + ")", 141);
  }
  if (static_cast<std::int64_t>(rect.x) + rect.width > testCase.w) {
    Fail(edge() + "desni rob mreze (x = " + IntToStr(rect.x) + ", sirina = " +
             IntToStr(rect.width) + ", sirina mreze w = " + IntToStr(testCase.w) + ")",
         142);
  }
  if (static_cast<std::int64_t>(rect.y) + rect.height > testCase.h) {
    Fail(edge() + "spodnji rob mreze (y = " + IntToStr(rect.y) + ", visina = " +
             IntToStr(rect.height) + ", visina mreze h = " + IntToStr(testCase.h) + ")",
         143);
  }
  if (!FitsLimit(rect, testCase)) {
    Fail(Ordinal(k) + "pravokotnik je prevelik (" + IntToStr(rect.width) + " * " +
             IntToStr(rect.height) + ", omejitev je " + IntToStr(testCase.a) + " * " +
             IntToStr(testCase.b) + ")",
         145);
  }
}

[[noreturn]] void FailWhiteCell(int k, const Cell& cell) {
  Fail(Ordinal(k) + "pravokotnik pobarva tudi celico x = " + IntToStr(cell.x) +
           ", y = " + IntToStr(cell.y) + ", ki bi morala ostati bela",
       148);
}

// Check 148, and the rectangle on to the coverage check: a small one is painted in the same
// pass that looks for a white cell, a larger one is looked up in the white-cell index.
void CheckCells(const Rect& rect, int k, BlockWorkspace& workspace) {
  if (!rect.HasArea()) {
    return;
  }
  Cell cell;
  if (workspace.coverage.PaintsNow(rect)) {
    if (workspace.coverage.PaintChecked(rect, cell)) {
      FailWhiteCell(k, cell);
    }
    return;
  }
  if (workspace.whiteCells.Find(rect.x, rect.y, rect.width, rect.height, cell.x, cell.y)) {
    FailWhiteCell(k, cell);
  }
  workspace.coverage.Add(rect);
}

void CheckCoverage(const TestCase& testCase, BlockWorkspace& workspace) {
  Cell cell;
  if (!workspace.coverage.Finish(cell)) {
    return;
  }
  const std::string where = "x = " + IntToStr(cell.x) + ", y = " + IntToStr(cell.y);
  if (testCase.IsBlack(cell.x, cell.y)) {
    Fail("celica " + where + " je ostala bela, pa bi morala postati crna", 157);
  }
  Fail("V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  " + where, 161);
}

void ReadHeader(LineReader& reader) {
  std::string_view line;
  std::int64_t length = 0;
  if (!reader.MeasureLine(line, length)) {
    Fail("manjka stevilka tekmovalca", 189);
  }
  if (length != 6) {
    Fail("stevilka tekmovalca bi morala imeti 6 stevk", 190);
  }
  int contestant = 0;
  if (ScanInts(line, 1, &contestant) != 1) {
    Fail(QuoteLine("v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"", line, "\""), 192);
  }
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica", 193);
  }
  CheckTaskName(line, "drugi", 194);
}
}  // namespace

const CaseResult& EvaluateCase(LineReader& reader, TestCase& testCase, int testNumber,
                               std::int64_t& lineCounter, BlockWorkspace& workspace) {
  CaseResult& result = workspace.result;
  result.rects.clear();
  result.rectangleCount = 0;
  result.testNumber = testNumber;
  result.testCase = &testCase;
  ++lineCounter;
  int count = 0;
  const int converted = reader.ReadInts(count);
  if (converted < 0) {
    Fail("manjka vrstica s stevilom pravokotnikov", 129);
  }
  const int cells = testCase.w * testCase.h;
  if (converted != 1 || count < 1 || count > cells) {
    Fail("stevilo pravokotnikov bi moralo biti od 1 do " + IntToStr(cells), 132);
  }
  workspace.whiteCells.Use(testCase);
  workspace.coverage.Begin(testCase);
  for (int k = 1; k <= count; ++k) {
    Rect* kept = workspace.keepRects ? &result.rects.emplace_back() : nullptr;
    Rect rect;
    ReadRect(reader, k, lineCounter, rect);
    if (kept != nullptr) {
      *kept = rect;
    }
    CheckRect(rect, k, testCase);
    CheckCells(rect, k, workspace);
  }
  CheckCoverage(testCase, workspace);
  result.rectangleCount = count;
  return result;
}

void ReadSubmission(LineReader& reader, TestCaseList& testCases, ReportEntryList& entries,
                    RunFacts* facts) {
  ReadHeader(reader);
  // With facts, the block at hand outlives a failure in it.
  BlockWorkspace ownWorkspace;
  BlockWorkspace& workspace = facts != nullptr ? facts->workspace : ownWorkspace;
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
           202);
    }
    TestCase* testCase = FindTestCase(testCases, testNumber);
    if (testCase == nullptr) {
      Fail(
          "v " + IntToStr(lineCounter) +
              ". vrstici se pojavlja neveljavna stevilka testnega primera: " + IntToStr(testNumber),
          204);
    }
    if (facts != nullptr) {
      facts->StartBlock(lineCounter);
    }
    const CaseResult& result = EvaluateCase(reader, *testCase, testNumber, lineCounter, workspace);
    entries.push_back({testNumber, result.rectangleCount});
  }
}

void ReadSubmission(const std::string& path, TestCaseList& testCases, ReportEntryList& entries,
                    RunFacts* facts) {
  FileSource source(path);
  LineReader reader(source);
  ReadSubmission(reader, testCases, entries, facts);
}
