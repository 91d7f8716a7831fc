#include "annotation/RowColumns.h"

#include "annotation/HidItems.h"
#include "annotation/ItemTexts.h"
#include "support/HexDigits.h"

namespace quorlix {
namespace {

void PutHexByte(char16_t* out, std::uint8_t byte)
{
    out[0] = static_cast<char16_t>(UpperHexDigit(byte >> 4));
    out[1] = static_cast<char16_t>(UpperHexDigit(byte));
}

} // namespace

std::u16string OffsetColumnText(const ItemRow& row)
{
    std::u16string text;
    AppendOffsetColumnText(text, row);
    return text;
}

std::u16string BytesColumnText(const ItemRow& row)
{
    std::u16string text;
    AppendBytesColumnText(text, row);
    return text;
}

void AppendOffsetColumnText(std::u16string& text, const ItemRow& row)
{
    AppendSignedDecimal(text, row.offset);
}

void AppendBytesColumnText(std::u16string& text, const ItemRow& row)
{
    const unsigned count = DataSizeOf(SizeCodeOf(row.prefix));
    // Sized once and written through a pointer: a push per character would check the room
    // fourteen times for one row.
    const std::size_t start = text.size();
    text.resize(start + 2 + 3 * count);
    char16_t* out = text.data() + start;
    PutHexByte(out, row.prefix);
    for (unsigned i = 0; i < count; ++i) {
        out[2 + 3 * i] = u' ';
        PutHexByte(out + 3 + 3 * i, row.data[i]);
    }
}

} // namespace quorlix
