// The page's memchr (src/web/memchr.cpp) against a plain search, for every alignment of the
// bytes, every length up to a few blocks and every place of the byte looked for, with the same
// byte just before and just after the bytes searched, where a search that reads whole blocks
// must not find it. Run under Node.js in the WebAssembly build.
#include <cstdio>
#include <cstring>

namespace {
const void* Plain(const unsigned char* bytes, unsigned char value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == value) {
      return bytes + i;
    }
  }
  return nullptr;
}
}  // namespace

int main() {
  alignas(16) unsigned char bytes[128];
  int faults = 0;
  for (std::size_t start = 1; start < 33; ++start) {
    for (std::size_t size = 0; start + size < sizeof bytes - 1; ++size) {
      for (std::size_t at = 0; at <= size; ++at) {  // at == size: not there
        std::memset(bytes, 'x', sizeof bytes);
        bytes[start - 1] = '\n';
        bytes[start + size] = '\n';
        if (at < size) {
          bytes[start + at] = '\n';
        }
        const void* found = std::memchr(bytes + start, '\n', size);
        if (found != Plain(bytes + start, '\n', size) && ++faults <= 10) {
          std::printf("start %zu, size %zu, at %zu: found %td\n", start, size, at,
                      found ? static_cast<const unsigned char*>(found) - bytes : -1);
        }
      }
    }
  }
  std::printf("%d faults\n", faults);
  return faults == 0 ? 0 : 1;
}
