#include "base/printable.h"

std::string Printable(std::string_view text, std::size_t room, bool& cut) {
  std::string out;
  char shown[4];
  std::size_t used = 0;
  for (; used < text.size(); ++used) {
    const std::size_t size = PrintableByte(text[used], shown);
    if (out.size() + size > room) {
      break;
    }
    out.append(shown, size);
  }
  cut = used < text.size();
  return out;
}
