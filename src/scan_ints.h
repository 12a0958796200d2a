// Reads whole numbers from a line the way sscanf reads "%d", "%d %d %d %d" and
// "%d %d %d %d %d": white space (as C's isspace has it in the C locale) is skipped before each
// number, a number is an optional sign and one or more decimal digits, the blank between two
// numbers matches any white space or none, and whatever follows the last number is ignored.
// A zero byte ends the text. A value outside the 32-bit range saturates to INT_MAX or INT_MIN,
// so that an absurd value can never pass as a small valid one.
#pragma once

#include <string_view>

// Converts up to `count` numbers into `values` and returns how many were converted.
int ScanInts(std::string_view line, int count, int* values);
