#include "judge/batch_grading.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "base/byte_source.h"
#include "eval/evaluation.h"

namespace {
// Thrown from the observer to end an evaluation once the batch is stopped.
struct Stopped {};

class BatchWatch : public RunObserver {
 public:
  explicit BatchWatch(const std::atomic<bool>& stop) : stop_(stop) {}
  void ContestantRead(std::string_view line) override { contestant.assign(line); }
  void BlockStarted(const TestCase& /*testCase*/, std::int64_t /*numberLine*/) override {
    if (stop_.load(std::memory_order_relaxed)) {
      throw Stopped{};
    }
  }
  std::string contestant;

 private:
  const std::atomic<bool>& stop_;
};

// One thread's grading, with room for the smallest count of each test kept from submission to
// submission: a list of millions of blocks costs a few bytes a test, not a record a block.
class Grader {
 public:
  Grader(const TestCaseList& testCases, const std::atomic<bool>& stop)
      : testCases_(testCases), stop_(stop), smallest_(testCases.size() + 1, 0) {}

  GradedSubmission Grade(const std::string& path) {
    GradedSubmission graded;
    graded.path = path;
    FileSource source(path);
    if (!source.IsOpen()) {
      graded.unreadable = true;
      return graded;
    }
    RunOutcome outcome;
    BatchWatch watch(stop_);
    Evaluate(testCases_, source, outcome, &watch);
    graded.verdict = VerdictOf(outcome);
    graded.check = outcome.failure ? outcome.failure->check : 0;
    graded.contestant = std::move(watch.contestant);
    if (graded.verdict == Verdict::kOk) {
      graded.counts = SmallestCounts(outcome.entries);
    }
    return graded;
  }

 private:
  std::vector<TestCount> SmallestCounts(const ReportEntryList& entries) {
    for (const ReportEntry& entry : entries) {
      int& smallest = smallest_[static_cast<std::size_t>(entry.testNumber)];
      if (smallest == 0) {
        answered_.push_back(entry.testNumber);
        smallest = entry.rectangleCount;
      } else {
        smallest = std::min(smallest, entry.rectangleCount);
      }
    }
    std::sort(answered_.begin(), answered_.end());
    std::vector<TestCount> counts;
    counts.reserve(answered_.size());
    for (const int test : answered_) {
      int& smallest = smallest_[static_cast<std::size_t>(test)];
      counts.push_back({test, smallest});
      smallest = 0;
    }
    answered_.clear();
    return counts;
  }

  const TestCaseList& testCases_;
  const std::atomic<bool>& stop_;
  std::vector<int> smallest_;  // by test number; 0: not answered (a count is at least 1)
  std::vector<int> answered_;
};

// The work shared by the threads: the next submission to take, and how many are done.
struct Shared {
  std::atomic<std::size_t> next{0};
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t done = 0;
};

void Work(const TestCaseList& testCases, const std::vector<std::string>& paths,
          const std::atomic<bool>& stop, Shared& shared, std::vector<GradedSubmission>& graded) {
  Grader grader(testCases, stop);
  for (;;) {
    const std::size_t i = shared.next.fetch_add(1);
    if (i >= paths.size() || stop.load()) {
      return;
    }
    graded[i] = grader.Grade(paths[i]);
    {
      const std::lock_guard<std::mutex> lock(shared.mutex);
      ++shared.done;
    }
    shared.changed.notify_one();
  }
}
}  // namespace

bool GradeAll(const TestCaseList& testCases, const std::vector<std::string>& paths, unsigned jobs,
              const std::atomic<bool>& stop,
              const std::function<void(std::size_t graded)>& progress,
              std::vector<GradedSubmission>& graded) {
  graded.assign(paths.size(), GradedSubmission{});
  Shared shared;
  const auto work = [&] { Work(testCases, paths, stop, shared, graded); };
  std::vector<std::thread> threads;
  try {
    while (threads.size() < std::min<std::size_t>(jobs, paths.size())) {
      threads.emplace_back(work);
    }
  } catch (const std::system_error&) {
    // The system gives no more threads: those started do the work.
  }
  if (threads.empty()) {
    work();
  }
  {
    std::unique_lock<std::mutex> lock(shared.mutex);
    std::size_t shown = ~std::size_t{0};
    while (shared.done < paths.size() && !stop.load() && !threads.empty()) {
      if (progress && shared.done != shown) {
        shown = shared.done;
        lock.unlock();
        progress(shown);
        lock.lock();
        continue;
      }
      // Woken by every submission graded, and now and then to see whether the batch stopped.
      shared.changed.wait_for(lock, std::chrono::milliseconds(200));
    }
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  if (progress) {
    progress(shared.done);
  }
  return !stop.load();
}
