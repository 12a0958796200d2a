#include "eval/evaluation.h"

#include <utility>

#include "base/line_reader.h"
#include "eval/report.h"
#include "eval/submission.h"
#include "eval/task_input.h"

namespace {
void ReadTaskInputFrom(ByteSource& source, Evaluation& evaluation, RunObserver* observer) {
  LineReader reader(source);
  ReadTaskInput(reader, evaluation.testCases, observer);
}

void ReadSubmissionFrom(ByteSource& source, const TestCaseList& testCases, RunOutcome& outcome,
                        RunObserver* observer) {
  LineReader reader(source);
  ReadSubmission(reader, testCases, outcome.entries, observer);
}

// Runs `stages`, keeping the first failure instead of throwing it.
template <typename Stages>
void Guarded(RunOutcome& outcome, Stages stages) {
  try {
    stages();
  } catch (EAssertion& assertion) {
    outcome.failure = std::move(assertion);
  } catch (...) {
    outcome.unexpected = true;
  }
}
}  // namespace

void Evaluate(const std::string& inputPath, const std::string& submissionPath,
              Evaluation& evaluation, RunObserver* observer) {
  Guarded(evaluation, [&] {
    {
      FileSource input(inputPath);
      ReadTaskInputFrom(input, evaluation, observer);
    }
    FileSource submission(submissionPath);
    ReadSubmissionFrom(submission, evaluation.testCases, evaluation, observer);
  });
}

void Evaluate(ByteSource& input, ByteSource& submission, Evaluation& evaluation,
              RunObserver* observer) {
  Guarded(evaluation, [&] {
    ReadTaskInputFrom(input, evaluation, observer);
    ReadSubmissionFrom(submission, evaluation.testCases, evaluation, observer);
  });
}

void EvaluateTaskInput(const std::string& inputPath, Evaluation& evaluation) {
  FileSource input(inputPath);
  EvaluateTaskInput(input, evaluation);
}

void EvaluateTaskInput(ByteSource& input, Evaluation& evaluation) {
  Guarded(evaluation, [&] { ReadTaskInputFrom(input, evaluation, nullptr); });
}

void Evaluate(const TestCaseList& testCases, ByteSource& submission, RunOutcome& outcome,
              RunObserver* observer) {
  Guarded(outcome, [&] { ReadSubmissionFrom(submission, testCases, outcome, observer); });
}

void WriteReport(TextSink& report, const RunOutcome& outcome) {
  if (outcome.unexpected) {
    WriteUnexpectedReport(report);
  } else if (outcome.failure) {
    WriteFailureReport(report, *outcome.failure);
  } else {
    WriteOkReport(report, outcome.entries);
  }
}

void WriteFirstLine(TextSink& out, const RunOutcome& outcome) {
  if (outcome.unexpected) {
    out.Write(kUnexpectedLine);
  } else if (outcome.failure) {
    WriteFailureLine(out, *outcome.failure);
  } else {
    out.Write(kOkLine);
  }
}
