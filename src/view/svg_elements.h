// The SVG picture's elements, each written in one place: a rectangle, a circle and a line of
// text, with their numbers as Decimal prints them (a whole number without a point).
#pragma once

#include <string>
#include <string_view>

#include "view/region.h"

// <rect class="..." x="..." y="..." width="..." height="..." followed by `end`, which closes it
// ("/>\n") or opens its content ("><title>").
void AddRect(std::string& out, std::string_view classes, double x, double y, double width,
             double height, std::string_view end = "/>\n");
void AddRect(std::string& out, std::string_view classes, const Region& box,
             std::string_view end = "/>\n");

void AddCircle(std::string& out, std::string_view classes, double cx, double cy, double r);

// <text> with `text` already escaped; no class attribute when `classes` is empty.
void AddText(std::string& out, std::string_view classes, double x, double y, std::string_view text);
