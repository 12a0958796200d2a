#include "view/svg_guides.h"

#include <array>
#include <string_view>
#include <vector>

#include "eval/assertion.h"
#include "view/scale.h"
#include "view/svg_elements.h"
#include "view/svg_text.h"

namespace {
constexpr int kTickBeyond = 3;  // a tick runs this far past the gap, up to its number
constexpr int kSwatch = 14;
constexpr int kLegendRow = 22;
constexpr int kLegendCharPixels = 8;  // of the picture's 13-pixel monospace font, at most
constexpr int kLegendSpacing = 20;

// The swatch of `key` with its top-left corner at (x, y): the classes of what it explains.
void AddSwatch(std::string& out, Key key, int x, int y) {
  const std::string name(KeyName(key));
  switch (key) {
    case Key::kRect:
      for (int tint = 0; tint < 3; ++tint) {
        AddRect(out, "key rect t" + IntToStr(tint), x + tint * kSwatch / 3.0, y, kSwatch / 3.0,
                kSwatch);
      }
      return;
    case Key::kFailing:
      AddRect(out, "key rect failing", x, y, kSwatch, kSwatch);
      return;
    case Key::kFaultCell:
      AddRect(out, "key fault", x, y, kSwatch, kSwatch);
      AddRect(out, "key own white", x + kSwatch / 4.0, y + kSwatch / 4.0, kSwatch / 2.0,
              kSwatch / 2.0);
      AddCircle(out, "key fault-ring", x + kSwatch / 2.0, y + kSwatch / 2.0, kSwatch / 2.0 + 2);
      return;
    default:
      AddRect(out, "key " + name, x, y, kSwatch, kSwatch);
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

int AddLegend(std::string& out, std::span<const Key> keys, Lang lang, int left, int top,
              int width) {
  if (keys.empty()) {
    return 0;
  }
  out.append("<g class=\"legend\">\n");
  int x = left;
  int y = top;
  for (const Key key : keys) {
    const std::string_view words = RowOf(key).words.In(lang);
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
