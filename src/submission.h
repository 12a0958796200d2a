// The contestant's submission: the contestant number, the task name, then one block per
// answered test case (its number, the rectangle count and the rectangles), and the check of
// each block against its test case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "coverage.h"
#include "line_reader.h"
#include "report_entries.h"
#include "task_input.h"
#include "white_cells.h"

// What a block yields. Its rectangles are kept only when asked for (the viewer): a block that
// fails keeps the one it failed at as the last.
struct CaseResult {
  RectList rects;
  int rectangleCount = 0;
  int testNumber = 0;
  const TestCase* testCase = nullptr;
};

// What one block needs besides its test case; kept across blocks so that a submission of a
// million blocks does not allocate a million times. It serves the test cases of one list, which
// must outlive it: the white-cell indexes are kept by the test case's address.
struct BlockWorkspace {
  bool keepRects = false;
  CaseResult result;
  WhiteCells whiteCells;
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
