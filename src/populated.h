// Memory that is ready to use when it is handed out. Touching a fresh page costs a fault each
// time, and on some machines (virtual ones most of all) a fault costs more than reading the
// page's worth of input; asking the system for all the pages of a large block at once costs a
// small part of that. Where the system cannot do so, this is plain operator new.
#pragma once

#include <cstddef>
#include <new>

// Blocks of at least this many bytes are taken from the system whole and ready.
inline constexpr std::size_t kPopulatedFrom = std::size_t{64} << 10;

void* AllocatePopulated(std::size_t bytes);
void FreePopulated(void* block, std::size_t bytes);

// An allocator for containers that may grow large: the picture index, a block's rectangles,
// the scratch arrays of the coverage check.
template <typename T>
struct PopulatingAllocator {
  using value_type = T;
  PopulatingAllocator() = default;
  template <typename U>
  PopulatingAllocator(const PopulatingAllocator<U>&) {}
  T* allocate(std::size_t count) {
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
      throw std::bad_alloc();
    }
    return static_cast<T*>(AllocatePopulated(count * sizeof(T)));
  }
  void deallocate(T* block, std::size_t count) { FreePopulated(block, count * sizeof(T)); }
  template <typename U>
  bool operator==(const PopulatingAllocator<U>&) const {
    return true;
  }
};
