#include "view/svg_picture.h"

#include <algorithm>
#include <cstdio>

#include "eval/assertion.h"
#include "view/cell_runs.h"
#include "view/svg_text.h"

namespace {
constexpr double kMaxCellPixels = 40;
constexpr double kGridPixels = 1000;  // the longer side of the grid on screen, at most
constexpr int kMargin = 8;
constexpr int kCaptionRowPixels = 18;
constexpr int kCaptionTop = 10;
constexpr std::size_t kCaptionColumns = 100;
constexpr std::size_t kCaptionRows = 4;
constexpr int kMinWidth = 800;

// A number with at most three decimals, without trailing zeros. Printed as to_chars would
// (the same rounding, by definition), which emscripten's library lacks for floating point.
std::string Decimal(double value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%.3f", value);
  std::string out(text, static_cast<std::size_t>(std::max(length, 0)));
  while (out.back() == '0') {
    out.pop_back();
  }
  if (out.back() == '.') {
    out.pop_back();
  }
  return out;
}

// <rect class="..." x="..." y="..." width="..." height="..." then `end`.
void AddRect(std::string& out, std::string_view classes, const Region& box, std::string_view end) {
  out.append("<rect class=\"").append(classes).append("\" x=\"").append(IntToStr(box.x0));
  out.append("\" y=\"").append(IntToStr(box.y0)).append("\" width=\"");
  out.append(IntToStr(box.Width())).append("\" height=\"").append(IntToStr(box.Height()));
  out.append("\"").append(end);
}

struct Strokes {
  std::string outline;
  std::string failing;
  double edge = 0;
  std::string ring;
  std::string ringRadius;
};

Strokes StrokesFor(double scale) {
  const double outline = std::clamp(1 / scale, 0.02, 0.12);
  return {Decimal(outline), Decimal(3 * outline), std::min(0.5, std::max(0.15, 5 / scale)),
          Decimal(std::max(0.15, 3 / scale)), Decimal(std::max(1.0, 12 / scale))};
}

void AddStyle(std::string& out, const Strokes& strokes) {
  out.append(
      "<style type=\"text/css\">\n"
      "text{font-family:monospace;font-size:13px;fill:#000}\n"
      ".page,.white{fill:#fff}.frame{fill:none;stroke:#999;stroke-width:1}.black{fill:#262626}."
      "unread{fill:#c8c8c8}"
      ".uncovered{fill:#e6007e}\n"
      ".rect{fill-opacity:.8;stroke-width:" +
      strokes.outline +
      "}\n"
      ".t0{fill:#4e79a7;stroke:#1f3f66}.t1{fill:#59a14f;stroke:#2d5a27}"
      ".t2{fill:#76b7b2;stroke:#2f6b66}.t3{fill:#b07aa1;stroke:#6b3f5f}"
      ".t4{fill:#9c755f;stroke:#5c3f2e}.t5{fill:#edc948;stroke:#8a7020}\n"
      ".failing{fill:#ff7f0e;fill-opacity:.85;stroke:#c00000;stroke-width:" +
      strokes.failing +
      "}\n"
      ".fault{fill:#ffe600;stroke:#000;stroke-width:" +
      strokes.outline +
      "}\n"
      ".fault-ring{fill:none;stroke:#00c8ff;stroke-width:" +
      strokes.ring +
      "}\n"
      ".fault-row{fill:#ffe600;fill-opacity:.4;stroke:#c00000;stroke-width:" +
      strokes.outline +
      "}\n"
      ".edge{fill:#c00000}\n</style>\n");
}

std::vector<std::string> CaptionRows(const Scene& scene, const Layout& layout) {
  std::vector<std::string> lines = scene.caption;
  const Region& region = layout.region;
  if (layout.windowed) {
    lines.push_back("okno x = " + IntToStr(region.x0) + ".." + IntToStr(region.x1 - 1) +
                    ", y = " + IntToStr(region.y0) + ".." + IntToStr(region.y1 - 1) + " (" +
                    IntToStr(region.Width()) + " x " + IntToStr(region.Height()) +
                    " celic): cela slika bi bila prevelika");
  }
  if (static_cast<std::int64_t>(layout.drawn.size()) < layout.meeting) {
    lines.push_back("narisanih " + IntToStr(static_cast<std::int64_t>(layout.drawn.size())) +
                    " od " + IntToStr(layout.meeting) + " pravokotnikov");
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
             RunKind kind) {
  constexpr std::string_view kClasses[] = {"black", "uncovered", "unread"};
  ForEachRun(scene, cover, region, [&out, kind, &kClasses](RunKind got, int x, int y, int length) {
    if (got == kind) {
      AddRect(out, kClasses[static_cast<int>(kind)], Region{x, y, x + length, y + 1}, "/>\n");
    }
  });
}

void AddRects(std::string& out, const Scene& scene, const Layout& layout,
              std::span<const std::uint8_t> tints, std::span<const std::string> titles) {
  const Region grid{0, 0, scene.w, scene.h};
  for (std::size_t i = 0; i < layout.drawn.size(); ++i) {
    const std::uint32_t index = layout.drawn[i];
    const bool failing = scene.lastFails && index + 1 == scene.rects.size();
    const std::string classes = failing ? "rect failing" : "rect t" + IntToStr(tints[i]);
    AddRect(out, classes, Clip(scene.rects[index], grid), "><title>");
    out.append(titles[i]).append("</title></rect>\n");
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
  out.append("<rect class=\"edge\" x=\"" + Decimal(band[0]) + "\" y=\"" + Decimal(band[1]) +
             "\" width=\"" + Decimal(band[2]) + "\" height=\"" + Decimal(band[3]) + "\"/>\n");
}

void AddFaults(std::string& out, const Scene& scene, const Strokes& strokes) {
  if (scene.faultRow) {
    AddRect(out, "fault-row", Region{0, *scene.faultRow, scene.w, *scene.faultRow + 1}, "/>\n");
  }
  AddCrossedEdge(out, scene, strokes.edge);
  if (scene.faultCell) {
    const Cell cell = *scene.faultCell;
    AddRect(out, "fault", Region{cell.x, cell.y, cell.x + 1, cell.y + 1}, "/>\n");
    out.append("<circle class=\"fault-ring\" cx=\"" + Decimal(cell.x + 0.5) + "\" cy=\"" +
               Decimal(cell.y + 0.5) + "\" r=\"" + strokes.ringRadius + "\"/>\n");
  }
}

void AddGrid(std::string& out, const Scene& scene, const Layout& layout, const CoverMap* cover,
             std::span<const std::uint8_t> tints, std::span<const std::string> titles) {
  const Region& region = layout.region;
  AddRect(out, "white", region, "/>\n");
  AddRuns(out, scene, cover, region, RunKind::kBlack);
  AddRuns(out, scene, cover, region, RunKind::kUnread);
  AddRects(out, scene, layout, tints, titles);
  AddRuns(out, scene, cover, region, RunKind::kUncovered);
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

std::string SvgPicture(const Scene& scene, const Layout& layout, const CoverMap* cover,
                       std::span<const std::uint8_t> tints, std::span<const std::string> titles) {
  const std::vector<std::string> caption = CaptionRows(scene, layout);
  const int captionHeight = kCaptionTop + static_cast<int>(caption.size()) * kCaptionRowPixels;
  const Region& region = layout.region;
  const bool grid = scene.HasGrid();
  const double scale =
      grid ? std::min(kMaxCellPixels, kGridPixels / std::max(region.Width(), region.Height())) : 1;
  const double gridWidth = grid ? region.Width() * scale : 0;
  const double gridHeight = grid ? region.Height() * scale : 0;
  const double width = std::max<double>(kMinWidth, gridWidth + 2 * kMargin);
  const double height = captionHeight + gridHeight + (grid ? 2 * kMargin : kMargin);
  const Strokes strokes = StrokesFor(scale);

  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      Decimal(width) + "\" height=\"" + Decimal(height) + "\">\n<title>" +
      EscapeForSvg(scene.caption.empty() ? "" : scene.caption.front(), kTitleRoom) + "</title>\n";
  AddStyle(out, strokes);
  out.append("<rect class=\"page\" width=\"100%\" height=\"100%\"/>\n<g class=\"caption\">\n");
  for (std::size_t i = 0; i < caption.size(); ++i) {
    out.append("<text x=\"" + IntToStr(kMargin) + "\" y=\"" +
               IntToStr(kCaptionTop + static_cast<int>(i + 1) * kCaptionRowPixels - 5) + "\">" +
               caption[i] + "</text>\n");
  }
  out.append("</g>\n");
  if (grid) {
    out.append("<rect class=\"frame\" x=\"" + Decimal(kMargin - 0.5) + "\" y=\"" +
               Decimal(captionHeight + kMargin - 0.5) + "\" width=\"" + Decimal(gridWidth + 1) +
               "\" height=\"" + Decimal(gridHeight + 1) + "\"/>\n");
    out.append("<svg class=\"grid\" x=\"" + IntToStr(kMargin) + "\" y=\"" +
               IntToStr(captionHeight + kMargin) + "\" width=\"" + Decimal(gridWidth) +
               "\" height=\"" + Decimal(gridHeight) + "\" viewBox=\"" + IntToStr(region.x0) + " " +
               IntToStr(region.y0) + " " + IntToStr(region.Width()) + " " +
               IntToStr(region.Height()) + "\" shape-rendering=\"crispEdges\">\n");
    AddGrid(out, scene, layout, cover, tints, titles);
    AddFaults(out, scene, strokes);
    out.append("</svg>\n");
  }
  out.append("</svg>\n");
  return out;
}
