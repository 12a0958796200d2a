#include "eval/task_input.h"

#include "base/scan_ints.h"
#include "eval/assertion.h"
#include "eval/checks.h"
#include "eval/picture_writer.h"

namespace {
void CheckSide(int value, std::string_view name, std::int64_t n, int check) {
  if (value < 1 || value > kMaxSide) {
    Fail("v " + IntToStr(n) + ". vrstici bi morala biti " + std::string(name) + " od 1 do " +
             IntToStr(kMaxSide) + ", ne pa " + IntToStr(value),
         check, {n});
  }
}

void ReadPicture(LineReader& reader, std::int64_t& lineCounter, TestCase& testCase,
                 PictureArena& pictures, RunObserver* observer) {
  if (observer != nullptr) {
    observer->PictureStarted(testCase);
  }
  const std::int64_t bytes = testCase.Stride() * testCase.h;
  bit_rows::Byte* rows = pictures.Allocate(static_cast<std::size_t>(bytes));
  testCase.cells = rows;
  PictureWriter writer(rows, testCase.w);
  std::string_view row;
  // A row of w cells and its line end is taken as it stands, without a search for the line
  // end; any other is read as a line, and its checks name the fault. The observer sees a row
  // taken so once it has passed, which it cannot tell from before its checks.
  const auto takeRow = [&writer, observer](std::string_view cells) {
    if (writer.Append(cells) >= 0) {
      return false;
    }
    if (observer != nullptr) {
      observer->PictureRowRead(cells);
    }
    return true;
  };
  for (int y = 0; y < testCase.h; ++y) {
    ++lineCounter;
    if (reader.ReadLineOfLength(testCase.w, takeRow)) {
      continue;
    }
    if (!reader.ReadLine(row)) {
      Fail("manjka vrstica y = " + IntToStr(y), check::kPictureRowMissing, {lineCounter});
    }
    if (observer != nullptr) {
      observer->PictureRowRead(row);
    }
    if (row.size() != testCase.w) {
      Fail("vrstica y = " + IntToStr(y) + " bi morala biti dolga " + IntToStr(testCase.w) +
               " znakov, ne pa " + IntToStr(static_cast<std::int64_t>(row.size())),
           check::kPictureRowLength, {lineCounter});
    }
    if (const int x = writer.Append(row); x >= 0) {
      Fail("znak za celico x = " + IntToStr(x) + ", y = " + IntToStr(y) + " ima s kodo " +
               IntToStr(static_cast<int>(static_cast<unsigned char>(row[x]))) +
               ", ki niti '.' niti '#'",
           check::kPictureCellByte, {lineCounter, 0, Cell{x, y}});
    }
  }
  testCase.blackCount = static_cast<std::int32_t>(writer.BlackCount());
}
}  // namespace

TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter, PictureArena& pictures,
                      RunObserver* observer) {
  std::string_view line;
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka " + IntToStr(lineCounter) + ". vrstica", check::kSeparatorMissing, {lineCounter});
  }
  if (!line.empty()) {
    Fail(QuoteLine("vrstica " + IntToStr(lineCounter) + " bi morala biti prazna, ne pa \"", line,
                   "\""),
         check::kSeparatorNotEmpty, {lineCounter});
  }
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka " + IntToStr(lineCounter) + ". vrstica", check::kSizeLineMissing, {lineCounter});
  }
  TestCase testCase;
  int values[5];
  if (ScanInts(line, 5, values) != 5) {
    Fail(QuoteLine(
             "v " + IntToStr(lineCounter) + ". vrstici bi moralo biti pet celih stevil, ne pa \"",
             line, "\""),
         check::kSizeLineNotFiveNumbers, {lineCounter});
  }
  CheckSide(values[1], "sirina w", lineCounter, check::kWidthOutOfRange);
  CheckSide(values[2], "visina h", lineCounter, check::kHeightOutOfRange);
  CheckSide(values[3], "velikost a", lineCounter, check::kLimitAOutOfRange);
  CheckSide(values[4], "velikost b", lineCounter, check::kLimitBOutOfRange);
  testCase.number = values[0];
  testCase.w = static_cast<std::uint16_t>(values[1]);
  testCase.h = static_cast<std::uint16_t>(values[2]);
  testCase.a = static_cast<std::uint16_t>(values[3]);
  testCase.b = static_cast<std::uint16_t>(values[4]);
  ReadPicture(reader, lineCounter, testCase, pictures, observer);
  return testCase;
}

void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunObserver* observer) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka prva vrstica z imenom naloge", check::kInputTaskNameMissing, {1});
  }
  CheckTaskName(line, "prvi", 1, check::kInputTaskNameWrong);
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica s stevilom testnih primerov", check::kCaseCountMissing, {2});
  }
  int count = 0;
  if (ScanInts(line, 1, &count) != 1 || count < 1) {
    Fail(QuoteLine("v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"", line, "\""),
         check::kCaseCountInvalid, {2});
  }
  testCases.clear();
  std::int64_t lineCounter = 2;
  for (int k = 1; k <= count; ++k) {
    const std::int64_t blockStart = lineCounter;
    TestCase testCase = ReadTestCase(reader, lineCounter, testCases.pictures, observer);
    if (testCase.number != k) {
      Fail("v vrsticah " + IntToStr(blockStart) + ".." + IntToStr(lineCounter) +
               " bi moral biti testni primer stevilka " + IntToStr(k) + ", ne pa " +
               IntToStr(testCase.number),
           check::kCaseNumberWrong, {lineCounter});
    }
    testCases.push_back(testCase);
  }
}

void CheckTaskName(std::string_view line, std::string_view whichLine, int lineNumber, int check) {
  if (line != TaskName) {
    Fail(QuoteLine("v " + std::string(whichLine) + " vrstici bi moral biti niz \"" +
                       std::string(TaskName) + "\", ne pa \"",
                   line, "\""),
         check, {lineNumber});
  }
}
