// zelmiranke-judge: the evaluator's outcome in the terms of the judge system that runs it.
#pragma once

#include <string_view>

inline constexpr std::string_view kJudgeUsage =
    "Uporaba:\n"
    "  zelmiranke-judge kattis input.txt answer feedback_dir < submission.txt\n"
    "  zelmiranke-judge domjudge input.txt answer feedback_dir < submission.txt\n"
    "  zelmiranke-judge cms input.txt correct_output submission.txt\n"
    "  checker input.txt correct_output submission.txt\n"
    "  zelmiranke-judge testlib [--ejudge] input.txt submission.txt answer [result [-appes]]\n"
    "  zelmiranke-judge json input.txt submission.txt [answer]\n"
    "  zelmiranke-judge input < input.txt\n"
    "  zelmiranke-judge batch [moznosti] --out mapa input.txt oddaja|mapa...\n"
    "  zelmiranke-judge --help | --version\n"
    "Moznosti: --score (kattis, domjudge), --english (kattis, domjudge, cms, testlib).\n"
    "Odgovor (answer, correct_output) pove, za katere teste gre; prazen: za vse teste vhoda.\n";

int RunJudge(int argc, const char* const* argv);
