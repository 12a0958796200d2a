// What both pictures of a scene (the SVG file and the page's canvas) make of it besides its
// layout: the cover of its rectangles, and the tints and lines of the rectangles drawn.
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

// The cover of the scene's rectangles when the scene shows uncovered cells; none otherwise.
std::optional<CoverMap> SceneCover(const Scene& scene);

// A tint for each rectangle of layout.drawn (see rect_tints.h).
std::vector<std::uint8_t> DrawnTints(const Scene& scene, const Layout& layout);

// The first `keep` bytes of the line of each rectangle of layout.drawn, read again from the
// submission (see line_texts.h): by its path, or from a source at its start.
std::vector<std::optional<LineText>> DrawnLines(const std::string& submissionPath,
                                                const Scene& scene, const Layout& layout,
                                                std::size_t keep);
std::vector<std::optional<LineText>> DrawnLines(ByteSource& submission, const Scene& scene,
                                                const Layout& layout, std::size_t keep);
