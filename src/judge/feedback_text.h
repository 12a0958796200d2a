// Text on its way to a judge system (standard error, a feedback file, a CMS message). Systems
// read it as UTF-8 or show it in a web page, and CMS takes a line end as the start of a command
// of its own, so a file's bytes pass only as printable ASCII (base/printable.h: \xHH for every
// byte outside 0x20..0x7E). Only the text's own line ends (LF, or CR LF) end a line: a line that
// a message quotes never holds an LF, and a CR in it is written \x0D. Each line is cut at
// kLineCap bytes and the whole text at the cap of its system, both ending in "..." where they
// are cut.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/text_sink.h"

// The most bytes of one line, without its line end: the start of a quoted line says what is
// wrong with it, and a page of escapes says nothing more.
inline constexpr std::size_t kLineCap = 1000;
inline constexpr std::string_view kCutMark = "...";

class FeedbackSink : public TextSink {
 public:
  // `cap`: the most bytes of the whole text, line ends included; `lineEnd`: what each line
  // end is written as.
  FeedbackSink(TextSink& out, std::size_t cap, std::string_view lineEnd);
  void Write(std::string_view text) override;
  // Writes a CR that the text ended with. Call once, after the last Write.
  void Finish();
  // True once something was cut, a line or the whole.
  bool Cut() const { return cut_; }

 private:
  void Byte(unsigned char c);
  void Piece(std::string_view piece);
  void EndLine();
  // Writes `text` when the whole leaves room for the final mark; false, after the final mark,
  // when it does not.
  bool Fits(std::string_view text);

  TextSink& out_;
  std::size_t cap_;
  std::string_view lineEnd_;
  std::size_t written_ = 0;
  std::size_t lineBytes_ = 0;
  bool pendingCr_ = false;
  bool lineCut_ = false;
  bool full_ = false;
  bool cut_ = false;
};
