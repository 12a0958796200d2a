#include "eval/task_input.h"

#include "base/scan_ints.h"
#include "eval/assertion.h"
#include "eval/checks.h"
#include "eval/picture_writer.h"

namespace {
// The check that a side or limit `name` on line `line` lies in 1..kMaxSide.
void CheckSide(int value, std::string_view name, std::int64_t line, int checkNumber) {
  if (value < 1 || value > kMaxSide) {
    Fail("v " + IntToStr(line) + ". vrstici bi morala biti " + std::string(name) + " od 1 do " +
             IntToStr(kMaxSide) + ", ne pa " + IntToStr(value),
         checkNumber, {line});
  }
}

void ReadPicture(LineReader& reader, TestCase& testCase, PictureArena& pictures,
                 RunObserver* observer) {
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
    if (reader.ReadLineOfLength(testCase.w, takeRow)) {
      continue;
    }
    if (!reader.ReadLine(row)) {
      Fail("manjka vrstica y = " + IntToStr(y), check::kPictureRowMissing, {reader.LineNumber()});
    }
    if (observer != nullptr) {
      observer->PictureRowRead(row);
    }
    if (row.size() != testCase.w) {
      Fail("vrstica y = " + IntToStr(y) + " bi morala biti dolga " + IntToStr(testCase.w) +
               " znakov, ne pa " + IntToStr(static_cast<std::int64_t>(row.size())),
           check::kPictureRowLength, {reader.LineNumber()});
    }
    if (const int x = writer.Append(row); x >= 0) {
      Fail("znak za celico x = " + IntToStr(x) + ", y = " + IntToStr(y) + " ima s kodo " +
               IntToStr(static_cast<int>(static_cast<unsigned char>(row[x]))) +
               ", ki niti '.' niti '#'",
           check::kPictureCellByte, {reader.LineNumber(), 0, Cell{x, y}});
    }
  }
  testCase.blackCount = static_cast<std::int32_t>(writer.BlackCount());
}

// Reads one test case, its picture into `pictures`.
TestCase ReadTestCase(LineReader& reader, PictureArena& pictures, RunObserver* observer) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka " + IntToStr(reader.LineNumber()) + ". vrstica", check::kSeparatorMissing,
         {reader.LineNumber()});
  }
  if (!line.empty()) {
    Fail(QuoteLine("vrstica " + IntToStr(reader.LineNumber()) + " bi morala biti prazna, ne pa \"",
                   line, "\""),
         check::kSeparatorNotEmpty, {reader.LineNumber()});
  }
  if (!reader.ReadLine(line)) {
    Fail("manjka " + IntToStr(reader.LineNumber()) + ". vrstica", check::kSizeLineMissing,
         {reader.LineNumber()});
  }
  const std::int64_t sizeLine = reader.LineNumber();
  TestCase testCase;
  int values[5];
  if (ScanInts(line, 5, values) != 5) {
    Fail(
        QuoteLine("v " + IntToStr(sizeLine) + ". vrstici bi moralo biti pet celih stevil, ne pa \"",
                  line, "\""),
        check::kSizeLineNotFiveNumbers, {sizeLine});
  }
  CheckSide(values[1], "sirina w", sizeLine, check::kWidthOutOfRange);
  CheckSide(values[2], "visina h", sizeLine, check::kHeightOutOfRange);
  CheckSide(values[3], "velikost a", sizeLine, check::kLimitAOutOfRange);
  CheckSide(values[4], "velikost b", sizeLine, check::kLimitBOutOfRange);
  testCase.number = values[0];
  testCase.w = static_cast<std::uint16_t>(values[1]);
  testCase.h = static_cast<std::uint16_t>(values[2]);
  testCase.a = static_cast<std::uint16_t>(values[3]);
  testCase.b = static_cast<std::uint16_t>(values[4]);
  ReadPicture(reader, testCase, pictures, observer);
  return testCase;
}
}  // namespace

void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunObserver* observer) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka prva vrstica z imenom naloge", check::kInputTaskNameMissing,
         {reader.LineNumber()});
  }
  CheckTaskName(line, "prvi", reader.LineNumber(), check::kInputTaskNameWrong);
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica s stevilom testnih primerov", check::kCaseCountMissing,
         {reader.LineNumber()});
  }
  int count = 0;
  if (ScanInts(line, 1, &count) != 1 || count < 1) {
    Fail(QuoteLine("v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"", line, "\""),
         check::kCaseCountInvalid, {reader.LineNumber()});
  }
  for (int k = 1; k <= count; ++k) {
    const std::int64_t lineBefore = reader.LineNumber();
    const TestCase testCase = ReadTestCase(reader, testCases.pictures, observer);
    if (testCase.number != k) {
      Fail("v vrsticah " + IntToStr(lineBefore) + ".." + IntToStr(reader.LineNumber()) +
               " bi moral biti testni primer stevilka " + IntToStr(k) + ", ne pa " +
               IntToStr(testCase.number),
           check::kCaseNumberWrong, {reader.LineNumber()});
    }
    testCases.push_back(testCase);
  }
}

void CheckTaskName(std::string_view line, std::string_view whichLine, std::int64_t lineNumber,
                   int checkNumber) {
  if (line != TaskName) {
    Fail(QuoteLine("v " + std::string(whichLine) + " vrstici bi moral biti niz \"" +
                       std::string(TaskName) + "\", ne pa \"",
                   line, "\""),
         checkNumber, {lineNumber});
  }
}
