// Where a program's text goes, piece by piece: a file being written, a stream such as standard
// output, or a string. Reports and
// pictures are handed over in pieces so that a long quoted line is never copied whole.
#pragma once

#include <cstdio>
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

// A stream of the C library, standard output for example. Its errors stay in the stream, for
// the caller to test with ferror once everything is written.
class StreamSink : public TextSink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stream_); }

 private:
  std::FILE* stream_;
};
