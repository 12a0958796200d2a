// The official task input: the task name, the number of test cases and one block per test
// case (an empty line, the size line "number w h a b" and h picture rows).
#pragma once

#include <cstdint>
#include <string_view>

#include "base/line_reader.h"
#include "eval/run_observer.h"
#include "eval/test_case.h"

inline constexpr std::string_view TaskName = "Zelmiranke";

// Reads and checks the whole task input into `testCases`, which must be empty. `observer` may
// be null.
void ReadTaskInput(LineReader& reader, TestCaseList& testCases, RunObserver* observer = nullptr);

// The check (`checkNumber`) that line `lineNumber` of a file holds the task name: `whichLine`
// is the line's ordinal word in the message ("prvi", "drugi").
void CheckTaskName(std::string_view line, std::string_view whichLine, std::int64_t lineNumber,
                   int checkNumber);
