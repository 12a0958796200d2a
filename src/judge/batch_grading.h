// Grading the submissions of a batch: each checked by the core against the one task input read
// before, on several threads at once. The test cases are only read; everything else of an
// evaluation (its outcome, its workspace, its observer) belongs to the thread that runs it, so
// that each evaluation is the one the evaluator makes of the two files, within its memory bound.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "eval/test_case.h"
#include "judge/judged_run.h"

// A test a submission answers and its smallest count there.
struct TestCount {
  int test = 0;
  int count = 0;
};

struct GradedSubmission {
  std::string path;
  // The file could not be opened, or is a folder: it was not graded, which is never the
  // contestant's fault (an empty file is graded, and rejected).
  bool unreadable = false;
  Verdict verdict = Verdict::kInternalError;
  int check = 0;           // the failed check; 0 when none
  std::string contestant;  // the first line as written, when it passed its checks
  // When accepted: each test answered, by test number, with its smallest count (a test may
  // have several blocks).
  std::vector<TestCount> counts;

  bool Graded() const { return !unreadable && verdict != Verdict::kInternalError; }
};

// Grades `paths` on `jobs` threads into `graded`, in the order of `paths` whatever finishes
// first. `progress`, when set, is called now and then from the calling thread with the number
// graded so far. Returns false, with `graded` incomplete, once `stop` is set: an evaluation
// under way ends at its next block.
bool GradeAll(const TestCaseList& testCases, const std::vector<std::string>& paths, unsigned jobs,
              const std::atomic<bool>& stop,
              const std::function<void(std::size_t graded)>& progress,
              std::vector<GradedSubmission>& graded);
