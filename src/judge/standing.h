// What a judge system's test case stands for: which of the task's tests it covers, and for
// each the reference count (the organizers' best count) where points are relative. The test
// case says it in its answer file (Kattis's .ans, CMS's correct_output, testlib's answer), in
// one of three forms:
//   - empty, or no answer file at all: every test of the task input, without references;
//   - lines "T" or "T R": test T, with the reference count R when points are relative (empty
//     lines are skipped; a test named twice keeps its smaller reference);
//   - a submission (its second line is the task name, as in a reference solution): the tests
//     its blocks answer, each with the block's rectangle count as its reference.
// A test the case stands for scores 0 without a block, 1 with one, or min(1, R / count) with a
// reference, taking its best block; the case scores the mean over its tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_source.h"
#include "eval/evaluation.h"

struct TestRef {
  int test = 0;
  int reference = 0;  // 0: none
};

struct Standing {
  bool everyTest = true;       // the answer names no test
  std::vector<TestRef> tests;  // otherwise: by test number, each once
};

enum class AnswerForm { kList, kSubmission };

// Reads an answer of the list form into `standing`, for a task input of `testCount` tests. When
// its second line is the task name it reads no further and returns kSubmission: the answer is
// then to be evaluated as a submission (StandingOfReference). An answer that is neither leaves
// why in `fault`.
AnswerForm ReadAnswerList(ByteSource& answer, std::int64_t testCount, Standing& standing,
                          std::string& fault);
// The standing of an answer in the submission form, from its evaluation; false, with why in
// `fault`, when the answer did not pass.
bool StandingOfReference(const RunOutcome& reference, Standing& standing, std::string& fault);

struct Score {
  std::int64_t tests = 0;     // the tests the case stands for
  std::int64_t answered = 0;  // those with a block
  bool full = false;          // every one answered, none above its reference
  double fraction = 0;        // 0 to 1
  std::vector<int> missing;   // the first tests without a block, at most kMissingShown
};
inline constexpr std::size_t kMissingShown = 20;

// The score of a passing submission's blocks for a task input of `testCount` tests.
Score ScoreOf(const Standing& standing, const ReportEntryList& entries, std::int64_t testCount);
// The fraction as judge systems read a number: "1.0" only when full, "0.0" only for nothing,
// otherwise up to six decimals.
std::string FractionText(const Score& score);
