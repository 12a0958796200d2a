// One evaluation for the viewer: the evaluator's own readers and checks, watched by RunFacts
// (run it with Evaluate(input, submission, run.evaluation, &run.facts)), and the first line of
// the report they lead to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "eval/evaluation.h"
#include "view/run_facts.h"

struct ViewedRun {
  explicit ViewedRun(std::int64_t wantedBlock) : facts(wantedBlock) {}
  Evaluation evaluation;
  RunFacts facts;
  std::string blockPicture;  // the drawn block's picture as text, h rows of w cells
};

// The first `limit` bytes of the report's first line, and " ..." when it is longer.
std::string FirstLineHead(const ViewedRun& run, std::size_t limit);
