// The output validator of Kattis problem packages, which DOMjudge runs the same way:
//   zelmiranke-judge kattis input answer feedback_dir [flags] < submission
// 42 accepts, 43 rejects, anything else is a judge error; the jury reads judgemessage.txt and
// the team teammessage.txt in the feedback folder, and a scoring problem score.txt.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "base/output_file.h"
#include "eval/report.h"
#include "judge/feedback_text.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
constexpr int kAccepted = 42;
constexpr int kRejected = 43;
constexpr int kJudgeError = 1;
// What DOMjudge keeps of a feedback file by default (output_storage_limit), below the 128 KiB
// that problemtools shows.
constexpr std::size_t kJudgeMessageCap = 50'000;
// What DOMjudge shows a team by default (output_display_limit).
constexpr std::size_t kTeamMessageCap = 2'000;

constexpr OutputMessages kFeedbackMessages = {
    "zelmiranke-judge", "sporocilo bi prepisalo vhodno datoteko", "sporocila ni mogoce ustvariti",
    "sporocila ni bilo mogoce zapisati"};

// The path of the feedback file `name`: the folder as given, with "/" added where it has no
// separator at its end, so that every platform takes it and a complaint names the path the way
// the system wrote it.
std::string FeedbackPath(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') {
    path += '/';
  }
  return path += name;
}

// Writes the feedback file `name` through a FeedbackSink of `cap` bytes; false, after a line on
// standard error, when it cannot.
bool WriteFeedback(const ModeArgs& args, std::string_view name, std::size_t cap,
                   const std::function<void(TextSink&)>& fill) {
  return WriteOutputFile(FeedbackPath(args[2], name), args[0], args[1], kFeedbackMessages,
                         [&](OutputFile& file) {
                           FeedbackSink text(file, cap, kLineEnd);
                           fill(text);
                           text.Finish();
                         }) == 0;
}

// Removes the feedback file `name` that this run does not write, so that an earlier run's
// cannot pass for this one's; false, after a line on standard error, when it stays.
bool RemoveFeedback(const ModeArgs& args, std::string_view name) {
  const std::string path = FeedbackPath(args[2], name);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
  if (!std::filesystem::exists(status) ||
      (!std::filesystem::is_directory(status) && std::filesystem::remove(path, error))) {
    return true;
  }
  std::fprintf(stderr, "zelmiranke-judge: starega sporocila ni mogoce odstraniti: %s\n",
               path.c_str());
  return false;
}

void WriteHelp(TextSink& text, const JudgedRun& run) {
  for (const std::string& line : HelpLines(run)) {
    text.Write(line);
    text.Write(kLineEnd);
  }
}

void WriteJudgeMessage(TextSink& text, const JudgedRun& run, Verdict verdict) {
  WriteReasonLine(text, run, kLineEnd);
  if (!run.setupFault.empty()) {
    return;
  }
  // A rejection of a passing report says first what it lacks.
  if (verdict == Verdict::kRejected && VerdictOf(run.evaluation) == Verdict::kOk) {
    WriteVerdictLine(text, run);
    text.Write(kLineEnd);
  }
  WriteReport(text, run.evaluation);
  WriteHelp(text, run);
}

// The team sees the verdict's line (and the English help, when asked for), and nothing of a
// judge error.
bool WriteTeamMessage(const ModeArgs& args, const JudgedRun& run, Verdict verdict, bool english) {
  if (IsJudgeError(verdict)) {
    return RemoveFeedback(args, "teammessage.txt");
  }
  return WriteFeedback(args, "teammessage.txt", kTeamMessageCap, [&](TextSink& text) {
    WriteVerdictLine(text, run);
    text.Write(kLineEnd);
    if (english) {
      WriteHelp(text, run);
    }
  });
}

// The points of an accepted submission; problemtools takes a score with a rejection for a judge
// error.
bool WriteScore(const ModeArgs& args, const JudgedRun& run, Verdict verdict, bool asked) {
  if (!asked || verdict != Verdict::kOk) {
    return RemoveFeedback(args, "score.txt");
  }
  return WriteFeedback(args, "score.txt", kTeamMessageCap, [&](TextSink& text) {
    text.Write(FractionText(run.score));
    text.Write(kLineEnd);
  });
}
}  // namespace

int RunKattis(const ModeArgs& allArgs) {
  const ModeOptions options = TakeOptions(allArgs);
  const ModeArgs& args = options.paths;
  if (args.size() < 3) {
    return UsageError(kJudgeError);
  }
  JudgedRun run;
  Judge(JudgeFiles{args[0], std::nullopt, args[1]}, run);
  const Verdict verdict = VerdictOf(run);
  if (!WriteFeedback(args, "judgemessage.txt", kJudgeMessageCap,
                     [&](TextSink& text) { WriteJudgeMessage(text, run, verdict); }) ||
      !WriteTeamMessage(args, run, verdict, options.english) ||
      !WriteScore(args, run, verdict, options.score) || IsJudgeError(verdict)) {
    return kJudgeError;
  }
  return verdict == Verdict::kOk ? kAccepted : kRejected;
}
