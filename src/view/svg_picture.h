// The picture as SVG 1.1. A caption in screen pixels above a nested <svg class="grid"> whose
// user units are cells: cell (x, y) covers the square from (x, y) to (x + 1, y + 1), and its
// viewBox is the region drawn (the whole grid, or the window). Inside it: the black cells as
// one <rect class="black"> per horizontal run, every drawn rectangle of the block as one
// <rect class="rect ..."> with the coordinates of its cells and a <title> with its ordinal and
// its line (the failing one has the classes "rect failing"), the black cells no rectangle
// covers, lines between the cells once they are large enough, and the cell the check names as
// one <rect class="fault" ... width="1" height="1">. Around the grid, in pixels: the ring
// around the named cell, rulers with the numbers of columns and rows, and the legend.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/line_texts.h"
#include "view/drawn.h"
#include "view/scene.h"

// How much of a rectangle's line its title shows, in escaped characters.
inline constexpr std::size_t kTitleRoom = 120;

// The title of rectangle `ordinal`: its line as written when known, else its numbers.
std::string RectTitle(std::int64_t ordinal, const Rect& rect, const std::optional<LineText>& line);

// `titles` has one entry per rectangle of drawing.layout.drawn. The picture's own words are in
// the scene's language.
std::string SvgPicture(const Scene& scene, const Drawing& drawing,
                       std::span<const std::string> titles);
