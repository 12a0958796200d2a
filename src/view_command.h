// The viewer's command: checks the command line, creates the picture file (with the same
// rules as the evaluator's report), evaluates, prints the report's first line to standard
// output and writes the picture.
#pragma once

// Exit status for a bad command line; the usage text is printed.
inline constexpr int kViewUsageStatus = 1;

int RunView(int argc, const char* const* argv);
