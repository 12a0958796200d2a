#include "view/args.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::optional<ViewArgs> Parse(std::vector<const char*> words) {
  words.insert(words.begin(), "zelmiranke-view");
  return ParseViewArgs(static_cast<int>(words.size()), words.data());
}

TEST(ParseViewArgs, PathsAndOptionsInAnyOrder) {
  const auto args = Parse({"in", "sub", "pic", "--window", "50", "--block", "3"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->input, "in");
  EXPECT_EQ(args->submission, "sub");
  EXPECT_EQ(args->picture, "pic");
  EXPECT_EQ(args->block, 3);
  EXPECT_EQ(args->window, 50);
  const auto plain = Parse({"in", "sub", "pic"});
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->block, 0);
  EXPECT_EQ(plain->window, kDefaultWindow);
}

TEST(ParseViewArgs, BadCommandLines) {
  EXPECT_FALSE(Parse({"in", "sub"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--block"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--block", "0"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--block", "2x"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--block", " 2"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--window", "1001"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--window", "0"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "--colour", "1"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "extra"}));
  EXPECT_TRUE(Parse({"in", "sub", "pic", "--block", "9223372036854775807"}));
}
}  // namespace
