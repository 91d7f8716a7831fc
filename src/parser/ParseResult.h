#pragma once

#include <cstdint>

namespace quorlix {

// The signed 32-bit result codes of the parser's operations.
enum class ParseResult : std::int32_t
{
    Ok = 0,
    NoMemory = -1,
    NoSuchReport = -3,
    EmptyDescriptor = -4,
};

} // namespace quorlix
