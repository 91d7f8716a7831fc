#pragma once

#include <string>
#include <string_view>

namespace quorlix {

// UTF-8 of a UTF-16 text; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

} // namespace quorlix
