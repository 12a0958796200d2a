// The page's way into the evaluator: its worker (web/worker.js) hands it the two files the user
// picked and calls zel_run. The files are read from their start as the readers ask for them,
// through the functions zel_open and zel_read of library.js, so a large submission never stands
// whole in memory. The results go back through the other functions of library.js, one message
// per stage: the report first, then where and why the run failed (src/explain, and the lines
// around the failing one as written), then the rectangles' lines, then the picture, so the
// verdict shows while the rest is still being prepared.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_source.h"
#include "base/line_texts.h"
#include "eval/checks.h"
#include "explain/explanation.h"
#include "view/viewed_run.h"
#include "web/scene_fields.h"

extern "C" {
// Imported from library.js.
void zel_number(const char* name, int nameLength, double value);
void zel_bytes(const char* name, int nameLength, const char* bytes, std::size_t length);
void zel_ints(const char* name, int nameLength, const std::int32_t* values, std::size_t count);
void zel_numbers(const char* name, int nameLength, const double* values, std::size_t count);
void zel_post(const char* kind, int kindLength);
// Starts file `file` (0 the task input, 1 the submission) again from its first byte.
void zel_open(int file);
// Reads the next bytes of file `file`, at most `size`: their count, 0 at its end, -1 when the
// file cannot be read (it went away or changed while it was read).
double zel_read(int file, char* buffer, double size);
}

namespace {
constexpr int kInputFile = 0;
constexpr int kSubmissionFile = 1;
// The lines shown around the failure's line, and how much of each.
constexpr std::int64_t kLinesBefore = 4;
constexpr std::int64_t kLinesAfter = 2;
constexpr std::size_t kExcerptKeep = 240;

class PageFields : public FieldSink {
 public:
  void Number(std::string_view name, double value) override {
    zel_number(name.data(), static_cast<int>(name.size()), value);
  }
  void Bytes(std::string_view name, std::string_view bytes) override {
    zel_bytes(name.data(), static_cast<int>(name.size()), bytes.data(), bytes.size());
  }
  void Ints(std::string_view name, std::span<const std::int32_t> values) override {
    zel_ints(name.data(), static_cast<int>(name.size()), values.data(), values.size());
  }
  void Numbers(std::string_view name, std::span<const double> values) override {
    zel_numbers(name.data(), static_cast<int>(name.size()), values.data(), values.size());
  }
  // The fields given since the last post go to the page as one message of this kind.
  void Post(std::string_view kind) { zel_post(kind.data(), static_cast<int>(kind.size())); }
};

// A file the page holds, read from its start in large chunks: every call into the page's
// reader costs far more than its bytes (in Chromium, 20 MB in reads of 128 KiB, the line
// reader's, took 220 to 450 ms; of 2 MiB, 67 ms; of 8 MiB and more, 32 ms).
class PageSource : public ByteSource {
 public:
  explicit PageSource(int file) : file_(file), chunk_(new char[kChunk]) { zel_open(file); }
  std::size_t Read(char* buffer, std::size_t size) override {
    if (at_ == end_) {
      const double got = zel_read(file_, chunk_.get(), static_cast<double>(kChunk));
      if (got < 0) {
        throw EReadError("the page could not read the file");
      }
      at_ = 0;
      end_ = static_cast<std::size_t>(got);
    }
    const std::size_t got = std::min(size, end_ - at_);
    std::memcpy(buffer, chunk_.get() + at_, got);
    at_ += got;
    return got;
  }

 private:
  static constexpr std::size_t kChunk = std::size_t{2} << 20;
  int file_;
  std::unique_ptr<char[]> chunk_;  // not cleared: no need
  std::size_t at_ = 0;
  std::size_t end_ = 0;
};

std::int32_t Clamped(std::int64_t value) {
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

// The viewer's facts for the picture and the block trail for the explanation, from one run.
class PageObserver : public BlockTrail {
 public:
  explicit PageObserver(RunFacts& facts) : facts_(facts) {}
  void PictureStarted(const TestCase& testCase) override { facts_.PictureStarted(testCase); }
  void PictureRowRead(std::string_view row) override { facts_.PictureRowRead(row); }
  void ContestantRead(std::string_view line) override { facts_.ContestantRead(line); }
  void BlockStarted(const TestCase& testCase, std::int64_t numberLine) override {
    BlockTrail::BlockStarted(testCase, numberLine);
    facts_.BlockStarted(testCase, numberLine);
  }
  void RectRead(const Rect& rect, std::int64_t line) override { facts_.RectRead(rect, line); }

 private:
  RunFacts& facts_;
};

// Where and why the run failed, as src/explain says it.
void SendWhy(const Explanation& why, PageFields& fields) {
  fields.Bytes("english", why.english);
  fields.Bytes("fix", why.fix);
  if (why.party) {
    fields.Bytes("party", PartyName(*why.party));
    fields.Bytes("partyWords", PartyWords(*why.party));
  }
  if (why.block > 0) {
    fields.Number("block", static_cast<double>(why.block));
    fields.Number("blockStart", why.blockStart ? 1 : 0);
  }
  if (why.test > 0) {
    fields.Number("test", why.test);
  }
  if (why.cause) {
    fields.Bytes("causeName", why.cause->name);
    fields.Bytes("causeWhat", why.cause->what);
    fields.Bytes("causeFix", why.cause->fix);
  }
}

// The lines around the failure's line in the file its check reads, read again: the first
// line's number, the lines' heads one after the other, where each ends and each line's whole
// length. The line a check names is never 0, but a file may have ended before it.
void SendExcerpt(const EAssertion& failure, PageFields& fields) {
  const bool input = PartOfCheck(failure.check) == CheckPart::kTaskInput;
  const std::int64_t line = std::max<std::int64_t>(failure.site.line, 1);
  const std::int64_t first = std::max<std::int64_t>(line - kLinesBefore, 1);
  std::vector<std::int64_t> numbers;
  for (std::int64_t number = first; number <= line + kLinesAfter; ++number) {
    numbers.push_back(number);
  }
  PageSource source(input ? kInputFile : kSubmissionFile);
  std::string heads;
  std::vector<std::int32_t> ends;
  std::vector<std::int32_t> lengths;
  for (const std::optional<LineText>& text : ReadLineTexts(source, numbers, kExcerptKeep)) {
    if (!text) {
      break;  // the file ends before
    }
    heads.append(text->head);
    ends.push_back(Clamped(static_cast<std::int64_t>(heads.size())));
    lengths.push_back(Clamped(text->length));
  }
  fields.Bytes("excerptFile", input ? "input" : "submission");
  fields.Number("excerptFirst", static_cast<double>(first));
  fields.Bytes("excerptText", heads);
  fields.Ints("excerptEnds", ends);
  fields.Ints("excerptLengths", lengths);
}

Reopen ReopenPageFile(int file) {
  return [file]() -> std::unique_ptr<ByteSource> { return std::make_unique<PageSource>(file); };
}

void Run(std::int64_t requestedBlock) {
  ViewedRun run(requestedBlock > 0 ? requestedBlock : 1);
  PageObserver observer(run.facts);
  {
    PageSource input(kInputFile);
    PageSource submission(kSubmissionFile);
    Evaluate(input, submission, run.evaluation, &observer);
  }
  PageFields fields;
  SendReport(run.evaluation, fields);
  fields.Post("report");
  // Where and why, shown as soon as it comes, may need the files read again twice. The page
  // draws the picture once this worker has ended, so the picture goes last: the worker's
  // copies of its cells and bitmap never stand beside the buffers of a file read again.
  if (const std::optional<EAssertion>& failure = run.evaluation.failure) {
    SendWhy(Explain(run.evaluation, observer,
                    {ReopenPageFile(kInputFile), ReopenPageFile(kSubmissionFile)}),
            fields);
    const CheckInfo* check = FindCheck(failure->check);
    if (check != nullptr && check->namesLine) {
      SendExcerpt(*failure, fields);
    }
    fields.Post("where");
  }
  const Scene scene = BuildScene(run, requestedBlock, Lang::kEnglish);
  const Drawing drawing = DrawAll(scene);
  if (scene.HasGrid()) {
    PageSource submission(kSubmissionFile);
    SendLines(submission, scene, drawing.layout, fields);
  }
  fields.Post("lines");
  SendScene(scene, drawing, fields);
  fields.Post("scene");
}
}  // namespace

// Evaluates the files the worker holds; `block` is the block to draw for a submission that
// passes (from 1), or 0 for the first. Returns 0, or 1 when the page's part after the report
// ran out of memory or could not read a file again.
extern "C" EMSCRIPTEN_KEEPALIVE int zel_run(double block) {
  try {
    Run(static_cast<std::int64_t>(block));
    return 0;
  } catch (...) {
    // The evaluation keeps its own failures: only what comes after the report can fail here.
    return 1;
  }
}
