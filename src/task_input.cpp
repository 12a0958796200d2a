#include "task_input.h"

#include <algorithm>

#include "assertion.h"
#include "picture_writer.h"
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

void ReadPicture(LineReader& reader, std::int64_t& lineCounter, TestCase& testCase,
                 PictureArena& pictures, RunFacts* facts) {
  if (facts != nullptr) {
    facts->StartPicture(testCase);
  }
  const std::int64_t bytes = testCase.Stride() * testCase.h;
  bit_rows::Byte* rows = pictures.Allocate(static_cast<std::size_t>(bytes));
  testCase.cells = rows;
  PictureWriter writer(rows, testCase.w);
  std::string_view row;
  for (int y = 0; y < testCase.h; ++y) {
    ++lineCounter;
    if (!reader.ReadLine(row)) {
      Fail("manjka vrstica y = " + IntToStr(y), 74);
    }
    if (facts != nullptr) {
      facts->AddRow(row);
    }
    if (row.size() != testCase.w) {
      Fail("vrstica y = " + IntToStr(y) + " bi morala biti dolga " + IntToStr(testCase.w) +
               " znakov, ne pa " + IntToStr(static_cast<std::int64_t>(row.size())),
           75);
    }
    if (const int x = writer.Append(row); x >= 0) {
      if (facts != nullptr) {
        facts->SetBadCell(x, y);
      }
      Fail("znak za celico x = " + IntToStr(x) + ", y = " + IntToStr(y) + " ima s kodo " +
               IntToStr(static_cast<int>(static_cast<unsigned char>(row[x]))) +
               ", ki niti '.' niti '#'",
           79);
    }
  }
  testCase.blackCount = static_cast<std::int32_t>(writer.BlackCount());
}
}  // namespace

TestCase ReadTestCase(LineReader& reader, std::int64_t& lineCounter, PictureArena& pictures,
                      RunFacts* facts) {
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
  CheckSide(values[1], "sirina w", lineCounter, 66);
  CheckSide(values[2], "visina h", lineCounter, 67);
  CheckSide(values[3], "velikost a", lineCounter, 68);
  CheckSide(values[4], "velikost b", lineCounter, 69);
  testCase.number = values[0];
  testCase.w = static_cast<std::uint16_t>(values[1]);
  testCase.h = static_cast<std::uint16_t>(values[2]);
  testCase.a = static_cast<std::uint16_t>(values[3]);
  testCase.b = static_cast<std::uint16_t>(values[4]);
  ReadPicture(reader, lineCounter, testCase, pictures, facts);
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
    TestCase testCase = ReadTestCase(reader, lineCounter, testCases.pictures, facts);
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
  FileSource source(path);
  LineReader reader(source);
  ReadTaskInput(reader, testCases, facts);
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

PictureArena::~PictureArena() {
  for (const Block& block : blocks_) {
    FreePopulated(block.bytes, block.size);
  }
}

bit_rows::Byte* PictureArena::Allocate(std::size_t bytes) {
  bytes += bit_rows::kPadding;
  if (bytes > left_) {
    // Blocks grow with the input, from 64 KiB (a small input pays little) to 2 MiB.
    const std::size_t grown = (std::size_t{64} << 10) << std::min<std::size_t>(blocks_.size(), 5);
    const std::size_t size = std::max(bytes, grown);
    blocks_.push_back({static_cast<bit_rows::Byte*>(AllocatePopulated(size)), size});
    next_ = blocks_.back().bytes;
    left_ = size;
  }
  bit_rows::Byte* taken = next_;
  // The padding of one picture may be the first bytes of the next: it is only ever read.
  next_ += bytes - bit_rows::kPadding;
  left_ -= bytes - bit_rows::kPadding;
  return taken;
}
