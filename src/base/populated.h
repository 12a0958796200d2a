// Memory that is cheap to start using. Touching a fresh page costs a fault each time, and on
// some machines (virtual ones most of all) the first write to a page costs more than reading
// the page's worth of input. So a large block asks for all its pages at once, and a very large
// one for huge pages (two megabytes each, readied by one fault) where the system offers them
// (on the development machine, 64 MiB written for the first time took 0.18 s as small pages and
// 0.03 s as huge ones; `make bench WORKLOADS="large tiny"` measures what it gains). Where the
// system offers neither, this is plain operator new.
#pragma once

#include <cstddef>
#include <new>

// Blocks of at least this many bytes are taken from the system whole and ready (`tiny`).
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
