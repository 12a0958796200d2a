// The list of checks for users (docs/checks.md) names every check the evaluator can raise, and
// only those, each with the party at fault that its part of the files implies.
#include "eval/checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {
// Check number and party column of every row of the table under "## The list".
std::map<int, std::string> DocumentedChecks() {
  std::ifstream in(ZEL_DOCS_DIR "/checks.md");
  std::stringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  const auto start = all.find("## The list");
  const std::string list = all.substr(start, all.find("\n## ", start + 1) - start);
  const std::regex row(R"(\n\| (\d+) \|[^|]*\|([^|]*)\|)");
  std::map<int, std::string> checks;
  for (std::sregex_iterator it(list.begin(), list.end(), row), end; it != end; ++it) {
    checks[std::stoi((*it)[1])] = (*it)[2];
  }
  return checks;
}

TEST(ChecksDocument, ListsEveryCheckOfTheCodeWithItsParty) {
  std::map<int, std::string> documented = DocumentedChecks();
  for (const CheckInfo& info : kChecks) {
    ASSERT_EQ(documented.count(info.number), 1u) << "check " << info.number << " is not listed";
    const std::string& party = documented[info.number];
    if (info.part == CheckPart::kTaskInput) {
      EXPECT_NE(party.find("organizer"), std::string::npos) << info.number;
    } else if (info.number != check::kCoverInconsistent) {
      EXPECT_NE(party.find("contestant"), std::string::npos) << info.number;
    }
    documented.erase(info.number);
  }
  for (const auto& [number, party] : documented) {
    ADD_FAILURE() << "check " << number << " is listed but the evaluator has none";
  }
}

TEST(PartOfCheck, RangesOfTheChecks) {
  for (const int number : {61, 105}) EXPECT_EQ(PartOfCheck(number), CheckPart::kTaskInput);
  for (const int number : {129, 161}) EXPECT_EQ(PartOfCheck(number), CheckPart::kBlock);
  for (const int number : {189, 194}) EXPECT_EQ(PartOfCheck(number), CheckPart::kHeader);
  for (const int number : {202, 204}) EXPECT_EQ(PartOfCheck(number), CheckPart::kBlockStart);
  for (const int number : {0, 64, 203}) EXPECT_EQ(PartOfCheck(number), CheckPart::kNone);
}
}  // namespace
