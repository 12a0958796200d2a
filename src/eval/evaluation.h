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

struct Evaluation {
  TestCaseList testCases;
  ReportEntryList entries;            // one per block, when the run passed
  std::optional<EAssertion> failure;  // the first failed check
  bool unexpected = false;            // an error that is no check (a read error, no memory)
};

// Reads and checks the task input, then the submission; `evaluation` must be fresh and
// `observer` may be null. The submission is opened only once the task input has been read
// whole. A failed check or any other error ends up in `evaluation`, never thrown.
void Evaluate(const std::string& inputPath, const std::string& submissionPath,
              Evaluation& evaluation, RunObserver* observer = nullptr);
void Evaluate(ByteSource& input, ByteSource& submission, Evaluation& evaluation,
              RunObserver* observer = nullptr);

// The report of an evaluation, and its first line without the line end.
void WriteReport(TextSink& report, const Evaluation& evaluation);
void WriteFirstLine(TextSink& out, const Evaluation& evaluation);
