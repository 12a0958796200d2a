// zelmiranke-judge json input submission [answer]: one JSON object on standard output
// (json_report.h). Status 0 once the object is written whatever its verdict; 1 when it could
// not be.
#include <cstdio>

#include "judge/json_report.h"
#include "judge/modes.h"

namespace {
constexpr int kNotWritten = 1;
}  // namespace

int RunJson(const ModeArgs& allArgs) {
  const ModeArgs args = TakeOptions(allArgs).paths;
  if (args.size() < 2) {
    return UsageError(kNotWritten);
  }
  JudgedRun run;
  Judge(JudgeFiles{args[0], args[1],
                   args.size() > 2 ? std::optional<std::string>(args[2]) : std::nullopt},
        run);
  // The OK list of a large submission is millions of small pieces.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  StreamSink out(stdout);
  WriteJson(out, run);
  out.Write("\n");
  return FinishStandardOutput() ? 0 : kNotWritten;
}
