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

void ReadSubmissionFrom(ByteSource& source, Evaluation& evaluation, RunObserver* observer) {
  LineReader reader(source);
  ReadSubmission(reader, evaluation.testCases, evaluation.entries, observer);
}

// Runs `stages`, keeping the first failure instead of throwing it.
template <typename Stages>
void Guarded(Evaluation& evaluation, Stages stages) {
  try {
    stages();
  } catch (EAssertion& assertion) {
    evaluation.failure = std::move(assertion);
  } catch (...) {
    evaluation.unexpected = true;
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
    ReadSubmissionFrom(submission, evaluation, observer);
  });
}

void Evaluate(ByteSource& input, ByteSource& submission, Evaluation& evaluation,
              RunObserver* observer) {
  Guarded(evaluation, [&] {
    ReadTaskInputFrom(input, evaluation, observer);
    ReadSubmissionFrom(submission, evaluation, observer);
  });
}

void WriteReport(TextSink& report, const Evaluation& evaluation) {
  if (evaluation.unexpected) {
    WriteUnexpectedReport(report);
  } else if (evaluation.failure) {
    WriteFailureReport(report, *evaluation.failure);
  } else {
    WriteOkReport(report, evaluation.entries);
  }
}

void WriteFirstLine(TextSink& out, const Evaluation& evaluation) {
  if (evaluation.unexpected) {
    out.Write(kUnexpectedLine);
  } else if (evaluation.failure) {
    WriteFailureLine(out, *evaluation.failure);
  } else {
    out.Write(kOkLine);
  }
}
