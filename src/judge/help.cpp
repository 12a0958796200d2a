// The English help beside a judge's verdict: the explanation of a failure, from the files read
// again after the run, or the tests a passing submission leaves without a block.
#include <filesystem>
#include <string>
#include <system_error>

#include "judge/judged_run.h"

namespace {
// Standard input can be read again only where it is a file of its own (problemtools and
// DOMjudge give the team's output so): a pipe would go on where the run stopped reading.
Reopen ReopenSubmission(const JudgeFiles& files) {
  if (files.submission) {
    return ReopenFile(*files.submission);
  }
#ifdef _WIN32
  return {};
#else
  std::error_code error;
  if (!std::filesystem::is_regular_file("/dev/stdin", error)) {
    return {};
  }
  return ReopenFile("/dev/stdin");
#endif
}

std::string TestList(const Score& score) {
  std::string list;
  for (const int test : score.missing) {
    list += (list.empty() ? "" : ", ") + std::to_string(test);
  }
  if (score.tests - score.answered > static_cast<std::int64_t>(score.missing.size())) {
    list += ", ...";
  }
  return list;
}
}  // namespace

Explanation ExplainRun(const JudgedRun& run) {
  return Explain(run.evaluation, run.blocks,
                 {ReopenFile(run.files.input), ReopenSubmission(run.files)});
}

std::vector<std::string> HelpLines(const JudgedRun& run) {
  if (!run.setupFault.empty()) {
    return {};
  }
  if (VerdictOf(run.evaluation) != Verdict::kOk) {
    return ExplanationLines(ExplainRun(run));
  }
  if (run.score.missing.empty()) {
    return {};
  }
  const bool one = run.score.tests - run.score.answered == 1;
  return {"The submission is valid, but no block answers " + std::string(one ? "test " : "tests ") +
              TestList(run.score) + ".",
          "How to fix: add a block for every test this judge test stands for; a test without "
          "one scores nothing."};
}
