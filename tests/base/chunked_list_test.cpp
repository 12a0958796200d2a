#include "base/chunked_list.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
// Past the chunks that double and well into those of full size, every element stays where it
// was put and is found again by index and by walking.
TEST(ChunkedList, ElementsStayWhereTheyWerePut) {
  ChunkedList<std::uint32_t> list;
  constexpr std::uint32_t kCount = 3'000'000;
  for (std::uint32_t i = 0; i < kCount; ++i) {
    list.push_back(i * 7);
  }
  ASSERT_EQ(list.size(), kCount);
  const std::uint32_t* first = &list[0];
  for (std::uint32_t i = 0; i < kCount; i += 9973) {
    ASSERT_EQ(list[i], i * 7) << i;
  }
  EXPECT_EQ(list[kCount - 1], (kCount - 1) * 7);
  std::uint32_t walked = 0;
  for (const std::uint32_t value : list) {
    ASSERT_EQ(value, walked * 7);
    ++walked;
  }
  EXPECT_EQ(walked, kCount);
  EXPECT_EQ(&list[0], first);
}
}  // namespace
