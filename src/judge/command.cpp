#include "judge/command.h"

#include <cstdio>
#include <string_view>

#include "base/version.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
// Without a known mode the system is unknown too: 3 is a checker failure for testlib and a
// judge error for every other system (none reads it as a verdict on the submission).
constexpr int kUnknownModeStatus = 3;

// CMS runs its checker as ./checker input.txt correct_output.txt user_output.txt, in a sandbox
// that holds that file alone, so that no wrapper can name a mode: under that name the program
// is a CMS checker.
bool NamedChecker(std::string_view program) {
  const std::size_t slash = program.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? program : program.substr(slash + 1);
  return name == "checker" || name == "checker.exe";
}

int RunMode(std::string_view mode, const ModeArgs& args) {
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
  if (mode == "input") {
    return RunInputValidator(args);
  }
  if (mode == "batch") {
    return RunBatch(args);
  }
  if (mode == "--help") {
    std::fwrite(kJudgeUsage.data(), 1, kJudgeUsage.size(), stdout);
    return 0;
  }
  if (mode == "--version") {
    return PrintVersion("zelmiranke-judge");
  }
  return UsageError(kUnknownModeStatus);
}
}  // namespace

ModeOptions TakeOptions(const ModeArgs& args) {
  ModeOptions options;
  for (const std::string& arg : args) {
    if (arg == "--score") {
      options.score = true;
    } else if (arg == "--english") {
      options.english = true;
    } else {
      options.paths.push_back(arg);
    }
  }
  return options;
}

int RunJudge(int argc, const char* const* argv) {
  if (argc < 2) {
    return UsageError(kUnknownModeStatus);
  }
  const std::string_view first = argv[1];
  if (NamedChecker(argv[0]) && !first.starts_with("--")) {
    return RunCms(ModeArgs(argv + 1, argv + argc));
  }
  return RunMode(first, ModeArgs(argv + 2, argv + argc));
}
