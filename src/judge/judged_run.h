// One evaluation as the judge adapters see it: the evaluator's outcome sorted into the classes
// every judge system knows, and the block a failure lies in.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/byte_source.h"
#include "eval/evaluation.h"
#include "eval/run_observer.h"

enum class Verdict {
  kOk,             // the submission passed
  kRejected,       // a check of the submission failed: the contestant's fault
  kSetupError,     // a check of the task input failed: the grading setup's fault
  kInternalError,  // the unexpected-error report, or the evaluator contradicting itself
};

// The block of the submission at hand: after a failed check of a block's body, the block it
// failed in.
class BlockWatch : public RunObserver {
 public:
  void BlockStarted(const TestCase& testCase, std::int64_t /*numberLine*/) override {
    ++ordinal_;
    test_ = testCase.number;
  }
  std::int64_t Ordinal() const { return ordinal_; }  // from 1; 0: no block started
  int Test() const { return test_; }

 private:
  std::int64_t ordinal_ = 0;
  int test_ = 0;
};

struct JudgedRun {
  Evaluation evaluation;
  BlockWatch blocks;
};

// Evaluates the files into `run`, which must be fresh.
void Judge(const std::string& inputPath, const std::string& submissionPath, JudgedRun& run);
void Judge(ByteSource& input, ByteSource& submission, JudgedRun& run);

Verdict VerdictOf(const RunOutcome& outcome);
// True when the verdict is the grading's own fault, so that no system may score the submission.
bool IsJudgeError(Verdict verdict);
// True when the failed check lies in a block's body, the one BlockWatch names.
bool FailedInBlock(const RunOutcome& outcome);

// The line that says why a judge error is one, ended by `lineEnd`; nothing otherwise.
void WriteReasonLine(TextSink& out, Verdict verdict, std::string_view lineEnd);
// The message a judge system shows on a stream: the report's first line, after the reason line
// on a judge error. Each line ends with "\n", which the stream writes as its platform does.
void PrintMessage(std::FILE* stream, const JudgedRun& run);

// Flushes standard output; false, after a line on standard error, when not all of it was
// written.
bool FinishStandardOutput();

// Prints the usage text on standard error and returns `status`.
int UsageError(int status);
