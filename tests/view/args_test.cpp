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
  EXPECT_EQ(args->window.side, 50);
  EXPECT_FALSE(args->window.at);
  const auto plain = Parse({"in", "sub", "pic"});
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->block, 0);
  EXPECT_EQ(plain->window.side, 0);
  const auto at = Parse({"in", "sub", "pic", "--at", "613,88"});
  ASSERT_TRUE(at);
  EXPECT_EQ(at->window.at, (Cell{613, 88}));
  EXPECT_EQ(at->window.side, 0);
  EXPECT_EQ(plain->lang, Lang::kSlovene);
  EXPECT_EQ(Parse({"in", "sub", "pic", "--lang", "en"})->lang, Lang::kEnglish);
  EXPECT_EQ(Parse({"in", "sub", "pic", "--lang", "en", "--lang", "sl"})->lang, Lang::kSlovene);
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
  for (const char* at : {"1", "1,", ",1", "1,2,3", "1 ,2", "1000,0", "0,1000", "-1,0", "x,y"}) {
    EXPECT_FALSE(Parse({"in", "sub", "pic", "--at", at})) << at;
  }
  EXPECT_TRUE(Parse({"in", "sub", "pic", "--at", "999,0"}));
  EXPECT_FALSE(Parse({"in", "sub", "pic", "extra"}));
  for (const char* lang : {"de", "EN", "", "english"}) {
    EXPECT_FALSE(Parse({"in", "sub", "pic", "--lang", lang})) << lang;
  }
  EXPECT_TRUE(Parse({"in", "sub", "pic", "--block", "9223372036854775807"}));
}
}  // namespace
