// Fuzzes a whole run: the fuzz input is cut into a task input and a submission at the first
// line "@@@@" (without one, the submission is empty), both are written to files, the
// evaluator runs on them twice, and the report must have one of its forms and the same bytes
// both times; the verdict must be the reference evaluation's, and the report must be the one
// that verdict's evaluation writes; the viewer runs on them too, and must print the report's first
// line and draw a picture within its bound; and the judge's json mode must give a valid object that
// says what the report says. With FUZZ_FIXED_INPUT defined, the whole fuzz input is the blocks of a
// submission against a fixed valid task input, so that the deep checks are reached.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "eval/run.h"
#include "judge/json_reader.h"
#include "judge/json_report.h"
#include "report_form.h"
#include "same_verdict.h"
#include "view/command.h"
#include "view/layout.h"

namespace {
const std::string& WorkDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/zelmiranke-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
      std::abort();
    }
    return std::string(made);
  }();
  return dir;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string EvaluateToReport() {
  const std::string dir = WorkDir();
  std::string words[] = {"Ozi18Zelmiranke", "eval", dir + "/input.txt", dir + "/submission.txt",
                         dir + "/report.txt"};
  char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(),
                  words[4].data()};
  if (RunEval(5, argv) != 0) {
    std::abort();
  }
  return ReadFile(words[4]);
}

void CheckView(const std::string& report) {
  const std::string dir = WorkDir();
  const ViewArgs args{dir + "/input.txt", dir + "/submission.txt", dir + "/picture.svg"};
  ViewedRun run(1);
  Evaluate(args.input, args.submission, run.evaluation, &run.facts);
  StringSink line;
  WriteFirstLine(line, run.evaluation);
  if (report.substr(0, report.find('\n')) != line.Text()) {
    std::fprintf(stderr, "the viewer's first line is not the report's\n");
    std::abort();
  }
  if (static_cast<std::int64_t>(Picture(args, run).size()) > kPictureBound) {
    std::fprintf(stderr, "the picture is larger than its bound\n");
    std::abort();
  }
}

// The verdict the json mode must give for `report`.
std::string_view ExpectedVerdict(const std::string& report) {
  if (IsOkReport(report)) {
    return "ok";
  }
  switch (PartyOfCheck(FailureCheck(report))) {
    case Party::kContestant:
      return "rejected";
    case Party::kGradingSetup:
      return "setup-error";
    case Party::kEvaluator:
      break;
  }
  return "internal-error";
}

void CheckJson(const std::string& report) {
  const std::string dir = WorkDir();
  JudgedRun run;
  Judge(JudgeFiles{dir + "/input.txt", dir + "/submission.txt", std::nullopt}, run);
  StringSink out;
  WriteJson(out, run);
  const std::optional<JsonValue> json = JsonReader::Parse(out.Text());
  const auto text = [&json](std::string_view name) {
    const JsonValue* value = json ? json->Find(name) : nullptr;
    return value != nullptr && value->kind == JsonValue::Kind::kString ? value->text : "<none>";
  };
  const JsonValue* blocks = json ? json->Find("blocks") : nullptr;
  const std::string_view verdict = ExpectedVerdict(report);
  const bool blocksRight = verdict == "ok"
                               ? blocks != nullptr && std::to_string(blocks->items.size()) ==
                                                          report.substr(3, report.find('\n', 3) - 3)
                               : blocks == nullptr;
  if (text("verdict") != verdict || text("report") != report ||
      text("message") != report.substr(0, report.find('\n')) || !blocksRight) {
    std::fprintf(stderr, "the json mode does not say what the report says: %.300s\n",
                 out.Text().c_str());
    std::abort();
  }
}

// The verdict of an evaluation of the files in memory must be the reference's, and the report
// must be what that evaluation writes. The fuzz input is at most a few kilobytes (run.sh), and
// so are the pictures and blocks the reference paints: no bound of its own is needed.
void CheckVerdict(std::string_view input, std::string_view submission, const std::string& report) {
  MemorySource inputSource(input);
  MemorySource submissionSource(submission);
  Evaluation evaluation;
  Evaluate(inputSource, submissionSource, evaluation);
  CheckSameVerdict(AsReferenceVerdict(evaluation), input, submission);
  StringSink text;
  WriteReport(text, evaluation);
  if (text.Text() != report) {
    std::fprintf(stderr, "the report is not the verdict's: %.300s\n", report.c_str());
    std::abort();
  }
}

#ifdef FUZZ_FIXED_INPUT
// Three test cases: the worked example, a solid block with a tight limit, and a blob.
const char kTaskInput[] =
    "Zelmiranke\n3\n\n1 3 2 2 2\n##.\n###\n\n2 6 4 2 3\n######\n######\n######\n######\n"
    "\n3 8 6 3 4\n..####..\n.######.\n########\n########\n.######.\n..####..\n";
#endif
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#ifdef FUZZ_FIXED_INPUT
  const std::string_view input = kTaskInput;
  const std::string submission = "123456\nZelmiranke\n" + std::string(bytes);
#else
  const auto cut = bytes.find("\n@@@@\n");
  const std::string_view input = bytes.substr(0, cut);
  const std::string_view submission =
      cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 6);
#endif
  WriteFile(WorkDir() + "/input.txt", input);
  WriteFile(WorkDir() + "/submission.txt", submission);
  const std::string first = EvaluateToReport();
  CheckReportForm(first);
  if (EvaluateToReport() != first) {
    std::fprintf(stderr, "the same files gave two reports\n");
    std::abort();
  }
  CheckVerdict(input, submission, first);
  CheckView(first);
  CheckJson(first);
  return 0;
}
