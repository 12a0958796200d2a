#include "judge/batch_args.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace {
template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return error == std::errc() && stop == end;
}

bool ParseJobs(std::string_view text, unsigned& jobs) {
  // More threads than this only cost memory: every evaluation holds its own.
  constexpr unsigned kMostJobs = 1024;
  return ParseNumber(text, jobs) && jobs >= 1 && jobs <= kMostJobs;
}

template <typename Choice, std::size_t N>
bool ParseChoice(std::string_view text, const std::pair<std::string_view, Choice> (&words)[N],
                 Choice& choice) {
  for (const auto& [word, value] : words) {
    if (text == word) {
      choice = value;
      return true;
    }
  }
  return false;
}

constexpr std::pair<std::string_view, Formula> kFormulas[] = {
    {"ratio", Formula::kRatio},
    {"all-or-nothing", Formula::kAllOrNothing},
    {"thresholds", Formula::kThresholds},
};
constexpr std::pair<std::string_view, Take> kTakes[] = {
    {"best", Take::kBest},
    {"last", Take::kLast},
    {"each-test", Take::kEachTest},
};

// Takes the value of option `name` into `parsed`; false when it is not one.
bool TakeOption(std::string_view name, const std::string& value, BatchArgs& parsed) {
  if (name == "--out") {
    parsed.out = value;
    return !value.empty();
  }
  if (name == "--jobs") {
    return ParseJobs(value, parsed.jobs);
  }
  if (name == "--points") {
    return ParseNumberList(value, parsed.points);
  }
  if (name == "--levels") {
    return ParseNumberList(value, parsed.levels);
  }
  if (name == "--reference") {
    parsed.reference = value;
    return !value.empty();
  }
  if (name == "--formula") {
    return ParseChoice(value, kFormulas, parsed.formula);
  }
  return ParseChoice(value, kTakes, parsed.take);
}

bool IsOption(std::string_view word) {
  for (const std::string_view name :
       {"--out", "--jobs", "--points", "--levels", "--reference", "--formula", "--take"}) {
    if (word == name) {
      return true;
    }
  }
  return false;
}

bool CheckCombination(const BatchArgs& parsed, std::string& error) {
  if (parsed.out.empty()) {
    error = "manjka --out mapa";
  } else if (parsed.submissions.empty()) {
    error = "manjkata uradni vhod in vsaj ena oddaja ali mapa";
  } else if (parsed.formula == Formula::kThresholds &&
             (parsed.reference.empty() || parsed.levels.empty())) {
    error = "--formula thresholds potrebuje --reference in --levels";
  } else if (parsed.formula != Formula::kThresholds && !parsed.levels.empty()) {
    error = "--levels velja le za --formula thresholds";
  } else {
    return true;
  }
  return false;
}
}  // namespace

bool ParseNumberList(std::string_view text, std::vector<double>& numbers) {
  numbers.clear();
  for (;;) {
    const std::size_t comma = text.find(',');
    double number = 0;
    if (!ParseNumber(text.substr(0, comma), number) || !std::isfinite(number) || number < 0) {
      return false;
    }
    numbers.push_back(number);
    if (comma == std::string_view::npos) {
      return true;
    }
    text.remove_prefix(comma + 1);
  }
}

bool ParseBatchArgs(const ModeArgs& args, BatchArgs& parsed, std::string& error) {
  std::vector<std::string> paths;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (options && word == "--") {
      options = false;
    } else if (options && IsOption(word)) {
      if (i + 1 == args.size()) {
        error = "moznost " + word + " potrebuje vrednost";
        return false;
      }
      if (!TakeOption(word, args[++i], parsed)) {
        error = "neveljavna vrednost moznosti " + word + ": " + args[i];
        return false;
      }
    } else if (options && word.size() > 1 && word[0] == '-') {
      error = "neznana moznost: " + word;
      return false;
    } else {
      paths.push_back(word);
    }
  }
  if (!paths.empty()) {
    parsed.input = paths.front();
    parsed.submissions.assign(paths.begin() + 1, paths.end());
  }
  return CheckCombination(parsed, error);
}
