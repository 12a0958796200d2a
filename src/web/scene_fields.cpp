#include "web/scene_fields.h"

#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "base/line_texts.h"
#include "base/text_sink.h"
#include "view/cell_runs.h"
#include "view/drawn.h"
#include "view/legend.h"
#include "view/scale.h"
#include "view/svg_picture.h"

namespace {
// The canvas draws every cell, so the layout never shrinks to a window; it still leaves out
// rectangles that would paint the grid over too many times.
constexpr std::int64_t kNoBound = std::numeric_limits<std::int64_t>::max() / 4;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text.append(text.empty() ? "" : "\n").append(line);
  }
  return text;
}

void SendCell(std::string_view name, const Cell& cell, FieldSink& sink) {
  const std::int32_t xy[] = {cell.x, cell.y};
  sink.Ints(name, xy);
}

std::string_view EdgeName(Edge edge) {
  switch (edge) {
    case Edge::kLeft:
      return "left";
    case Edge::kTop:
      return "top";
    case Edge::kRight:
      return "right";
    case Edge::kBottom:
      return "bottom";
    case Edge::kNone:
      break;
  }
  return {};
}

// One byte a cell, row by row: the code of its kind (CellKind), named one a line in
// "cellKinds". A cell is white unless a run of the scene covers it, and an uncovered or not
// reached run comes after the black run of the same cells.
void SendCells(const Scene& scene, const Drawing& drawing, FieldSink& sink) {
  std::string cells(static_cast<std::size_t>(scene.w) * static_cast<std::size_t>(scene.h),
                    static_cast<char>(CellKind::kWhite));
  ForEachRun(
      scene, drawing.Cover(), drawing.layout.region, [&](CellKind kind, int x, int y, int length) {
        const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(scene.w) +
                                  static_cast<std::size_t>(x);
        cells.replace(start, static_cast<std::size_t>(length), static_cast<std::size_t>(length),
                      static_cast<char>(kind));
      });
  sink.Bytes("cellKinds", CellKindNames());
  sink.Bytes("cells", cells);
}

// Every rectangle read, as x, y, width, height; the drawn ones by index with their tints and
// lines.
void SendRects(const Scene& scene, const Drawing& drawing, FieldSink& sink) {
  const Layout& layout = drawing.layout;
  std::vector<std::int32_t> rects;
  rects.reserve(scene.rects.size() * 4);
  for (const Rect& rect : scene.rects) {
    rects.insert(rects.end(), {rect.x, rect.y, rect.width, rect.height});
  }
  sink.Ints("rects", rects);
  const std::vector<std::int32_t> drawn(layout.drawn.begin(), layout.drawn.end());
  sink.Ints("drawn", drawn);
  sink.Number("meeting", static_cast<double>(layout.meeting));
  const std::vector<std::uint8_t>& tints = drawing.tints;
  sink.Bytes("tints", std::string_view(reinterpret_cast<const char*>(tints.data()), tints.size()));
  std::vector<double> lines;
  lines.reserve(layout.drawn.size());
  for (const std::uint32_t index : layout.drawn) {
    lines.push_back(static_cast<double>(scene.rectLines[index]));
  }
  sink.Numbers("drawnLines", lines);
}

// What the legend lists, by the keys' names, and their words in the scene's language.
void SendLegend(const Scene& scene, const Drawing& drawing, FieldSink& sink) {
  std::string names;
  std::string words;
  for (const Key key : LegendKeys(scene, drawing.Cover(), drawing.layout)) {
    names.append(names.empty() ? "" : "\n").append(KeyName(key));
    words.append(words.empty() ? "" : "\n").append(RowOf(key).words.In(scene.lang));
  }
  sink.Bytes("legend", names);
  sink.Bytes("legendWords", words);
}

// The rule of the rulers and grid lines (src/view/scale.h), which the page applies at every
// zoom.
void SendScale(const Scene& scene, FieldSink& sink) {
  const std::vector<std::int32_t> steps(std::begin(kRulerSteps), std::end(kRulerSteps));
  sink.Ints("rulerSteps", steps);
  sink.Number("rulerDigits", RulerDigits(scene.w, scene.h));
  sink.Number("digitPixels", kDigitPixels);
  sink.Number("rulerGap", kRulerGap);
  sink.Number("gridLinesFrom", kGridLinesFrom);
  sink.Number("mostCellPixels", kMostCellPixels);
}

void SendMarks(const Scene& scene, FieldSink& sink) {
  if (scene.lastFails && !scene.rects.empty()) {
    sink.Number("failing", static_cast<double>(scene.rects.size() - 1));
  }
  if (scene.crossed != Edge::kNone) {
    sink.Bytes("crossed", EdgeName(scene.crossed));
  }
  if (scene.faultCell) {
    SendCell("faultCell", *scene.faultCell, sink);
  }
  if (scene.faultRow) {
    sink.Number("faultRow", *scene.faultRow);
  }
  if (const std::optional<Cell> pointed = scene.Pointed()) {
    SendCell("pointed", *pointed, sink);
  }
  SendCell("focus", scene.Focus(), sink);
}
}  // namespace

void SendReport(const Evaluation& evaluation, FieldSink& sink) {
  StringSink report;
  WriteReport(report, evaluation);
  sink.Bytes("report", report.Text());
  if (evaluation.unexpected) {
    sink.Bytes("verdict", "unexpected");
  } else if (evaluation.failure) {
    const EAssertion& failure = *evaluation.failure;
    sink.Bytes("verdict", "failure");
    sink.Number("check", failure.check);
    sink.Bytes("message", failure.message);
    if (failure.site.line > 0) {
      sink.Number("line", static_cast<double>(failure.site.line));
    }
    if (failure.site.rectangle > 0) {
      sink.Number("rectangle", failure.site.rectangle);
    }
    if (failure.site.cell) {
      SendCell("cell", *failure.site.cell, sink);
    }
  } else {
    sink.Bytes("verdict", "ok");
    sink.Number("blocks", static_cast<double>(evaluation.entries.size()));
  }
}

Drawing DrawAll(const Scene& scene) {
  return scene.HasGrid() ? DrawScene(scene, WindowAsked{}, kNoBound) : Drawing{};
}

void SendScene(const Scene& scene, const Drawing& drawing, FieldSink& sink) {
  sink.Bytes("caption", Joined(scene.caption));
  if (!scene.HasGrid()) {
    return;
  }
  sink.Number("w", scene.w);
  sink.Number("h", scene.h);
  SendCells(scene, drawing, sink);
  SendRects(scene, drawing, sink);
  SendMarks(scene, sink);
  SendLegend(scene, drawing, sink);
  SendScale(scene, sink);
}

void SendLines(ByteSource& submission, const Scene& scene, const Layout& layout, FieldSink& sink) {
  // Packed as they are read: a million drawn rectangles must not cost a string apiece.
  const std::vector<std::int64_t> numbers = DrawnLineNumbers(scene, layout);
  std::string heads;
  std::vector<std::int32_t> ends;
  std::string cut;
  ends.reserve(numbers.size());
  cut.reserve(numbers.size());
  VisitLineTexts(submission, numbers, kTitleRoom + 1, [&](std::size_t, const LineText& text) {
    heads.append(text.head);
    ends.push_back(static_cast<std::int32_t>(heads.size()));
    cut.push_back(text.Cut() ? '\1' : '\0');
  });
  // The lines the file no longer has.
  ends.resize(numbers.size(), static_cast<std::int32_t>(heads.size()));
  cut.resize(numbers.size(), '\2');
  sink.Bytes("lineText", heads);
  sink.Ints("lineEnds", ends);
  sink.Bytes("lineCut", cut);
}
