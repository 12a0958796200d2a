// A CMS checker: zelmiranke-judge cms input correct_output submission. The outcome, 1.0 or 0.0,
// is the first line of standard output and the message the first line of standard error; a
// fault of the grading is a checker failure (a status other than 0), never a 0.0.
#include <cstdio>

#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
constexpr int kCheckerFailure = 1;
}  // namespace

int RunCms(const ModeArgs& args) {
  if (args.size() < 3) {
    return UsageError(kCheckerFailure);
  }
  JudgedRun run;
  Judge(args[0], args[2], run);
  const Verdict verdict = VerdictOf(run.evaluation);
  if (IsJudgeError(verdict)) {
    PrintMessage(stderr, run);
    return kCheckerFailure;
  }
  std::fputs(verdict == Verdict::kOk ? "1.0\n" : "0.0\n", stdout);
  if (!FinishStandardOutput()) {
    return kCheckerFailure;
  }
  PrintMessage(stderr, run);
  return 0;
}
