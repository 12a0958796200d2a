// memchr with WebAssembly's 128-bit vectors, in place of the C library's, which looks at four
// bytes at a time: the line reader finds every line end with it, and on long lines that search
// was most of the page's evaluation. Linked into the page's module, it stands in for the C
// library's memchr everywhere in it.
#include <wasm_simd128.h>

#include <cstddef>
#include <cstdint>

namespace {
// The bits of the bytes of the aligned block at `block` that equal `wanted`.
std::uint32_t Matches(const unsigned char* block, v128_t wanted) {
  return static_cast<std::uint32_t>(
      wasm_i8x16_bitmask(wasm_i8x16_eq(wasm_v128_load(block), wanted)));
}
}  // namespace

// Blocks are read whole from 16-byte boundaries: such a block never crosses the end of the
// module's memory when one of its bytes lies inside it, so bytes before `source` or after its
// end may be read, never used.
extern "C" void* memchr(const void* source, int value, std::size_t size) {
  if (size == 0) {
    return nullptr;
  }
  const auto* start = static_cast<const unsigned char*>(source);
  const unsigned char* const end = start + size;
  const v128_t wanted = wasm_i8x16_splat(static_cast<char>(value));
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  const unsigned char* block = start - (address & 15);
  std::uint32_t found = Matches(block, wanted) & (~0u << (address & 15));
  while (true) {
    const std::size_t left = static_cast<std::size_t>(end - block);
    if (left < 16) {
      found &= (1u << left) - 1;
    }
    if (found != 0) {
      return const_cast<unsigned char*>(block + __builtin_ctz(found));
    }
    if (left <= 16) {
      return nullptr;
    }
    block += 16;
    found = Matches(block, wanted);
  }
}
