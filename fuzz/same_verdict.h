// The check every harness makes of a run: the evaluator's verdict (the failed check, its line,
// rectangle and cell, or every block's entry) must be the reference evaluation's.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "reference/evaluator_verdict.h"
#include "reference/reference.h"

// Aborts, so that the fuzzer keeps the input, unless `got`, the evaluator's verdict on the two
// files, is the reference's.
inline void CheckSameVerdict(const reference::Verdict& got, std::string_view input,
                             std::string_view submission) {
  const reference::Verdict expected = reference::EvaluateRun(input, submission);
  if (got != expected) {
    std::fprintf(stderr,
                 "the verdict is not the reference's:\n  evaluator: %.300s\n  reference: %.300s\n",
                 reference::Describe(got).c_str(), reference::Describe(expected).c_str());
    std::abort();
  }
}
