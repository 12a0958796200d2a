// The places along one axis (see packed_rect.h) where boxes start or end, walked in order: the
// skeleton of the ways that sweep a block. The boxes are put in order by a counting sort, or by
// a comparison sort when they are few against the axis's length.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "eval/coverage/packed_rect.h"

// Below this many buckets per box a counting sort is cheaper than a comparison sort
// (`make bench WORKLOADS="fewboxes tall"`).
inline constexpr std::int64_t kBucketsPerRect = 8;

class EdgeWalk {
 public:
  // Calls `at(here, ends, starts)` for every place along `axis` (0..length) where a box starts
  // or ends, in order, with the indices of the boxes that end there and of those that start
  // there.
  template <typename Axis, typename At>
  void Walk(Axis axis, std::span<const PackedRect> boxes, int length, At at) {
    Order(
        boxes, [axis](const PackedRect& box) { return axis.Start(box); }, length, byStart_);
    Order(
        boxes, [axis](const PackedRect& box) { return axis.End(box); }, length, byEnd_);
    std::size_t start = 0;
    std::size_t end = 0;
    const std::size_t count = boxes.size();
    while (end < count) {
      const int here =
          start < count ? std::min(axis.Start(boxes[byStart_[start]]), axis.End(boxes[byEnd_[end]]))
                        : axis.End(boxes[byEnd_[end]]);
      std::size_t endsTo = end;
      while (endsTo < count && axis.End(boxes[byEnd_[endsTo]]) == here) {
        ++endsTo;
      }
      std::size_t startsTo = start;
      while (startsTo < count && axis.Start(boxes[byStart_[startsTo]]) == here) {
        ++startsTo;
      }
      at(here, std::span(byEnd_.data() + end, endsTo - end),
         std::span(byStart_.data() + start, startsTo - start));
      end = endsTo;
      start = startsTo;
    }
  }

 private:
  // The indices of the boxes in the order of `key` (values 0..limit). A template, so that the
  // key inlines into the counting loops.
  template <typename Key>
  void Order(std::span<const PackedRect> boxes, Key key, int limit,
             ScratchArray<std::uint32_t>& order) {
    const std::size_t count = boxes.size();
    order.resize(count);
    // Few boxes: a comparison sort, so that a tiny block never pays for `limit` buckets.
    if (static_cast<std::int64_t>(count) * kBucketsPerRect < limit) {
      for (std::uint32_t i = 0; i < count; ++i) {
        order[i] = i;
      }
      std::sort(order.begin(), order.end(), [boxes, key](std::uint32_t l, std::uint32_t r) {
        return key(boxes[l]) < key(boxes[r]);
      });
      return;
    }
    bucket_.assign(static_cast<std::size_t>(limit) + 2, 0);
    for (const PackedRect& box : boxes) {
      ++bucket_[static_cast<std::size_t>(key(box)) + 1];
    }
    for (std::size_t i = 1; i < bucket_.size(); ++i) {
      bucket_[i] += bucket_[i - 1];
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      order[bucket_[static_cast<std::size_t>(key(boxes[i]))]++] = i;
    }
  }

  ScratchArray<std::uint32_t> byStart_;
  ScratchArray<std::uint32_t> byEnd_;
  ScratchArray<std::uint32_t> bucket_;
};
