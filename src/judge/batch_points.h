// From the counts of a batch to points: a summary of each test (how many contestants answered
// it, the best count and who reached it) and the points of each contestant, by the formula the
// organizer picks. A count earns a share of the test's points against the test's reference
// counts: the file's, or else the best count of the batch.
//   ratio:          min(1, reference / count), the smallest reference count
//   all-or-nothing: 1 when count <= reference (the smallest), else 0
//   thresholds:     the largest level i with count <= reference i, else 0
// The best count of a test is the smallest of every accepted submission's, whichever of a
// contestant's submissions count. A rejected submission earns nothing; one that was not graded
// (unreadable, or an internal error) is left out and counted apart.
#pragma once

#include <string>
#include <vector>

#include "judge/batch_args.h"
#include "judge/batch_grading.h"

struct Scoring {
  Formula formula = Formula::kRatio;
  Take take = Take::kBest;
  std::vector<double> points;  // by test, from test 1
  std::vector<double> levels;  // thresholds: the share at each reference count, in line order
  // By test, from test 1: the counts of the reference file; empty: the batch's best count.
  std::vector<std::vector<int>> reference;
};

// The share of a test's points, from 0 to 1, that `count` earns against `reference` (the
// counts of one test, at least one).
double ShareOf(const Scoring& scoring, int count, const std::vector<int>& reference);

struct TestSummary {
  int answered = 0;                    // contestants with an accepted submission answering it
  int best = 0;                        // the smallest count of those; 0 when none
  std::vector<std::string> reachedBy;  // the contestants with that count, in text order
  std::vector<int> reference;          // what the test is scored against; empty: nothing
};

struct TestPoints {
  int test = 0;
  double points = 0;
};

struct ContestantPoints {
  std::string contestant;         // the first line of the submissions, as written
  std::string counted;            // the path of the submission that counts; empty for each-test
  int submissions = 0;            // the submissions that name the contestant
  int ungraded = 0;               // of those, the ones that ended in an internal error
  std::vector<TestPoints> tests;  // the tests with points, by test
  double total = 0;
  int rank = 0;  // 1 + the number of contestants with more points
};

struct BatchPoints {
  std::vector<TestSummary> tests;             // by test, from test 1
  std::vector<ContestantPoints> contestants;  // by rank, then by contestant number as text
};

// `scoring.points` holds one value for each of the `testCount` tests.
BatchPoints ScoreBatch(const std::vector<GradedSubmission>& graded, const Scoring& scoring,
                       int testCount);

// Reads a file of reference counts: lines "test count [count...]", blank lines and lines that
// start with '#' aside, every test from 1 to `testCount` once. With `countsPerLine` above 0,
// every line holds that many counts. False with the reason in `error`.
bool ReadReference(const std::string& path, int testCount, std::size_t countsPerLine,
                   std::vector<std::vector<int>>& reference, std::string& error);

// Points for a table: up to six decimals, without trailing zeros ("2.5", "3.333333", "10").
std::string FormatPoints(double points);
