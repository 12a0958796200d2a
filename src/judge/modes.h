// The modes of zelmiranke-judge. Each takes the arguments after its mode word (those beyond the
// ones it needs are ignored, as judge systems may add their own) and returns the exit status.
#pragma once

#include <string>
#include <vector>

using ModeArgs = std::vector<std::string>;

// Kattis and DOMjudge output validators: input answer feedback_dir, the submission on standard
// input.
int RunKattis(const ModeArgs& args);
// A CMS checker: input correct_output submission.
int RunCms(const ModeArgs& args);
// A testlib checker, or with --ejudge first an ejudge one: input submission answer.
int RunTestlib(const ModeArgs& args);
// One JSON object on standard output: input submission.
int RunJson(const ModeArgs& args);
