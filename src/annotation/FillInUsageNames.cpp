#include "annotation/FillInUsageNames.h"

#include "annotation/RowUsageTracker.h"
#include "usage_names/FullUsageNames.h"
#include "usage_names/UsageNameLookup.h"

namespace quorlix {
namespace {

constexpr std::u16string_view kUsagePageItemName = u"GLOBAL_USAGE_PAGE";
constexpr std::u16string_view kUsageItemName = u"LOCAL_USAGE";

void Rename(ItemRow& row, std::u16string_view itemName, const UsageNameText& fullName)
{
    row.name.clear();
    row.name.reserve(itemName.size() + fullName.Size() + 2);
    row.name.append(itemName);
    row.name.push_back(u'(');
    AppendUtf8(row.name, fullName);
    row.name.push_back(u')');
}

// Bytes of the UTF-8 sequence that starts with lead, or 0 for a byte that cannot start one.
unsigned SequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 0;
}

} // namespace

void AppendUtf8(std::u16string& text, std::string_view utf8)
{
    // The tables' names are valid UTF-8; a stray byte would become U+FFFD rather than be lost.
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const unsigned length = SequenceLength(lead);
        if (length == 0 || i + length > utf8.size()) {
            text.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (unsigned k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
}

void AppendFilledPageName(std::u16string& text, std::uint16_t usagePage)
{
    if (HasOwnUsagePageName(usagePage)) {
        text.append(LookupUsagePageName(usagePage));
        return;
    }
    AppendUtf8(text, FullUsagePageName(usagePage));
}

void AppendFilledUsageName(std::u16string& text, std::uint16_t currentPage, std::uint32_t value,
                           bool fourBytes)
{
    if (const auto own = LookupUsageName(currentPage, value)) {
        text.append(*own);
        return;
    }
    const PagedUsage usage = UsageOfItem(currentPage, value, fourBytes);
    AppendUtf8(text, FullUsageName(usage.usagePage, usage.usageId));
}

void FillInUsageNames(std::vector<ItemRow>& rows)
{
    RowUsageTracker tracker;
    for (ItemRow& row : rows) {
        const std::uint16_t page = tracker.CurrentPage();
        const RowUsage named = tracker.Next(row);
        if (named.kind == RowUsageKind::Page && !HasOwnUsagePageName(named.usage.usagePage)) {
            Rename(row, kUsagePageItemName, FullUsagePageName(named.usage.usagePage));
        } else if (named.kind == RowUsageKind::Usage && !LookupUsageName(page, named.value)) {
            Rename(row, kUsageItemName, FullUsageName(named.usage.usagePage, named.usage.usageId));
        }
    }
}

} // namespace quorlix
