// The modes of zelmiranke-judge. Each takes the arguments after its mode word (those beyond the
// ones it needs are ignored, as judge systems may add their own) and returns the exit status.
#pragma once

#include <string>
#include <vector>

using ModeArgs = std::vector<std::string>;

// The options of zelmiranke-judge, taken wherever they stand among a mode's arguments, so that
// a system's own flags (a Kattis problem's validator_flags) can carry them.
struct ModeOptions {
  ModeArgs paths;        // the other arguments, in order
  bool score = false;    // --score: kattis and domjudge write score.txt
  bool english = false;  // --english: the English help (HelpLines) for the team too
};
ModeOptions TakeOptions(const ModeArgs& args);

// Kattis and DOMjudge output validators: input answer feedback_dir, the submission on standard
// input.
int RunKattis(const ModeArgs& args);
// A CMS checker: input correct_output submission.
int RunCms(const ModeArgs& args);
// A testlib checker, or with --ejudge first an ejudge one: input submission answer.
int RunTestlib(const ModeArgs& args);
// One JSON object on standard output: input submission [answer].
int RunJson(const ModeArgs& args);
// A Kattis input validator: the task input on standard input, 42 when it is valid, 43 when not.
int RunInputValidator(const ModeArgs& args);
// Every submission of a contest against one task input, and the contest's tables: options,
// input, then submissions and folders of them (batch_args.h).
int RunBatch(const ModeArgs& args);
