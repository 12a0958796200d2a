#include "task_input.h"

#include "assertion.h"
#include "scan_ints.h"

namespace {
void Fail(std::string message, int check) {
  RaiseAssertion(std::move(message), SourceTag, check);
}

std::string LineNo(std::int64_t n) {
  return IntToStr(n);
}

void CheckSide(int value, std::string_view name, std::int64_t n, int check) {
  if (value < 1 || value > kMaxSide) {
    Fail("v " + LineNo(n) + ". vrstici bi morala biti " + std::string(name) + " od 1 do " +
             IntToStr(kMaxSide) + ", ne pa " + IntToStr(value),
         check);
  }
}

// Adds the black cells of a row and returns the column of its first byte that is neither '.'
// nor '#', or -1. One branch-free pass, since this runs over every cell of the input.
int ScanRow(std::string_view row, std::int64_t& blackCount) {
  int black = 0;
  bool bad = false;
  for (const char c : row) {
    black += c == '#';
    bad |= (c != '#') & (c != '.');
  }
  blackCount += black;
  if (!bad) {
    return -1;
  }
  int x = 0;
  while (row[x] == '#' || row[x] == '.') {
    ++x;
  }
  return x;
}

void ReadPicture(LineReader& reader, std::int64_t& lineCounter, TestCase& testCase) {
  testCase.rows.clear();
  testCase.rows.reserve(static_cast<std::size_t>(testCase.w) * testCase.h);
  std::string_view row;
  for (int y = 0; y < testCase.h; ++y) {
    ++lineCounter;
    if (!reader.ReadLine(row)) {
      Fail("manjka vrstica y = " + IntToStr(y), 74);
    }
    if (row.size() != static_cast<std::size_t>(testCase.w)) {
      Fail("vrstica y = " + IntToStr(y) + " bi morala biti dolga " + IntToStr(testCase.w) +
               " znakov, ne pa " + IntToStr(static_cast<std::int64_t>(row.size())),
           75);
    }
    if (const int x = ScanRow(row, testCase.blackCount); x >= 0) {
      Fail("znak za celico x = " + IntToStr(x) + ", y = " + IntToStr(y) + " ima s kodo " +
               IntToStr(static_cast<int>(static_cast<unsigned char>(row[x]))) +
               ", ki niti '.' niti '#'",
           79);
    }
    testCase.rows.append(row);
  }
}
}  // namespace

TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter) {
  std::string_view line;
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka " + LineNo(lineCounter) + ". vrstica", 61);
  }
  if (!line.empty()) {
    Fail(QuoteLine("vrstica " + LineNo(lineCounter) + " bi morala biti prazna, ne pa \"", line,
                   "\""),
         62);
  }
  ++lineCounter;
  if (!reader.ReadLine(line)) {
    Fail("manjka " + LineNo(lineCounter) + ". vrstica", 63);
  }
  TestCase testCase;
  int values[5];
  if (ScanInts(line, 5, values) != 5) {
    Fail(QuoteLine(
             "v " + LineNo(lineCounter) + ". vrstici bi moralo biti pet celih stevil, ne pa \"",
             line, "\""),
         65);
  }
  testCase.number = values[0];
  testCase.w = values[1];
  testCase.h = values[2];
  testCase.a = values[3];
  testCase.b = values[4];
  CheckSide(testCase.w, "sirina w", lineCounter, 66);
  CheckSide(testCase.h, "visina h", lineCounter, 67);
  CheckSide(testCase.a, "velikost a", lineCounter, 68);
  CheckSide(testCase.b, "velikost b", lineCounter, 69);
  ReadPicture(reader, lineCounter, testCase);
  return testCase;
}

void ReadTaskInput(LineReader& reader, TestCaseList& testCases) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka prva vrstica z imenom naloge", 91);
  }
  if (line != TaskName) {
    Fail(QuoteLine("v prvi vrstici bi moral biti niz \"" + std::string(TaskName) + "\", ne pa \"",
                   line, "\""),
         92);
  }
  if (!reader.ReadLine(line)) {
    Fail("manjka druga vrstica s stevilom testnih primerov", 95);
  }
  int count = 0;
  if (ScanInts(line, 1, &count) != 1 || count < 1) {
    Fail(QuoteLine("v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"", line, "\""),
         98);
  }
  testCases.clear();
  std::int64_t lineCounter = 2;
  for (int k = 1; k <= count; ++k) {
    const std::int64_t blockStart = lineCounter;
    TestCase testCase = ReadTestCase(reader, lineCounter);
    if (testCase.number != k) {
      Fail("v vrsticah " + LineNo(blockStart) + ".." + LineNo(lineCounter) +
               " bi moral biti testni primer stevilka " + IntToStr(k) + ", ne pa " +
               IntToStr(testCase.number),
           105);
    }
    testCases.push_back(std::move(testCase));
  }
}

void ReadTaskInput(const std::string& path, TestCaseList& testCases) {
  FileSource source(path);
  LineReader reader(source);
  ReadTaskInput(reader, testCases);
}

TestCase* FindTestCase(TestCaseList& testCases, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > testCases.size()) {
    return nullptr;
  }
  return &testCases[static_cast<std::size_t>(number) - 1];
}
