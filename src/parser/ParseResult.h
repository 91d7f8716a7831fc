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

// Why a step of the parse gave nothing. A bound reached is not a failed allocation: the parse
// goes on without what the step would have added and says so beside its views, while a failed
// allocation at the start ends it.
enum class ParseError : std::uint8_t
{
    NoMemory,        // an allocation failed
    BoundReached,    // a field or size bound of the parse was reached: nothing was allocated
    NoSuchReport,    // a search found no report of that type and id
    EmptyDescriptor, // no byte to parse
};

// The result code an error ends a parse with: a bound reached counts as the allocation it
// stood in for. Users never see these codes as messages: a bound reached becomes a notice of the
// analysis, and the debug output names a failed parse by its code.
constexpr ParseResult ResultCode(ParseError error)
{
    switch (error) {
    case ParseError::NoSuchReport:
        return ParseResult::NoSuchReport;
    case ParseError::EmptyDescriptor:
        return ParseResult::EmptyDescriptor;
    case ParseError::NoMemory:
    case ParseError::BoundReached:
        break;
    }
    return ParseResult::NoMemory;
}

} // namespace quorlix
