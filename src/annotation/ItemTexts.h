#pragma once

#include "annotation/HidItems.h"
#include "annotation/ItemRow.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorlix {

// Appends ASCII text to a wide text, one character per byte.
void AppendAscii(std::u16string& text, std::string_view ascii);

// Appends "%d" of a 32-bit value read as signed.
void AppendSignedDecimal(std::u16string& text, std::int32_t value);

// Name text of a global item (tags 0 to 11); tags 12 to 15 leave both texts empty. The Usage
// Page item is named with its page's name; the others show their value, signed where the item
// calls for it.
void SetGlobalItemText(ItemRow& row, unsigned tag, std::uint32_t value);

// Name text of a local item; usagePage is the current page, used to name a Usage item.
// Unrecognised tags (6, 10 to 15) leave both texts empty.
void SetLocalItemText(ItemRow& row, unsigned tag, std::uint32_t value, std::uint16_t usagePage);

// Name and description of an Input, Output or Feature item, given the running bit total of its
// type after this item.
void SetReportItemText(ItemRow& row, MainTag tag, std::uint64_t runningBits);

// "MAIN_COLLECTION" with the kind named by the flag byte.
void SetCollectionText(ItemRow& row);

// "MAIN_COLLECTION_END", whatever data the item carries.
void SetEndCollectionText(ItemRow& row);

// A main item of an unrecognised tag: its name is the flag list alone.
void SetUnknownMainItemText(ItemRow& row);

// Appends "(", the eight flag words of the flag byte, and ")".
void AppendFlagList(std::u16string& text, std::uint8_t flags);

} // namespace quorlix
