// The contestant's submission: the contestant number, the task name, then one block per
// answered test case (its number, the rectangle count and the rectangles), and the check of
// each block against its test case.
#pragma once

#include "base/line_reader.h"
#include "eval/coverage/coverage.h"
#include "eval/report_entries.h"
#include "eval/run_observer.h"
#include "eval/test_case.h"

// What one block needs besides its test case; kept across blocks so that a submission of a
// million blocks does not allocate a million times. It serves the test cases of one list.
struct BlockWorkspace {
  Coverage coverage;
  RunObserver* observer = nullptr;  // told of every rectangle read; may be null
};

// Reads and checks the whole submission against `testCases`, one entry per block into
// `entries`. `observer` may be null.
void ReadSubmission(LineReader& reader, const TestCaseList& testCases, ReportEntryList& entries,
                    RunObserver* observer = nullptr);

// Reads and checks the body of one block, from its count line on, and returns how many
// rectangles it holds.
int EvaluateCase(LineReader& reader, const TestCase& testCase, BlockWorkspace& workspace);
