#pragma once

namespace quorlix {

// The item list's columns, in the order they are shown.
enum class ItemColumn : int
{
    Offset = 0,      // decimal
    Bytes = 1,       // prefix and data bytes, hexadecimal
    Name = 2,        // the item's name with its value
    Description = 3, // the running report position of Input, Output and Feature items
};
inline constexpr int kItemColumnCount = 4;

} // namespace quorlix
