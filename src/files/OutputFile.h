#pragma once

#include "support/Expected.h"

#include <functional>
#include <ostream>
#include <string>

namespace quorlix {

// Why a file was not written: the system's error number.
struct WriteError
{
    int systemError = 0;
};

// The system's reason, as strerror words it ("No space left on device").
std::string WriteErrorText(const WriteError& error);

// Creates or replaces the file at path and lets writeContent fill it through a buffered stream,
// byte for byte (no line end translation). The content goes to a temporary file beside it,
// which takes the file's place (and keeps its permissions) only once all of it is written and
// on disk; a symbolic link is followed, and a device or FIFO is written in place. Gives the
// system's error when the file cannot be created, a write fails (disk full included) or the
// close fails; the old file is then untouched and no temporary file is left. A write that failed
// is never reported as success.
Expected<void, WriteError> WriteOutputFile(const std::string& path,
                                           const std::function<void(std::ostream&)>& writeContent);

} // namespace quorlix
