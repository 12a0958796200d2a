#include "eval/assertion.h"

#include <gtest/gtest.h>

#include <climits>

TEST(IntToStr, PrintsAsPercentD) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-17), "-17");
  EXPECT_EQ(IntToStr(INT_MAX), "2147483647");
  EXPECT_EQ(IntToStr(INT_MIN), "-2147483648");
  EXPECT_EQ(IntToStr(std::int64_t{5000000000}), "5000000000");
}

TEST(RaiseAssertion, CarriesTagCheckAndMessageUpToItsFirstZeroByte) {
  try {
    RaiseAssertion(std::string("ne pa \"a\0b\"", 11), SourceTag, 92);
    FAIL() << "no exception";
  } catch (const EAssertion& assertion) {
    EXPECT_EQ(assertion.message, "ne pa \"a");
    EXPECT_EQ(assertion.source, "Ozi18Zelmiranke");
    EXPECT_EQ(assertion.check, 92);
    // A check that points nowhere names no line, no rectangle and no cell.
    EXPECT_EQ(assertion.site.line, 0);
    EXPECT_EQ(assertion.site.rectangle, 0);
    EXPECT_FALSE(assertion.site.cell);
  }
}

TEST(QuoteLine, InsertsTheLineUnchangedAndStopsAtAZeroByte) {
  EXPECT_EQ(QuoteLine("ne pa \"", "", "\""), "ne pa \"\"");
  EXPECT_EQ(QuoteLine("[", " a\rb ", "]"), "[ a\rb ]");
  EXPECT_EQ(QuoteLine("[", std::string_view("ab\0cd", 5), "]"), "[ab");
}
