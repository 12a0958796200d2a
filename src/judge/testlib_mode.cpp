// A testlib checker: zelmiranke-judge testlib input submission answer, the message on standard
// error and the verdict in the status. With --ejudge before the paths, the statuses are
// ejudge's.
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
struct Statuses {
  int ok;
  int wrongAnswer;
  int checkerFailure;
};
constexpr Statuses kTestlib = {0, 1, 3};
constexpr Statuses kEjudge = {0, 5, 6};
}  // namespace

int RunTestlib(const ModeArgs& args) {
  const bool ejudge = !args.empty() && args[0] == "--ejudge";
  const Statuses& statuses = ejudge ? kEjudge : kTestlib;
  const std::size_t first = ejudge ? 1 : 0;
  if (args.size() < first + 3) {
    return UsageError(statuses.checkerFailure);
  }
  JudgedRun run;
  Judge(args[first], args[first + 1], run);
  PrintMessage(stderr, run);
  switch (VerdictOf(run.evaluation)) {
    case Verdict::kOk:
      return statuses.ok;
    case Verdict::kRejected:
      return statuses.wrongAnswer;
    default:
      return statuses.checkerFailure;
  }
}
