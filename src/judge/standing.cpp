#include "judge/standing.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string_view>
#include <utility>

#include "base/line_reader.h"
#include "eval/assertion.h"
#include "eval/report.h"
#include "eval/task_input.h"

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The whole numbers of `line`, separated by blanks; false for any other text or a number out of
// range.
bool Numbers(std::string_view line, std::vector<std::int64_t>& numbers) {
  numbers.clear();
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && IsBlank(line[at])) {
      ++at;
    }
    if (at == line.size()) {
      return true;
    }
    std::int64_t value = 0;
    const char* const end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data() + at, end, value);
    if (error != std::errc() || (stop != end && !IsBlank(*stop))) {
      return false;
    }
    numbers.push_back(value);
    at = static_cast<std::size_t>(stop - line.data());
  }
}

// Sorts by test and keeps each test once, with its smallest reference: none counts as the
// largest, as any count earns full points against it.
void Settle(std::vector<TestRef>& tests) {
  const auto key = [](const TestRef& ref) {
    return std::pair(ref.test, ref.reference == 0 ? INT_MAX : ref.reference);
  };
  std::sort(tests.begin(), tests.end(),
            [&](const TestRef& a, const TestRef& b) { return key(a) < key(b); });
  tests.erase(std::unique(tests.begin(), tests.end(),
                          [](const TestRef& a, const TestRef& b) { return a.test == b.test; }),
              tests.end());
}

bool ListLine(std::string_view line, std::int64_t lineNumber, std::int64_t testCount,
              std::vector<std::int64_t>& numbers, std::vector<TestRef>& tests, std::string& fault) {
  if (!Numbers(line, numbers) || numbers.size() > 2) {
    fault = "v " + IntToStr(lineNumber) +
            ". vrstici odgovora bi morala biti stevilka testa in morda referencno stevilo "
            "pravokotnikov";
    return false;
  }
  if (numbers.empty()) {
    return true;
  }
  if (numbers[0] < 1 || numbers[0] > testCount) {
    fault = "odgovor v " + IntToStr(lineNumber) + ". vrstici navaja test, ki ga v uradnem vhodu ni";
    return false;
  }
  const std::int64_t reference = numbers.size() == 2 ? numbers[1] : 0;
  if (numbers.size() == 2 && (reference < 1 || reference > INT_MAX)) {
    fault =
        "referencno stevilo v " + IntToStr(lineNumber) + ". vrstici odgovora bi moralo biti vsaj 1";
    return false;
  }
  tests.push_back({static_cast<int>(numbers[0]), static_cast<int>(reference)});
  return true;
}

// Points of one test: its best count against its reference.
double TestPoints(int reference, int best) {
  return reference == 0 || best <= reference ? 1.0 : static_cast<double>(reference) / best;
}

Score ScoreOfEveryTest(const ReportEntryList& entries, std::int64_t testCount) {
  Score score;
  score.tests = testCount;
  std::vector<bool> answered(static_cast<std::size_t>(testCount) + 1, false);
  for (const ReportEntry& entry : entries) {
    // A block's test number was found in the task input, so it lies in 1..testCount.
    if (!answered[static_cast<std::size_t>(entry.testNumber)]) {
      answered[static_cast<std::size_t>(entry.testNumber)] = true;
      ++score.answered;
    }
  }
  for (std::int64_t test = 1; test <= testCount && score.missing.size() < kMissingShown; ++test) {
    if (!answered[static_cast<std::size_t>(test)]) {
      score.missing.push_back(static_cast<int>(test));
    }
  }
  score.fraction = testCount > 0 ? static_cast<double>(score.answered) / testCount : 0;
  score.full = score.answered == testCount;
  return score;
}

Score ScoreOfList(const std::vector<TestRef>& tests, const ReportEntryList& entries) {
  Score score;
  score.tests = static_cast<std::int64_t>(tests.size());
  std::vector<int> best(tests.size(), 0);  // 0: no block
  for (const ReportEntry& entry : entries) {
    const auto at = std::lower_bound(tests.begin(), tests.end(), entry.testNumber,
                                     [](const TestRef& ref, int test) { return ref.test < test; });
    if (at != tests.end() && at->test == entry.testNumber) {
      int& count = best[static_cast<std::size_t>(at - tests.begin())];
      count = count == 0 ? entry.rectangleCount : std::min(count, entry.rectangleCount);
    }
  }
  double points = 0;
  score.full = true;
  for (std::size_t i = 0; i < tests.size(); ++i) {
    if (best[i] == 0) {
      score.full = false;
      if (score.missing.size() < kMissingShown) {
        score.missing.push_back(tests[i].test);
      }
      continue;
    }
    ++score.answered;
    points += TestPoints(tests[i].reference, best[i]);
    score.full = score.full && TestPoints(tests[i].reference, best[i]) == 1.0;
  }
  score.fraction = tests.empty() ? 0 : points / static_cast<double>(tests.size());
  return score;
}
}  // namespace

AnswerForm ReadAnswerList(ByteSource& answer, std::int64_t testCount, Standing& standing,
                          std::string& fault) {
  LineReader reader(answer);
  std::vector<std::int64_t> numbers;
  std::vector<TestRef> tests;
  std::string_view line;
  std::string first;  // its meaning waits for the second line
  std::int64_t lineNumber = 0;
  while (reader.ReadLine(line)) {
    ++lineNumber;
    if (lineNumber == 1) {
      first = line;
      continue;
    }
    if (lineNumber == 2 && line == TaskName) {
      return AnswerForm::kSubmission;
    }
    if ((lineNumber == 2 && !ListLine(first, 1, testCount, numbers, tests, fault)) ||
        !ListLine(line, lineNumber, testCount, numbers, tests, fault)) {
      return AnswerForm::kList;
    }
  }
  if (lineNumber == 1 && !ListLine(first, 1, testCount, numbers, tests, fault)) {
    return AnswerForm::kList;
  }
  Settle(tests);
  standing.everyTest = tests.empty();
  standing.tests = std::move(tests);
  return AnswerForm::kList;
}

bool StandingOfReference(const RunOutcome& reference, Standing& standing, std::string& fault) {
  if (reference.unexpected || reference.failure) {
    StringSink line;
    WriteFirstLine(line, reference);
    fault = "odgovor je oddaja, ki ne prestane preverjanja: " + line.Text();
    return false;
  }
  std::vector<TestRef> tests;
  for (const ReportEntry& entry : reference.entries) {
    tests.push_back({entry.testNumber, entry.rectangleCount});
  }
  Settle(tests);
  standing.everyTest = tests.empty();
  standing.tests = std::move(tests);
  return true;
}

Score ScoreOf(const Standing& standing, const ReportEntryList& entries, std::int64_t testCount) {
  return standing.everyTest ? ScoreOfEveryTest(entries, testCount)
                            : ScoreOfList(standing.tests, entries);
}

std::string FractionText(const Score& score) {
  if (score.full) {
    return "1.0";
  }
  if (score.answered == 0) {
    return "0.0";
  }
  // Rounded, but never to full points nor to none.
  const long long millionths = std::clamp(std::llround(score.fraction * 1e6), 1LL, 999'999LL);
  std::string text = "0." + std::to_string(1'000'000 + millionths).substr(1);
  while (text.back() == '0') {
    text.pop_back();
  }
  return text;
}
