#pragma once

#include "diff/DescriptorDiff.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace quorlix {

// Writes a diff for people, in the shape of a unified diff: the two names, each run of items
// whose bytes differ with its offsets on both sides (item lines with offset, bytes and text, a
// little context around), then every change in meaning with the items it comes from, then the
// verdict and its reason. Equal bytes give the verdict line alone.
void WriteDiffText(std::ostream& out, const DescriptorDiff& diff,
                   std::span<const std::uint8_t> oldBytes, std::span<const std::uint8_t> newBytes,
                   std::string_view oldName, std::string_view newName);

} // namespace quorlix
