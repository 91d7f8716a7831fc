#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the SoC page (0x0011), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullSoCUsages[] = {
    { 0x0001, CA, "SocControl" },
    { 0x0002, CL, "FirmwareTransfer" },
    { 0x0003, DV, "FirmwareFileId" },
    { 0x0004, DV, "FileOffsetInBytes" },
    { 0x0005, DV, "FileTransferSizeMaxInBytes" },
    { 0x0006, DV, "FilePayload" },
    { 0x0007, DV, "FilePayloadSizeInBytes" },
    { 0x0008, DF, "FilePayloadContainsLastBytes" },
    { 0x0009, DF, "FileTransferStop" },
    { 0x000A, DF, "FileTransferTillEnd" },
};
// clang-format on

static_assert(std::size(FullSoCUsages) == 10, "the SoC page lists 10 usages");
static_assert(IsStrictlyAscending(FullSoCUsages), "SoC usage ids must ascend without repeats");

} // namespace quorlix::full_usages
