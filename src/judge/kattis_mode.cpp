// The output validator of Kattis problem packages, which DOMjudge runs the same way:
//   zelmiranke-judge kattis input answer feedback_dir < submission
// 42 accepts, 43 rejects, anything else is a judge error; the jury reads judgemessage.txt and
// the team teammessage.txt in the feedback folder.
#include <functional>
#include <string>
#include <string_view>

#include "base/output_file.h"
#include "eval/report.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
constexpr int kAccepted = 42;
constexpr int kRejected = 43;
constexpr int kJudgeError = 1;

constexpr OutputWords kFeedbackWords = {
    "zelmiranke-judge", "sporocilo bi prepisalo vhodno datoteko", "sporocila ni mogoce ustvariti",
    "sporocila ni bilo mogoce zapisati"};

// Writes the feedback file `name`; false, after a line on standard error, when it cannot.
bool WriteFeedback(const ModeArgs& args, std::string_view name,
                   const std::function<void(OutputFile&)>& fill) {
  // The folder as given, with "/" added where it has no separator at its end: every platform
  // takes it, and a complaint names the path the way the system wrote it.
  std::string path = args[2];
  if (!path.empty() && path.back() != '/' && path.back() != '\\') {
    path += '/';
  }
  path += name;
  return WriteOutputFile(path, args[0], args[1], kFeedbackWords, fill) == 0;
}
}  // namespace

int RunKattis(const ModeArgs& args) {
  if (args.size() < 3) {
    return UsageError(kJudgeError);
  }
  JudgedRun run;
  {
    FileSource input(args[0]);
    FileSource submission = FileSource::StandardInput();
    Judge(input, submission, run);
  }
  const Verdict verdict = VerdictOf(run.evaluation);
  const bool written = WriteFeedback(args, "judgemessage.txt", [&](OutputFile& file) {
    WriteReasonLine(file, verdict, kLineEnd);
    WriteReport(file, run.evaluation);
  });
  if (!written || IsJudgeError(verdict)) {
    return kJudgeError;
  }
  // The team sees only the verdict's line; a judge error shows it nothing.
  if (!WriteFeedback(args, "teammessage.txt", [&](OutputFile& file) {
        WriteFirstLine(file, run.evaluation);
        file.Write(kLineEnd);
      })) {
    return kJudgeError;
  }
  return verdict == Verdict::kOk ? kAccepted : kRejected;
}
