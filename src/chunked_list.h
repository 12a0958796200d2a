// A list of plain records that grows by chunks which never move, so that adding one never
// copies the ones before it and the memory comes ready (see populated.h). For the lists that a
// file can make as long as it likes: the test cases and the report's entries.
#pragma once

#include <bit>
#include <cstddef>
#include <iterator>
#include <new>
#include <type_traits>
#include <vector>

#include "populated.h"

template <typename T>
class ChunkedList {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  static constexpr std::size_t kChunkBytes = std::size_t{128} << 10;
  static constexpr std::size_t kPerChunk = std::bit_floor(kChunkBytes / sizeof(T));
  static constexpr int kShift = std::countr_zero(kPerChunk);

 public:
  ChunkedList() = default;
  ChunkedList(const ChunkedList&) = delete;
  ChunkedList& operator=(const ChunkedList&) = delete;
  ~ChunkedList() {
    for (T* chunk : chunks_) {
      FreePopulated(chunk, kPerChunk * sizeof(T));
    }
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t i) { return chunks_[i >> kShift][i & (kPerChunk - 1)]; }
  const T& operator[](std::size_t i) const { return chunks_[i >> kShift][i & (kPerChunk - 1)]; }

  void push_back(const T& value) {
    if (size_ == chunks_.size() * kPerChunk) {
      chunks_.push_back(static_cast<T*>(AllocatePopulated(kPerChunk * sizeof(T))));
    }
    ::new (&(*this)[size_]) T(value);
    ++size_;
  }
  void clear() { size_ = 0; }
  void resize(std::size_t size) {
    while (size_ < size) {
      push_back(T{});
    }
    size_ = size;
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
    Iterator(List* list, std::size_t at) : list_(list), at_(at) {}
    Value& operator*() const { return (*list_)[at_]; }
    Value* operator->() const { return &(*list_)[at_]; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++at_;
      return before;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }

   private:
    List* list_ = nullptr;
    std::size_t at_ = 0;
  };
  using iterator = Iterator<ChunkedList, T>;
  using const_iterator = Iterator<const ChunkedList, const T>;
  iterator begin() { return {this, 0}; }
  iterator end() { return {this, size_}; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size_}; }

 private:
  std::vector<T*> chunks_;
  std::size_t size_ = 0;
};
