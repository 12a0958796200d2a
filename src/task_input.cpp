#include "task_input.h"

#include <algorithm>

#include "assertion.h"
#include "run_facts.h"
#include "scan_ints.h"

namespace {
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
// nor '#', or -1. Counting is a vectorised pass; only a bad row is searched.
int ScanRow(std::string_view row, std::int64_t& blackCount) {
  const auto black = std::count(row.begin(), row.end(), '#');
  blackCount += black;
  if (black + std::count(row.begin(), row.end(), '.') == static_cast<std::ptrdiff_t>(row.size())) {
    return -1;
  }
  return static_cast<int>(
      std::find_if(row.begin(), row.end(), [](char c) { return c != '#' && c != '.'; }) -
      row.begin());
}

// Keeps the picture where the reader has it when the rows stand at equal distances in the
// mapped file (the usual case: one line end after each row), and copies it otherwise.
class PictureStore {
 public:
  PictureStore(TestCase& testCase, bool inPlace) : testCase_(testCase), inPlace_(inPlace) {
    if (!inPlace_) {
      testCase_.ownedRows.reserve(static_cast<std::size_t>(testCase_.w) * testCase_.h);
    }
  }
  void Add(int y, std::string_view row) {
    if (inPlace_) {
      if (y == 0) {
        first_ = row.data();
      } else if (y == 1) {
        stride_ = static_cast<std::size_t>(row.data() - first_);
      } else if (row.data() != first_ + static_cast<std::size_t>(y) * stride_) {
        CopyRowsSoFar(y);
      }
    }
    if (!inPlace_) {
      testCase_.ownedRows.append(row);
    }
  }
  void Finish() {
    if (inPlace_) {
      testCase_.mappedRows = first_;
      testCase_.rowStride = testCase_.h == 1 ? static_cast<std::size_t>(testCase_.w) : stride_;
    } else {
      testCase_.rowStride = static_cast<std::size_t>(testCase_.w);
    }
  }

 private:
  void CopyRowsSoFar(int y) {
    inPlace_ = false;
    testCase_.ownedRows.reserve(static_cast<std::size_t>(testCase_.w) * testCase_.h);
    for (int row = 0; row < y; ++row) {
      testCase_.ownedRows.append(first_ + static_cast<std::size_t>(row) * stride_,
                                 static_cast<std::size_t>(testCase_.w));
    }
  }
  TestCase& testCase_;
  bool inPlace_;
  const char* first_ = nullptr;
  std::size_t stride_ = 0;
};

void ReadPicture(LineReader& reader, std::int64_t& lineCounter, TestCase& testCase,
                 RunFacts* facts) {
  if (facts != nullptr) {
    facts->StartPicture(testCase);
  }
  PictureStore store(testCase, reader.LinesStayValid());
  std::string_view row;
  for (int y = 0; y < testCase.h; ++y) {
    ++lineCounter;
    if (!reader.ReadLine(row)) {
      Fail("manjka vrstica y = " + IntToStr(y), 74);
    }
    if (facts != nullptr) {
      facts->AddRow(row);
    }
    if (row.size() != static_cast<std::size_t>(testCase.w)) {
      Fail("vrstica y = " + IntToStr(y) + " bi morala biti dolga " + IntToStr(testCase.w) +
               " znakov, ne pa " + IntToStr(static_cast<std::int64_t>(row.size())),
           75);
    }
    if (const int x = ScanRow(row, testCase.blackCount); x >= 0) {
      if (facts != nullptr) {
        facts->SetBadCell(x, y);
      }
      Fail("znak za celico x = " + IntToStr(x) + ", y = " + IntToStr(y) + " ima s kodo " +
               IntToStr(static_cast<int>(static_cast<unsigned char>(row[x]))) +
               ", ki niti '.' niti '#'",
           79);
    }
    store.Add(y, row);
  }
  store.Finish();
}
}  // namespace

TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter, RunFacts* facts) {
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
  ReadPicture(reader, lineCounter, testCase, facts);
  return testCase;
}

void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunFacts* facts) {
  std::string_view line;
  if (!reader.ReadLine(line)) {
    Fail("manjka prva vrstica z imenom naloge", 91);
  }
  CheckTaskName(line, "prvi", 92);
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
    TestCase testCase = ReadTestCase(reader, lineCounter, facts);
    if (testCase.number != k) {
      Fail("v vrsticah " + LineNo(blockStart) + ".." + LineNo(lineCounter) +
               " bi moral biti testni primer stevilka " + IntToStr(k) + ", ne pa " +
               IntToStr(testCase.number),
           105);
    }
    testCases.push_back(std::move(testCase));
  }
}

void ReadTaskInput(const std::string& path, TestCaseList& testCases, RunFacts* facts) {
  auto source = std::make_unique<FileSource>(path);
  LineReader reader(*source);
  ReadTaskInput(reader, testCases, facts);
  testCases.input = std::move(source);
}

void CheckTaskName(std::string_view line, std::string_view whichLine, int check) {
  if (line != TaskName) {
    Fail(QuoteLine("v " + std::string(whichLine) + " vrstici bi moral biti niz \"" +
                       std::string(TaskName) + "\", ne pa \"",
                   line, "\""),
         check);
  }
}

TestCase* FindTestCase(TestCaseList& testCases, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > testCases.size()) {
    return nullptr;
  }
  return &testCases[static_cast<std::size_t>(number) - 1];
}
