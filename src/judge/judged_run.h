// One judge test as the judge adapters see it: the evaluator's outcome sorted into the classes
// every judge system knows, the block a failure lies in, and the score of the tests the judge
// test stands for (standing.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_source.h"
#include "eval/evaluation.h"
#include "eval/run_observer.h"
#include "explain/explanation.h"
#include "judge/standing.h"

enum class Verdict {
  kOk,             // the submission passed
  kRejected,       // a check of the submission failed: the contestant's fault
  kSetupError,     // a check of the task input failed: the grading setup's fault
  kInternalError,  // the unexpected-error report, or the evaluator contradicting itself
};

// The files of one judge test.
struct JudgeFiles {
  std::string input;
  std::optional<std::string> submission;  // none: standard input
  std::optional<std::string> answer;      // what the test stands for; none: every test
};

struct JudgedRun {
  JudgeFiles files;
  Evaluation evaluation;
  BlockTrail blocks;  // the block a failure lies in
  // Not empty when the grading setup fails in a way no check names (the submission cannot be
  // opened, the answer is not valid): the reason, the evaluation then being of no account.
  std::string setupFault;
  Score score;  // of a passing evaluation
};

// Evaluates the files into `run`, which must be fresh.
void Judge(const JudgeFiles& files, JudgedRun& run);

// The class of the report alone.
Verdict VerdictOf(const RunOutcome& outcome);
// The judge test's verdict: the report's class, a setup error for a setup fault, and a rejection
// for a passing submission that leaves a test the judge test stands for without a block.
Verdict VerdictOf(const JudgedRun& run);
// The verdict's word in JSON and in the batch's tables: ok, rejected, setup-error,
// internal-error.
std::string_view VerdictWord(Verdict verdict);
// True when the verdict is the grading's own fault, so that no system may score the submission.
bool IsJudgeError(Verdict verdict);
// True when the failed check lies in a block's body, the one the run's BlockTrail names.
bool FailedInBlock(const RunOutcome& outcome);

// The line that says why a judge error is one, ended by `lineEnd`; nothing otherwise.
void WriteReasonLine(TextSink& out, const JudgedRun& run, std::string_view lineEnd);
// The line a team sees, without its line end: the report's first line, or for a passing
// submission without a block for a test it must answer, the tests it lacks.
void WriteVerdictLine(TextSink& out, const JudgedRun& run);
// The message of a run, each line ended by `lineEnd`: the reason line on a judge error, then
// the verdict line (none after a setup fault).
void WriteMessage(TextSink& out, const JudgedRun& run, std::string_view lineEnd);
// Where and why the run failed, in English (explain/explanation.h), or which tests lack a block;
// nothing for a run that passed or a setup fault. The files are read again.
std::vector<std::string> HelpLines(const JudgedRun& run);
// The explanation of a failed evaluation, the files read again.
Explanation ExplainRun(const JudgedRun& run);

// The message on a stream as a judge system reads it (feedback_text.h), after `prefix`, capped
// at `cap` bytes.
void PrintMessage(std::FILE* stream, const JudgedRun& run, std::size_t cap,
                  std::string_view prefix = {});

// Flushes standard output; false, after a line on standard error, when not all of it was
// written.
bool FinishStandardOutput();

// Prints the usage text on standard error and returns `status`.
int UsageError(int status);
