#include "annotation/ItemTexts.h"

#include "support/Bits.h"
#include "usage_names/UsageNameLookup.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quorlix {
namespace {

constexpr std::array<std::u16string_view, 16> kGlobalItemNames = {
    u"GLOBAL_USAGE_PAGE",
    u"GLOBAL_LOGICAL_MINIMUM",
    u"GLOBAL_LOCAL_MAXIMUM", // the Logical Maximum item; saved files carry this name
    u"GLOBAL_PHYSICAL_MINIMUM",
    u"GLOBAL_PHYSICAL_MAXIMUM",
    u"GLOBAL_UNIT_EXPONENT",
    u"GLOBAL_REPORT_UNIT",
    u"GLOBAL_REPORT_SIZE",
    u"GLOBAL_REPORT_ID",
    u"GLOBAL_REPORT_COUNT",
    u"GLOBAL_PUSH",
    u"GLOBAL_POP",
    u"",
    u"",
    u"",
    u"",
};

constexpr std::array<std::u16string_view, 16> kLocalItemNames = {
    u"LOCAL_USAGE",
    u"LOCAL_USAGE_MINIMUM",
    u"LOCAL_USAGE_MAXIMUM",
    u"LOCAL_DESIGNATOR_INDEX",
    u"LOCAL_DESIGNATOR_MINIMUM",
    u"LOCAL_DESIGNATOR_MAXIMUM",
    u"",
    u"LOCAL_STRING_INDEX",
    u"LOCAL_STRING_MINIMUM",
    u"LOCAL_STRING_MAXIMUM",
    u"",
    u"",
    u"",
    u"",
    u"",
    u"",
};

constexpr std::array<std::u16string_view, 7> kCollectionKinds = {
    u"(Physical)",    u"(Applicatior)",  u"(Logical)",        u"(Report)",
    u"(NamedArray )", u"(Usage Switch)", u"(Usage Modifier)",
};
static_assert(kCollectionKinds.size() ==
                  static_cast<std::size_t>(CollectionKind::UsageModifier) + 1,
              "every defined collection kind has its text");
constexpr std::u16string_view kUserDefinedKind = u"(\u81EA\u5B9A\u4E49)"; // (自定义)

struct FlagWords
{
    MainItemFlag flag;
    std::u16string_view clear;
    std::u16string_view set;
};
constexpr std::array<FlagWords, 8> kFlagWords = { {
    { MainItemFlag::Constant, u"data ", u"const " },
    { MainItemFlag::Variable, u"array ", u"var " },
    { MainItemFlag::Relative, u"absolute ", u"relative " },
    { MainItemFlag::Wrap, u"NoWrap ", u"Wrap " },
    { MainItemFlag::NonLinear, u"linear ", u"no Linear " },
    { MainItemFlag::NoPreferredState, u"PreferredState ", u"NoPreferred " },
    { MainItemFlag::NullState, u"NoNullPosition ", u"NullState " },
    { MainItemFlag::Volatile, u"NonVolatile ", u"Volatile " },
} };

// The longest flag list: "(" plus the eight longest words plus ")".
constexpr std::size_t kFlagListReserve = 96;

// Room for "(", the longest value a name shows ("-32768/65535", or any 32-bit "%d"), and ")".
constexpr std::size_t kValueReserve = 24;

// Starts a name text with room for what follows it, so that building a row's text takes one
// allocation rather than one for each small append.
void StartName(std::u16string& text, std::u16string_view itemName, std::size_t more)
{
    text.clear();
    text.reserve(itemName.size() + more);
    text.append(itemName);
}

std::uint16_t DataWord(const ItemRow& row)
{
    return static_cast<std::uint16_t>(row.data[0] | (row.data[1] << 8));
}

std::uint32_t DataLong(const ItemRow& row)
{
    return static_cast<std::uint32_t>(row.data[0]) |
           (static_cast<std::uint32_t>(row.data[1]) << 8) |
           (static_cast<std::uint32_t>(row.data[2]) << 16) |
           (static_cast<std::uint32_t>(row.data[3]) << 24);
}

// The item's data bytes as a signed number of the item's own size.
std::int32_t SignedData(const ItemRow& row)
{
    return static_cast<std::int32_t>(
        SignExtend(DataLong(row), 8 * DataSizeOf(SizeCodeOf(row.prefix))));
}

// Logical Minimum reads its bytes as a signed number of the item's own size; no data gives
// empty parentheses.
void AppendLogicalMinimum(std::u16string& text, const ItemRow& row)
{
    if (SizeCodeOf(row.prefix) != SizeCode::None) {
        AppendSignedDecimal(text, SignedData(row));
    }
}

// Logical Maximum shows both readings when a one- or two-byte value has its sign bit set,
// because the item alone cannot tell whether the device meant it signed.
void AppendLogicalMaximum(std::u16string& text, const ItemRow& row)
{
    const SizeCode size = SizeCodeOf(row.prefix);
    if (size == SizeCode::None) {
        return;
    }
    const std::int32_t value = SignedData(row);
    AppendSignedDecimal(text, value);
    if (value < 0 && size != SizeCode::FourBytes) {
        text.push_back(u'/');
        AppendSignedDecimal(text, size == SizeCode::OneByte ? row.data[0] : DataWord(row));
    }
}

} // namespace

void AppendAscii(std::u16string& text, std::string_view ascii)
{
    // Widened in place: appending a range of another character type would first copy it into a
    // temporary string of its own, an allocation per call.
    const std::size_t start = text.size();
    text.resize(start + ascii.size());
    std::copy(ascii.begin(), ascii.end(), text.begin() + static_cast<std::ptrdiff_t>(start));
}

void AppendSignedDecimal(std::u16string& text, std::int32_t value)
{
    // The same digits as printf's "%d", without parsing a format for every row.
    char buffer[16];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    AppendAscii(text, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

void SetGlobalItemText(ItemRow& row, unsigned tag, std::uint32_t value)
{
    if (tag > static_cast<unsigned>(GlobalTag::Pop)) {
        return;
    }
    std::u16string& name = row.name;
    switch (static_cast<GlobalTag>(tag)) {
    case GlobalTag::UsagePage: {
        const std::u16string_view pageName =
            LookupUsagePageName(static_cast<std::uint16_t>(value & 0xFFFFu));
        StartName(name, kGlobalItemNames[tag], pageName.size() + 2);
        name.push_back(u'(');
        name.append(pageName);
        name.push_back(u')');
        return;
    }
    case GlobalTag::LogicalMinimum:
        StartName(name, kGlobalItemNames[tag], kValueReserve);
        name.push_back(u'(');
        AppendLogicalMinimum(name, row);
        name.push_back(u')');
        return;
    case GlobalTag::LogicalMaximum:
        StartName(name, kGlobalItemNames[tag], kValueReserve);
        name.push_back(u'(');
        AppendLogicalMaximum(name, row);
        name.push_back(u')');
        return;
    case GlobalTag::Push:
    case GlobalTag::Pop:
        name = kGlobalItemNames[tag];
        return; // Push and Pop show no value
    default:
        // Every other value is its unsigned bytes, printed as a signed 32-bit number.
        StartName(name, kGlobalItemNames[tag], kValueReserve);
        name.push_back(u'(');
        AppendSignedDecimal(name, static_cast<std::int32_t>(value));
        name.push_back(u')');
        return;
    }
}

void SetLocalItemText(ItemRow& row, unsigned tag, std::uint32_t value, std::uint16_t usagePage)
{
    if (tag > 15 || kLocalItemNames[tag].empty()) {
        return;
    }
    std::u16string& name = row.name;
    if (tag == static_cast<unsigned>(LocalTag::Usage)) {
        const std::optional<std::u16string_view> usageName = LookupUsageName(usagePage, value);
        StartName(name, kLocalItemNames[tag], (usageName ? usageName->size() : 0) + 2);
        name.push_back(u'(');
        if (usageName) {
            name.append(*usageName);
        }
        name.push_back(u')');
        return;
    }
    if (tag == static_cast<unsigned>(LocalTag::DesignatorIndex)) {
        name = kLocalItemNames[tag];
        return; // Designator Index shows no value
    }
    StartName(name, kLocalItemNames[tag], kValueReserve);
    name.push_back(u'(');
    AppendSignedDecimal(name, static_cast<std::int32_t>(value));
    name.push_back(u')');
}

void AppendFlagList(std::u16string& text, std::uint8_t flags)
{
    text.reserve(text.size() + kFlagListReserve);
    text.push_back(u'(');
    for (const FlagWords& words : kFlagWords) {
        text.append(HasFlag(flags, words.flag) ? words.set : words.clear);
    }
    text.push_back(u')');
}

void SetReportItemText(ItemRow& row, MainTag tag, std::uint64_t runningBits)
{
    std::u16string_view itemName = u"MAIN_INPUT";
    std::string_view label = "Input ";
    if (tag == MainTag::Output) {
        itemName = u"MAIN_OUTPUT";
        label = "Output ";
    } else if (tag == MainTag::Feature) {
        itemName = u"MAIN_FEATURE";
        label = "Feature ";
    }
    StartName(row.name, itemName, kFlagListReserve);
    AppendFlagList(row.name, row.data[0]);

    // "Input 3.0": whole bytes, a point, and the bits left over.
    std::u16string& description = row.description;
    description.clear();
    description.reserve(label.size() + kValueReserve);
    AppendAscii(description, label);
    // Counted in 64 bits: a Report Count of billions shows its bytes, not a wrapped remainder.
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, runningBits / 8u).ptr;
    AppendAscii(description, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    description.push_back(u'.');
    AppendSignedDecimal(description, static_cast<std::int32_t>(runningBits % 8u));
}

void SetCollectionText(ItemRow& row)
{
    const std::uint8_t kind = row.data[0];
    const std::u16string_view kindName =
        kind < kCollectionKinds.size() ? kCollectionKinds[kind] : kUserDefinedKind;
    StartName(row.name, u"MAIN_COLLECTION", kindName.size());
    row.name.append(kindName);
}

void SetEndCollectionText(ItemRow& row)
{
    row.name = u"MAIN_COLLECTION_END";
}

void SetUnknownMainItemText(ItemRow& row)
{
    row.name.clear();
    AppendFlagList(row.name, row.data[0]);
}

} // namespace quorlix
