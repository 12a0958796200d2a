// Whether a stream is a terminal that a person watches, so that a program shows its progress
// there and nowhere else: a file or a pipe gets only what it asked for.
#pragma once

#include <cstdio>

bool IsTerminal(std::FILE* stream);
