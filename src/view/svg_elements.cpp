#include "view/svg_elements.h"

#include <charconv>
#include <cstdint>

#include "view/svg_text.h"

namespace {
using namespace std::string_view_literals;

void Open(std::string& out, std::string_view element, std::string_view classes) {
  out.append("<"sv).append(element);
  if (!classes.empty()) {
    out.append(" class=\""sv).append(classes).append("\""sv);
  }
}

// `name` holds the blank before it and the =" after it. A whole number is printed as Decimal
// would, without its formatting, which costs more than the rest of a run's element.
void Attribute(std::string& out, std::string_view name, double value) {
  out.append(name);
  const bool small = value > -1e15 && value < 1e15;
  const auto whole = small ? static_cast<std::int64_t>(value) : 0;
  if (small && static_cast<double>(whole) == value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
  } else {
    out.append(Decimal(value));
  }
  out.push_back('"');
}
}  // namespace

void AddRect(std::string& out, std::string_view classes, double x, double y, double width,
             double height, std::string_view end) {
  Open(out, "rect", classes);
  Attribute(out, " x=\""sv, x);
  Attribute(out, " y=\""sv, y);
  Attribute(out, " width=\""sv, width);
  Attribute(out, " height=\""sv, height);
  out.append(end);
}

void AddRect(std::string& out, std::string_view classes, const Region& box, std::string_view end) {
  AddRect(out, classes, box.x0, box.y0, box.Width(), box.Height(), end);
}

void AddCircle(std::string& out, std::string_view classes, double cx, double cy, double r) {
  Open(out, "circle", classes);
  Attribute(out, " cx=\""sv, cx);
  Attribute(out, " cy=\""sv, cy);
  Attribute(out, " r=\""sv, r);
  out.append("/>\n"sv);
}

void AddText(std::string& out, std::string_view classes, double x, double y,
             std::string_view text) {
  Open(out, "text", classes);
  Attribute(out, " x=\""sv, x);
  Attribute(out, " y=\""sv, y);
  out.append(">"sv).append(text).append("</text>\n"sv);
}
