// A Kattis input validator: zelmiranke-judge input [flags] < task_input. The task input is
// checked as the evaluator checks it, alone: 42 when it is valid, 43 (its failure line on
// standard error) when not, 1 when it could not be read.
#include <cstdio>

#include "eval/report.h"
#include "judge/feedback_text.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
constexpr int kValid = 42;
constexpr int kInvalid = 43;
constexpr int kNotRead = 1;
}  // namespace

int RunInputValidator(const ModeArgs& /*flags*/) {
  Evaluation evaluation;
  FileSource input = FileSource::StandardInput();
  EvaluateTaskInput(input, evaluation);
  const Verdict verdict = VerdictOf(evaluation);
  if (verdict == Verdict::kOk) {
    return kValid;
  }
  StreamSink err(stderr);
  FeedbackSink text(err, kLineCap + 1, "\n");
  WriteFirstLine(text, evaluation);
  text.Write("\n");
  text.Finish();
  return verdict == Verdict::kSetupError ? kInvalid : kNotRead;
}
