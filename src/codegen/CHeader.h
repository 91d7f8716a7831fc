#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace quorlix {

// Writes a C99 header, which compiles as C++ too, for a descriptor: the descriptor as a byte
// array with each item's text as a comment; each report's id and length, and each field's bit
// offset, size and count, as macros; and static inline functions that get and set a field's
// value in a report buffer. A Variable field is named after the usage of each run of its
// elements, an Array field after its usage page; constant padding gets no name. Gives false,
// writing nothing, for an empty descriptor or a prefix IsHeaderPrefix refuses. The output grows
// linearly with the descriptor.
bool WriteCHeader(std::ostream& out, std::span<const std::uint8_t> descriptor,
                  std::string_view prefix);

} // namespace quorlix
