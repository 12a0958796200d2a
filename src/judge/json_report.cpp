#include "judge/json_report.h"

#include <cstdint>
#include <string>

#include "eval/report.h"

namespace {
// Byte `c` as an escape.
void WriteEscape(TextSink& out, unsigned char c) {
  switch (c) {
    case '"':
      return out.Write("\\\"");
    case '\\':
      return out.Write("\\\\");
    case '\n':
      return out.Write("\\n");
    case '\r':
      return out.Write("\\r");
    case '\t':
      return out.Write("\\t");
    default:
      break;
  }
  constexpr char kHex[] = "0123456789abcdef";
  const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
  out.Write(std::string_view(escape, sizeof escape));
}

// The members of one object, each written as it comes.
class ObjectWriter {
 public:
  explicit ObjectWriter(TextSink& out) : out_(out) { out_.Write("{"); }
  ~ObjectWriter() { out_.Write("}"); }
  ObjectWriter(const ObjectWriter&) = delete;
  ObjectWriter& operator=(const ObjectWriter&) = delete;

  // Starts member `name`; its value is written next.
  TextSink& Key(std::string_view name) {
    out_.Write(first_ ? "\"" : ",\"");
    first_ = false;
    out_.Write(name);
    out_.Write("\":");
    return out_;
  }
  void Number(std::string_view name, std::int64_t value) { Key(name).Write(std::to_string(value)); }
  void Word(std::string_view name, std::string_view word) {
    Key(name).Write("\"");
    out_.Write(word);
    out_.Write("\"");
  }
  void String(std::string_view name, std::string_view text) {
    Text(name, [text](TextSink& sink) { sink.Write(text); });
  }
  // A string member whose text `write` hands to the sink it is given.
  template <typename Writer>
  void Text(std::string_view name, Writer write) {
    Key(name).Write("\"");
    JsonStringSink text(out_);
    write(text);
    out_.Write("\"");
  }

 private:
  TextSink& out_;
  bool first_ = true;
};

void WriteBlocks(ObjectWriter& object, TextSink& out, const ReportEntryList& entries) {
  object.Key("blocks").Write("[");
  bool first = true;
  for (const ReportEntry& entry : entries) {
    if (!first) {
      out.Write(",");
    }
    first = false;
    ObjectWriter block(out);
    block.Number("test", entry.testNumber);
    block.Number("rectangles", entry.rectangleCount);
  }
  out.Write("]");
}

void WriteFailure(ObjectWriter& object, const JudgedRun& run, Verdict verdict) {
  const EAssertion& failure = *run.evaluation.failure;
  object.Number("check", failure.check);
  object.Word("party", verdict == Verdict::kRejected ? "contestant" : "organizer");
  if (FailedInBlock(run.evaluation)) {
    object.Number("block", run.blocks.Current().ordinal);
    object.Number("test", run.blocks.Current().test);
  }
  const FailureSite& site = failure.site;
  if (site.rectangle > 0) {
    object.Number("rectangle", site.rectangle);
  }
  if (site.cell) {
    ObjectWriter cell(object.Key("cell"));
    cell.Number("x", site.cell->x);
    cell.Number("y", site.cell->y);
  }
  if (site.line > 0) {
    object.Number("line", site.line);
  }
}

// Where and why in English, from the files read again (explain/explanation.h).
void WriteExplanation(ObjectWriter& object, const Explanation& why) {
  if (why.lineText) {
    object.String("line_text", why.lineText->text);
    object.Number("line_length", why.lineText->length);
  }
  object.String("english", why.english);
  if (!why.fix.empty()) {
    object.String("fix", why.fix);
  }
  if (why.cause) {
    ObjectWriter cause(object.Key("cause"));
    cause.String("name", why.cause->name);
    cause.String("what", why.cause->what);
    cause.String("fix", why.cause->fix);
  }
}
}  // namespace

void JsonStringSink::Write(std::string_view text) {
  std::size_t plain = 0;  // the first byte not written yet
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c <= 0x7E && c != '"' && c != '\\') {
      continue;
    }
    out_.Write(text.substr(plain, i - plain));
    WriteEscape(out_, c);
    plain = i + 1;
  }
  out_.Write(text.substr(plain));
}

void WriteJson(TextSink& out, const JudgedRun& run) {
  ObjectWriter object(out);
  // A setup fault leaves no report to speak of: the message says why.
  if (!run.setupFault.empty()) {
    object.Word("verdict", VerdictWord(Verdict::kSetupError));
    object.Word("party", "organizer");
    object.Text("message", [&](TextSink& text) { WriteReasonLine(text, run, ""); });
    object.Text("report", [](TextSink&) {});
    return;
  }
  const Verdict verdict = VerdictOf(run.evaluation);
  object.Word("verdict", VerdictWord(verdict));
  if (run.evaluation.unexpected) {
    object.Word("party", "organizer");
  } else if (run.evaluation.failure) {
    WriteFailure(object, run, verdict);
  }
  if (verdict != Verdict::kOk) {
    WriteExplanation(object, ExplainRun(run));
  }
  object.Text("message", [&](TextSink& text) { WriteFirstLine(text, run.evaluation); });
  object.Text("report", [&](TextSink& text) { WriteReport(text, run.evaluation); });
  if (verdict == Verdict::kOk) {
    WriteBlocks(object, out, run.evaluation.entries);
    object.Number("tests", run.score.tests);
    object.Number("answered", run.score.answered);
    object.Key("score").Write(FractionText(run.score));
  }
}
