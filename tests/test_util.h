// Helpers shared by the unit tests: running the stages on text held in memory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assertion.h"
#include "byte_source.h"
#include "line_reader.h"
#include "picture_writer.h"
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

// A test case made from text rows, with the bits it points into.
struct PictureForTest {
  std::vector<bit_rows::Byte> bytes;
  TestCase testCase;

  PictureForTest(const std::vector<std::string>& rows, int a, int b) {
    const int w = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    bytes.assign(static_cast<std::size_t>(bit_rows::Stride(w)) * rows.size() + bit_rows::kPadding,
                 0);
    PictureWriter writer(bytes.data(), w);
    for (const std::string& row : rows) {
      writer.Append(row);
    }
    testCase.cells = bytes.data();
    testCase.number = 1;
    testCase.w = static_cast<std::uint16_t>(w);
    testCase.h = static_cast<std::uint16_t>(rows.size());
    testCase.a = static_cast<std::uint16_t>(a);
    testCase.b = static_cast<std::uint16_t>(b);
    testCase.blackCount = static_cast<std::int32_t>(writer.BlackCount());
  }
  PictureForTest(const PictureForTest&) = delete;
  PictureForTest& operator=(const PictureForTest&) = delete;
};
