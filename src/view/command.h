// The viewer's command: checks the command line, creates the picture file (with the same
// rules as the evaluator's report), evaluates, prints the report's first line to standard
// output and writes the picture.
#pragma once

#include <string>

#include "view/args.h"
#include "view/viewed_run.h"

// Exit status for a bad command line; the usage text is printed.
inline constexpr int kViewUsageStatus = 1;

int RunView(int argc, const char* const* argv);

// The picture of an evaluation, as SVG.
std::string Picture(const ViewArgs& args, ViewedRun& run);
