#include <gtest/gtest.h>

#include <string>

#include "eval/checks.h"
#include "judge/json_reader.h"
#include "judge/json_report.h"
#include "judge/judged_run.h"

namespace {
std::string Escaped(std::string_view bytes) {
  StringSink out;
  JsonStringSink text(out);
  text.Write(bytes);
  return out.Text();
}

TEST(JsonStringSinkTest, EveryByteReadsBackAsItselfFromPrintableAscii) {
  std::string bytes;
  for (int c = 0; c < 256; ++c) {
    bytes.push_back(static_cast<char>(c));
  }
  const std::string escaped = Escaped(bytes);
  for (const char c : escaped) {
    ASSERT_TRUE(c >= 0x20 && c <= 0x7E) << static_cast<int>(c);
  }
  const auto value = JsonReader::Parse("\"" + escaped + "\"");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text, bytes);
}

TEST(JsonStringSinkTest, EscapesAQuoteABackslashAndEachOtherByteAlone) {
  EXPECT_EQ(Escaped("a\"b\\c"), "a\\\"b\\\\c");
  EXPECT_EQ(Escaped("OK\r\n\t"), "OK\\r\\n\\t");
  EXPECT_EQ(Escaped(std::string("\0\x1f\x7f\x80\xc3\xa9\xff", 7)),
            "\\u0000\\u001f\\u007f\\u0080\\u00c3\\u00a9\\u00ff");
}

EAssertion Failure(int check) {
  return EAssertion{"sporocilo", std::string(SourceTag), check, {}};
}

// The golden cases hold every verdict a file can lead to; these are the ones no file leads to.
// The json mode writes a score with a fraction: the reader takes numbers as JSON spells them,
// and nothing else.
TEST(JsonReaderTest, NumbersWithAFractionOrAnExponent) {
  const auto value = JsonReader::Parse(R"({"score":0.0,"half":-1.5e2,"count":12})");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Find("score")->real, 0.0);
  EXPECT_EQ(value->Find("half")->real, -150.0);
  EXPECT_EQ(value->Find("count")->number, 12);
  for (const char* wrong : {"1.", "1e", "1e+", ".5", "01.0", "1 .5", "1.5.2"}) {
    EXPECT_FALSE(JsonReader::Parse(wrong)) << wrong;
  }
}

TEST(VerdictTest, AnErrorThatIsNoSubmissionCheckIsTheEvaluatorsOwn) {
  Evaluation inconsistent;
  inconsistent.failure = Failure(check::kCoverInconsistent);
  EXPECT_EQ(VerdictOf(inconsistent), Verdict::kInternalError);
  Evaluation unexpected;
  unexpected.unexpected = true;
  EXPECT_EQ(VerdictOf(unexpected), Verdict::kInternalError);
  Evaluation unknownCheck;
  unknownCheck.failure = Failure(7);
  EXPECT_EQ(VerdictOf(unknownCheck), Verdict::kInternalError);
}

TEST(WriteJsonTest, Check161IsTheOrganizersWithItsBlockAndCell) {
  JudgedRun run;
  TestCase testCase;
  testCase.number = 4;
  run.blocks.BlockStarted(testCase, 3);
  run.blocks.BlockStarted(testCase, 9);
  run.evaluation.failure = EAssertion{"V OCENJEVALNEM PROGRAMU JE NAPAKA.", std::string(SourceTag),
                                      check::kCoverInconsistent, FailureSite(0, 0, Cell{5, 6})};
  StringSink out;
  WriteJson(out, run);
  EXPECT_EQ(
      out.Text(),
      "{\"verdict\":\"internal-error\",\"check\":161,\"party\":\"organizer\",\"block\":2,"
      "\"test\":4,\"cell\":{\"x\":5,\"y\":6},\"english\":\"THERE IS A FAULT IN THE "
      "EVALUATION PROGRAM. Tell the competition organizers. x = {x}, y = {y}\",\"fix\":\"Cannot "
      "happen: the evaluator's own consistency check. Keep both files and report them to the "
      "evaluator's developers.\",\"message\":\"Napaka [Ozi18Zelmiranke:161]: V "
      "OCENJEVALNEM PROGRAMU JE NAPAKA.\",\"report\":\"Napaka [Ozi18Zelmiranke:161]: V "
      "OCENJEVALNEM PROGRAMU JE NAPAKA.\\n-1\\n\"}");
}
}  // namespace
