#include "judge/command.h"

#include <cstdio>
#include <string_view>

#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
// Without a known mode the system is unknown too: 3 is a checker failure for testlib and a
// judge error for every other system (none reads it as a verdict on the submission).
constexpr int kUnknownModeStatus = 3;
}  // namespace

int RunJudge(int argc, const char* const* argv) {
  if (argc < 2) {
    return UsageError(kUnknownModeStatus);
  }
  const std::string_view mode = argv[1];
  const ModeArgs args(argv + 2, argv + argc);
  if (mode == "kattis" || mode == "domjudge") {
    return RunKattis(args);
  }
  if (mode == "cms") {
    return RunCms(args);
  }
  if (mode == "testlib") {
    return RunTestlib(args);
  }
  if (mode == "json") {
    return RunJson(args);
  }
  if (mode == "--help") {
    std::fwrite(kJudgeUsage.data(), 1, kJudgeUsage.size(), stdout);
    return 0;
  }
  return UsageError(kUnknownModeStatus);
}
