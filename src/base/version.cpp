#include "base/version.h"

#include <cstdio>

#ifndef ZEL_VERSION
#error "ZEL_VERSION names the package's version; CMake defines it from the project's VERSION"
#endif

std::string_view Version() {
  return ZEL_VERSION;
}

int PrintVersion(std::string_view program, std::FILE* stream) {
  std::fwrite(program.data(), 1, program.size(), stream);
  std::fputc(' ', stream);
  const std::string_view version = Version();
  std::fwrite(version.data(), 1, version.size(), stream);
  std::fputc('\n', stream);
  return std::fflush(stream) == 0 && !std::ferror(stream) ? 0 : 1;
}
