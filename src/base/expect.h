// Preconditions that the comments state, checked in the builds made to find faults (with the
// sanitizers, and for fuzzing, which define ZEL_CHECKED) and compiled away in every other. A
// broken one stops the program at once, naming the condition and where it stands, so that a
// caller's fault shows where it happens instead of as a wrong report later.
//
// ZEL_EXPECT(condition) is for conditions that cost a compare or two; a loop over the data
// never checks one per element.
#pragma once

#ifdef ZEL_CHECKED
#include <cstdio>
#include <cstdlib>

namespace expect_detail {
[[noreturn]] inline void Broken(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken precondition: %s\n", file, line, condition);
  std::abort();
}
}  // namespace expect_detail

#define ZEL_EXPECT(condition) \
  ((condition) ? static_cast<void>(0) : ::expect_detail::Broken(#condition, __FILE__, __LINE__))
#else
// Not evaluated; what the condition names still counts as used.
#define ZEL_EXPECT(condition) static_cast<void>(sizeof(condition))
#endif
