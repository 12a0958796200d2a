// The command line of zelmiranke-judge batch: the task input, the submissions (files or
// folders), where the tables go, how many evaluations run at once and how counts become points.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "judge/modes.h"

inline constexpr std::string_view kBatchUsage =
    "Uporaba: zelmiranke-judge batch [moznosti] --out mapa input.txt oddaja|mapa...\n"
    "  --out mapa            mapa za tabele (ustvari se, ce je ni)\n"
    "  --jobs N              toliko ocenjevanj hkrati (privzeto: stevilo jeder)\n"
    "  --points T[,T...]     tocke testa: ena vrednost za vse ali ena za vsak test (privzeto 1)\n"
    "  --formula F           ratio (privzeto), all-or-nothing ali thresholds\n"
    "  --reference datoteka  referencna stevila pravokotnikov (privzeto: najboljse v paketu)\n"
    "  --levels D[,D...]     delezi tock za referencna stevila vsakega testa (thresholds)\n"
    "  --take K              best (privzeto), last ali each-test: kaj steje od vec oddaj\n";

// How a test's count becomes points (batch_points.h has the formulas).
enum class Formula { kRatio, kAllOrNothing, kThresholds };
// Which of a contestant's submissions count.
enum class Take {
  kBest,      // the one with the most points; of equals, the one given last
  kLast,      // the one given last
  kEachTest,  // on each test, the most points any of them earns there
};

struct BatchArgs {
  std::string input;
  std::vector<std::string> submissions;  // files and folders, as given
  std::string out;                       // the folder of the tables
  unsigned jobs = 0;                     // 0: as many as the machine has cores
  Formula formula = Formula::kRatio;
  Take take = Take::kBest;
  std::vector<double> points;  // one value for every test, or one per test; empty: 1 each
  std::vector<double> levels;  // thresholds: the share of a test's points at each count
  std::string reference;       // the file of reference counts; empty: the batch's best
};

// Reads the arguments after the mode word into `parsed`; false with the reason in `error`.
bool ParseBatchArgs(const ModeArgs& args, BatchArgs& parsed, std::string& error);

// A list of numbers "1,0.5,2": each finite and not negative.
bool ParseNumberList(std::string_view text, std::vector<double>& numbers);
