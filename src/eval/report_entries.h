// The entries of the success report, kept a few bytes each until the report is written: a
// submission of millions of tiny blocks must not need memory beyond a part of its own size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "base/chunked_list.h"

struct ReportEntry {
  int testNumber = 0;
  int rectangleCount = 0;
};

// Entries in the order they were added, each number as seven bits a byte (the high bit says
// that more bytes follow).
class ReportEntryList {
  using Bytes = ChunkedList<std::uint8_t>;

 public:
  class const_iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = ReportEntry;
    using difference_type = std::ptrdiff_t;
    using pointer = const ReportEntry*;
    using reference = ReportEntry;

    const_iterator(Bytes::const_iterator at) : at_(at), next_(at) {}
    // Decodes the entry once, for reading it and for stepping past it.
    ReportEntry operator*() const {
      if (next_ == at_) {
        entry_.testNumber = static_cast<int>(Decode(next_));
        entry_.rectangleCount = static_cast<int>(Decode(next_));
      }
      return entry_;
    }
    const_iterator& operator++() {
      if (next_ == at_) {
        **this;
      }
      at_ = next_;
      return *this;
    }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

   private:
    static std::uint32_t Decode(Bytes::const_iterator& at) {
      std::uint32_t value = 0;
      for (int shift = 0;; shift += 7) {
        const std::uint8_t byte = *at++;
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
          return value;
        }
      }
    }
    Bytes::const_iterator at_;
    mutable Bytes::const_iterator next_;  // past the entry, once decoded
    mutable ReportEntry entry_;
  };

  void push_back(const ReportEntry& entry) {
    Encode(static_cast<std::uint32_t>(entry.testNumber));
    Encode(static_cast<std::uint32_t>(entry.rectangleCount));
    ++size_;
  }
  std::size_t size() const { return size_; }
  const_iterator begin() const { return bytes_.begin(); }
  const_iterator end() const { return bytes_.end(); }

 private:
  void Encode(std::uint32_t value) {
    while (value >= 0x80) {
      bytes_.push_back(static_cast<std::uint8_t>(value | 0x80));
      value >>= 7;
    }
    bytes_.push_back(static_cast<std::uint8_t>(value));
  }

  Bytes bytes_;
  std::size_t size_ = 0;
};
