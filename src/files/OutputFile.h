#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace quorlix {

// Creates or replaces the file at path and lets writeContent fill it through a buffered stream,
// byte for byte (no line end translation). Gives false, with the system's reason in error, when
// the file cannot be created, a write fails (disk full included) or the close fails; a write
// that failed is never reported as success.
bool WriteOutputFile(const std::string& path,
                     const std::function<void(std::ostream&)>& writeContent, std::string* error);

} // namespace quorlix
