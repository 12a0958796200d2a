// Helpers shared by the unit tests: running the stages on text held in memory.
#pragma once

#include <string>
#include <string_view>

#include "assertion.h"
#include "byte_source.h"
#include "line_reader.h"
#include "submission.h"
#include "task_input.h"

// "OK" and the entries, one "test count" pair a line, or "check: message" of the failure.
inline std::string Outcome(std::string_view input, std::string_view submission) {
  try {
    TestCaseList testCases;
    ReportEntryList entries;
    MemorySource inputSource(input);
    LineReader inputReader(inputSource);
    ReadTaskInput(inputReader, testCases);
    MemorySource submissionSource(submission);
    LineReader submissionReader(submissionSource);
    ReadSubmission(submissionReader, testCases, entries);
    std::string text = "OK";
    for (const ReportEntry& entry : entries) {
      text.append("|").append(std::to_string(entry.testNumber));
      text.append(" ").append(std::to_string(entry.rectangleCount));
    }
    return text;
  } catch (const EAssertion& assertion) {
    return std::to_string(assertion.line) + ": " + assertion.message;
  }
}
