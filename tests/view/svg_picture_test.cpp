#include "view/svg_picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "view/test_util.h"

namespace {
bool IsRunOrRect(std::string_view line) {
  for (const char* start :
       {"<rect class=\"black\"", "<rect class=\"uncovered\"", "<rect class=\"unread\"",
        "<rect class=\"not-reached\"", "<rect class=\"rect "}) {
    if (line.starts_with(start)) {
      return true;
    }
  }
  return false;
}

// The bytes of the picture outside its runs and rectangles.
std::int64_t FixedPart(const std::string& svg) {
  std::int64_t bytes = 0;
  for (std::size_t start = 0, end; (end = svg.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string_view line(svg.data() + start, end + 1 - start);
    bytes += IsRunOrRect(line) ? 0 : static_cast<std::int64_t>(line.size());
  }
  return bytes;
}

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
  const std::string title =
      RectTitle(1000000, rects[1], LineText{std::string(kTitleRoom + 1, '<'), 1 << 30});
  const std::vector<std::string> titles = {title, title};
  const std::string svg =
      SvgPicture(scene, Drawing{CoverMap(1000, 1000, {}), layout, {5, 5}}, titles);
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

// The caption, rulers, grid lines, marks and legend stay within kFixedBytes at every size of
// region: a caption of four full rows of escaped bytes, every mark and every key.
TEST(SvgPicture, FixedPartStaysWithinItsReckonedSize) {
  for (const int side : {1, 7, 99, 100, 101, 266, 267, 1000}) {
    std::vector<std::string> rows(static_cast<std::size_t>(side), std::string(side, '#'));
    rows.back() = std::string(side / 2, '.');
    const std::vector<Rect> rects = {{0, 0, 1, 1}, {side - 1, 0, 2, 1}};
    Scene scene;
    scene.caption = {std::string(1000, '"'), std::string(1000, '\x01')};
    scene.w = scene.h = side;
    scene.rows.assign(rows.begin(), rows.end());
    scene.rects = rects;
    scene.lastFails = true;
    scene.crossed = Edge::kRight;
    scene.faultCell = Cell{side - 1, side - 1};
    scene.faultRow = side - 1;
    scene.uncovered = Uncovered::kNotReached;
    Layout layout;
    layout.region = Region{0, 0, side, side};
    layout.drawn = {0, 1};
    layout.meeting = 3;
    layout.windowed = layout.tooLarge = true;
    const std::vector<std::string> titles = {"1", "2"};
    const std::string svg =
        SvgPicture(scene, Drawing{CoverMap(side, side, rects), layout, {0, 1}}, titles);
    EXPECT_LE(FixedPart(svg), kFixedBytes) << side;
    EXPECT_NE(svg.find("<g class=\"legend\">"), std::string::npos);
  }
}

TEST(SvgPicture, ContractOfThePicture) {
  FailingScene failing;
  Scene& scene = failing.scene;
  const Layout& layout = failing.layout;
  const std::vector<Rect>& rects = failing.rects;
  scene.caption = {"Napaka [Ozi18Zelmiranke:148]: <&>"};
  const std::vector<std::string> titles = {RectTitle(1, rects[0], std::nullopt),
                                           RectTitle(2, rects[1], LineText{"1 0 2 1 \x01", 9})};
  const std::string svg = SvgPicture(scene, Drawing{CoverMap(3, 2, rects), layout, {0, 1}}, titles);
  for (const char* part :
       {"viewBox=\"0 0 3 2\"", "<rect class=\"black\" x=\"0\" y=\"1\" width=\"3\" height=\"1\"/>",
        "<rect class=\"rect t0\" x=\"0\" y=\"0\" width=\"2\" height=\"2\"><title>1: 0 0 2 "
        "2</title>",
        "<rect class=\"rect failing\" x=\"1\" y=\"0\" width=\"2\" height=\"1\"><title>2: 1 0 2 1 "
        "\\x01</title>",
        "<rect class=\"not-reached\" x=\"2\" y=\"1\" width=\"1\" height=\"1\"/>",
        "<path class=\"grid-lines\" d=\"M1 0V2M2 0V2M0 1H3\"/>",
        "<rect class=\"fault\" x=\"2\" y=\"0\" width=\"1\" height=\"1\"/>\n"
        "<rect class=\"own white\" x=\"2.25\" y=\"0.25\" width=\"0.5\" height=\"0.5\"/>",
        "</svg>\n<circle class=\"fault-ring\"", ">2</text>", "<text class=\"row named\"",
        "<rect class=\"key not-reached\"", "<rect class=\"key rect failing\"",
        ">Napaka [Ozi18Zelmiranke:148]: &lt;&amp;&gt;</text>"}) {
    EXPECT_NE(svg.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(svg.find("class=\"uncovered\""), std::string::npos);
  EXPECT_EQ(svg.find("key black"), std::string::npos);  // every black cell is under a rectangle
}
}  // namespace
