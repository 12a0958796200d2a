// zelmiranke-judge batch: the task input read once, every submission given graded against it
// on several threads, and the tables of a contest written into one folder (batch_tables.h).
// Status 0 when every submission was graded; 1 when some could not be (they have rows of
// their own); 2 with no table when the task input, the reference file or the folder is at
// fault; 3 on a bad command line; 130 when cut short, with no table written.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>

#include "base/terminal.h"
#include "eval/evaluation.h"
#include "eval/report.h"
#include "judge/batch_args.h"
#include "judge/batch_grading.h"
#include "judge/batch_listing.h"
#include "judge/batch_points.h"
#include "judge/batch_tables.h"
#include "judge/feedback_text.h"
#include "judge/modes.h"

namespace {
constexpr int kSomeUngraded = 1;
constexpr int kNoTables = 2;
constexpr int kBadCommandLine = 3;
constexpr int kInterrupted = 130;

// The tables, each written as NAME.csv and NAME.jsonl.
const std::string kTables[] = {"submissions", "tests", "points"};
const std::string kFormats[] = {".csv", ".jsonl"};

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void RequestStop(int /*signal*/) {
  stopRequested.store(true);
}

// Ctrl-C (and a polite kill) stops the batch between blocks instead of killing it mid-table.
class StopOnSignal {
 public:
  StopOnSignal() {
    stopRequested.store(false);
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
  }
  ~StopOnSignal() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
};

int Complain(const std::string& what, int status) {
  std::fprintf(stderr, "zelmiranke-judge batch: %s\n", what.c_str());
  return status;
}

int BadCommandLine(const std::string& what) {
  Complain(what, kBadCommandLine);
  std::fwrite(kBatchUsage.data(), 1, kBatchUsage.size(), stderr);
  return kBadCommandLine;
}

// The points of each test from --points: one value for every test, or one per test.
bool ResolvePoints(const BatchArgs& args, int testCount, std::vector<double>& points) {
  if (args.points.size() > 1 && args.points.size() != static_cast<std::size_t>(testCount)) {
    return false;
  }
  const double each = args.points.empty() ? 1.0 : args.points.front();
  points = args.points.size() > 1 ? args.points
                                  : std::vector<double>(static_cast<std::size_t>(testCount), each);
  return true;
}

// A table must never replace the task input or a submission, also through a link.
std::string OverwrittenInput(const TableFiles& files, const BatchArgs& args,
                             const std::vector<std::string>& submissions) {
  for (const std::string& name : kTables) {
    for (const std::string& format : kFormats) {
      const std::string table = files.PathOf(name + format);
      std::error_code error;
      if (!std::filesystem::exists(table, error)) {
        continue;
      }
      const auto same = [&](const std::string& input) {
        return std::filesystem::equivalent(table, input, error) && !error;
      };
      if (same(args.input) || std::any_of(submissions.begin(), submissions.end(), same)) {
        return table;
      }
    }
  }
  return {};
}

// Why no submission can be graded: the task input's failure, as the cms mode says it.
int TaskInputFault(const JudgedRun& task) {
  if (task.evaluation.unexpected) {
    return Complain("uradnega vhoda ni bilo mogoce prebrati: " + std::string(kUnexpectedLine),
                    kNoTables);
  }
  PrintMessage(stderr, task, 2 * (kLineCap + 1));
  return kNoTables;
}

class Progress {
 public:
  explicit Progress(std::size_t total) : total_(total), shown_(IsTerminal(stderr)) {}
  void operator()(std::size_t graded) {
    const auto now = std::chrono::steady_clock::now();
    if (!shown_ || (graded < total_ && now - last_ < std::chrono::milliseconds(100))) {
      return;
    }
    last_ = now;
    std::fprintf(stderr, "\rocenjenih: %zu od %zu", graded, total_);
    std::fflush(stderr);
  }
  void Finish() const {
    if (shown_) {
      std::fputc('\n', stderr);
    }
  }

 private:
  std::size_t total_;
  bool shown_;
  std::chrono::steady_clock::time_point last_{};
};

bool WriteTables(TableFiles& files, const std::vector<GradedSubmission>& graded,
                 const BatchPoints& points, const Scoring& scoring, int testCount) {
  // In the order of kTables.
  const std::function<void(TableSink&)> tables[] = {
      [&](TableSink& sink) { WriteSubmissionTable(sink, graded, testCount); },
      [&](TableSink& sink) { WriteTestTable(sink, points, scoring); },
      [&](TableSink& sink) { WritePointsTable(sink, points, testCount); },
  };
  for (std::size_t t = 0; t < std::size(tables); ++t) {
    for (const std::string& format : kFormats) {
      const bool written = files.Write(kTables[t] + format, [&](TextSink& out) {
        CsvSink csv(out);
        JsonLinesSink json(out);
        tables[t](format == ".csv" ? static_cast<TableSink&>(csv) : json);
      });
      if (!written) {
        return false;
      }
    }
  }
  return true;
}

// What the organizer must know besides the tables: submissions that were not graded, and
// rejected ones that name no contestant and so have no points.
int Report(const std::vector<GradedSubmission>& graded) {
  std::size_t ungraded = 0;
  std::size_t nameless = 0;
  for (const GradedSubmission& submission : graded) {
    ungraded += submission.Graded() ? 0 : 1;
    nameless += submission.Graded() && submission.contestant.empty() ? 1 : 0;
  }
  if (nameless > 0) {
    Complain(
        "zavrnjene oddaje brez stevilke tekmovalca (niso med tockami): " + std::to_string(nameless),
        0);
  }
  if (ungraded > 0) {
    return Complain("oddaje, ki jih ni bilo mogoce oceniti (ne po krivdi tekmovalcev): " +
                        std::to_string(ungraded),
                    kSomeUngraded);
  }
  return 0;
}
}  // namespace

int RunBatch(const ModeArgs& modeArgs) {
  BatchArgs args;
  std::string error;
  if (!ParseBatchArgs(modeArgs, args, error)) {
    return BadCommandLine(error);
  }
  JudgedRun task;
  EvaluateTaskInput(args.input, task.evaluation);
  if (task.evaluation.failure || task.evaluation.unexpected) {
    return TaskInputFault(task);
  }
  const TestCaseList& testCases = task.evaluation.testCases;
  const int testCount = static_cast<int>(testCases.size());
  Scoring scoring{args.formula, args.take, {}, args.levels, {}};
  if (!ResolvePoints(args, testCount, scoring.points)) {
    return BadCommandLine("--points ima " + std::to_string(args.points.size()) +
                          " vrednosti, testov pa je " + std::to_string(testCount));
  }
  for (const double level : scoring.levels) {
    if (level > 1) {
      return BadCommandLine("delez v --levels je lahko najvec 1");
    }
  }
  if (!args.reference.empty() &&
      !ReadReference(args.reference, testCount, scoring.levels.size(), scoring.reference, error)) {
    return Complain(error, kNoTables);
  }
  const std::vector<std::string> submissions = ListSubmissions(args.submissions, args.out);
  std::error_code folderError;
  std::filesystem::create_directories(args.out, folderError);
  if (!std::filesystem::is_directory(args.out, folderError)) {
    return Complain("mape za tabele ni mogoce ustvariti: " + args.out, kNoTables);
  }
  TableFiles files(args.out);
  if (const std::string table = OverwrittenInput(files, args, submissions); !table.empty()) {
    return Complain("tabela bi prepisala vhodno datoteko: " + table, kNoTables);
  }
  const StopOnSignal stopOnSignal;
  const unsigned jobs =
      args.jobs > 0 ? args.jobs : std::max(1u, std::thread::hardware_concurrency());
  Progress progress(submissions.size());
  std::vector<GradedSubmission> graded;
  const bool whole =
      GradeAll(testCases, submissions, jobs, stopRequested, std::ref(progress), graded);
  progress.Finish();
  if (!whole) {
    return Complain("prekinjeno: tabele niso zapisane", kInterrupted);
  }
  const BatchPoints points = ScoreBatch(graded, scoring, testCount);
  if (!WriteTables(files, graded, points, scoring, testCount)) {
    return Complain("tabele ni bilo mogoce zapisati: " + files.Failed(), kNoTables);
  }
  if (stopRequested.load()) {
    return Complain("prekinjeno: tabele niso zapisane", kInterrupted);
  }
  if (!files.MoveIntoPlace()) {
    return Complain("tabele ni bilo mogoce zapisati: " + files.Failed(), kNoTables);
  }
  return Report(graded);
}
