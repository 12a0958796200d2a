#include "view/svg_picture.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "eval/assertion.h"
#include "view/cell_runs.h"
#include "view/lang.h"
#include "view/legend.h"
#include "view/scale.h"
#include "view/svg_elements.h"
#include "view/svg_guides.h"
#include "view/svg_text.h"

namespace {
constexpr int kMargin = 8;
constexpr int kCaptionRowPixels = 18;
constexpr int kCaptionTop = 10;
constexpr std::size_t kCaptionColumns = 100;
constexpr std::size_t kCaptionRows = 4;
constexpr int kMinWidth = 800;
// The ring around the named cell, in pixels: it keeps clear of the cell's corners.
constexpr double kRingStroke = 3;
constexpr double kRingLeast = 12;
constexpr int kLeastGap = 4;  // between the grid and its rulers

double RingRadius(double cell) {
  return std::max(kRingLeast, 0.71 * cell + 4);
}

// The picture's own words in each language.
constexpr Words kWindow = {"okno", "window"};
constexpr Words kCells = {"celic", "cells"};
constexpr Words kTooLarge = {": cela slika bi bila prevelika",
                             ": the whole picture would be too large"};
constexpr Words kDrawn = {"narisanih", "drawn:"};
constexpr Words kOf = {"od", "of"};
constexpr Words kRectangles = {"pravokotnikov", "rectangles"};

struct Strokes {
  std::string outline;
  std::string failing;
  double edge = 0;
  std::string gridLines;
};

Strokes StrokesFor(double cell) {
  const double outline = std::clamp(1 / cell, 0.02, 0.12);
  return {Decimal(outline), Decimal(3 * outline), std::min(0.5, std::max(0.15, 5 / cell)),
          Decimal(1 / cell)};
}

// The grid's strokes are in cells; the rulers', the ring's and the legend's in pixels.
void AddStyle(std::string& out, const Strokes& strokes) {
  out.append(
      "<style type=\"text/css\">\n"
      "text{font-family:monospace;font-size:13px;fill:#000}\n"
      ".page,.white{fill:#fff}.frame{fill:none;stroke:#999;stroke-width:1}.black{fill:#262626}."
      "unread{fill:#c8c8c8}"
      ".uncovered{fill:#e6007e}.not-reached{fill:#8c8c8c}\n"
      ".rect{fill-opacity:.8;stroke-width:" +
      strokes.outline +
      "}\n"
      ".t0{fill:#4e79a7;stroke:#1f3f66}.t1{fill:#59a14f;stroke:#2d5a27}"
      ".t2{fill:#76b7b2;stroke:#2f6b66}.t3{fill:#b07aa1;stroke:#6b3f5f}"
      ".t4{fill:#9c755f;stroke:#5c3f2e}.t5{fill:#edc948;stroke:#8a7020}\n"
      ".failing{fill:#ff7f0e;fill-opacity:.85;stroke:#c00000;stroke-width:" +
      strokes.failing +
      "}\n"
      ".grid-lines{fill:none;stroke:#8c8c8c;stroke-opacity:.6;stroke-width:" +
      strokes.gridLines +
      "}\n"
      ".fault{fill:#ffe600;stroke:#000;stroke-width:" +
      strokes.outline +
      "}\n"
      ".own{stroke:none}\n"
      ".fault-ring{fill:none;stroke:#00c8ff;stroke-width:" +
      Decimal(kRingStroke) +
      "}\n"
      ".fault-row{fill:#ffe600;fill-opacity:.4;stroke:#c00000;stroke-width:" +
      strokes.outline +
      "}\n"
      ".edge{fill:#c00000}\n"
      ".rulers text{font-size:11px;fill:#555}.column{text-anchor:middle}.row{text-anchor:end}"
      ".rulers .named{fill:#c00000;font-weight:bold}.ticks{fill:none;stroke:#999;stroke-width:1}"
      "\n"
      ".legend .key{stroke-width:1}.legend .white{stroke:#999}.legend .fault-ring{stroke-width:2}"
      "\n</style>\n");
}

std::vector<std::string> CaptionRows(const Scene& scene, const Layout& layout) {
  std::vector<std::string> lines = scene.caption;
  const Region& region = layout.region;
  const Lang lang = scene.lang;
  if (layout.windowed) {
    lines.push_back(std::string(kWindow.In(lang)) + " x = " + IntToStr(region.x0) + ".." +
                    IntToStr(region.x1 - 1) + ", y = " + IntToStr(region.y0) + ".." +
                    IntToStr(region.y1 - 1) + " (" + IntToStr(region.Width()) + " x " +
                    IntToStr(region.Height()) + " " + std::string(kCells.In(lang)) + ")" +
                    std::string(layout.tooLarge ? kTooLarge.In(lang) : ""));
  }
  if (static_cast<std::int64_t>(layout.drawn.size()) < layout.meeting) {
    lines.push_back(std::string(kDrawn.In(lang)) + " " +
                    IntToStr(static_cast<std::int64_t>(layout.drawn.size())) + " " +
                    std::string(kOf.In(lang)) + " " + IntToStr(layout.meeting) + " " +
                    std::string(kRectangles.In(lang)));
  }
  std::vector<std::string> rows;
  for (const std::string& line : lines) {
    for (std::string& row : WrapForSvg(line, kCaptionColumns, kCaptionRows)) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

void AddRuns(std::string& out, const Scene& scene, const CoverMap* cover, const Region& region,
             CellKind kind) {
  ForEachRun(scene, cover, region, [&out, kind](CellKind got, int x, int y, int length) {
    if (got == kind) {
      AddRect(out, KeyName(KeyOf(kind)), Region{x, y, x + length, y + 1}, "/>\n");
    }
  });
}

void AddRects(std::string& out, const Scene& scene, const Drawing& drawing,
              std::span<const std::string> titles) {
  const Region grid{0, 0, scene.w, scene.h};
  const std::vector<std::uint32_t>& drawn = drawing.layout.drawn;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const std::uint32_t index = drawn[i];
    const bool failing = scene.lastFails && index + 1 == scene.rects.size();
    const std::string classes = failing ? "rect failing" : "rect t" + IntToStr(drawing.tints[i]);
    AddRect(out, classes, Clip(scene.rects[index], grid), "><title>");
    out.append(titles[i]).append("</title></rect>\n");
  }
}

// Lines between the cells of the region, once cells are large enough to count.
void AddGridLines(std::string& out, const Region& region, double cell) {
  if (cell < kGridLinesFrom) {
    return;
  }
  std::string path;
  for (int x = region.x0 + 1; x < region.x1; ++x) {
    path.append("M" + IntToStr(x) + " " + IntToStr(region.y0) + "V" + IntToStr(region.y1));
  }
  for (int y = region.y0 + 1; y < region.y1; ++y) {
    path.append("M" + IntToStr(region.x0) + " " + IntToStr(y) + "H" + IntToStr(region.x1));
  }
  if (!path.empty()) {
    out.append("<path class=\"grid-lines\" d=\"" + path + "\"/>\n");
  }
}

// A band just inside the grid's edge that the failing rectangle crosses, as far as the
// rectangle runs along it (the whole edge when it runs beside the grid).
void AddCrossedEdge(std::string& out, const Scene& scene, double thickness) {
  if (scene.crossed == Edge::kNone || scene.rects.empty()) {
    return;
  }
  const Rect& rect = scene.rects.back();
  const auto span = [](std::int64_t start, std::int64_t length, int limit) {
    const std::int64_t end = start + std::max(length, std::int64_t{1});
    const int low = static_cast<int>(std::clamp<std::int64_t>(start, 0, limit));
    const int high = static_cast<int>(std::clamp<std::int64_t>(end, 0, limit));
    return low < high ? std::pair{low, high} : std::pair{0, limit};
  };
  const auto [x0, x1] = span(rect.x, rect.width, scene.w);
  const auto [y0, y1] = span(rect.y, rect.height, scene.h);
  const bool vertical = scene.crossed == Edge::kLeft || scene.crossed == Edge::kRight;
  double band[4] = {static_cast<double>(x0), static_cast<double>(y0),
                    vertical ? thickness : x1 - x0, vertical ? y1 - y0 : thickness};
  if (vertical) {
    band[0] = scene.crossed == Edge::kLeft ? 0 : scene.w - thickness;
  } else {
    band[1] = scene.crossed == Edge::kTop ? 0 : scene.h - thickness;
  }
  AddRect(out, "edge", band[0], band[1], band[2], band[3]);
}

// The named cell in yellow, its middle in the cell's own colour (what it is under the
// rectangles over it).
void AddFaultCell(std::string& out, const Scene& scene, const CoverMap* cover) {
  const Cell cell = *scene.faultCell;
  AddRect(out, "fault", Region{cell.x, cell.y, cell.x + 1, cell.y + 1}, "/>\n");
  const std::string own = "own " + std::string(KeyName(KeyOf(KindAt(scene, cover, cell))));
  AddRect(out, own, cell.x + 0.25, cell.y + 0.25, 0.5, 0.5);
}

void AddFaults(std::string& out, const Scene& scene, const CoverMap* cover, const Region& region,
               const Strokes& strokes) {
  if (scene.faultRow) {
    AddRect(out, "fault-row", Region{0, *scene.faultRow, scene.w, *scene.faultRow + 1}, "/>\n");
  }
  AddCrossedEdge(out, scene, strokes.edge);
  if (scene.FaultCellIn(region)) {
    AddFaultCell(out, scene, cover);
  }
}

void AddGrid(std::string& out, const Scene& scene, const Drawing& drawing,
             std::span<const std::string> titles) {
  const Region& region = drawing.layout.region;
  const CoverMap* cover = drawing.Cover();
  AddRect(out, "white", region, "/>\n");
  AddRuns(out, scene, cover, region, CellKind::kBlack);
  AddRuns(out, scene, cover, region, CellKind::kUnread);
  AddRects(out, scene, drawing, titles);
  AddRuns(out, scene, cover, region, CellKind::kUncovered);
  AddRuns(out, scene, cover, region, CellKind::kNotReached);
}

// The ring around the named cell, in pixels over the grid's edge, so that it is whole even
// for a cell on the edge.
void AddRing(std::string& out, const Scene& scene, const GridPlace& place) {
  if (!scene.FaultCellIn(place.region)) {
    return;
  }
  AddCircle(out, "fault-ring", place.X(scene.faultCell->x + 0.5), place.Y(scene.faultCell->y + 0.5),
            RingRadius(place.cell));
}

// The pixels between the grid and what stands around it: room for the ring beyond the edge.
int GapAround(const Scene& scene, double cell) {
  if (!scene.faultCell) {
    return kLeastGap;
  }
  const double beyond = RingRadius(cell) + kRingStroke / 2 - cell / 2;
  return std::max(kLeastGap, static_cast<int>(std::ceil(beyond)));
}

std::string Caption(const std::vector<std::string>& rows) {
  std::string out("<g class=\"caption\">\n");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    AddText(out, "", kMargin, kCaptionTop + static_cast<int>(i + 1) * kCaptionRowPixels - 5,
            rows[i]);
  }
  return out + "</g>\n";
}

// The frame around the grid and the opening of the grid's own <svg>, whose user units are cells.
void OpenGrid(std::string& out, const GridPlace& place, double width, double height) {
  const Region& region = place.region;
  AddRect(out, "frame", place.x - 0.5, place.y - 0.5, width + 1, height + 1);
  out.append("<svg class=\"grid\" x=\"" + Decimal(place.x) + "\" y=\"" + Decimal(place.y) +
             "\" width=\"" + Decimal(width) + "\" height=\"" + Decimal(height) + "\" viewBox=\"" +
             IntToStr(region.x0) + " " + IntToStr(region.y0) + " " + IntToStr(region.Width()) +
             " " + IntToStr(region.Height()) + "\" shape-rendering=\"crispEdges\">\n");
}

// The grid with its frame, rulers and ring from `top` down, and the legend below; returns the
// size of the picture.
std::pair<double, double> AddDrawing(std::string& out, const Scene& scene, const Drawing& drawing,
                                     std::span<const std::string> titles, int top) {
  const Region& region = drawing.layout.region;
  const CoverMap* cover = drawing.Cover();
  GridPlace place{region, CellPixels(region.Width(), region.Height())};
  const int gap = GapAround(scene, place.cell);
  place.x = kMargin + RowRulerWidth(scene) + gap;
  place.y = top + kColumnRulerHeight + gap;
  const double width = region.Width() * place.cell;
  const double height = region.Height() * place.cell;
  OpenGrid(out, place, width, height);
  AddGrid(out, scene, drawing, titles);
  AddGridLines(out, region, place.cell);
  AddFaults(out, scene, cover, region, StrokesFor(place.cell));
  out.append("</svg>\n");
  AddRing(out, scene, place);
  AddRulers(out, scene, place, gap);
  const double right = std::max<double>(kMinWidth, place.x + width + gap + kMargin);
  const int legendTop = static_cast<int>(std::ceil(place.y + height)) + gap + kMargin;
  const int legend = AddLegend(out, LegendKeys(scene, cover, drawing.layout), scene.lang, kMargin,
                               legendTop, static_cast<int>(right) - 2 * kMargin);
  return {right, legendTop + legend + kMargin};
}
}  // namespace

std::string RectTitle(std::int64_t ordinal, const Rect& rect, const std::optional<LineText>& line) {
  std::string title = IntToStr(ordinal) + ": ";
  if (!line) {
    return title + IntToStr(rect.x) + " " + IntToStr(rect.y) + " " + IntToStr(rect.width) + " " +
           IntToStr(rect.height);
  }
  const bool cut = line->length > static_cast<std::int64_t>(line->head.size());
  return title + EscapeForSvg(line->head, kTitleRoom, cut);
}

std::string SvgPicture(const Scene& scene, const Drawing& drawing,
                       std::span<const std::string> titles) {
  const Layout& layout = drawing.layout;
  const std::vector<std::string> caption = CaptionRows(scene, layout);
  const int captionHeight = kCaptionTop + static_cast<int>(caption.size()) * kCaptionRowPixels;
  std::string grid;
  double width = kMinWidth;
  double height = captionHeight + kMargin;
  if (scene.HasGrid()) {
    std::tie(width, height) = AddDrawing(grid, scene, drawing, titles, captionHeight + kMargin);
  }
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      Decimal(width) + "\" height=\"" + Decimal(height) + "\">\n<title>" +
      EscapeForSvg(scene.caption.empty() ? "" : scene.caption.front(), kTitleRoom) + "</title>\n";
  AddStyle(
      out,
      StrokesFor(scene.HasGrid() ? CellPixels(layout.region.Width(), layout.region.Height()) : 1));
  out.append("<rect class=\"page\" width=\"100%\" height=\"100%\"/>\n");
  out.append(Caption(caption)).append(grid).append("</svg>\n");
  return out;
}
