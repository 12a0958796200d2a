#include "base/terminal.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// A file is no terminal: the batch's progress goes to a terminal only, never into a log.
TEST(IsTerminal, AFileIsNot) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(IsTerminal(file));
  std::fclose(file);
}
}  // namespace
