// Bytes of the files shown to people: every byte outside printable ASCII (0x20 to 0x7E) as
// \xHH with two capital hex digits, so that any line of a file (NUL, control bytes, a
// byte-order mark, broken UTF-8) can stand in a message, a caption or a picture.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// One byte as shown: the byte itself, or \xHH. Returns how many characters (1 or 4) it wrote
// into `out`.
inline std::size_t PrintableByte(char c, char (&out)[4]) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x20 && byte < 0x7f) {
    out[0] = c;
    return 1;
  }
  constexpr char kHex[] = "0123456789ABCDEF";
  out[0] = '\\';
  out[1] = 'x';
  out[2] = kHex[byte >> 4];
  out[3] = kHex[byte & 15];
  return 4;
}

// At most `room` characters of `text` as shown, never a byte's escape cut in two; `cut` tells
// whether some of `text` did not fit.
std::string Printable(std::string_view text, std::size_t room, bool& cut);
