// One evaluation of a task input and a submission, as every program built on the evaluator
// runs it: both files read and checked, and the outcome kept for the report (or a picture, or
// a judge's verdict) to be made of.
#pragma once

#include <optional>
#include <string>

#include "base/byte_source.h"
#include "base/text_sink.h"
#include "eval/assertion.h"
#include "eval/report_entries.h"
#include "eval/run_observer.h"
#include "eval/test_case.h"

// What the report is made of.
struct RunOutcome {
  ReportEntryList entries;            // one per block, when the run passed
  std::optional<EAssertion> failure;  // the first failed check
  bool unexpected = false;            // an error that is no check (a read error, no memory)
};

struct Evaluation : RunOutcome {
  TestCaseList testCases;
};

// Reads and checks the task input, then the submission; `evaluation` must be fresh and
// `observer` may be null. The submission is opened only once the task input has been read
// whole. A failed check or any other error ends up in `evaluation`, never thrown.
void Evaluate(const std::string& inputPath, const std::string& submissionPath,
              Evaluation& evaluation, RunObserver* observer = nullptr);
void Evaluate(ByteSource& input, ByteSource& submission, Evaluation& evaluation,
              RunObserver* observer = nullptr);

// A task input read once for many submissions: the first stage of Evaluate alone. When it
// fails, `evaluation` holds the failure and no submission may be checked against it.
void EvaluateTaskInput(const std::string& inputPath, Evaluation& evaluation);
void EvaluateTaskInput(ByteSource& input, Evaluation& evaluation);
// The second stage: a submission checked against test cases read whole and without a failure
// by EvaluateTaskInput. `outcome` must be fresh. The test cases are only read, so that several
// threads may check submissions against one list at once, each with its own outcome and
// observer; each such check is the one Evaluate makes of the two files.
void Evaluate(const TestCaseList& testCases, ByteSource& submission, RunOutcome& outcome,
              RunObserver* observer = nullptr);

// The report of an evaluation, and its first line without the line end.
void WriteReport(TextSink& report, const RunOutcome& outcome);
void WriteFirstLine(TextSink& out, const RunOutcome& outcome);
