#include "base/text_sink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
// A stream gets the pieces' bytes exactly, none more: standard output carries the viewer's and
// the judge modes' text.
TEST(StreamSink, WritesEachPieceByteForByte) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  StreamSink sink(stream);
  sink.Write("ab");
  sink.Write(std::string("c\0d", 3));
  sink.Write("");
  std::rewind(stream);
  char bytes[16] = {};
  const std::size_t read = std::fread(bytes, 1, sizeof bytes, stream);
  std::fclose(stream);
  EXPECT_EQ(std::string(bytes, read), std::string("abc\0d", 5));
}
}  // namespace
