// Where and why an evaluation failed, in English, for whoever must fix a file: the block and the
// line the failure lies in, that line as written, the check's English line with its values,
// whose fault it is, and a likely cause when the files show one of the traps that contestants
// (and organizers) fall into, with its fix. The viewer, the judge and the page all show this.
//
// Everything is worked out after the evaluation, from its failure and the two files read again;
// during the run only BlockTrail watches (one call a block), and the evaluator itself never
// calls this layer. Every text here is printable ASCII: bytes of the files outside it stand as
// \xHH, and long lines are cut.
//
//   BlockTrail trail;  // or an observer of the program's own that derives from it
//   Evaluation evaluation;
//   Evaluate(inputPath, submissionPath, evaluation, &trail);
//   const Explanation why =
//       Explain(evaluation, trail, {ReopenFile(inputPath), ReopenFile(submissionPath)});
//   for (const std::string& line : ExplanationLines(why)) ...
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_source.h"
#include "eval/checks.h"
#include "eval/evaluation.h"
#include "eval/rect.h"
#include "eval/run_observer.h"

// A block of the submission as a run started it.
struct BlockMark {
  std::int64_t ordinal = 0;     // its place in the submission, from 1; 0: none
  int test = 0;                 // its test number
  std::int64_t numberLine = 0;  // the line of its test number
};

// The observer an explanation needs: the block at hand and the one before it. A program with an
// observer of its own derives it from this one and calls BlockTrail::BlockStarted in its own.
class BlockTrail : public RunObserver {
 public:
  void BlockStarted(const TestCase& testCase, std::int64_t numberLine) override {
    previous_ = current_;
    current_ = {current_.ordinal + 1, testCase.number, numberLine};
  }
  const BlockMark& Current() const { return current_; }
  const BlockMark& Previous() const { return previous_; }

 private:
  BlockMark current_;
  BlockMark previous_;
};

// Opens a file again from its first byte. An empty function: the file cannot be read again
// (standard input); the explanation then gives what it can without the file's text.
using Reopen = std::function<std::unique_ptr<ByteSource>()>;
Reopen ReopenFile(std::string path);
// `bytes` must outlive the explanation.
Reopen ReopenBytes(std::string_view bytes);

struct ExplainFiles {
  Reopen input;
  Reopen submission;
};

// Which file a check concerns.
enum class FileKind { kNone, kTaskInput, kSubmission };

// A line of a file as shown: printable, at most kLineRoom characters.
inline constexpr std::size_t kLineRoom = 120;
struct ShownLine {
  std::string text;         // the line's first bytes, printable
  std::int64_t length = 0;  // the length of the whole line in bytes
  bool cut = false;         // text shows only the head of the line
};

// A trap the files show, and what to do about it.
struct LikelyCause {
  std::string_view name;  // stable, for programs: "byte-order-mark", ... (docs/checks.md)
  std::string what;       // what the files show, one or two sentences
  std::string fix;        // what to change
};

struct Explanation {
  int check = 0;  // 0: the run passed, or an error that is no check ended it
  bool unexpected = false;
  std::optional<Party> party;  // whose fault; none when the run passed
  FileKind file = FileKind::kNone;
  std::int64_t line = 0;              // the line of `file` the failure names; 0: none
  std::optional<ShownLine> lineText;  // that line, when it could be read again
  std::int64_t block = 0;             // the block's place in the submission, from 1; 0: none
  int test = 0;             // its test number; 0: none (also a block start with no valid number)
  bool blockStart = false;  // the line is where block `block` should have started
  int rectangle = 0;        // the rectangle's ordinal in the block; 0: none
  std::optional<Cell> cell;
  std::string english;  // the check's English line with its values, e.g. "rectangle 2 also ..."
  std::string fix;      // how to fix a failure of this check, in general
  std::optional<LikelyCause> cause;
};

// The explanation of `evaluation`, whose run `trail` watched. Reading the files again may fail
// or find them changed; the explanation then holds what it could get.
Explanation Explain(const Evaluation& evaluation, const BlockTrail& trail,
                    const ExplainFiles& files);

// The explanation as lines of English text, nothing for a run that passed:
//   Check 148 failed: rectangle 2 also paints the cell x = 2, y = 0, which should stay white.
//   Where: the submission, line 6, block 1 (test 1), rectangle 2: "1 0 2 1"
//   At fault: the contestant.
//   Likely cause: <what>  and  Fix: <fix>   (or, without a likely cause, How to fix: <fix>)
std::vector<std::string> ExplanationLines(const Explanation& explanation);

// "contestant", "grading setup", "evaluator": a party's name for programs.
std::string_view PartyName(Party party);
// "the contestant", "the grading setup (the task input)", ...: a party in a sentence.
std::string_view PartyWords(Party party);
