// The package's version. It comes from CMake's project VERSION, the one place that also names
// the Debian package, so that `--version` and the package never disagree.
#pragma once

#include <string_view>

std::string_view Version();

// Answers `--version`: "PROGRAM VERSION" and a line end on standard output. Returns the exit
// status: 0, or 1 when standard output could not be written.
int PrintVersion(std::string_view program);
