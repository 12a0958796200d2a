// The page's way into the evaluator: its worker (web/worker.js) mounts the two files the user
// picked at /files and calls zel_run. The files are read in chunks as the readers ask for them
// (the worker's file system reads each chunk from the File with FileReaderSync), so a large
// submission never stands whole in memory. The results go back through the functions of
// library.js, one message per stage: the report first, then the picture, then the rectangles'
// lines, so the verdict shows while the rest is still being prepared.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/byte_source.h"
#include "view/viewed_run.h"
#include "web/scene_fields.h"

extern "C" {
// Imported from library.js.
void zel_number(const char* name, int nameLength, double value);
void zel_bytes(const char* name, int nameLength, const char* bytes, std::size_t length);
void zel_ints(const char* name, int nameLength, const std::int32_t* values, std::size_t count);
void zel_post(const char* kind, int kindLength);
void zel_progress(double bytes);
}

namespace {
constexpr const char* kInputPath = "/files/input";
constexpr const char* kSubmissionPath = "/files/submission";
// The progress bar moves in steps of this many bytes read.
constexpr std::size_t kProgressStep = std::size_t{1} << 20;

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
  // The fields given since the last post go to the page as one message of this kind.
  void Post(std::string_view kind) { zel_post(kind.data(), static_cast<int>(kind.size())); }
};

// The bytes read from both files together, told to the page at every step.
class Progress {
 public:
  void Add(std::size_t bytes) {
    read_ += bytes;
    if (read_ >= told_ + kProgressStep) {
      told_ = read_;
      zel_progress(static_cast<double>(read_));
    }
  }

 private:
  std::size_t read_ = 0;
  std::size_t told_ = 0;
};

// A file of /files read ahead in large chunks: each read of the worker's file system is one
// FileReaderSync call, which costs far more than the bytes it brings (measured in Chromium,
// 20 MB in reads of 128 KiB, the line reader's: 220 to 450 ms; of 2 MiB: 67 ms; of 8 MiB and
// more: 32 ms).
class ReadAheadSource : public ByteSource {
 public:
  ReadAheadSource(const char* path, Progress& progress)
      : file_(path), progress_(progress), chunk_(new char[kChunk]) {}  // not cleared: no need
  std::size_t Read(char* buffer, std::size_t size) override {
    if (at_ == end_) {
      at_ = 0;
      end_ = file_.Read(chunk_.get(), kChunk);
      progress_.Add(end_);
    }
    const std::size_t got = std::min(size, end_ - at_);
    std::memcpy(buffer, chunk_.get() + at_, got);
    at_ += got;
    return got;
  }

 private:
  static constexpr std::size_t kChunk = std::size_t{8} << 20;
  FileSource file_;
  Progress& progress_;
  std::unique_ptr<char[]> chunk_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
};

void Run(std::int64_t requestedBlock) {
  ViewedRun run(requestedBlock > 0 ? requestedBlock : 1);
  {
    Progress progress;
    ReadAheadSource input(kInputPath, progress);
    ReadAheadSource submission(kSubmissionPath, progress);
    Evaluate(input, submission, run.evaluation, &run.facts);
  }
  PageFields fields;
  SendReport(run.evaluation, fields);
  fields.Post("report");
  const Scene scene = BuildScene(run, requestedBlock);
  const Layout layout = SendScene(scene, fields);
  fields.Post("scene");
  SendLines(kSubmissionPath, scene, layout, fields);
  fields.Post("lines");
}
}  // namespace

// Evaluates the files at /files; `block` is the block to draw for a submission that passes
// (from 1), or 0 for the first.
extern "C" EMSCRIPTEN_KEEPALIVE int zel_run(double block) {
  try {
    Run(static_cast<std::int64_t>(block));
    return 0;
  } catch (...) {
    // Only the picture can fail here (memory): the evaluation keeps its own failures.
    return 1;
  }
}
