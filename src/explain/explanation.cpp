#include "explain/explanation.h"

#include "base/printable.h"
#include "eval/assertion.h"
#include "explain/causes.h"
#include "explain/check_words.h"
#include "explain/file_again.h"

namespace {
constexpr std::string_view kUnexpectedEnglish =
    "unexpected error: a file could not be read, or memory ran out";
constexpr std::string_view kUnexpectedFix =
    "Look at the machine (the disk, the memory limit), then run the evaluation again.";

ShownLine Shown(const LineText& line) {
  ShownLine shown;
  shown.length = line.length;
  shown.text = Printable(line.head, kLineRoom, shown.cut);
  shown.cut = shown.cut || line.Cut();
  return shown;
}

// The block a failure lies in, or the one that should have started where it lies.
void PlaceInSubmission(const CheckInfo& info, const BlockTrail& trail, Explanation& out) {
  if (info.part == CheckPart::kBlock) {
    out.block = trail.Current().ordinal;
    out.test = trail.Current().test;
  } else if (info.part == CheckPart::kBlockStart) {
    out.block = trail.Current().ordinal + 1;
    out.blockStart = true;
  }
}

// The failing line: read again, or as the message quotes it.
std::optional<LineText> FailingLine(FileAgain& file, const Explanation& out,
                                    const std::map<std::string, std::string, std::less<>>& values) {
  if (out.line == 0) {
    return std::nullopt;
  }
  if (std::optional<LineText> line = file.Line(out.line)) {
    return line;
  }
  const auto text = values.find("text");
  if (text == values.end()) {
    return std::nullopt;
  }
  return LineText{text->second, static_cast<std::int64_t>(text->second.size())};
}

std::string Sentence(std::string_view text) {
  return Capital(std::string(text)) + ".";
}

std::string WhereLine(const Explanation& why) {
  std::string where = "Where: ";
  where += why.file == FileKind::kTaskInput ? "the task input" : "the submission";
  if (why.line > 0) {
    where += ", line " + IntToStr(why.line);
  }
  if (why.blockStart) {
    where += ", where block " + IntToStr(why.block) + " should start";
  } else if (why.block > 0) {
    where += ", block " + IntToStr(why.block) + " (test " + IntToStr(why.test) + ")";
  }
  if (why.rectangle > 0) {
    where += ", rectangle " + IntToStr(why.rectangle);
  }
  if (why.cell) {
    where += ", cell x = " + IntToStr(why.cell->x) + ", y = " + IntToStr(why.cell->y);
  }
  if (why.lineText) {
    where += ": \"" + why.lineText->text + "\"";
    if (why.lineText->cut) {
      where += " (cut; the line is " + IntToStr(why.lineText->length) + " bytes long)";
    }
  }
  return where;
}
}  // namespace

Reopen ReopenFile(std::string path) {
  return [path = std::move(path)]() -> std::unique_ptr<ByteSource> {
    return std::make_unique<FileSource>(path);
  };
}

Reopen ReopenBytes(std::string_view bytes) {
  return [bytes]() -> std::unique_ptr<ByteSource> { return std::make_unique<MemorySource>(bytes); };
}

Explanation Explain(const Evaluation& evaluation, const BlockTrail& trail,
                    const ExplainFiles& files) {
  Explanation out;
  if (evaluation.unexpected) {
    out.unexpected = true;
    out.party = Party::kGradingSetup;
    out.english = kUnexpectedEnglish;
    out.fix = kUnexpectedFix;
    return out;
  }
  if (!evaluation.failure) {
    return out;
  }
  const EAssertion& failure = *evaluation.failure;
  out.check = failure.check;
  out.party = PartyOfCheck(failure.check);
  out.line = failure.site.line;
  out.rectangle = failure.site.rectangle;
  out.cell = failure.site.cell;
  const CheckInfo* info = FindCheck(failure.check);
  const CheckWords* words = FindCheckWords(failure.check);
  if (info == nullptr || words == nullptr) {
    out.english = "check " + IntToStr(failure.check) + " failed";
    return out;
  }
  const bool input = info->part == CheckPart::kTaskInput;
  out.file = input ? FileKind::kTaskInput : FileKind::kSubmission;
  PlaceInSubmission(*info, trail, out);
  const auto values = TemplateValues(words->slovene, failure.message);
  out.english = FillTemplate(words->english, values);
  out.fix = FillTemplate(words->fix, values);

  FileAgain inputAgain(files.input);
  FileAgain submissionAgain(files.submission);
  const std::optional<LineText> line =
      FailingLine(input ? inputAgain : submissionAgain, out, values);
  if (line) {
    out.lineText = Shown(*line);
  }
  Clues clues{evaluation, failure, trail, inputAgain, submissionAgain, line ? &*line : nullptr};
  try {
    out.cause = LineCause(clues);
    if (!out.cause) {
      out.cause = BlockCause(clues);
    }
  } catch (...) {
    // No memory for the causes' reading: the explanation stands without a cause.
  }
  return out;
}

std::vector<std::string> ExplanationLines(const Explanation& why) {
  if (!why.party) {
    return {};
  }
  std::vector<std::string> lines;
  if (why.unexpected) {
    lines.push_back(Sentence(why.english));
  } else {
    lines.push_back("Check " + IntToStr(why.check) + " failed: " + why.english + ".");
  }
  if (why.file != FileKind::kNone) {
    lines.push_back(WhereLine(why));
  }
  lines.push_back("At fault: " + std::string(PartyWords(*why.party)) + ".");
  if (why.cause) {
    lines.push_back("Likely cause: " + why.cause->what);
    lines.push_back("Fix: " + why.cause->fix);
  } else if (!why.fix.empty()) {
    lines.push_back("How to fix: " + why.fix);
  }
  return lines;
}

std::string_view PartyName(Party party) {
  switch (party) {
    case Party::kContestant:
      return "contestant";
    case Party::kGradingSetup:
      return "grading setup";
    case Party::kEvaluator:
      break;
  }
  return "evaluator";
}

std::string_view PartyWords(Party party) {
  switch (party) {
    case Party::kContestant:
      return "the contestant";
    case Party::kGradingSetup:
      return "the grading setup, never the contestant";
    case Party::kEvaluator:
      break;
  }
  return "the evaluator itself, never the contestant (no file can cause this)";
}
