#include "judge/batch_points.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace {
// Points are compared as they are printed, to six decimals, so that sums made in different
// orders tie when they look equal.
long long Rounded(double points) {
  return std::llround(points * 1e6);
}

// The points one accepted submission earns, test by test; nothing for any other.
std::vector<TestPoints> PointsOf(const GradedSubmission& submission, const Scoring& scoring,
                                 const std::vector<TestSummary>& tests) {
  std::vector<TestPoints> points;
  for (const TestCount& count : submission.counts) {
    const std::size_t t = static_cast<std::size_t>(count.test) - 1;
    if (tests[t].reference.empty()) {
      continue;
    }
    const double earned = scoring.points[t] * ShareOf(scoring, count.count, tests[t].reference);
    if (earned > 0) {
      points.push_back({count.test, earned});
    }
  }
  return points;
}

double Total(const std::vector<TestPoints>& points) {
  double total = 0;
  for (const TestPoints& test : points) {
    total += test.points;
  }
  return total;
}

// On each test, the most points any of the lists earns there.
std::vector<TestPoints> BestOfEach(const std::vector<std::vector<TestPoints>>& lists) {
  std::map<int, double> best;
  for (const std::vector<TestPoints>& list : lists) {
    for (const TestPoints& test : list) {
      double& most = best[test.test];
      most = std::max(most, test.points);
    }
  }
  std::vector<TestPoints> points;
  for (const auto& [test, most] : best) {
    points.push_back({test, most});
  }
  return points;
}

// The points of one contestant from their graded submissions, in the order given.
void Choose(const std::vector<const GradedSubmission*>& mine, const Scoring& scoring,
            const std::vector<TestSummary>& tests, ContestantPoints& result) {
  std::vector<std::vector<TestPoints>> earned;
  for (const GradedSubmission* submission : mine) {
    earned.push_back(PointsOf(*submission, scoring, tests));
  }
  if (earned.empty()) {
    return;
  }
  if (scoring.take == Take::kEachTest) {
    result.tests = BestOfEach(earned);
  } else {
    std::size_t chosen = earned.size() - 1;
    if (scoring.take == Take::kBest) {
      for (std::size_t i = 0; i < earned.size(); ++i) {
        if (Rounded(Total(earned[i])) >= Rounded(Total(earned[chosen]))) {
          chosen = i;
        }
      }
    }
    result.counted = mine[chosen]->path;
    result.tests = std::move(earned[chosen]);
  }
  result.total = Total(result.tests);
}

// The summary of every test over the accepted submissions, grouped by contestant.
std::vector<TestSummary> Summarize(
    const std::map<std::string, std::vector<const GradedSubmission*>>& byContestant,
    const Scoring& scoring, int testCount) {
  std::vector<TestSummary> tests(static_cast<std::size_t>(testCount));
  std::map<std::string, std::map<int, int>> bestOfContestant;
  for (const auto& [contestant, mine] : byContestant) {
    std::map<int, int>& best = bestOfContestant[contestant];
    for (const GradedSubmission* submission : mine) {
      for (const TestCount& count : submission->counts) {
        const auto [at, added] = best.emplace(count.test, count.count);
        at->second = std::min(at->second, count.count);
      }
    }
    for (const auto& [test, count] : best) {
      TestSummary& summary = tests[static_cast<std::size_t>(test) - 1];
      ++summary.answered;
      summary.best = summary.best == 0 ? count : std::min(summary.best, count);
    }
  }
  for (const auto& [contestant, best] : bestOfContestant) {
    for (const auto& [test, count] : best) {
      TestSummary& summary = tests[static_cast<std::size_t>(test) - 1];
      if (count == summary.best) {
        summary.reachedBy.push_back(contestant);
      }
    }
  }
  for (std::size_t t = 0; t < tests.size(); ++t) {
    if (!scoring.reference.empty()) {
      tests[t].reference = scoring.reference[t];
    } else if (tests[t].best > 0) {
      tests[t].reference = {tests[t].best};
    }
  }
  return tests;
}

void Rank(std::vector<ContestantPoints>& contestants) {
  std::sort(contestants.begin(), contestants.end(), [](const auto& a, const auto& b) {
    return Rounded(a.total) != Rounded(b.total) ? Rounded(a.total) > Rounded(b.total)
                                                : a.contestant < b.contestant;
  });
  for (std::size_t i = 0; i < contestants.size(); ++i) {
    const bool tied = i > 0 && Rounded(contestants[i].total) == Rounded(contestants[i - 1].total);
    contestants[i].rank = tied ? contestants[i - 1].rank : static_cast<int>(i) + 1;
  }
}
}  // namespace

double ShareOf(const Scoring& scoring, int count, const std::vector<int>& reference) {
  const int smallest = *std::min_element(reference.begin(), reference.end());
  switch (scoring.formula) {
    case Formula::kRatio:
      return std::min(1.0, static_cast<double>(smallest) / count);
    case Formula::kAllOrNothing:
      return count <= smallest ? 1.0 : 0.0;
    case Formula::kThresholds:
      break;
  }
  double share = 0;
  for (std::size_t i = 0; i < reference.size() && i < scoring.levels.size(); ++i) {
    if (count <= reference[i]) {
      share = std::max(share, scoring.levels[i]);
    }
  }
  return share;
}

BatchPoints ScoreBatch(const std::vector<GradedSubmission>& graded, const Scoring& scoring,
                       int testCount) {
  std::map<std::string, std::vector<const GradedSubmission*>> accepted;
  std::map<std::string, std::vector<const GradedSubmission*>> byContestant;
  std::map<std::string, ContestantPoints> results;
  for (const GradedSubmission& submission : graded) {
    if (submission.contestant.empty()) {
      continue;
    }
    ContestantPoints& result = results[submission.contestant];
    result.contestant = submission.contestant;
    ++result.submissions;
    if (!submission.Graded()) {
      ++result.ungraded;
      continue;
    }
    byContestant[submission.contestant].push_back(&submission);
    if (submission.verdict == Verdict::kOk) {
      accepted[submission.contestant].push_back(&submission);
    }
  }
  BatchPoints points;
  points.tests = Summarize(accepted, scoring, testCount);
  for (auto& [contestant, result] : results) {
    Choose(byContestant[contestant], scoring, points.tests, result);
    points.contestants.push_back(std::move(result));
  }
  Rank(points.contestants);
  return points;
}

std::string FormatPoints(double points) {
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, points, std::chars_format::fixed, 6);
  std::string formatted(text, error == std::errc() ? end : text);
  if (formatted.find('.') != std::string::npos) {
    formatted.erase(formatted.find_last_not_of('0') + 1);
    if (formatted.back() == '.') {
      formatted.pop_back();
    }
  }
  return formatted == "-0" ? "0" : formatted;
}
