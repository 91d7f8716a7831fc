#include "annotation/RowColumns.h"

#include "annotation/ItemTexts.h"

namespace quorlix {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

void AppendHexByte(std::u16string& text, std::uint8_t byte)
{
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0x0F]);
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
    static constexpr unsigned kDataBytes[] = { 0, 1, 2, 4 };
    const unsigned count = kDataBytes[row.prefix & 0x03u];
    text.reserve(text.size() + 2 + 3 * count);
    AppendHexByte(text, row.prefix);
    for (unsigned i = 0; i < count; ++i) {
        text.push_back(u' ');
        AppendHexByte(text, row.data[i]);
    }
}

} // namespace quorlix
