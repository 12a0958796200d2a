#include "view/svg_text.h"

#include <algorithm>
#include <cstdio>

#include "base/printable.h"

namespace {
// One byte as it stands in the picture; `shown` is its width on screen.
struct Piece {
  char text[8];
  std::size_t size = 0;
  std::size_t shown = 0;
  std::string_view View() const { return std::string_view(text, size); }
};

struct Entity {
  char c;
  std::string_view text;
};
constexpr Entity kEntities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};

Piece Escape(char c) {
  Piece piece;
  const auto set = [&piece](std::string_view text, std::size_t shown) {
    text.copy(piece.text, text.size());
    piece.size = text.size();
    piece.shown = shown;
  };
  for (const Entity& entity : kEntities) {
    if (entity.c == c) {
      set(entity.text, 1);
      return piece;
    }
  }
  char shown[4];
  const std::size_t size = PrintableByte(c, shown);
  set(std::string_view(shown, size), size);
  return piece;
}
}  // namespace

std::string EscapeForSvg(std::string_view text, std::size_t room, bool cutBefore) {
  std::string out;
  std::size_t used = 0;
  for (; used < text.size(); ++used) {
    const Piece piece = Escape(text[used]);
    if (out.size() + piece.size > room) {
      break;
    }
    out.append(piece.View());
  }
  if (used < text.size() || cutBefore) {
    out.append(kCutMarker);
  }
  return out;
}

std::vector<std::string> WrapForSvg(std::string_view text, std::size_t columns, std::size_t rows) {
  std::vector<std::string> out;
  std::size_t start = 0;
  do {
    // As much as fits, broken after the last blank when the rest does not fit.
    std::size_t end = start;
    for (std::size_t shown = 0; end < text.size(); ++end) {
      shown += Escape(text[end]).shown;
      if (shown > columns) {
        break;
      }
    }
    if (end < text.size()) {
      const std::size_t blank = text.substr(start, end - start).rfind(' ');
      end = blank != std::string_view::npos && blank > 0 ? start + blank + 1
                                                         : std::max(end, start + 1);
    }
    std::string row;
    for (std::size_t i = start; i < end; ++i) {
      row.append(Escape(text[i]).View());
    }
    out.push_back(std::move(row));
    start = end;
  } while (start < text.size() && out.size() < rows);
  if (start < text.size()) {
    out.back().append(kCutMarker);
  }
  return out;
}

// Printed as to_chars would (the same rounding, by definition), which emscripten's library
// lacks for floating point.
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
  if (out == "-0") {
    out = "0";
  }
  return out;
}
