#pragma once

#include "support/Expected.h"

#include <cstddef>
#include <string>

namespace quorlix {

// Why a device's file was not read: a lower-case reason ("not a regular file").
struct DeviceFileError
{
    std::string reason;
};

// Reads a whole regular file of at most limit bytes. Anything else (a missing file, a FIFO, a
// device node, a directory, a longer file) gives the reason, without waiting on the file: it is
// opened non-blocking and checked before any read.
Expected<std::string, DeviceFileError> ReadBoundedRegularFile(const std::string& path,
                                                              std::size_t limit);

} // namespace quorlix
