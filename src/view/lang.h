// The language of a picture's own words (its caption and legend): Slovene, as the evaluator's
// report, or English. The report's line stands in the caption as the evaluator wrote it.
#pragma once

#include <string_view>

enum class Lang { kSlovene, kEnglish };

// The words for `lang` of a pair.
struct Words {
  std::string_view slovene;
  std::string_view english;

  constexpr std::string_view In(Lang lang) const {
    return lang == Lang::kEnglish ? english : slovene;
  }
};
