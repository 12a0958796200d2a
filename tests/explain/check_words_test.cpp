// The words of the checks: docs/checks.md says what the table says, every message the evaluator
// writes follows its template, and every likely cause the code gives is documented for its
// check.
#include "explain/check_words.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "eval/checks.h"
#include "explain/explanation.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The cells of each row of the table under "## The list", by check number.
std::map<int, std::vector<std::string>> DocumentedRows() {
  const std::string all = ReadAll(fs::path(ZEL_DOCS_DIR) / "checks.md");
  const auto start = all.find("## The list");
  std::istringstream list(all.substr(start, all.find("\n## ", start + 1) - start));
  std::map<int, std::vector<std::string>> rows;
  for (std::string line; std::getline(list, line);) {
    if (line.size() < 3 || line[0] != '|' || line[2] < '0' || line[2] > '9') {
      continue;
    }
    std::vector<std::string> cells;
    for (std::size_t at = 2; at < line.size();) {
      const std::size_t end = line.find(" |", at);
      cells.push_back(line.substr(at, end - at));
      at = end + 3;
    }
    rows[std::stoi(cells[0])] = cells;
  }
  return rows;
}

TEST(CheckWords, TheDocumentListsTheWordsOfTheTable) {
  std::map<int, std::vector<std::string>> rows = DocumentedRows();
  for (const CheckInfo& info : kChecks) {
    const CheckWords* words = FindCheckWords(info.number);
    ASSERT_NE(words, nullptr) << "check " << info.number << " has no words";
    ASSERT_EQ(rows.count(info.number), 1u) << "check " << info.number << " is not listed";
    const std::vector<std::string>& cells = rows[info.number];
    ASSERT_EQ(cells.size(), 7u) << info.number;
    EXPECT_EQ(cells[3], "`" + std::string(words->slovene) + "`") << info.number;
    EXPECT_EQ(cells[4], words->english) << info.number;
    EXPECT_EQ(cells[5], words->fix) << info.number;
    rows.erase(info.number);
  }
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(AllCheckWords().size(), std::size(kChecks));
}

// Every failure of the evaluator's golden cases follows its check's template.
TEST(CheckWords, GoldenMessagesFollowTheirTemplates) {
  int failures = 0;
  for (const auto& entry : fs::directory_iterator(ZEL_CASES_DIR)) {
    const fs::path input = entry.path() / "input.txt";
    const fs::path submission = entry.path() / "submission.txt";
    if (!fs::is_regular_file(input) || !fs::exists(submission)) {
      continue;
    }
    Evaluation evaluation;
    Evaluate(input.string(), submission.string(), evaluation);
    if (!evaluation.failure) {
      continue;
    }
    ++failures;
    const std::string& message = evaluation.failure->message;
    const CheckWords& words = *FindCheckWords(evaluation.failure->check);
    if (words.slovene.find('{') == std::string_view::npos) {
      EXPECT_EQ(message, words.slovene) << entry.path();
    } else {
      EXPECT_FALSE(TemplateValues(words.slovene, message).empty()) << entry.path();
    }
  }
  EXPECT_GT(failures, 50);
}

TEST(TemplateValues, NamedValuesAndAMessageCutShort) {
  const auto values =
      TemplateValues("v {n}. vrstici, ne pa \"{text}\"", "v 12. vrstici, ne pa \"a\"b\"");
  EXPECT_EQ(values.at("n"), "12");
  EXPECT_EQ(values.at("text"), "a\"b");
  // A zero byte in the quoted line ended the message: no closing quote.
  EXPECT_EQ(TemplateValues("ne pa \"{text}\"", "ne pa \"ab").at("text"), "ab");
  EXPECT_TRUE(TemplateValues("v {n}. vrstici", "na 12. vrstici").empty());
}

// No file can fail check 161, so no golden case holds its message: its English line is filled
// from the message the evaluator would write.
TEST(FillTemplate, TheInternalCheckLeavesNoPlaceholder) {
  const CheckWords& words = *FindCheckWords(161);
  const std::string message =
      "V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  x = 3, y = 14";
  EXPECT_EQ(FillTemplate(words.english, TemplateValues(words.slovene, message)),
            "THERE IS A FAULT IN THE EVALUATION PROGRAM. Tell the competition organizers. x = 3, "
            "y = 14");
}

TEST(FillTemplate, ValuesArePrintableAndCut) {
  const std::string line = std::string("\x01\xEF") + std::string(500, 'x');
  const std::string filled = FillTemplate("not \"{text}\" at {n}", {{"text", line}});
  EXPECT_EQ(filled.substr(0, 14), "not \"\\x01\\xEFx");
  EXPECT_EQ(filled.size(), std::string("not \"\"... at {n}").size() + kLineRoom);
  EXPECT_NE(filled.find("...\" at {n}"), std::string::npos);
}

std::set<std::string> DocumentedCauses(const std::string& cell) {
  std::set<std::string> names;
  for (std::size_t at = cell.find('['); at != std::string::npos; at = cell.find('[', at + 1)) {
    names.insert(cell.substr(at + 1, cell.find(']', at) - at - 1));
  }
  return names;
}

// The likely causes of the golden cases of the explanation: each listed for its check, and
// each cause the document lists shown by one case at least.
TEST(LikelyCauses, DocumentedForTheirChecks) {
  const std::map<int, std::vector<std::string>> rows = DocumentedRows();
  std::set<std::string> listed;
  for (const auto& [number, cells] : rows) {
    const std::set<std::string> names = DocumentedCauses(cells[6]);
    listed.insert(names.begin(), names.end());
  }
  std::set<std::string> shown;
  for (const auto& entry : fs::directory_iterator(ZEL_EXPLAIN_CASES_DIR)) {
    const std::string input = (entry.path() / "input.txt").string();
    const std::string submission = (entry.path() / "submission.txt").string();
    BlockTrail trail;
    Evaluation evaluation;
    Evaluate(input, submission, evaluation, &trail);
    const Explanation why = Explain(evaluation, trail, {ReopenFile(input), ReopenFile(submission)});
    if (why.cause) {
      const std::string name(why.cause->name);
      EXPECT_EQ(DocumentedCauses(rows.at(why.check)[6]).count(name), 1u)
          << entry.path() << ": " << name << " is not listed for check " << why.check;
      shown.insert(name);
    }
  }
  EXPECT_EQ(shown, listed);
}
}  // namespace
