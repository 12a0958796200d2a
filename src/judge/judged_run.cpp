#include "judge/judged_run.h"

#include "eval/checks.h"
#include "judge/command.h"
#include "judge/feedback_text.h"

namespace {
constexpr std::string_view kNotTheContestants = " (napaka priprave ocenjevanja, ne tekmovalca)";

// Reads what the judge test stands for into `standing`; false, with the reason, when the
// answer cannot say it.
bool ReadStanding(const JudgeFiles& files, const Evaluation& evaluation, Standing& standing,
                  std::string& fault) {
  if (!files.answer) {
    return true;
  }
  const auto testCount = static_cast<std::int64_t>(evaluation.testCases.size());
  std::string why;
  try {
    FileSource answer(*files.answer);
    if (ReadAnswerList(answer, testCount, standing, why) == AnswerForm::kSubmission) {
      // Evaluated from its start, against the task input already read.
      FileSource again(*files.answer);
      RunOutcome reference;
      Evaluate(evaluation.testCases, again, reference);
      StandingOfReference(reference, standing, why);
    }
  } catch (...) {
    why = "ga ni bilo mogoce prebrati";
  }
  if (!why.empty()) {
    fault = "odgovor sodnega testa ni veljaven: " + why;
  }
  return why.empty();
}

void JudgeFrom(const JudgeFiles& files, ByteSource& submission, JudgedRun& run) {
  {
    FileSource input(files.input);
    Evaluate(input, submission, run.evaluation, &run.blocks);
  }
  if (VerdictOf(run.evaluation) != Verdict::kOk) {
    return;
  }
  Standing standing;
  if (ReadStanding(files, run.evaluation, standing, run.setupFault)) {
    run.score = ScoreOf(standing, run.evaluation.entries,
                        static_cast<std::int64_t>(run.evaluation.testCases.size()));
  }
}
}  // namespace

void Judge(const JudgeFiles& files, JudgedRun& run) {
  run.files = files;
  if (!files.submission) {
    FileSource submission = FileSource::StandardInput();
    return JudgeFrom(files, submission, run);
  }
  FileSource submission(*files.submission);
  // The evaluator reads such a file as empty, which fails the contestant; but a judge system
  // that hands over no file is at fault, not the contestant.
  if (!submission.IsOpen()) {
    run.setupFault = "oddaje ni mogoce odpreti: " + *files.submission;
    return;
  }
  JudgeFrom(files, submission, run);
}

Verdict VerdictOf(const RunOutcome& outcome) {
  if (outcome.unexpected) {
    return Verdict::kInternalError;
  }
  if (!outcome.failure) {
    return Verdict::kOk;
  }
  switch (PartyOfCheck(outcome.failure->check)) {
    case Party::kContestant:
      return Verdict::kRejected;
    case Party::kGradingSetup:
      return Verdict::kSetupError;
    case Party::kEvaluator:
      return Verdict::kInternalError;
  }
  return Verdict::kInternalError;
}

Verdict VerdictOf(const JudgedRun& run) {
  if (!run.setupFault.empty()) {
    return Verdict::kSetupError;
  }
  const Verdict verdict = VerdictOf(run.evaluation);
  if (verdict == Verdict::kOk && run.score.answered < run.score.tests) {
    return Verdict::kRejected;
  }
  return verdict;
}

std::string_view VerdictWord(Verdict verdict) {
  switch (verdict) {
    case Verdict::kOk:
      return "ok";
    case Verdict::kRejected:
      return "rejected";
    case Verdict::kSetupError:
      return "setup-error";
    case Verdict::kInternalError:
      break;
  }
  return "internal-error";
}

bool IsJudgeError(Verdict verdict) {
  return verdict == Verdict::kSetupError || verdict == Verdict::kInternalError;
}

bool FailedInBlock(const RunOutcome& outcome) {
  return outcome.failure && PartOfCheck(outcome.failure->check) == CheckPart::kBlock;
}

void WriteReasonLine(TextSink& out, const JudgedRun& run, std::string_view lineEnd) {
  const Verdict verdict = VerdictOf(run);
  if (!run.setupFault.empty()) {
    out.Write("Sodniska napaka: ");
    out.Write(run.setupFault);
    out.Write(kNotTheContestants);
  } else if (verdict == Verdict::kSetupError) {
    out.Write("Sodniska napaka: uradni vhod ni veljaven");
    out.Write(kNotTheContestants);
  } else if (verdict == Verdict::kInternalError) {
    out.Write("Sodniska napaka: ocenjevalnik ni mogel oceniti oddaje (ne po krivdi tekmovalca)");
  } else {
    return;
  }
  out.Write(lineEnd);
}

void WriteVerdictLine(TextSink& out, const JudgedRun& run) {
  const Score& score = run.score;
  if (VerdictOf(run.evaluation) != Verdict::kOk || score.missing.empty()) {
    return WriteFirstLine(out, run.evaluation);
  }
  out.Write(score.answered + 1 < score.tests ? "Oddaja nima blokov za teste "
                                             : "Oddaja nima bloka za test ");
  for (std::size_t i = 0; i < score.missing.size(); ++i) {
    out.Write(i == 0 ? "" : ", ");
    out.Write(std::to_string(score.missing[i]));
  }
  if (score.tests - score.answered > static_cast<std::int64_t>(score.missing.size())) {
    out.Write(", ...");
  }
}

void WriteMessage(TextSink& out, const JudgedRun& run, std::string_view lineEnd) {
  WriteReasonLine(out, run, lineEnd);
  if (run.setupFault.empty()) {
    WriteVerdictLine(out, run);
    out.Write(lineEnd);
  }
}

void PrintMessage(std::FILE* stream, const JudgedRun& run, std::size_t cap,
                  std::string_view prefix) {
  StreamSink stream_out(stream);
  FeedbackSink out(stream_out, cap, "\n");
  out.Write(prefix);
  WriteMessage(out, run, "\n");
  out.Finish();
  std::fflush(stream);
}

bool FinishStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("zelmiranke-judge: standardnega izhoda ni bilo mogoce zapisati\n", stderr);
    return false;
  }
  return true;
}

int UsageError(int status) {
  std::fwrite(kJudgeUsage.data(), 1, kJudgeUsage.size(), stderr);
  return status;
}
