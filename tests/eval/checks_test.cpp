// The list of checks for users (docs/checks.md) names every check the evaluator can raise, and
// only those, each with the file and the party at fault of the table of checks.
#include "eval/checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "eval/evaluation.h"

namespace {
struct Documented {
  std::string file;
  std::string party;
};

// The file and party columns of every row of the table under "## The list", by check number.
std::map<int, Documented> DocumentedChecks() {
  std::ifstream in(ZEL_DOCS_DIR "/checks.md");
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  const auto start = all.find("## The list");
  const std::string list = all.substr(start, all.find("\n## ", start + 1) - start);
  const std::regex row(R"(\n\| (\d+) \| ([^|]*) \| ([^|]*) \|)");
  std::map<int, Documented> checks;
  for (std::sregex_iterator it(list.begin(), list.end(), row), end; it != end; ++it) {
    checks[std::stoi((*it)[1])] = {(*it)[2], (*it)[3]};
  }
  return checks;
}

std::string WordsOf(Party party) {
  switch (party) {
    case Party::kContestant:
      return "contestant";
    case Party::kGradingSetup:
      return "organizer";
    case Party::kEvaluator:
      return "the evaluator";
  }
  return "";
}

TEST(ChecksDocument, ListsEveryCheckOfTheCodeWithItsFileAndParty) {
  std::map<int, Documented> documented = DocumentedChecks();
  for (const CheckInfo& info : kChecks) {
    ASSERT_EQ(documented.count(info.number), 1u) << "check " << info.number << " is not listed";
    const Documented& row = documented[info.number];
    EXPECT_EQ(row.file, info.part == CheckPart::kTaskInput ? "task input" : "submission")
        << info.number;
    EXPECT_EQ(row.party.rfind(WordsOf(info.party), 0), 0u) << info.number << ": " << row.party;
    documented.erase(info.number);
  }
  for (const auto& [number, row] : documented) {
    ADD_FAILURE() << "check " << number << " is listed but the evaluator has none";
  }
}

TEST(FindCheck, NumbersThatAreNoCheck) {
  for (const int number : {0, 64, 160, 203, -148}) {
    EXPECT_EQ(FindCheck(number), nullptr) << number;
    EXPECT_EQ(PartOfCheck(number), CheckPart::kNone);
    EXPECT_EQ(PartyOfCheck(number), Party::kEvaluator);
  }
}

// Every failure of a golden case points at what its check's row says it names.
TEST(FindCheck, GoldenFailuresNameWhatTheTableSays) {
  int failures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZEL_CASES_DIR)) {
    const std::filesystem::path input = entry.path() / "input.txt";
    const std::filesystem::path submission = entry.path() / "submission.txt";
    if (!std::filesystem::is_regular_file(input) || !std::filesystem::exists(submission)) {
      continue;
    }
    Evaluation evaluation;
    Evaluate(input.string(), submission.string(), evaluation);
    if (!evaluation.failure) {
      continue;
    }
    ++failures;
    const EAssertion& failure = *evaluation.failure;
    const CheckInfo* info = FindCheck(failure.check);
    ASSERT_NE(info, nullptr) << entry.path();
    EXPECT_EQ(failure.site.line > 0, info->namesLine) << entry.path();
    EXPECT_EQ(failure.site.rectangle > 0, info->rectangle != RectNamed::kNoRect) << entry.path();
    EXPECT_EQ(failure.site.cell.has_value(), info->namesCell) << entry.path();
  }
  EXPECT_GT(failures, 50);
}
}  // namespace
