// The viewer's command line:
//   zelmiranke-view input.txt submission.txt picture.svg [--block K] [--window N] [--at X,Y]
//                   [--lang sl|en]
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "view/lang.h"
#include "view/layout.h"

inline constexpr std::string_view kViewUsage =
    "Uporaba: zelmiranke-view input.txt submission.txt picture.svg [--block K] [--window N] "
    "[--at X,Y] [--lang sl|en]\n";

struct ViewArgs {
  std::string input;
  std::string submission;
  std::string picture;
  std::int64_t block = 0;  // 0: not asked for
  WindowAsked window = {};
  Lang lang = Lang::kSlovene;
};

// None for a bad command line: fewer than three paths, an unknown word, or an option without
// its value in range (K at least 1, N from 1 to 1000, X and Y whole numbers from 0 to 999
// separated by a comma, the language sl or en). A repeated option takes the last.
std::optional<ViewArgs> ParseViewArgs(int argc, const char* const* argv);
