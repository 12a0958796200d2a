// The contestant's submission: the contestant number, the task name, then one block per
// answered test case (its number, the rectangle count and the rectangles), and the check of
// each block against its test case.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "coverage.h"
#include "line_reader.h"
#include "task_input.h"

struct ReportEntry {
  int testNumber = 0;
  int rectangleCount = 0;
};

// A deque, so that a flood of tiny blocks never holds the entries twice while they grow.
using ReportEntryList = std::deque<ReportEntry>;

struct CaseResult {
  std::vector<Rect> rects;
  int testNumber = 0;
  const TestCase* testCase = nullptr;
};

// What one block needs besides its test case; kept across blocks so that a submission of a
// million blocks does not allocate a million times.
struct BlockWorkspace {
  CaseResult result;
  Coverage coverage;
};

// `facts`, when given, holds the block at hand and keeps the wanted one (see run_facts.h).
void ReadSubmission(const std::string& path, TestCaseList& testCases, ReportEntryList& entries,
                    RunFacts* facts = nullptr);
void ReadSubmission(LineReader& reader, TestCaseList& testCases, ReportEntryList& entries,
                    RunFacts* facts = nullptr);

// Reads and checks the body of one block; `lineCounter` advances by one for every line it
// tries to read. The result lives in the workspace until the next block.
const CaseResult& EvaluateCase(LineReader& reader, TestCase& testCase, int testNumber,
                               std::int64_t& lineCounter, BlockWorkspace& workspace);
