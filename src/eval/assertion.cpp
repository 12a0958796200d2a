#include "eval/assertion.h"

#include <charconv>
#include <utility>

void RaiseAssertion(std::string message, std::string_view source, int check,
                    const FailureSite& site) {
  const auto zero = message.find('\0');
  if (zero != std::string::npos) {
    message.resize(zero);
  }
  throw EAssertion{std::move(message), std::string(source), check, site};
}

namespace {
template <typename Int>
std::string FormatInt(Int value) {
  char text[24];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}
}  // namespace

std::string IntToStr(int value) {
  return FormatInt(value);
}
std::string IntToStr(std::int64_t value) {
  return FormatInt(value);
}

std::string QuoteLine(std::string_view prefix, std::string_view line, std::string_view suffix) {
  const auto zero = line.find('\0');
  if (zero != std::string_view::npos) {
    line = line.substr(0, zero);
    suffix = {};
  }
  std::string message;
  message.reserve(prefix.size() + line.size() + suffix.size());
  message.append(prefix).append(line).append(suffix);
  return message;
}
