// The tables of a batch, each as CSV and as JSON Lines, and the files they are written to.
//   submissions: path, contestant, verdict, check, then the count of each test
//   tests:       test, points, answered, best, reached_by, reference
//   points:      rank, contestant, total, submission, submissions, ungraded, then the points
//                of each test
// A CSV file starts with the column names, a test's column named by its number; a JSON Lines
// file holds one object a row, the tests' columns as one array ("counts", "points"), and null
// where the CSV cell is empty. Lines end as the platform's do.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_sink.h"
#include "judge/batch_grading.h"
#include "judge/batch_points.h"

// A table written row by row; cells come in the order of the column names.
class TableSink {
 public:
  virtual ~TableSink() = default;
  virtual void Header(const std::vector<std::string>& names) = 0;
  virtual void Text(std::string_view name, std::string_view value) = 0;
  // A number, already written out ("12", "2.5").
  virtual void Number(std::string_view name, std::string_view value) = 0;
  virtual void Missing(std::string_view name) = 0;
  // Words or numbers that share one cell, separated by blanks; an array in JSON.
  virtual void Joined(std::string_view name, const std::vector<std::string>& items,
                      bool numbers) = 0;
  // The cells that follow, up to EndTests, are the tests' columns; their names are not used.
  virtual void BeginTests(std::string_view name) = 0;
  virtual void EndTests() = 0;
  virtual void EndRow() = 0;
};

class CsvSink : public TableSink {
 public:
  explicit CsvSink(TextSink& out) : out_(out) {}
  void Header(const std::vector<std::string>& names) override;
  void Text(std::string_view name, std::string_view value) override;
  void Number(std::string_view name, std::string_view value) override;
  void Missing(std::string_view name) override;
  void Joined(std::string_view name, const std::vector<std::string>& items, bool numbers) override;
  void BeginTests(std::string_view /*name*/) override {}
  void EndTests() override {}
  void EndRow() override;

 private:
  void Separate();
  TextSink& out_;
  bool first_ = true;
};

class JsonLinesSink : public TableSink {
 public:
  explicit JsonLinesSink(TextSink& out) : out_(out) {}
  void Header(const std::vector<std::string>& /*names*/) override {}
  void Text(std::string_view name, std::string_view value) override;
  void Number(std::string_view name, std::string_view value) override;
  void Missing(std::string_view name) override;
  void Joined(std::string_view name, const std::vector<std::string>& items, bool numbers) override;
  void BeginTests(std::string_view name) override;
  void EndTests() override;
  void EndRow() override;

 private:
  void Key(std::string_view name);
  void String(std::string_view text);
  TextSink& out_;
  bool first_ = true;
  bool inTests_ = false;
};

void WriteSubmissionTable(TableSink& sink, const std::vector<GradedSubmission>& graded,
                          int testCount);
void WriteTestTable(TableSink& sink, const BatchPoints& points, const Scoring& scoring);
void WritePointsTable(TableSink& sink, const BatchPoints& points, int testCount);

// The word of a row's verdict: those of the json mode, and "unreadable".
std::string_view VerdictWordOf(const GradedSubmission& submission);

// The tables' files in one folder. Each is written beside its place under a name that starts
// with a dot, and all are moved into place only once every one is whole: a run that fails or
// is cut short leaves the tables of the run before, or none, never a part of one.
class TableFiles {
 public:
  explicit TableFiles(std::string folder) : folder_(std::move(folder)) {}
  ~TableFiles();
  TableFiles(const TableFiles&) = delete;
  TableFiles& operator=(const TableFiles&) = delete;

  std::string PathOf(const std::string& name) const;
  // Writes table file `name` with `fill`; false when it could not be written whole.
  bool Write(const std::string& name, const std::function<void(TextSink&)>& fill);
  // Moves every file written into place; false when one could not be moved.
  bool MoveIntoPlace();
  // The path that could not be written or moved.
  const std::string& Failed() const { return failed_; }

 private:
  std::string PartOf(const std::string& name) const;
  std::string folder_;
  std::vector<std::string> written_;
  std::string failed_;
};
