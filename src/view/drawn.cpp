#include "view/drawn.h"

#include "view/rect_tints.h"

Drawing DrawScene(const Scene& scene, const WindowAsked& asked, std::int64_t bound) {
  Drawing drawing;
  if (scene.uncovered != Uncovered::kNone) {
    drawing.cover.emplace(scene.w, scene.h, scene.rects);
  }
  drawing.layout = ChooseLayout(scene, drawing.Cover(), asked, bound);
  std::vector<Region> boxes;
  boxes.reserve(drawing.layout.drawn.size());
  for (const std::uint32_t index : drawing.layout.drawn) {
    boxes.push_back(Clip(scene.rects[index], drawing.layout.region));
  }
  drawing.tints = ChooseTints(boxes, drawing.layout.region);
  return drawing;
}

std::vector<std::int64_t> DrawnLineNumbers(const Scene& scene, const Layout& layout) {
  std::vector<std::int64_t> lines;
  lines.reserve(layout.drawn.size());
  for (const std::uint32_t index : layout.drawn) {
    lines.push_back(scene.rectLines[index]);
  }
  return lines;
}

std::vector<std::optional<LineText>> DrawnLines(const std::string& submissionPath,
                                                const Scene& scene, const Layout& layout,
                                                std::size_t keep) {
  return ReadLineTexts(submissionPath, DrawnLineNumbers(scene, layout), keep);
}

std::vector<std::optional<LineText>> DrawnLines(ByteSource& submission, const Scene& scene,
                                                const Layout& layout, std::size_t keep) {
  return ReadLineTexts(submission, DrawnLineNumbers(scene, layout), keep);
}
