#include "view/svg_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Whatever the bytes, the text is printable ASCII without a bare XML special.
TEST(EscapeForSvg, EveryByteBecomesSafeText) {
  EXPECT_EQ(EscapeForSvg("a<b>&\"'", 100), "a&lt;b&gt;&amp;&quot;&#39;");
  EXPECT_EQ(EscapeForSvg(std::string("\0\x01\x7f\xc4\x8d\t", 6), 100),
            "\\x00\\x01\\x7F\\xC4\\x8D\\x09");
}

TEST(EscapeForSvg, CutsWithinItsRoom) {
  EXPECT_EQ(EscapeForSvg("0 0 1 1", 7), "0 0 1 1");
  EXPECT_EQ(EscapeForSvg("0 0 1 1", 6), "0 0 1 " + std::string(kCutMarker));
  // An entity is never split.
  EXPECT_EQ(EscapeForSvg("ab&c", 4), "ab" + std::string(kCutMarker));
  EXPECT_EQ(EscapeForSvg("ab", 10, true), "ab" + std::string(kCutMarker));
  EXPECT_LE(EscapeForSvg(std::string(100000, '\x01'), 120).size(), 120 + kCutMarker.size());
}

TEST(WrapForSvg, BreaksAfterBlanksAndBoundsTheRows) {
  EXPECT_EQ(WrapForSvg("one two three", 9, 5), (std::vector<std::string>{"one two ", "three"}));
  EXPECT_EQ(WrapForSvg("abcdefghij", 4, 5), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapForSvg("abcdefghij", 4, 2),
            (std::vector<std::string>{"abcd", "efgh" + std::string(kCutMarker)}));
  // \xHH takes four columns; it is not split, and a too-narrow row still advances.
  EXPECT_EQ(WrapForSvg("a\x01", 4, 5), (std::vector<std::string>{"a", "\\x01"}));
  EXPECT_EQ(WrapForSvg("\x01", 2, 5), (std::vector<std::string>{"\\x01"}));
  EXPECT_EQ(WrapForSvg("", 4, 5), (std::vector<std::string>{""}));
}
}  // namespace
