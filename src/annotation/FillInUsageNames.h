#pragma once

#include "annotation/ItemRow.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// Which names the item list and the layout texts show: only the classic tables' (the
// default, whose texts never change), or the full HID Usage Tables wherever those have none.
enum class UsageNames : std::uint8_t
{
    Classic,
    Full,
};

// Appends UTF-8 text to a wide text.
void AppendUtf8(std::u16string& text, std::string_view utf8);

// The page's classic name where it has one of its own (pages 0x00 to 0x0D), else its name in
// the full tables ("Sensors", "Vendor-defined page 0xFF00").
void AppendFilledPageName(std::u16string& text, std::uint16_t usagePage);

// The classic name of a usage where it has one, tabs and blanks included, else its name in
// the full tables; a four-byte usage is named on the page in its high half.
void AppendFilledUsageName(std::u16string& text, std::uint16_t currentPage, std::uint32_t value,
                           bool fourBytes);

// Fills in the Usage Page and Usage rows whose classic names are empty or the shared
// "Reserved or Other" with the full tables' names; every other row stays as it is.
void FillInUsageNames(std::vector<ItemRow>& rows);

} // namespace quorlix
