// The reference evaluation against the golden cases: on every case whose two files stand in its
// folder, the reference must fail the check the expected report names, at the rectangle, cell
// and line its message names, or pass with the same entries. Both were written from the task's
// rules alone, so each holds the other.
#include "reference/reference.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The number the first match of `pattern` in `text` captures (in whichever of its groups), or 0.
std::int64_t Captured(const std::string& text, const char* pattern) {
  std::smatch match;
  if (std::regex_search(text, match, std::regex(pattern))) {
    for (std::size_t group = 1; group < match.size(); ++group) {
      if (match[group].matched) {
        return std::stoll(match[group]);
      }
    }
  }
  return 0;
}

// The verdict an expected report stands for, as far as its text tells.
reference::Verdict VerdictOfReport(const std::string& report) {
  reference::Verdict verdict;
  std::istringstream lines(report);
  std::string first;
  std::getline(lines, first);
  if (first == "OK") {
    std::string count;
    std::getline(lines, count);
    reference::Entry entry;
    while (lines >> entry.test >> entry.count) {
      verdict.entries.push_back(entry);
    }
    return verdict;
  }
  verdict.check = static_cast<int>(Captured(first, R"(^Napaka \[Ozi18Zelmiranke:(\d+)\])"));
  // What the message says before any line it quotes.
  const std::string said = first.substr(0, first.find('"'));
  verdict.rectangle = static_cast<int>(Captured(said, R"((\d+)\. pravokotnik)"));
  std::smatch cell;
  if (std::regex_search(said, cell, std::regex(R"(x = (\d+), y = (\d+))"))) {
    verdict.cell = reference::Cell{std::stoi(cell[1]), std::stoi(cell[2])};
  }
  verdict.line = Captured(said, R"((\d+)\. vrstic|vrstica (\d+) bi|\.\.(\d+) bi)");
  return verdict;
}
}  // namespace

TEST(Reference, AgreesWithTheGoldenCases) {
  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(ZEL_CASES_DIR)) {
    const fs::path dir = entry.path();
    // Cases about the command line and the files themselves, and generated ones, are left out.
    if (fs::exists(dir / "args") || fs::exists(dir / "generate") ||
        !fs::exists(dir / "expected.txt")) {
      continue;
    }
    const std::string input = fs::exists(dir / "input.txt") ? ReadFile(dir / "input.txt") : "";
    const std::string submission =
        fs::exists(dir / "submission.txt") ? ReadFile(dir / "submission.txt") : "";
    reference::Verdict got = reference::EvaluateRun(input, submission);
    const reference::Verdict expected = VerdictOfReport(ReadFile(dir / "expected.txt"));
    // Only what the message names is compared.
    got.line = expected.line == 0 ? 0 : got.line;
    got.rectangle = expected.rectangle == 0 ? 0 : got.rectangle;
    got.cell = expected.cell ? got.cell : std::nullopt;
    EXPECT_EQ(reference::Describe(got), reference::Describe(expected)) << dir.filename();
    ++compared;
  }
  EXPECT_GT(compared, 80);
}
