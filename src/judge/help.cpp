// The English help beside a judge's verdict: the explanation of a failure, from the files read
// again after the run, or the tests a passing submission leaves without a block.
#include <climits>
#include <cstdio>
#include <memory>
#include <string>

#include "judge/judged_run.h"

namespace {
// Standard input read again from its first byte. Only a file can be (problemtools and DOMjudge
// give the team's output so): a pipe cannot seek, and would go on where the run stopped reading.
// Each source keeps its own place, so that two may read the one stream in turns.
class StandardInputAgain : public ByteSource {
 public:
  std::size_t Read(char* buffer, std::size_t size) override {
    std::clearerr(stdin);
    // fseek takes a long, 32 bits on Windows: beyond it the help does without the line.
    if (offset_ > LONG_MAX || std::fseek(stdin, static_cast<long>(offset_), SEEK_SET) != 0) {
      throw EReadError("standard input cannot be read again");
    }
    const std::size_t got = std::fread(buffer, 1, size, stdin);
    if (got == 0 && std::ferror(stdin)) {
      throw EReadError("read error");
    }
    offset_ += static_cast<long long>(got);
    return got;
  }

 private:
  long long offset_ = 0;
};

Reopen ReopenSubmission(const JudgeFiles& files) {
  if (files.submission) {
    return ReopenFile(*files.submission);
  }
  if (std::fseek(stdin, 0, SEEK_CUR) != 0) {
    return {};
  }
  return []() -> std::unique_ptr<ByteSource> { return std::make_unique<StandardInputAgain>(); };
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
