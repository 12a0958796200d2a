// What every report must look like, whatever the files held: exactly one of the three forms,
// a failure naming one of the evaluator's check numbers. Used by the fuzzing harnesses.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "eval/checks.h"
#include "eval/report.h"

inline bool IsNumber(std::string_view text, bool allowMinus) {
  if (allowMinus && !text.empty() && text[0] == '-') {
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 10) {
    return false;
  }
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

// Splits off one line ending in the report's line end; false when there is none.
inline bool TakeReportLine(std::string_view& text, std::string_view& line) {
  const auto end = text.find(kLineEnd);
  if (end == std::string_view::npos) {
    return false;
  }
  line = text.substr(0, end);
  text.remove_prefix(end + kLineEnd.size());
  return true;
}

inline bool IsOkReport(std::string_view text) {
  std::string_view line;
  if (!TakeReportLine(text, line) || line != "OK" || !TakeReportLine(text, line) ||
      !IsNumber(line, false)) {
    return false;
  }
  for (long count = std::atol(std::string(line).c_str()); count > 0; --count) {
    if (!TakeReportLine(text, line)) {
      return false;
    }
    const auto blank = line.find(' ');
    if (blank == std::string_view::npos || !IsNumber(line.substr(0, blank), true) ||
        !IsNumber(line.substr(blank + 1), false)) {
      return false;
    }
  }
  return text.empty();
}

// The check number of a failure report, or -1 when the text is not one.
inline int FailureCheck(std::string_view text) {
  const std::string_view prefix = "Napaka [Ozi18Zelmiranke:";
  std::string_view line;
  std::string_view minus;
  if (text.substr(0, prefix.size()) != prefix || !TakeReportLine(text, line) ||
      !TakeReportLine(text, minus) || minus != "-1" || !text.empty()) {
    return -1;
  }
  line.remove_prefix(prefix.size());
  const auto close = line.find("]: ");
  if (close == std::string_view::npos || !IsNumber(line.substr(0, close), false)) {
    return -1;
  }
  return std::atoi(std::string(line.substr(0, close)).c_str());
}

// Aborts, so that the fuzzer keeps the input, when a report breaks the forms. The
// unexpected-error form counts as a fault here: no file content should lead to it.
inline void CheckReportForm(const std::string& report) {
  // A check that is the evaluator's own fault (161: it contradicts itself) no file may lead
  // to either.
  if (IsOkReport(report) || PartyOfCheck(FailureCheck(report)) != Party::kEvaluator) {
    return;
  }
  std::fprintf(stderr, "report breaks the forms: %.300s\n", report.c_str());
  std::abort();
}
