// A CMS checker: zelmiranke-judge cms input correct_output submission, or the program itself
// named `checker`, as CMS runs its manager. The outcome, from 0.0 to 1.0, is the first line of
// standard output and the message the first line of standard error; a fault of the grading is
// a checker failure (a status other than 0), never a 0.0.
#include <cstdio>

#include "judge/feedback_text.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
constexpr int kCheckerFailure = 1;
// CMS shows the first line of standard error to the contestant; on a checker failure, when it
// reads nothing, the reason line comes first.
constexpr std::size_t kMessageCap = 2 * (kLineCap + 1);

// CMS shows the contestant one line: the verdict line, and the English help after it.
void PrintHelpedMessage(const JudgedRun& run) {
  StreamSink err(stderr);
  FeedbackSink text(err, kLineCap + 1, "\n");
  WriteVerdictLine(text, run);
  for (const std::string& line : HelpLines(run)) {
    text.Write(" -- ");
    text.Write(line);
  }
  text.Write("\n");
  text.Finish();
  std::fflush(stderr);
}
}  // namespace

int RunCms(const ModeArgs& allArgs) {
  const ModeOptions options = TakeOptions(allArgs);
  const ModeArgs& args = options.paths;
  if (args.size() < 3) {
    return UsageError(kCheckerFailure);
  }
  JudgedRun run;
  Judge(JudgeFiles{args[0], args[2], args[1]}, run);
  if (IsJudgeError(VerdictOf(run))) {
    PrintMessage(stderr, run, kMessageCap);
    return kCheckerFailure;
  }
  // The points earned; a rejected report earns none.
  const std::string outcome =
      VerdictOf(run.evaluation) == Verdict::kOk ? FractionText(run.score) : "0.0";
  std::fputs((outcome + "\n").c_str(), stdout);
  if (!FinishStandardOutput()) {
    return kCheckerFailure;
  }
  if (options.english) {
    PrintHelpedMessage(run);
  } else {
    PrintMessage(stderr, run, kMessageCap);
  }
  return 0;
}
