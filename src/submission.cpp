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

// Parses straight into the rectangle's fields: going through an array first makes the
// compiler copy it with one wide load that stalls on the four narrow stores before it.
void ReadRect(LineReader& reader, int k, std::int64_t& lineCounter, Rect& rect) {
  std::string_view line;
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka vrstica z " + Ordinal(k) + "pravokotnikom", 137);
  }
  IntScanner scanner(line);
  if (!(scanner.Next(rect.x) && scanner.Next(rect.y) && scanner.Next(rect.width) &&
        scanner.Next(rect.height))) {
    Fail("opis " + Ordinal(k) + "pravokotnika bi morala tvoriti stiri cela stevila", 139);
  }
}

void CheckRect(const Rect& rect, int k, TestCase& testCase) {
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
  int cellX = 0;
  int cellY = 0;
  if (rect.HasArea() &&
      FindWhiteCell(testCase, rect.x, rect.y, rect.width, rect.height, cellX, cellY)) {
    Fail(Ordinal(k) + "pravokotnik pobarva tudi celico x = " + IntToStr(cellX) +
             ", y = " + IntToStr(cellY) + ", ki bi morala ostati bela",
         148);
  }
}

void CheckCoverage(const TestCase& testCase, BlockWorkspace& workspace) {
  const auto cell = workspace.coverage.FirstMismatch(testCase, workspace.result.rects);
  if (!cell) {
    return;
  }
  const std::string where = "x = " + IntToStr(cell->x) + ", y = " + IntToStr(cell->y);
  if (testCase.IsBlack(cell->x, cell->y)) {
    Fail("celica " + where + " je ostala bela, pa bi morala postati crna", 157);
  }
  Fail("V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  " + where, 161);
}

void ReadHeader(LineReader& reader) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka stevilka tekmovalca", 189);
  }
  if (line.size() != 6) {
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
  result.testNumber = testNumber;
  result.testCase = &testCase;
  std::string_view line;
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka vrstica s stevilom pravokotnikov", 129);
  }
  const int cells = testCase.w * testCase.h;
  int count = 0;
  if (ScanInts(line, 1, &count) != 1 || count < 1 || count > cells) {
    Fail("stevilo pravokotnikov bi moralo biti od 1 do " + IntToStr(cells), 132);
  }
  // At most a million rectangles; pages that are never filled are never touched.
  result.rects.reserve(static_cast<std::size_t>(count));
  for (int k = 1; k <= count; ++k) {
    // Built in place; a rectangle that fails a check ends the run, so it never counts.
    Rect& rect = result.rects.emplace_back();
    ReadRect(reader, k, lineCounter, rect);
    CheckRect(rect, k, testCase);
  }
  CheckCoverage(testCase, workspace);
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
    if (!reader.ReadLine(line)) {
      break;
    }
    if (line.empty()) {
      continue;
    }
    int testNumber = 0;
    if (ScanInts(line, 1, &testNumber) != 1) {
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
    entries.push_back({testNumber, static_cast<int>(result.rects.size())});
  }
}

void ReadSubmission(const std::string& path, TestCaseList& testCases, ReportEntryList& entries,
                    RunFacts* facts) {
  FileSource source(path);
  LineReader reader(source);
  ReadSubmission(reader, testCases, entries, facts);
}
