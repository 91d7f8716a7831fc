// Checks of how each item is written: cut short, reserved, unknown, or longer than it needs.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>
#include <utility>

namespace quorlix::checks {

void DescriptorChecker::ReportTooLong(const DescriptorItem& item)
{
    Add(CheckId::DescriptorTooLong, item,
        "the descriptor is " + DecimalText(static_cast<std::int64_t>(m_bytes.size())) +
            " bytes long; the Linux kernel refuses descriptors over 4096 bytes, and this "
            "item crosses that limit",
        "keep the descriptor within 4096 bytes, for example by moving collections to "
        "another interface");
}

void DescriptorChecker::ReportTruncated(const DescriptorItem& item)
{
    const std::string missing = DecimalText(static_cast<std::int64_t>(item.missingBytes));
    const std::string name = ItemWords(item);
    Add(CheckId::TruncatedItem, item,
        name + " needs " + DecimalText(static_cast<std::int64_t>(item.length)) +
            " bytes but the descriptor ends after " +
            DecimalText(static_cast<std::int64_t>(item.length - item.missingBytes)) + "; the " +
            missing + " shown as 00 are not in it",
        "add the missing " + missing + " byte" + std::string(Plural(item.missingBytes)) +
            " or remove the item; a descriptor copied in part often ends this way");
}

void DescriptorChecker::ReportReservedItem(const DescriptorItem& item)
{
    const std::string counted = DecimalText(static_cast<std::int64_t>(item.length));
    if (item.prefix == 0xFE) {
        Add(CheckId::ReservedItem, item,
            Join("long item (FE) with ",
                 DecimalText(static_cast<std::int64_t>(item.length >= 3 ? item.length - 3 : 0)),
                 " data bytes: no common host accepts long items; the item list counts ", counted,
                 " bytes for it"),
            "remove it: every HID item has a short form");
        return;
    }
    Add(CheckId::ReservedItem, item,
        Join("prefix ", HexText(item.prefix),
             " is of the reserved item type 3; the item list counts ", counted, " bytes for it"),
        "look at the items before it: a reserved prefix usually means an earlier item has "
        "the wrong size code or a byte too many or too few");
}

void DescriptorChecker::ReportUnknownTag(const DescriptorItem& item)
{
    std::string message;
    switch (item.type) {
    case kMain:
        message = Join("main item tag ", DecimalText(item.tag), " (prefix ", HexText(item.prefix),
                       ") is none of Input, Output, Feature, Collection and End Collection");
        break;
    case kGlobal:
        message = Join("global item tag ", DecimalText(item.tag), " (prefix ", HexText(item.prefix),
                       ") is reserved");
        break;
    default:
        message = Join("local item tag ", DecimalText(item.tag), " (prefix ", HexText(item.prefix),
                       ") is not defined by HID 1.11");
        break;
    }
    Add(CheckId::UnknownTag, item, std::move(message),
        "correct the prefix or remove the item; hosts skip or refuse it");
}

// Shorter encodings: the same number in fewer data bytes (never fewer than one, since some
// parsers mishandle items without data). Four-byte usages carry their page and keep it.
void DescriptorChecker::CheckShorterEncoding(const DescriptorItem& item)
{
    if (item.dataSize < 2 || item.missingBytes > 0 || HidItemName(item.type, item.tag).empty()) {
        return;
    }
    if (item.type == kLocal && item.tag <= kUsageMaximum && item.dataSize == 4) {
        return;
    }
    if (item.type == kMain && item.tag == kEndCollection) {
        return;
    }
    const bool isSigned = item.type == kGlobal && IsSignedGlobal(item.tag);
    const std::int64_t value = isSigned ? SignedItemValue(item.value, item.dataSize)
                                        : static_cast<std::int64_t>(item.value);
    const std::size_t shortest = ShortestDataSize(value, isSigned);
    if (shortest == 0 || shortest >= item.dataSize) {
        return;
    }
    Add(CheckId::ShorterEncoding, item,
        Join(HidItemName(item.type, item.tag), " ", DecimalText(value), " fits in ",
             DataSizeWords(shortest), " instead of ", DataSizeWords(item.dataSize)),
        Join("write ", ShortestItemText(item.type, item.tag, value, isSigned)));
}

} // namespace quorlix::checks
