#include "populated.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

void* AllocatePopulated(std::size_t bytes) {
#if defined(__linux__) && defined(MAP_POPULATE)
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
  if (bytes >= kPopulatedFrom) {
    munmap(block, bytes);
    return;
  }
#endif
  ::operator delete(block);
}
