// The one failure type of the evaluator: every failed check raises an EAssertion that carries
// its Slovene message, the source tag, the check number and where in the files it points.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "eval/rect.h"

inline constexpr std::string_view SourceTag = "Ozi18Zelmiranke";

// Where a failed check points, as far as it points anywhere. The message says the same in
// words; programs that show a failure take it from here.
struct FailureSite {
  FailureSite() = default;
  FailureSite(std::int64_t line, int rectangle = 0, std::optional<Cell> cell = std::nullopt)
      : line(line), rectangle(rectangle), cell(cell) {}

  std::int64_t line = 0;     // the line of the file the check concerns, from 1; 0: none
  int rectangle = 0;         // the rectangle's ordinal in its block, from 1; 0: none
  std::optional<Cell> cell;  // the cell the check names
};

struct EAssertion {
  std::string message;
  std::string source;
  int check = 0;
  FailureSite site;
};

// Throws an EAssertion. The message ends at its first zero byte, because the report prints
// it as zero-terminated text. The message is taken by value so that a long quoted line is
// moved, not copied.
[[noreturn]] void RaiseAssertion(std::string message, std::string_view source, int check,
                                 const FailureSite& site = {});

// Raises the failure of check `check` of this evaluator.
[[noreturn]] inline void Fail(std::string message, int check, const FailureSite& site = {}) {
  RaiseAssertion(std::move(message), SourceTag, check, site);
}

// Decimal text of a number, as "%d" prints it. Line numbers of huge files can pass 2^31,
// so the 64-bit form exists too; both print the exact value.
std::string IntToStr(int value);
std::string IntToStr(std::int64_t value);

// A message that quotes a raw line between a prefix and a suffix. A zero byte in the line ends
// the whole message, so nothing past it is copied.
std::string QuoteLine(std::string_view prefix, std::string_view line, std::string_view suffix);
