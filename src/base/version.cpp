#include "base/version.h"

#include <cstdio>

#ifndef ZEL_VERSION
#error "ZEL_VERSION names the package's version; CMake defines it from the project's VERSION"
#endif

std::string_view Version() {
  return ZEL_VERSION;
}

int PrintVersion(std::string_view program) {
  std::fwrite(program.data(), 1, program.size(), stdout);
  std::fputc(' ', stdout);
  const std::string_view version = Version();
  std::fwrite(version.data(), 1, version.size(), stdout);
  std::fputc('\n', stdout);
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
