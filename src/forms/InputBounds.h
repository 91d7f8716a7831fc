#pragma once

#include <cstddef>

namespace quorlix {

// A report descriptor is at most 65535 bytes (its length travels in a 16-bit field). Even as a
// firmware C array with a comment on every item that is a few MiB of text at most; 16 MiB is far
// above that, yet keeps one analysis bounded in time and memory when someone hands us a disk image.
inline constexpr std::size_t kMaxDescriptorTextBytes = std::size_t{ 16 } * 1024 * 1024;

// The most bytes one text may make: four times the largest descriptor a device can declare, so
// a file of several descriptors still reads. The analysis gives a row with its texts to every
// item, at least one byte each, so this bound is what keeps the rows of one analysis to a
// quarter of a million and about 100 MiB even when every item is a single byte.
inline constexpr std::size_t kMaxDescriptorBytes = std::size_t{ 256 } * 1024;

} // namespace quorlix
