#include "view/svg_picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {
// The largest element of each kind stays within what the layout reckons for it.
TEST(SvgPicture, ElementsStayWithinTheirReckonedSize) {
  const std::vector<std::string> rows(1000, std::string(1000, '#'));
  const std::vector<Rect> rects = {{0, 0, 1000, 1000}, {999, 999, INT_MAX, INT_MAX}};
  Scene scene;
  scene.w = scene.h = 1000;
  scene.rows.assign(rows.begin(), rows.end());
  scene.rects = rects;
  scene.lastFails = true;
  Layout layout;
  layout.region = Region{0, 0, 1000, 1000};
  layout.drawn = {0, 1};
  const CoverMap cover(1000, 1000, {});
  const std::string title =
      RectTitle(1000000, rects[1], LineText{std::string(kTitleRoom + 1, '<'), 1 << 30});
  const std::vector<std::string> titles = {title, title};
  const std::vector<std::uint8_t> tints = {5, 5};
  const std::string svg = SvgPicture(scene, layout, &cover, tints, titles);
  int seen = 0;
  for (std::size_t start = 0, end; (end = svg.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string_view line(svg.data() + start, end + 1 - start);
    if (line.starts_with("<rect class=\"black") || line.starts_with("<rect class=\"uncovered") ||
        line.starts_with("<rect class=\"rect")) {
      ++seen;
      const bool isRect = line.starts_with("<rect class=\"rect");
      EXPECT_LE(static_cast<std::int64_t>(line.size()), isRect ? kRectBytes : kRunBytes) << line;
    }
  }
  EXPECT_EQ(seen, 1000 + 1000 + 2);
}

TEST(SvgPicture, ContractOfThePicture) {
  const std::vector<std::string> rows = {"##.", "###"};
  const std::vector<Rect> rects = {{0, 0, 2, 2}, {1, 0, 2, 1}};
  Scene scene;
  scene.caption = {"Napaka [Ozi18Zelmiranke:148]: <&>"};
  scene.w = 3;
  scene.h = 2;
  scene.rows.assign(rows.begin(), rows.end());
  scene.rects = rects;
  scene.lastFails = true;
  scene.faultCell = Cell{2, 0};
  Layout layout;
  layout.region = Region{0, 0, 3, 2};
  layout.drawn = {0, 1};
  const CoverMap cover(3, 2, rects);
  const std::vector<std::uint8_t> tints = {0, 1};
  const std::vector<std::string> titles = {RectTitle(1, rects[0], std::nullopt),
                                           RectTitle(2, rects[1], LineText{"1 0 2 1 \x01", 9})};
  const std::string svg = SvgPicture(scene, layout, &cover, tints, titles);
  for (const char* part :
       {"viewBox=\"0 0 3 2\"", "<rect class=\"black\" x=\"0\" y=\"1\" width=\"3\" height=\"1\"/>",
        "<rect class=\"rect t0\" x=\"0\" y=\"0\" width=\"2\" height=\"2\"><title>1: 0 0 2 "
        "2</title>",
        "<rect class=\"rect failing\" x=\"1\" y=\"0\" width=\"2\" height=\"1\"><title>2: 1 0 2 1 "
        "\\x01</title>",
        "<rect class=\"uncovered\" x=\"2\" y=\"1\" width=\"1\" height=\"1\"/>",
        "<rect class=\"fault\" x=\"2\" y=\"0\" width=\"1\" height=\"1\"/>",
        ">Napaka [Ozi18Zelmiranke:148]: &lt;&amp;&gt;</text>"}) {
    EXPECT_NE(svg.find(part), std::string::npos) << part;
  }
}
}  // namespace
