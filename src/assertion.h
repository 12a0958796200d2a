// The one failure type of the evaluator: every failed check raises an EAssertion that carries
// its Slovene message, the module tag and the check number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

inline constexpr std::string_view SourceTag = "Ozi18Zelmiranke";

struct EAssertion {
  std::string message;
  std::string file;
  int line = 0;
};

// Throws an EAssertion. The message ends at its first zero byte, because the report prints
// it as zero-terminated text.
// The message is taken by value so that a long quoted line is moved, not copied.
[[noreturn]] void RaiseAssertion(std::string message, std::string_view file, int line);

// Raises the failure of check `check` of this module.
[[noreturn]] inline void Fail(std::string message, int check) {
  RaiseAssertion(std::move(message), SourceTag, check);
}

// Decimal text of a number, as "%d" prints it. Line numbers of huge files can pass 2^31,
// so the 64-bit form exists too; both print the exact value.
std::string IntToStr(int value);
std::string IntToStr(std::int64_t value);

// A message that quotes a raw line between a prefix and a suffix. A zero byte in the line ends
// the whole message, so nothing past it is copied.
std::string QuoteLine(std::string_view prefix, std::string_view line, std::string_view suffix);
