#pragma once

#include <cstddef>
#include <string>

namespace quorlix {

// Reads a whole regular file of at most limit bytes into bytes. Anything else (a missing file, a
// FIFO, a device node, a directory, a longer file) gives false and a lower-case reason, without
// waiting on the file: it is opened non-blocking and checked before any read.
bool ReadBoundedRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            std::string& reason);

} // namespace quorlix
