// The outcome of an evaluation as one JSON object, for grading systems that show structured
// feedback:
//   {"verdict":"rejected","check":148,"party":"contestant","block":1,"test":1,"rectangle":2,
//    "cell":{"x":2,"y":0},"line":5,"message":"Napaka [...","report":"Napaka [...\n-1\n"}
// "blocks" (on "ok"), "check", "party" and the failure's place are there only when they apply.
#pragma once

#include <string_view>

#include "base/text_sink.h"
#include "judge/judged_run.h"

// Text written into a JSON string so that each of its characters stands for one byte: a quote
// and a backslash get a backslash, LF, CR and TAB are \n, \r and \t, and every other byte
// outside 0x20..0x7E is \u00XX. Any bytes at all, a file's hostile ones included, give valid
// JSON, and a reader gets the bytes back as the code points 0 to 255.
class JsonStringSink : public TextSink {
 public:
  explicit JsonStringSink(TextSink& out) : out_(out) {}
  void Write(std::string_view text) override;

 private:
  TextSink& out_;
};

// The object, without a line end after it.
void WriteJson(TextSink& out, const JudgedRun& run);
