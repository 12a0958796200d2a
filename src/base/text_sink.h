// Where a program's text goes, piece by piece: a file being written, or a string. Reports and
// pictures are handed over in pieces so that a long quoted line is never copied whole.
#pragma once

#include <string>
#include <string_view>

class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Write(std::string_view text) = 0;
};

class StringSink : public TextSink {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};
