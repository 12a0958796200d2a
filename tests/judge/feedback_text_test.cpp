#include "judge/feedback_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
std::string Fed(std::initializer_list<std::string_view> pieces, std::size_t cap = 1 << 20,
                std::string_view lineEnd = "\n") {
  StringSink out;
  FeedbackSink text(out, cap, lineEnd);
  for (const std::string_view piece : pieces) {
    text.Write(piece);
  }
  text.Finish();
  return out.Text();
}

// The bytes the escaped text stands for.
std::string Unescaped(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
    } else {
      bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    }
  }
  return bytes;
}

TEST(FeedbackSinkTest, ALineOfAnyBytesIsPrintableAsciiThatSaysWhichBytesItHolds) {
  std::mt19937 random(7);
  std::string line;
  for (int i = 0; i < 200; ++i) {
    const char c = static_cast<char>(random() % 256);
    line += c == '\n' || c == '\\' ? 'n' : c;
  }
  const std::string text = Fed({line, "\n"});
  ASSERT_EQ(text.back(), '\n');
  for (const char c : text.substr(0, text.size() - 1)) {
    ASSERT_TRUE(c >= 0x20 && c <= 0x7E) << static_cast<int>(c);
  }
  EXPECT_EQ(Unescaped(text.substr(0, text.size() - 1)), line);
}

TEST(FeedbackSinkTest, OnlyTheTextsOwnLineEndsEndALine) {
  EXPECT_EQ(Fed({"OK\r\n1\n"}, 100, "\r\n"), "OK\r\n1\r\n");
  // A CR split from its LF between two pieces is still one line end.
  EXPECT_EQ(Fed({"a\r", "\nb\n"}), "a\nb\n");
  // A CR of a quoted line, before another byte, before a CR LF, or at the very end.
  EXPECT_EQ(Fed({"x\rADMIN_MESSAGE: y\n"}), "x\\x0DADMIN_MESSAGE: y\n");
  EXPECT_EQ(Fed({"x\r\r\n"}), "x\\x0D\n");
  EXPECT_EQ(Fed({"x\r"}), "x\\x0D");
  EXPECT_EQ(Fed({"\t\x7f"}), "\\x09\\x7F");
}

TEST(FeedbackSinkTest, ALongLineIsCutWithoutSplittingAnEscape) {
  const std::string plain = Fed({std::string(5000, 'a'), "\nnext\n"});
  EXPECT_EQ(plain, std::string(kLineCap - 3, 'a') + "...\nnext\n");
  const std::string escaped = Fed({std::string(5000, '\x01'), "\n"});
  EXPECT_EQ(escaped.size(), (kLineCap - 3) / 4 * 4 + 3 + 1);
  EXPECT_EQ(escaped.substr(escaped.size() - 8), "\\x01...\n");
}

TEST(FeedbackSinkTest, TheWholeStopsAtItsCapWithAMarkLine) {
  StringSink out;
  FeedbackSink text(out, 100, "\r\n");
  for (int i = 0; i < 1000; ++i) {
    text.Write("12345 678\r\n");
  }
  text.Finish();
  EXPECT_TRUE(text.Cut());
  EXPECT_LE(out.Text().size(), 100U);
  EXPECT_EQ(out.Text().substr(0, 22), "12345 678\r\n12345 678\r\n");
  EXPECT_EQ(out.Text().substr(out.Text().size() - 5), "...\r\n");
  EXPECT_FALSE([] {
    StringSink small;
    FeedbackSink fits(small, 100, "\n");
    fits.Write("OK\n");
    return fits.Cut();
  }());
}
}  // namespace
