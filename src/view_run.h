// One evaluation for the viewer: the evaluator's own readers and checks, run with facts (see
// run_facts.h), and the first line of the report they lead to.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "assertion.h"
#include "run_facts.h"
#include "submission.h"
#include "task_input.h"

struct ViewedRun {
  TestCaseList testCases;
  ReportEntryList entries;
  RunFacts facts;
  std::optional<EAssertion> failure;
  bool unexpected = false;   // an error that is not a check (a read error, memory exhausted)
  std::string blockPicture;  // the drawn block's picture as text, h rows of w cells
};

// Evaluates the two files, keeping block `wantedBlock` (1-based) for the picture.
void RunForView(const std::string& inputPath, const std::string& submissionPath,
                std::int64_t wantedBlock, ViewedRun& run);

// Hands the report's first line, without its line end, to `write` piece by piece.
void WriteFirstLine(const ViewedRun& run, const std::function<void(std::string_view)>& write);

// The first `limit` bytes of that line, and " ..." when it is longer.
std::string FirstLineHead(const ViewedRun& run, std::size_t limit);
