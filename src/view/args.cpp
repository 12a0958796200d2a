#include "view/args.h"

#include <charconv>

#include "eval/test_case.h"

namespace {
// The whole word as a number from `low` to `high`, or none.
std::optional<std::int64_t> WholeNumber(std::string_view word, std::int64_t low,
                                        std::int64_t high) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// "X,Y": a cell of the largest grid.
std::optional<Cell> CellWords(std::string_view word) {
  const std::size_t comma = word.find(',');
  if (comma == std::string_view::npos) {
    return std::nullopt;
  }
  const auto x = WholeNumber(word.substr(0, comma), 0, kMaxSide - 1);
  const auto y = WholeNumber(word.substr(comma + 1), 0, kMaxSide - 1);
  if (!x || !y) {
    return std::nullopt;
  }
  return Cell{static_cast<int>(*x), static_cast<int>(*y)};
}
}  // namespace

std::optional<ViewArgs> ParseViewArgs(int argc, const char* const* argv) {
  if (argc < 4) {
    return std::nullopt;
  }
  ViewArgs args{argv[1], argv[2], argv[3]};
  for (int i = 4; i < argc; i += 2) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) {
      return std::nullopt;
    }
    const std::string_view value = argv[i + 1];
    if (option == "--block") {
      const auto block = WholeNumber(value, 1, INT64_MAX);
      if (!block) {
        return std::nullopt;
      }
      args.block = *block;
    } else if (option == "--window") {
      const auto window = WholeNumber(value, 1, kMaxSide);
      if (!window) {
        return std::nullopt;
      }
      args.window.side = static_cast<int>(*window);
    } else if (option == "--lang") {
      if (value != "sl" && value != "en") {
        return std::nullopt;
      }
      args.lang = value == "en" ? Lang::kEnglish : Lang::kSlovene;
    } else if (option == "--at") {
      args.window.at = CellWords(value);
      if (!args.window.at) {
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  return args;
}
