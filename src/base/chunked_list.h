// A list of plain records that grows by chunks which never move, so that adding one never
// copies the ones before it and the memory comes ready (see populated.h). For the lists that a
// file can make as long as it likes: the test cases and the report's entries.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <iterator>
#include <new>
#include <type_traits>
#include <vector>

#include "base/expect.h"
#include "base/populated.h"

template <typename T>
class ChunkedList {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  // Chunks double from 128 KiB to 2 MiB (huge pages, see populated.h) and stay there: a short
  // list takes little memory, a long one takes it cheaply (`make bench WORKLOADS="tiny blocks"`).
  static constexpr std::size_t kFirst = std::bit_floor((std::size_t{128} << 10) / sizeof(T));
  static constexpr int kDoublings = 4;
  static constexpr std::size_t kGrown = kFirst << kDoublings;
  static constexpr std::size_t kGrowing = kFirst * ((std::size_t{1} << kDoublings) - 1);

  static std::size_t Capacity(std::size_t chunk) {
    return kFirst << std::min<std::size_t>(chunk, kDoublings);
  }
  // The chunk that holds element i, and i's place in it.
  static std::size_t ChunkOf(std::size_t i, std::size_t& offset) {
    if (i < kGrowing) {
      const std::size_t chunk = std::bit_width(i / kFirst + 1) - 1;
      offset = i - kFirst * ((std::size_t{1} << chunk) - 1);
      return chunk;
    }
    offset = (i - kGrowing) % kGrown;
    return kDoublings + (i - kGrowing) / kGrown;
  }

 public:
  ChunkedList() = default;
  ChunkedList(const ChunkedList&) = delete;
  ChunkedList& operator=(const ChunkedList&) = delete;
  ~ChunkedList() {
    for (std::size_t chunk = 0; chunk < chunks_.size(); ++chunk) {
      FreePopulated(chunks_[chunk], Capacity(chunk) * sizeof(T));
    }
  }

  std::size_t size() const { return size_; }
  T& operator[](std::size_t i) {
    ZEL_EXPECT(i < size_);
    return Slot(i);
  }
  const T& operator[](std::size_t i) const { return const_cast<ChunkedList&>(*this)[i]; }

  void push_back(const T& value) {
    if (size_ == capacity_) {
      const std::size_t grown = Capacity(chunks_.size());
      chunks_.push_back(static_cast<T*>(AllocatePopulated(grown * sizeof(T))));
      capacity_ += grown;
    }
    ::new (&Slot(size_)) T(value);
    ++size_;
  }

  template <typename List, typename Value>
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::remove_const_t<Value>;
    using difference_type = std::ptrdiff_t;
    using pointer = Value*;
    using reference = Value&;
    Iterator() = default;
    Iterator(List* list, std::size_t at) : list_(list), at_(at) { Enter(); }
    Value& operator*() const { return *here_; }
    Value* operator->() const { return here_; }
    // A step within a chunk is a pointer's; only a step into the next chunk looks it up.
    Iterator& operator++() {
      ++at_;
      if (++here_ == chunkEnd_) {
        Enter();
      }
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }

   private:
    void Enter() {
      if (at_ >= list_->size_) {
        here_ = chunkEnd_ = nullptr;
        return;
      }
      std::size_t offset = 0;
      const std::size_t chunk = ChunkOf(at_, offset);
      here_ = list_->chunks_[chunk] + offset;
      chunkEnd_ = list_->chunks_[chunk] + Capacity(chunk);
    }

    List* list_ = nullptr;
    std::size_t at_ = 0;
    Value* here_ = nullptr;
    Value* chunkEnd_ = nullptr;
  };
  using iterator = Iterator<ChunkedList, T>;
  using const_iterator = Iterator<const ChunkedList, const T>;
  iterator begin() { return {this, 0}; }
  iterator end() { return {this, size_}; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size_}; }

 private:
  T& Slot(std::size_t i) {
    std::size_t offset = 0;
    const std::size_t chunk = ChunkOf(i, offset);
    return chunks_[chunk][offset];
  }

  std::vector<T*> chunks_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};
