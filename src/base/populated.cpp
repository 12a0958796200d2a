#include "base/populated.h"

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdint>
#endif

namespace {
#if defined(__linux__) && defined(MAP_POPULATE)
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

// A block of whole huge pages at a huge-page boundary: one fault readies two megabytes.
void* AllocateHuge(std::size_t bytes) {
  const std::size_t size = RoundUp(bytes, kHugePage);
  void* raw =
      mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) {
    throw std::bad_alloc();
  }
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = RoundUp(start, kHugePage);
  if (aligned > start) {
    munmap(raw, aligned - start);
  }
  munmap(reinterpret_cast<void*>(aligned + size), start + kHugePage - aligned);
  void* block = reinterpret_cast<void*>(aligned);
#if defined(MADV_HUGEPAGE)
  madvise(block, size, MADV_HUGEPAGE);
#endif
  return block;
}
#endif
}  // namespace

void* AllocatePopulated(std::size_t bytes) {
#if defined(__linux__) && defined(MAP_POPULATE)
  if (bytes >= kHugePage) {
    return AllocateHuge(bytes);
  }
  if (bytes >= kPopulatedFrom) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (block == MAP_FAILED) {
      throw std::bad_alloc();
    }
    return block;
  }
#endif
  return ::operator new(bytes);
}

void FreePopulated(void* block, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MAP_POPULATE)
  if (bytes >= kHugePage) {
    munmap(block, RoundUp(bytes, kHugePage));
    return;
  }
  if (bytes >= kPopulatedFrom) {
    munmap(block, bytes);
    return;
  }
#endif
  ::operator delete(block);
}
