// The viewer's command line:
//   zelmiranke-view input.txt submission.txt picture.svg [--block K] [--window N]
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kViewUsage =
    "Uporaba: zelmiranke-view input.txt submission.txt picture.svg [--block K] [--window N]\n";

// The side of the window drawn when the whole block would make too large a picture.
inline constexpr int kDefaultWindow = 200;

struct ViewArgs {
  std::string input;
  std::string submission;
  std::string picture;
  std::int64_t block = 0;  // 0: not asked for
  int window = kDefaultWindow;
};

// None for a bad command line: fewer than three paths, an unknown word, or an option without
// a whole number in range (K at least 1, N from 1 to 1000). A repeated option takes the last.
std::optional<ViewArgs> ParseViewArgs(int argc, const char* const* argv);
