#pragma once

#include <string>

namespace quorlix {

// The path a user meant by what they typed or pasted: surrounding blanks and line ends go, a
// pair of quotes ('...' or "...") around the whole is taken off, and a file:// address becomes
// its local path with %XX escapes decoded. Anything else is given back as it is.
std::string CleanPastedPath(const std::string& text);

} // namespace quorlix
