#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace quorlix {

// Creates or replaces the file at path and lets writeContent fill it through a buffered stream,
// byte for byte (no line end translation). The content goes to a temporary file beside it,
// which takes the file's place (and keeps its permissions) only once all of it is written and
// on disk; a symbolic link is followed, and a device or FIFO is written in place. Gives false,
// with the system's reason in error, when the file cannot be created, a write fails (disk full
// included) or the close fails; the old file is then untouched and no temporary file is left.
// A write that failed is never reported as success.
bool WriteOutputFile(const std::string& path,
                     const std::function<void(std::ostream&)>& writeContent, std::string* error);

} // namespace quorlix
