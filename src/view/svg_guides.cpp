#include "view/svg_guides.h"

#include <array>
#include <string_view>
#include <vector>

#include "eval/assertion.h"
#include "view/scale.h"
#include "view/svg_text.h"

namespace {
constexpr int kTickBeyond = 3;  // a tick runs this far past the gap, up to its number
constexpr int kSwatch = 14;
constexpr int kLegendRow = 22;
constexpr int kLegendCharPixels = 8;  // of the picture's 13-pixel monospace font, at most
constexpr int kLegendSpacing = 20;

// What each key says, in the order of Key.
constexpr std::array<std::string_view, 10> kKeyWords = {
    "bela celica",
    "crna celica",
    "crna celica, ki je ni pokril noben pravokotnik bloka",
    "crna celica, ki je pravokotniki pred napako se niso pokrili",
    "celica, do katere branje vhoda ni prislo",
    "pravokotnik bloka: nad belo celico svetlejsi, nad crno temnejsi",
    "pravokotnik, ki ga preverjanje zavrne",
    "rob mreze, cez katerega sega",
    "celica, ki jo navaja napaka (sredina: njena barva)",
    "vrstica, ki jo navaja napaka",
};

void AddText(std::string& out, std::string_view classes, double x, double y,
             std::string_view text) {
  out.append("<text class=\"").append(classes).append("\" x=\"").append(Decimal(x));
  out.append("\" y=\"").append(Decimal(y)).append("\">").append(text).append("</text>\n");
}

void AddBox(std::string& out, std::string_view classes, double x, double y, double width,
            double height) {
  out.append("<rect class=\"").append(classes).append("\" x=\"").append(Decimal(x));
  out.append("\" y=\"").append(Decimal(y)).append("\" width=\"").append(Decimal(width));
  out.append("\" height=\"").append(Decimal(height)).append("\"/>\n");
}

// The swatch of `key` with its top-left corner at (x, y): the classes of what it explains.
void AddSwatch(std::string& out, Key key, int x, int y) {
  const std::string name(KeyName(key));
  switch (key) {
    case Key::kRect:
      for (int tint = 0; tint < 3; ++tint) {
        AddBox(out, "key rect t" + IntToStr(tint), x + tint * kSwatch / 3.0, y, kSwatch / 3.0,
               kSwatch);
      }
      return;
    case Key::kFailing:
      AddBox(out, "key rect failing", x, y, kSwatch, kSwatch);
      return;
    case Key::kFaultCell:
      AddBox(out, "key fault", x, y, kSwatch, kSwatch);
      AddBox(out, "key own white", x + kSwatch / 4.0, y + kSwatch / 4.0, kSwatch / 2.0,
             kSwatch / 2.0);
      out.append("<circle class=\"key fault-ring\" cx=\"" + Decimal(x + kSwatch / 2.0) +
                 "\" cy=\"" + Decimal(y + kSwatch / 2.0) + "\" r=\"" + Decimal(kSwatch / 2.0 + 2) +
                 "\"/>\n");
      return;
    default:
      AddBox(out, "key " + name, x, y, kSwatch, kSwatch);
  }
}
}  // namespace

int RowRulerWidth(const Scene& scene) {
  return RulerDigits(scene.w, scene.h) * static_cast<int>(kDigitPixels) + kTickBeyond;
}

void AddRulers(std::string& out, const Scene& scene, const GridPlace& place, int gap) {
  const Region& region = place.region;
  const int digits = RulerDigits(scene.w, scene.h);
  const std::optional<Cell> pointed = scene.Pointed();
  const std::optional<int> namedRow = pointed ? std::optional(pointed->y) : scene.faultRow;
  const std::vector<int> columns = RulerNumbers(region.x0, region.x1 - 1, place.cell, digits,
                                                pointed ? std::optional(pointed->x) : std::nullopt);
  const std::vector<int> rows =
      RulerNumbers(region.y0, region.y1 - 1, place.cell, digits, namedRow);
  const double reach = gap + kTickBeyond;
  std::string ticks;
  out.append("<g class=\"rulers\">\n");
  for (const int column : columns) {
    const double x = place.X(column + 0.5);
    ticks.append("M" + Decimal(x) + " " + Decimal(place.y) + "v-" + Decimal(reach));
    const bool named = pointed && column == pointed->x;
    AddText(out, named ? "column named" : "column", x, place.y - reach - 2, IntToStr(column));
  }
  for (const int row : rows) {
    const double y = place.Y(row + 0.5);
    ticks.append("M" + Decimal(place.x) + " " + Decimal(y) + "h-" + Decimal(reach));
    const bool named = namedRow && row == *namedRow;
    AddText(out, named ? "row named" : "row", place.x - reach - 2, y + 4, IntToStr(row));
  }
  out.append("<path class=\"ticks\" d=\"" + ticks + "\"/>\n</g>\n");
}

int AddLegend(std::string& out, std::span<const Key> keys, int left, int top, int width) {
  if (keys.empty()) {
    return 0;
  }
  out.append("<g class=\"legend\">\n");
  int x = left;
  int y = top;
  for (const Key key : keys) {
    const std::string_view words = kKeyWords[static_cast<std::size_t>(key)];
    const int itemWidth = kSwatch + 6 + static_cast<int>(words.size()) * kLegendCharPixels;
    if (x > left && x + itemWidth > left + width) {
      x = left;
      y += kLegendRow;
    }
    AddSwatch(out, key, x, y + 2);
    AddText(out, "key-words", x + kSwatch + 6, y + 14, words);
    x += itemWidth + kLegendSpacing;
  }
  out.append("</g>\n");
  return y + kLegendRow - top;
}
