#pragma once

#include "annotation/ItemRow.h"

#include <string>

namespace quorlix {

// Column 0 of the item list: the offset in decimal.
std::u16string OffsetColumnText(const ItemRow& row);

// Column 1: the prefix and as many data bytes as the size code says, "05 01", upper-case hex
// separated by single blanks. Items of type 3 show zeros, since their rows hold no data bytes.
std::u16string BytesColumnText(const ItemRow& row);

// The same two texts appended to text, so that a caller going through thousands of rows can
// reuse one buffer instead of allocating a text per row.
void AppendOffsetColumnText(std::u16string& text, const ItemRow& row);
void AppendBytesColumnText(std::u16string& text, const ItemRow& row);

} // namespace quorlix
