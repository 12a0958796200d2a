// The file of reference counts (batch_points.h): read with the evaluator's own line reader,
// so that its line ends are read the same on every system.
#include <charconv>
#include <cstdint>
#include <exception>

#include "base/byte_source.h"
#include "base/line_reader.h"
#include "judge/batch_points.h"

namespace {
// The whole numbers of a line, separated by blanks and tabs; false on anything else.
bool SplitNumbers(std::string_view line, std::vector<int>& numbers) {
  numbers.clear();
  std::size_t at = 0;
  for (;;) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) {
      return true;
    }
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    int number = 0;
    const auto [stop, error] = std::from_chars(line.data() + at, line.data() + end, number);
    if (error != std::errc() || stop != line.data() + end) {
      return false;
    }
    numbers.push_back(number);
    at = end;
  }
}

bool IsAside(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line[first] == '#';
}

// Takes one line into `reference`; the reason when it is not a valid one.
std::string TakeLine(std::string_view line, int testCount, std::size_t countsPerLine,
                     std::vector<std::vector<int>>& reference) {
  std::vector<int> numbers;
  if (!SplitNumbers(line, numbers) || numbers.size() < 2) {
    return "pricakovani so stevilka testa in stevila pravokotnikov, cela stevila";
  }
  const int test = numbers[0];
  if (test < 1 || test > testCount) {
    return "testa " + std::to_string(test) + " ni v uradnem vhodu";
  }
  std::vector<int>& counts = reference[static_cast<std::size_t>(test) - 1];
  if (!counts.empty()) {
    return "test " + std::to_string(test) + " je ze naveden";
  }
  counts.assign(numbers.begin() + 1, numbers.end());
  for (const int count : counts) {
    if (count < 1) {
      return "stevilo pravokotnikov mora biti vsaj 1";
    }
  }
  if (countsPerLine > 0 && counts.size() != countsPerLine) {
    return "stevil pravokotnikov mora biti toliko kot delezev v --levels: " +
           std::to_string(countsPerLine);
  }
  return {};
}
}  // namespace

bool ReadReference(const std::string& path, int testCount, std::size_t countsPerLine,
                   std::vector<std::vector<int>>& reference, std::string& error) {
  FileSource source(path);
  if (!source.IsOpen()) {
    error = "referencne datoteke ni mogoce odpreti: " + path;
    return false;
  }
  reference.assign(static_cast<std::size_t>(testCount), {});
  try {
    LineReader reader(source);
    std::string_view line;
    for (std::int64_t number = 1; reader.ReadLine(line); ++number) {
      if (IsAside(line)) {
        continue;
      }
      const std::string fault = TakeLine(line, testCount, countsPerLine, reference);
      if (!fault.empty()) {
        error = path + ", " + std::to_string(number) + ". vrstica: " + fault;
        return false;
      }
    }
  } catch (const std::exception&) {
    error = "referencne datoteke ni bilo mogoce prebrati: " + path;
    return false;
  }
  for (std::size_t t = 0; t < reference.size(); ++t) {
    if (reference[t].empty()) {
      error = path + ": manjka test " + std::to_string(t + 1);
      return false;
    }
  }
  return true;
}
