#include "eval/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <vector>

#include "base/output_file.h"
#include "eval/assertion.h"

namespace fs = std::filesystem;

namespace {
class RunEvalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zelmiranke-run-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Write("input.txt", "Zelmiranke\n1\n\n1 3 2 2 2\n##.\n###\n");
    Write("submission.txt", "123456\nZelmiranke\n1\n2\n0 0 2 2\n2 1 1 1\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  int Run(const std::string& report, RunObserver* observer = nullptr) {
    std::vector<std::string> words = {"Ozi18Zelmiranke", "eval", Path("input.txt"),
                                      Path("submission.txt"), report};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    ::testing::internal::CaptureStdout();
    const int status = RunEval(static_cast<int>(argv.size()), argv.data(), observer);
    stdout_ = ::testing::internal::GetCapturedStdout();
    return status;
  }

  fs::path dir_;
  std::string stdout_;
};

TEST_F(RunEvalTest, WritesTheOkReport) {
  EXPECT_EQ(Run(Path("report.txt")), 0);
  EXPECT_EQ(Read("report.txt"), "OK\n1\n1 2\n");
  EXPECT_EQ(stdout_, "");
}

// An observer that throws where the readers call it, as memory running out there would.
struct ThrowingObserver : RunObserver {
  void PictureStarted(const TestCase&) override { ++pictures; }
  void BlockStarted(const TestCase&, std::int64_t) override { throw std::bad_alloc(); }
  int pictures = 0;
};

TEST_F(RunEvalTest, AnyOtherExceptionGivesTheUnexpectedErrorReport) {
  ThrowingObserver observer;
  EXPECT_EQ(Run(Path("report.txt"), &observer), 0);
  EXPECT_EQ(Read("report.txt"),
            "Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.\n-1\n");
}

TEST_F(RunEvalTest, AssertionGivesOneFailureLine) {
  Write("input.txt", "");
  EXPECT_EQ(Run(Path("report.txt")), 0);
  EXPECT_EQ(Read("report.txt"),
            "Napaka [Ozi18Zelmiranke:91]: manjka prva vrstica z imenom naloge\n-1\n");
}

TEST_F(RunEvalTest, ReportThatCannotBeCreatedStopsTheRun) {
  ThrowingObserver observer;
  EXPECT_EQ(Run(dir_.string(), &observer), kOutputFailureStatus);
  EXPECT_EQ(Run(Path("missing/report.txt"), &observer), kOutputFailureStatus);
  EXPECT_EQ(observer.pictures, 0);
  EXPECT_EQ(stdout_, "");
}

// Creating the report would truncate the official input before it is read.
TEST_F(RunEvalTest, ReportNamingAnInputIsRefusedAlsoThroughLinks) {
  const std::string input = Read("input.txt");
  const std::string submission = Read("submission.txt");
  fs::create_symlink(Path("input.txt"), Path("link.txt"));
  fs::create_hard_link(Path("submission.txt"), Path("hard.txt"));
  for (const char* report : {"input.txt", "submission.txt", "link.txt", "hard.txt"}) {
    EXPECT_EQ(Run(Path(report)), kOutputFailureStatus) << report;
  }
  EXPECT_EQ(Read("input.txt"), input);
  EXPECT_EQ(Read("submission.txt"), submission);
  EXPECT_EQ(stdout_, "");
}

#ifdef __linux__
TEST_F(RunEvalTest, FailedWriteIsNotAReport) {
  EXPECT_EQ(Run("/dev/full"), kOutputFailureStatus);
}
#endif

TEST(RunEvalCommandLine, TooFewPathsPrintUsageAndTouchNothing) {
  std::vector<std::string> words = {"Ozi18Zelmiranke", "eval", "a", "b"};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  for (int argc = 2; argc <= 4; ++argc) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(RunEval(argc, argv.data()), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), kUsage);
  }
}
}  // namespace
