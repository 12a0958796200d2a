// The explanation's golden cases: one folder of tests/explain-cases a case, with input.txt,
// submission.txt and expected.txt (the explanation's lines). A file `stdin` in the folder gives
// the submission as a file that cannot be read again. Adding a case is adding a folder; with
// ZEL_WRITE_EXPECTED set, each case writes what it got as its expected.txt, to be read over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "explain/explanation.h"

namespace {
namespace fs = std::filesystem;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(ZEL_EXPLAIN_CASES_DIR)) {
    if (entry.is_directory()) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ExplainCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ExplainCase, GivesTheExpectedLines) {
  const fs::path dir = fs::path(ZEL_EXPLAIN_CASES_DIR) / GetParam();
  const std::string input = (dir / "input.txt").string();
  const std::string submission = (dir / "submission.txt").string();
  BlockTrail trail;
  Evaluation evaluation;
  Evaluate(input, submission, evaluation, &trail);
  const bool once = fs::exists(dir / "stdin");
  const Explanation why =
      Explain(evaluation, trail, {ReopenFile(input), once ? Reopen() : ReopenFile(submission)});
  std::string lines;
  for (const std::string& line : ExplanationLines(why)) {
    lines += line + "\n";
  }
  if (std::getenv("ZEL_WRITE_EXPECTED") != nullptr) {
    std::ofstream(dir / "expected.txt", std::ios::binary) << lines;
  }
  EXPECT_EQ(lines, ReadAll(dir / "expected.txt")) << dir;
}

// Every golden case of the evaluator, its submission read again or not: lines of printable
// ASCII, and the where of every failure.
TEST(Explain, PrintableLinesForEveryGoldenCase) {
  for (const auto& entry : fs::directory_iterator(ZEL_CASES_DIR)) {
    const std::string input = (entry.path() / "input.txt").string();
    const std::string submission = (entry.path() / "submission.txt").string();
    BlockTrail trail;
    Evaluation evaluation;
    Evaluate(input, submission, evaluation, &trail);
    for (const bool again : {true, false}) {
      const Explanation why = Explain(
          evaluation, trail, {ReopenFile(input), again ? ReopenFile(submission) : Reopen()});
      const std::vector<std::string> lines = ExplanationLines(why);
      EXPECT_EQ(lines.empty(), !evaluation.failure && !evaluation.unexpected) << entry.path();
      for (const std::string& line : lines) {
        EXPECT_TRUE(
            std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7f; }))
            << entry.path() << ": " << line;
      }
      if (evaluation.failure) {
        EXPECT_EQ(why.line, evaluation.failure->site.line);
        EXPECT_FALSE(why.english.empty());
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, ExplainCase, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });
}  // namespace
