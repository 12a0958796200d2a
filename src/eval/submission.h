// The contestant's submission: the contestant number, the task name, then one block per
// answered test case (its number, the rectangle count and the rectangles), and the check of
// each block against its test case.
#pragma once

#include <cstdint>

#include "base/line_reader.h"
#include "eval/coverage/coverage.h"
#include "eval/report_entries.h"
#include "eval/run_observer.h"
#include "eval/test_case.h"
#include "eval/white_cells.h"

// What one block needs besides its test case; kept across blocks so that a submission of a
// million blocks does not allocate a million times. It serves the test cases of one list, which
// must outlive it: the white-cell indexes are kept by the test case's address.
struct BlockWorkspace {
  WhiteCells whiteCells;
  Coverage coverage;
  RunObserver* observer = nullptr;  // told of every rectangle read; may be null
};

// Reads and checks the whole submission against `testCases`, one entry per block into
// `entries`. `observer` may be null.
void ReadSubmission(LineReader& reader, const TestCaseList& testCases, ReportEntryList& entries,
                    RunObserver* observer = nullptr);

// Reads and checks the body of one block and returns how many rectangles it holds;
// `lineCounter` advances by one for every line it tries to read.
int EvaluateCase(LineReader& reader, const TestCase& testCase, std::int64_t& lineCounter,
                 BlockWorkspace& workspace);
