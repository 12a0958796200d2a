// The package's version. It comes from CMake's project VERSION, the one place that also names
// the Debian package, so that `--version` and the package never disagree.
#pragma once

#include <cstdio>
#include <string_view>

std::string_view Version();

// Answers `--version`: "PROGRAM VERSION" and a line end on `stream` (standard output unless
// said). Returns the exit status: 0, or 1 when the stream could not be written.
int PrintVersion(std::string_view program, std::FILE* stream = stdout);
