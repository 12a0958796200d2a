#include "judge/judged_run.h"

#include "eval/checks.h"
#include "judge/command.h"

void Judge(const std::string& inputPath, const std::string& submissionPath, JudgedRun& run) {
  Evaluate(inputPath, submissionPath, run.evaluation, &run.blocks);
}

void Judge(ByteSource& input, ByteSource& submission, JudgedRun& run) {
  Evaluate(input, submission, run.evaluation, &run.blocks);
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

bool IsJudgeError(Verdict verdict) {
  return verdict == Verdict::kSetupError || verdict == Verdict::kInternalError;
}

bool FailedInBlock(const RunOutcome& outcome) {
  return outcome.failure && PartOfCheck(outcome.failure->check) == CheckPart::kBlock;
}

void WriteReasonLine(TextSink& out, Verdict verdict, std::string_view lineEnd) {
  if (verdict == Verdict::kSetupError) {
    out.Write(
        "Sodniska napaka: uradni vhod ni veljaven (napaka priprave ocenjevanja, ne "
        "tekmovalca)");
  } else if (verdict == Verdict::kInternalError) {
    out.Write("Sodniska napaka: ocenjevalnik ni mogel oceniti oddaje (ne po krivdi tekmovalca)");
  } else {
    return;
  }
  out.Write(lineEnd);
}

void PrintMessage(std::FILE* stream, const JudgedRun& run) {
  StreamSink out(stream);
  WriteReasonLine(out, VerdictOf(run.evaluation), "\n");
  WriteFirstLine(out, run.evaluation);
  out.Write("\n");
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
