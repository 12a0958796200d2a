// The evaluator's outcome in the terms of the reference evaluation (reference.h), for the tests
// and fuzzers that hold the one against the other. The reference itself never includes the core.
#pragma once

#include <string_view>

#include "base/byte_source.h"
#include "eval/evaluation.h"
#include "reference/reference.h"

inline reference::Verdict AsReferenceVerdict(const RunOutcome& evaluation) {
  reference::Verdict verdict;
  if (evaluation.unexpected) {
    verdict.check = -1;
  } else if (evaluation.failure) {
    const FailureSite& site = evaluation.failure->site;
    verdict.check = evaluation.failure->check;
    verdict.line = site.line;
    verdict.rectangle = site.rectangle;
    if (site.cell) {
      verdict.cell = reference::Cell{site.cell->x, site.cell->y};
    }
  } else {
    for (const ReportEntry& entry : evaluation.entries) {
      verdict.entries.push_back({entry.testNumber, entry.rectangleCount});
    }
  }
  return verdict;
}

// The evaluator's verdict on files held in memory.
inline reference::Verdict EvaluatorVerdict(std::string_view input, std::string_view submission) {
  MemorySource inputSource(input);
  MemorySource submissionSource(submission);
  Evaluation evaluation;
  Evaluate(inputSource, submissionSource, evaluation);
  return AsReferenceVerdict(evaluation);
}
