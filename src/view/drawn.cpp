#include "view/drawn.h"

#include "view/rect_tints.h"

std::optional<CoverMap> SceneCover(const Scene& scene) {
  if (scene.uncovered == Uncovered::kNone) {
    return std::nullopt;
  }
  return CoverMap(scene.w, scene.h, scene.rects);
}

std::vector<std::uint8_t> DrawnTints(const Scene& scene, const Layout& layout) {
  std::vector<Region> boxes;
  boxes.reserve(layout.drawn.size());
  for (const std::uint32_t index : layout.drawn) {
    boxes.push_back(Clip(scene.rects[index], layout.region));
  }
  return ChooseTints(boxes, layout.region);
}

namespace {
std::vector<std::int64_t> DrawnLineNumbers(const Scene& scene, const Layout& layout) {
  std::vector<std::int64_t> lines;
  lines.reserve(layout.drawn.size());
  for (const std::uint32_t index : layout.drawn) {
    lines.push_back(scene.rectLines[index]);
  }
  return lines;
}
}  // namespace

std::vector<std::optional<LineText>> DrawnLines(const std::string& submissionPath,
                                                const Scene& scene, const Layout& layout,
                                                std::size_t keep) {
  return ReadLineTexts(submissionPath, DrawnLineNumbers(scene, layout), keep);
}

std::vector<std::optional<LineText>> DrawnLines(ByteSource& submission, const Scene& scene,
                                                const Layout& layout, std::size_t keep) {
  return ReadLineTexts(submission, DrawnLineNumbers(scene, layout), keep);
}
