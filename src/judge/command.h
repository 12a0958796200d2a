// zelmiranke-judge: the evaluator's outcome in the terms of the judge system that runs it.
#pragma once

#include <string_view>

inline constexpr std::string_view kJudgeUsage =
    "Uporaba:\n"
    "  zelmiranke-judge kattis input.txt answer feedback_dir < submission.txt\n"
    "  zelmiranke-judge domjudge input.txt answer feedback_dir < submission.txt\n"
    "  zelmiranke-judge cms input.txt correct_output submission.txt\n"
    "  zelmiranke-judge testlib [--ejudge] input.txt submission.txt answer\n"
    "  zelmiranke-judge json input.txt submission.txt\n"
    "Poti answer in correct_output sta obvezni, a se ne bereta: naloga nima uradnih izhodov.\n";

int RunJudge(int argc, const char* const* argv);
