#include "judge/batch_tables.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/output_file.h"
#include "eval/report.h"
#include "judge/json_report.h"

namespace {
std::vector<std::string> TestNames(std::vector<std::string> names, int testCount) {
  for (int test = 1; test <= testCount; ++test) {
    names.push_back(std::to_string(test));
  }
  return names;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    text += text.empty() ? "" : " ";
    text += item;
  }
  return text;
}

template <typename Number>
std::vector<std::string> Words(const std::vector<Number>& numbers) {
  std::vector<std::string> words;
  for (const Number number : numbers) {
    words.push_back(std::to_string(number));
  }
  return words;
}
}  // namespace

void CsvSink::Header(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    Text({}, name);
  }
  EndRow();
}

void CsvSink::Separate() {
  if (!first_) {
    out_.Write(",");
  }
  first_ = false;
}

void CsvSink::Text(std::string_view /*name*/, std::string_view value) {
  Separate();
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
    out_.Write(value);
    return;
  }
  // A quote inside a quoted cell is written twice.
  out_.Write("\"");
  for (std::size_t quote; (quote = value.find('"')) != std::string_view::npos;) {
    out_.Write(value.substr(0, quote + 1));
    out_.Write("\"");
    value.remove_prefix(quote + 1);
  }
  out_.Write(value);
  out_.Write("\"");
}

void CsvSink::Number(std::string_view name, std::string_view value) {
  Text(name, value);
}

void CsvSink::Missing(std::string_view name) {
  Text(name, {});
}

void CsvSink::Joined(std::string_view name, const std::vector<std::string>& items,
                     bool /*numbers*/) {
  Text(name, ::Joined(items));
}

void CsvSink::EndRow() {
  out_.Write(kLineEnd);
  first_ = true;
}

void JsonLinesSink::Key(std::string_view name) {
  out_.Write(first_ ? (inTests_ ? "" : "{") : ",");
  first_ = false;
  if (!inTests_) {
    String(name);
    out_.Write(":");
  }
}

void JsonLinesSink::String(std::string_view text) {
  out_.Write("\"");
  JsonStringSink escaped(out_);
  escaped.Write(text);
  out_.Write("\"");
}

void JsonLinesSink::Text(std::string_view name, std::string_view value) {
  Key(name);
  String(value);
}

void JsonLinesSink::Number(std::string_view name, std::string_view value) {
  Key(name);
  out_.Write(value);
}

void JsonLinesSink::Missing(std::string_view name) {
  Key(name);
  out_.Write("null");
}

void JsonLinesSink::Joined(std::string_view name, const std::vector<std::string>& items,
                           bool numbers) {
  Key(name);
  out_.Write("[");
  for (std::size_t i = 0; i < items.size(); ++i) {
    out_.Write(i == 0 ? "" : ",");
    numbers ? out_.Write(items[i]) : String(items[i]);
  }
  out_.Write("]");
}

void JsonLinesSink::BeginTests(std::string_view name) {
  Key(name);
  out_.Write("[");
  inTests_ = true;
  first_ = true;
}

void JsonLinesSink::EndTests() {
  out_.Write("]");
  inTests_ = false;
  first_ = false;
}

void JsonLinesSink::EndRow() {
  out_.Write(first_ ? "{}" : "}");
  out_.Write(kLineEnd);
  first_ = true;
}

std::string_view VerdictWordOf(const GradedSubmission& submission) {
  return submission.unreadable ? "unreadable" : VerdictWord(submission.verdict);
}

void WriteSubmissionTable(TableSink& sink, const std::vector<GradedSubmission>& graded,
                          int testCount) {
  sink.Header(TestNames({"path", "contestant", "verdict", "check"}, testCount));
  for (const GradedSubmission& submission : graded) {
    sink.Text("path", submission.path);
    submission.contestant.empty() ? sink.Missing("contestant")
                                  : sink.Text("contestant", submission.contestant);
    sink.Text("verdict", VerdictWordOf(submission));
    submission.check == 0 ? sink.Missing("check")
                          : sink.Number("check", std::to_string(submission.check));
    sink.BeginTests("counts");
    auto next = submission.counts.begin();
    for (int test = 1; test <= testCount; ++test) {
      if (next != submission.counts.end() && next->test == test) {
        sink.Number({}, std::to_string((next++)->count));
      } else {
        sink.Missing({});
      }
    }
    sink.EndTests();
    sink.EndRow();
  }
}

void WriteTestTable(TableSink& sink, const BatchPoints& points, const Scoring& scoring) {
  sink.Header({"test", "points", "answered", "best", "reached_by", "reference"});
  for (std::size_t t = 0; t < points.tests.size(); ++t) {
    const TestSummary& test = points.tests[t];
    sink.Number("test", std::to_string(t + 1));
    sink.Number("points", FormatPoints(scoring.points[t]));
    sink.Number("answered", std::to_string(test.answered));
    test.best == 0 ? sink.Missing("best") : sink.Number("best", std::to_string(test.best));
    sink.Joined("reached_by", test.reachedBy, false);
    sink.Joined("reference", Words(test.reference), true);
    sink.EndRow();
  }
}

void WritePointsTable(TableSink& sink, const BatchPoints& points, int testCount) {
  sink.Header(TestNames({"rank", "contestant", "total", "submission", "submissions", "ungraded"},
                        testCount));
  for (const ContestantPoints& contestant : points.contestants) {
    sink.Number("rank", std::to_string(contestant.rank));
    sink.Text("contestant", contestant.contestant);
    sink.Number("total", FormatPoints(contestant.total));
    contestant.counted.empty() ? sink.Missing("submission")
                               : sink.Text("submission", contestant.counted);
    sink.Number("submissions", std::to_string(contestant.submissions));
    sink.Number("ungraded", std::to_string(contestant.ungraded));
    sink.BeginTests("points");
    auto next = contestant.tests.begin();
    for (int test = 1; test <= testCount; ++test) {
      const bool earned = next != contestant.tests.end() && next->test == test;
      sink.Number({}, earned ? FormatPoints((next++)->points) : "0");
    }
    sink.EndTests();
    sink.EndRow();
  }
}

TableFiles::~TableFiles() {
  for (const std::string& name : written_) {
    std::error_code error;
    std::filesystem::remove(PartOf(name), error);
  }
}

std::string TableFiles::PathOf(const std::string& name) const {
  return (std::filesystem::path(folder_) / name).string();
}

std::string TableFiles::PartOf(const std::string& name) const {
  return PathOf("." + name + ".part");
}

bool TableFiles::Write(const std::string& name, const std::function<void(TextSink&)>& fill) {
  const std::string part = PartOf(name);
  OutputFile file;
  written_.push_back(name);
  if (file.Create(part)) {
    fill(file);
    if (file.Finish()) {
      return true;
    }
  }
  failed_ = PathOf(name);
  return false;
}

bool TableFiles::MoveIntoPlace() {
  for (const std::string& name : written_) {
    std::error_code error;
    std::filesystem::rename(PartOf(name), PathOf(name), error);
    if (error) {
      failed_ = PathOf(name);
      return false;
    }
  }
  written_.clear();
  return true;
}
