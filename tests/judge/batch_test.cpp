// The batch's grading on several threads against the core's own evaluation of each file, its
// tables as CSV and JSON Lines, and its command line. Run under ThreadSanitizer by
// `make test-tsan`.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "eval/evaluation.h"
#include "judge/batch_args.h"
#include "judge/batch_grading.h"
#include "judge/batch_listing.h"
#include "judge/batch_tables.h"
#include "judge/json_reader.h"

namespace fs = std::filesystem;

namespace {
// Two test cases: 3 x 2 with limit 2 x 2, and 40 x 40 black but for a white diagonal, limit
// 40 x 40, whose large rectangles reach the white-cell searches and index.
std::string TaskInput() {
  std::string input = "Zelmiranke\n2\n\n1 3 2 2 2\n##.\n###\n\n2 40 40 40 40\n";
  for (int y = 0; y < 40; ++y) {
    std::string row(40, '#');
    row[static_cast<std::size_t>(y)] = '.';
    input += row + "\n";
  }
  return input;
}

// The second test case covered row by row on either side of the diagonal; `fault` 1 puts a
// rectangle over white cells first (check 148), 2 leaves out the last one (check 157).
std::string DiagonalBlock(int fault) {
  std::vector<std::string> rects;
  for (int y = 0; y < 40; ++y) {
    const std::string row = " " + std::to_string(y) + " ";
    if (y > 0)
      rects.push_back("0" + row + std::to_string(y) + " 1");
    if (y < 39)
      rects.push_back(std::to_string(y + 1) + row + std::to_string(39 - y) + " 1");
  }
  if (fault == 1)
    rects.insert(rects.begin(), "0 0 20 20");
  if (fault == 2)
    rects.pop_back();
  std::string text = "2\n" + std::to_string(rects.size()) + "\n";
  for (const std::string& rect : rects) text += rect + "\n";
  return text;
}

// A submission of a few blocks, valid or with a fault, from `seed`.
std::string Submission(unsigned seed) {
  std::mt19937 random(seed);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::string text = std::to_string(100000 + pick(5)) + "\nZelmiranke\n";
  for (int block = pick(4); block >= 0; --block) {
    if (pick(2) == 0) {
      text += pick(6) == 0 ? "1\n2\n0 0 2 2\n2 1 1 1\n" : "1\n3\n0 0 2 1\n0 1 3 1\n0 0 1 1\n";
    } else {
      text += DiagonalBlock(pick(8));
    }
  }
  if (pick(6) == 0) {
    text += "5 0 12 1\n";  // no test case 5
  }
  return text;
}

class BatchGradingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zelmiranke-batch-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "subs" / "nested");
    const std::string text = TaskInput();
    Write("input.txt", text);
    MemorySource input(text);
    EvaluateTaskInput(input, task_);
    ASSERT_FALSE(task_.failure || task_.unexpected);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }
  fs::path dir_;
  Evaluation task_;
};

TEST_F(BatchGradingTest, ThreadsAgreeWithTheEvaluatorFileByFileInTheOrderGiven) {
  std::vector<std::string> paths;
  for (unsigned seed = 0; seed < 60; ++seed) {
    paths.push_back(Write("subs/" + std::to_string(seed) + ".txt", Submission(seed)));
  }
  paths.push_back((dir_ / "missing.txt").string());
  paths.push_back((dir_ / "subs").string());
  std::atomic<bool> stop{false};
  std::vector<GradedSubmission> graded;
  ASSERT_TRUE(GradeAll(task_.testCases, paths, 4, stop, nullptr, graded));
  ASSERT_EQ(graded.size(), paths.size());
  std::map<std::string, int> verdicts;
  for (std::size_t i = 0; i + 2 < paths.size(); ++i) {
    Evaluation alone;
    Evaluate((dir_ / "input.txt").string(), paths[i], alone);
    EXPECT_EQ(graded[i].path, paths[i]);
    EXPECT_EQ(graded[i].verdict, VerdictOf(alone)) << paths[i];
    EXPECT_EQ(graded[i].check, alone.failure ? alone.failure->check : 0) << paths[i];
    std::map<int, int> smallest;
    for (const ReportEntry& entry : alone.entries) {
      auto [at, added] = smallest.emplace(entry.testNumber, entry.rectangleCount);
      at->second = std::min(at->second, entry.rectangleCount);
    }
    if (VerdictOf(alone) != Verdict::kOk) {
      smallest.clear();  // the blocks before a failure give no counts
    }
    std::map<int, int> counts;
    for (const TestCount& count : graded[i].counts) counts[count.test] = count.count;
    EXPECT_EQ(counts, smallest) << paths[i];
    EXPECT_EQ(graded[i].contestant.size(), 6u);
    ++verdicts[std::string(VerdictWordOf(graded[i])) + std::to_string(graded[i].check)];
  }
  EXPECT_GE(verdicts.size(), 3u);  // accepted, and rejected by more than one check
  EXPECT_TRUE(graded[paths.size() - 2].unreadable);
  EXPECT_TRUE(graded[paths.size() - 1].unreadable);  // a folder given as a file
}

TEST_F(BatchGradingTest, AStoppedBatchSaysSo) {
  const std::vector<std::string> paths(50, Write("one.txt", Submission(1)));
  std::atomic<bool> stop{true};
  std::vector<GradedSubmission> graded;
  EXPECT_FALSE(GradeAll(task_.testCases, paths, 2, stop, nullptr, graded));
}

TEST_F(BatchGradingTest, FoldersAreListedByNameLeavingOutDotFilesAndTheTables) {
  Write("subs/b.txt", "");
  Write("subs/a.txt", "");
  Write("subs/.hidden", "");
  Write("subs/nested/c.txt", "");
  fs::create_directories(dir_ / "subs" / "tables");
  Write("subs/tables/points.csv", "");
  const std::string subs = (dir_ / "subs").string();
  const std::vector<std::string> listed =
      ListSubmissions({subs, "x.txt", subs + "/a.txt"}, (dir_ / "subs" / "tables").string());
  const std::vector<std::string> expected = {
      (dir_ / "subs" / "a.txt").string(), (dir_ / "subs" / "b.txt").string(),
      (dir_ / "subs" / "nested" / "c.txt").string(), "x.txt", subs + "/a.txt"};
  EXPECT_EQ(listed, expected);
}

std::vector<GradedSubmission> HostileRows() {
  GradedSubmission ok;
  ok.path = "a,\"b\"\n\xff.txt";
  ok.verdict = Verdict::kOk;
  ok.contestant = "-12345";
  ok.counts = {{2, 7}};
  GradedSubmission unreadable;
  unreadable.path = "gone";
  unreadable.unreadable = true;
  GradedSubmission rejected;
  rejected.path = "r";
  rejected.verdict = Verdict::kRejected;
  rejected.check = 148;
  rejected.contestant = "000001";
  return {ok, unreadable, rejected};
}

TEST(BatchTablesTest, CsvQuotesWhatItMustAndLeavesTheRestAsBytes) {
  StringSink out;
  CsvSink sink(out);
  WriteSubmissionTable(sink, HostileRows(), 3);
  EXPECT_EQ(out.Text(),
            "path,contestant,verdict,check,1,2,3\n"
            "\"a,\"\"b\"\"\n\xff.txt\",-12345,ok,,,7,\n"
            "gone,,unreadable,,,,\n"
            "r,000001,rejected,148,,,\n");
}

TEST(BatchTablesTest, JsonLinesReadBackRowByRow) {
  StringSink out;
  JsonLinesSink sink(out);
  WriteSubmissionTable(sink, HostileRows(), 3);
  std::vector<JsonValue> rows;
  std::string_view text = out.Text();
  for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
    const std::optional<JsonValue> row = JsonReader::Parse(text.substr(0, end));
    ASSERT_TRUE(row) << text.substr(0, end);
    rows.push_back(*row);
    text.remove_prefix(end + 1);
  }
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Find("path")->text, "a,\"b\"\n\xff.txt");
  EXPECT_EQ(rows[0].Find("contestant")->text, "-12345");
  EXPECT_EQ(rows[0].Find("check")->kind, JsonValue::Kind::kNull);
  const JsonValue& counts = *rows[0].Find("counts");
  ASSERT_EQ(counts.items.size(), 3u);
  EXPECT_EQ(counts.items[0].kind, JsonValue::Kind::kNull);
  EXPECT_EQ(counts.items[1].number, 7);
  EXPECT_EQ(rows[1].Find("verdict")->text, "unreadable");
  EXPECT_EQ(rows[1].Find("contestant")->kind, JsonValue::Kind::kNull);
  EXPECT_EQ(rows[2].Find("check")->number, 148);
}

std::string ArgsError(const ModeArgs& args) {
  BatchArgs parsed;
  std::string error;
  return ParseBatchArgs(args, parsed, error) ? "" : error;
}

TEST(BatchArgsTest, OptionsBeforeAndBetweenThePaths) {
  BatchArgs parsed;
  std::string error;
  ASSERT_TRUE(ParseBatchArgs({"--jobs", "3", "in.txt", "--out", "t", "a", "--take", "last",
                              "--points", "1,2.5", "--", "--b"},
                             parsed, error))
      << error;
  EXPECT_EQ(parsed.input, "in.txt");
  EXPECT_EQ(parsed.submissions, (std::vector<std::string>{"a", "--b"}));
  EXPECT_EQ(parsed.jobs, 3u);
  EXPECT_EQ(parsed.take, Take::kLast);
  EXPECT_EQ(parsed.points, (std::vector<double>{1, 2.5}));
}

TEST(BatchArgsTest, EveryFaultIsNamed) {
  EXPECT_EQ(ArgsError({"in", "a"}), "manjka --out mapa");
  EXPECT_EQ(ArgsError({"--out", "t", "in"}), "manjkata uradni vhod in vsaj ena oddaja ali mapa");
  EXPECT_EQ(ArgsError({"--out", "t", "--jobs", "0", "in", "a"}),
            "neveljavna vrednost moznosti --jobs: 0");
  EXPECT_EQ(ArgsError({"--out", "t", "--points", "1,-2", "in", "a"}),
            "neveljavna vrednost moznosti --points: 1,-2");
  EXPECT_EQ(ArgsError({"--out", "t", "--points", "1,", "in", "a"}),
            "neveljavna vrednost moznosti --points: 1,");
  EXPECT_EQ(ArgsError({"--out", "t", "--formula", "square", "in", "a"}),
            "neveljavna vrednost moznosti --formula: square");
  EXPECT_EQ(ArgsError({"--out", "t", "in", "a", "--take"}), "moznost --take potrebuje vrednost");
  EXPECT_EQ(ArgsError({"--out", "t", "-j", "in", "a"}), "neznana moznost: -j");
  EXPECT_EQ(ArgsError({"--out", "t", "--formula", "thresholds", "--levels", "1", "in", "a"}),
            "--formula thresholds potrebuje --reference in --levels");
  EXPECT_EQ(ArgsError({"--out", "t", "--levels", "1", "in", "a"}),
            "--levels velja le za --formula thresholds");
}
}  // namespace
