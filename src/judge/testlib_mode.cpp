// A testlib checker, as Polygon-style systems call one:
//   zelmiranke-judge testlib [--testset T] [--group G] input submission answer [result [-appes]]
// the message on standard error after testlib's word for the verdict, the verdict in the status,
// and the message in the result file where one is named (testlib's XML with -appes). With
// --ejudge first, the statuses are ejudge's and the answer may be left out, as ejudge does
// without a correct answer (use_corr = 0).
#include <string>
#include <string_view>

#include "base/output_file.h"
#include "eval/report.h"
#include "judge/feedback_text.h"
#include "judge/judged_run.h"
#include "judge/modes.h"

namespace {
struct Statuses {
  int ok;
  int wrongAnswer;
  int checkerFailure;
};
constexpr Statuses kTestlib = {0, 1, 3};
constexpr Statuses kEjudge = {0, 5, 6};
// testlib cuts its messages there (maxMessageLength), and ejudge keeps a checker's output only
// below 64 KiB (max_file_length).
constexpr std::size_t kMessageCap = 32'000;

constexpr OutputMessages kResultMessages = {
    "zelmiranke-judge", "rezultat bi prepisal vhodno datoteko", "rezultata ni mogoce ustvariti",
    "rezultata ni bilo mogoce zapisati"};

// testlib's word for each verdict on standard error, and its outcome in the XML result.
std::string_view Word(Verdict verdict) {
  switch (verdict) {
    case Verdict::kOk:
      return "ok ";
    case Verdict::kRejected:
      return "wrong answer ";
    default:
      return "FAIL ";
  }
}
std::string_view Outcome(Verdict verdict) {
  switch (verdict) {
    case Verdict::kOk:
      return "accepted";
    case Verdict::kRejected:
      return "wrong-answer";
    default:
      return "fail";
  }
}

// The arguments without testlib's --testset and --group pairs, which it takes anywhere; false
// for a pair without its value.
bool WithoutTestset(const ModeArgs& args, ModeArgs& rest) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--testset" || args[i] == "--group") {
      if (++i == args.size()) {
        return false;
      }
    } else {
      rest.push_back(args[i]);
    }
  }
  return true;
}

// The message on one line, as testlib writes it into a result file.
std::string OneLine(std::string text) {
  while (!text.empty() && text.back() == '\n') {
    text.pop_back();
  }
  for (char& c : text) {
    c = c == '\n' ? ' ' : c;
  }
  return text;
}

void WriteXmlText(TextSink& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out.Write("&amp;");
        break;
      case '<':
        out.Write("&lt;");
        break;
      case '>':
        out.Write("&gt;");
        break;
      case '"':
        out.Write("&quot;");
        break;
      default:
        out.Write(std::string_view(&c, 1));
    }
  }
}

// Writes the result file as testlib does: the message alone, or with -appes the XML form.
bool WriteResult(const ModeArgs& paths, std::string_view message, Verdict verdict) {
  const bool appes = paths.size() > 4 && (paths[4] == "-appes" || paths[4] == "-APPES");
  return WriteOutputFile(paths[3], paths[0], paths[1], kResultMessages, [&](OutputFile& file) {
           if (!appes) {
             return file.Write(message);
           }
           file.Write("<?xml version=\"1.0\" encoding=\"windows-1251\"?><result outcome = \"");
           file.Write(Outcome(verdict));
           file.Write("\">");
           WriteXmlText(file, message);
           // testlib writes its line end in text mode: CR LF on Windows.
           file.Write("</result>");
           file.Write(kLineEnd);
         }) == 0;
}
}  // namespace

int RunTestlib(const ModeArgs& args) {
  const bool ejudge = !args.empty() && args[0] == "--ejudge";
  const Statuses& statuses = ejudge ? kEjudge : kTestlib;
  ModeArgs rest;
  if (!WithoutTestset(ModeArgs(args.begin() + (ejudge ? 1 : 0), args.end()), rest)) {
    return UsageError(statuses.checkerFailure);
  }
  const ModeOptions options = TakeOptions(rest);
  const ModeArgs& paths = options.paths;
  if (paths.size() < (ejudge ? 2U : 3U)) {
    return UsageError(statuses.checkerFailure);
  }
  JudgedRun run;
  const std::optional<std::string> answer =
      paths.size() > 2 ? std::optional<std::string>(paths[2]) : std::nullopt;
  Judge(JudgeFiles{paths[0], paths[1], answer}, run);
  const Verdict verdict = VerdictOf(run);
  StringSink text;
  {
    FeedbackSink message(text, kMessageCap, "\n");
    WriteMessage(message, run, "\n");
    message.Finish();
  }
  std::string lines = std::string(Word(verdict)) + text.Text();
  if (options.english) {
    StringSink help;
    FeedbackSink helpText(help, kMessageCap - text.Text().size(), "\n");
    for (const std::string& line : HelpLines(run)) {
      helpText.Write(line + "\n");
    }
    lines += help.Text();
  }
  std::fwrite(lines.data(), 1, lines.size(), stderr);
  // ejudge passes no result file; what follows its answer is other data (use_info).
  if (!ejudge && paths.size() > 3 && !WriteResult(paths, OneLine(text.Text()), verdict)) {
    return statuses.checkerFailure;
  }
  switch (verdict) {
    case Verdict::kOk:
      return statuses.ok;
    case Verdict::kRejected:
      return statuses.wrongAnswer;
    default:
      return statuses.checkerFailure;
  }
}
