// What a picture draws of a scene, for both pictures of it (the SVG file and the page's
// canvas): the cover of its rectangles, the layout, and the tints and lines of the rectangles
// drawn. A scene becomes a drawing in one way, DrawScene.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/line_texts.h"
#include "view/cover_map.h"
#include "view/layout.h"
#include "view/scene.h"

struct Drawing {
  std::optional<CoverMap> cover;  // when the scene shows uncovered cells
  Layout layout;
  std::vector<std::uint8_t> tints;  // one for each rectangle of layout.drawn (rect_tints.h)

  const CoverMap* Cover() const { return cover ? &*cover : nullptr; }
};

// The drawing of `scene` within `bound` bytes of SVG (see layout.h).
Drawing DrawScene(const Scene& scene, const WindowAsked& asked = {},
                  std::int64_t bound = kPictureBound);

// The line of each rectangle of layout.drawn, in drawing order (ascending).
std::vector<std::int64_t> DrawnLineNumbers(const Scene& scene, const Layout& layout);

// The first `keep` bytes of the line of each rectangle of layout.drawn, read again from the
// submission (see line_texts.h): by its path, or from a source at its start.
std::vector<std::optional<LineText>> DrawnLines(const std::string& submissionPath,
                                                const Scene& scene, const Layout& layout,
                                                std::size_t keep);
std::vector<std::optional<LineText>> DrawnLines(ByteSource& submission, const Scene& scene,
                                                const Layout& layout, std::size_t keep);
