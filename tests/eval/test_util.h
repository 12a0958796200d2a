// Helpers shared by the core's tests: evaluations of text held in memory, and test cases made
// from text rows.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_source.h"
#include "eval/evaluation.h"
#include "eval/picture_writer.h"
#include "eval/test_case.h"

// A cell as a failed expectation shows it.
inline void PrintTo(const Cell& cell, std::ostream* out) {
  *out << "(" << cell.x << ", " << cell.y << ")";
}

// "OK" and the entries, "|test count" each, or "check: message" of the failure.
inline std::string OutcomeOf(const RunOutcome& evaluation) {
  if (evaluation.unexpected) {
    return "unexpected";
  }
  if (evaluation.failure) {
    return std::to_string(evaluation.failure->check) + ": " + evaluation.failure->message;
  }
  std::string text = "OK";
  for (const ReportEntry& entry : evaluation.entries) {
    text.append("|").append(std::to_string(entry.testNumber));
    text.append(" ").append(std::to_string(entry.rectangleCount));
  }
  return text;
}

inline std::string Outcome(std::string_view input, std::string_view submission) {
  MemorySource inputSource(input);
  MemorySource submissionSource(submission);
  Evaluation evaluation;
  Evaluate(inputSource, submissionSource, evaluation);
  return OutcomeOf(evaluation);
}

// A test case made from text rows, with the bits it points into. Test cases that one workspace
// serves must carry distinct numbers, as those of a run do.
struct PictureForTest {
  std::vector<bit_rows::Byte> bytes;
  TestCase testCase;

  PictureForTest(const std::vector<std::string>& rows, int a, int b, int number = 1) {
    const int w = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    bytes.assign(static_cast<std::size_t>(bit_rows::Stride(w)) * rows.size() + bit_rows::kPadding,
                 0);
    PictureWriter writer(bytes.data(), w);
    for (const std::string& row : rows) {
      writer.Append(row);
    }
    testCase.cells = bytes.data();
    testCase.number = number;
    testCase.w = static_cast<std::uint16_t>(w);
    testCase.h = static_cast<std::uint16_t>(rows.size());
    testCase.a = static_cast<std::uint16_t>(a);
    testCase.b = static_cast<std::uint16_t>(b);
    testCase.blackCount = static_cast<std::int32_t>(writer.BlackCount());
  }
  PictureForTest(const PictureForTest&) = delete;
  PictureForTest& operator=(const PictureForTest&) = delete;
};
