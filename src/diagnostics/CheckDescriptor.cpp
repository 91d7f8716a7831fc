#include "diagnostics/CheckDescriptor.h"

#include "annotation/HidItems.h"
#include "diagnostics/FindingTexts.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quorlix {
namespace {

template <typename Tag>
constexpr unsigned Code(Tag tag)
{
    return static_cast<unsigned>(tag);
}

constexpr unsigned kMain = Code(ItemType::Main);
constexpr unsigned kGlobal = Code(ItemType::Global);
constexpr unsigned kLocal = Code(ItemType::Local);

constexpr unsigned kInput = Code(MainTag::Input);
constexpr unsigned kOutput = Code(MainTag::Output);
constexpr unsigned kCollection = Code(MainTag::Collection);
constexpr unsigned kFeature = Code(MainTag::Feature);
constexpr unsigned kEndCollection = Code(MainTag::EndCollection);

constexpr unsigned kUsagePage = Code(GlobalTag::UsagePage);
constexpr unsigned kLogicalMinimum = Code(GlobalTag::LogicalMinimum);
constexpr unsigned kLogicalMaximum = Code(GlobalTag::LogicalMaximum);
constexpr unsigned kPhysicalMinimum = Code(GlobalTag::PhysicalMinimum);
constexpr unsigned kPhysicalMaximum = Code(GlobalTag::PhysicalMaximum);
constexpr unsigned kUnitExponent = Code(GlobalTag::UnitExponent);
constexpr unsigned kReportSize = Code(GlobalTag::ReportSize);
constexpr unsigned kReportId = Code(GlobalTag::ReportId);
constexpr unsigned kReportCount = Code(GlobalTag::ReportCount);
constexpr unsigned kPush = Code(GlobalTag::Push);
constexpr unsigned kPop = Code(GlobalTag::Pop);
constexpr unsigned kGlobalSettings = kPush; // tags below Push hold a value

constexpr unsigned kUsage = Code(LocalTag::Usage);
constexpr unsigned kUsageMinimum = Code(LocalTag::UsageMinimum);
constexpr unsigned kUsageMaximum = Code(LocalTag::UsageMaximum);
constexpr unsigned kDelimiter = Code(LocalTag::Delimiter);

constexpr unsigned kApplication = Code(CollectionKind::Application);

// One item as the checks look at it: the shared decoding, with how much of it is missing.
struct DescriptorItem
{
    std::size_t offset = 0;
    std::uint8_t prefix = 0;
    unsigned type = 0;
    unsigned tag = 0;
    std::size_t dataSize = 0;
    std::uint32_t value = 0;
    std::size_t length = 0;
    std::size_t missingBytes = 0; // how many of length lie past the end
};

DescriptorItem ItemAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    const DecodedItem decoded = DecodeItem(bytes, offset);
    DescriptorItem item;
    item.offset = offset;
    item.prefix = decoded.prefix;
    item.type = Code(decoded.type);
    item.tag = decoded.tag;
    item.dataSize = decoded.dataSize;
    item.value = decoded.value;
    item.length = decoded.length;
    const std::size_t available = bytes.size() - offset;
    item.missingBytes = item.length > available ? item.length - available : 0;
    return item;
}

// The Linux kernel refuses longer descriptors.
constexpr std::size_t kLinuxDescriptorLimit = 4096;

// Bits of the per-offset record of what a global item has already been blamed for, so that a
// value used by many fields is reported once, at the item that set it.
enum : std::uint8_t
{
    kBlamedLogicalSign = 1,
    kBlamedLogicalRange = 2,
    kBlamedPhysicalSign = 4,
    kBlamedPhysicalRange = 8,
    kBlamedFieldWidth = 16,
};

// One global value in force, with the item that set it.
struct GlobalSetting
{
    std::uint32_t value = 0;
    std::uint32_t offset = 0;
    std::uint8_t dataSize = 0;
    std::uint8_t length = 0;
    bool set = false;
};

struct GlobalState
{
    std::array<GlobalSetting, kGlobalSettings> settings{};
};

// A Usage Minimum or Usage Maximum of the main item to come.
struct UsageBound
{
    bool set = false;
    std::uint32_t value = 0;
    std::uint8_t dataSize = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    std::uint32_t page = 0; // the page it names: its own for four bytes, else the one in force
    bool pageKnown = false;
};

// The local items since the last main item.
struct LocalState
{
    bool anyUsage = false;
    bool shortUsage = false; // a one- or two-byte Usage, whose page comes from Usage Page
    UsageBound minimum;
    UsageBound maximum;
    bool delimiterOpen = false;
    std::size_t delimiterOffset = 0;
    std::size_t delimiterLength = 0;
};

struct OpenCollection
{
    std::size_t offset;
    std::size_t length;
    std::uint32_t kind;
};

// A Push: the globals it saved (an index into the saved states) and where it stands.
struct SavedGlobals
{
    std::size_t state;
    std::size_t offset;
};

// Input, Output and Feature reports by type and report id, with their length in bits.
struct ReportTally
{
    std::uint64_t bits = 0;
    std::size_t lastOffset = 0; // the last main item that added to it
    std::size_t lastLength = 0;
    bool used = false;
};

std::string_view ReportTypeWord(unsigned tag)
{
    return tag == kInput ? "Input" : tag == kOutput ? "Output" : "Feature";
}

unsigned ReportSlot(unsigned tag)
{
    return tag == kInput ? 0 : tag == kOutput ? 1 : 2;
}

bool IsSignedGlobal(unsigned tag)
{
    return tag >= kLogicalMinimum && tag <= kUnitExponent;
}

// The parts one after another, in one allocation: findings may come one per byte, and a
// chain of + would grow the text several times over for each.
template <typename... Parts>
std::string Join(const Parts&... parts)
{
    const std::string_view views[] = { std::string_view(parts)... };
    std::size_t size = 0;
    for (const std::string_view view : views) {
        size += view.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string_view view : views) {
        text.append(view);
    }
    return text;
}

std::string_view Plural(std::uint64_t count)
{
    return count == 1 ? "" : "s";
}

// The findings ordered by offset, those of one offset in the order they were made. Offsets lie
// within the descriptor, so counting the findings at each offset places every finding in one
// move, in time linear in the descriptor and the findings, however many there are.
std::vector<Finding> InOffsetOrder(std::vector<Finding> findings, std::size_t descriptorSize)
{
    const auto byOffset = [](const Finding& a, const Finding& b) { return a.offset < b.offset; };
    if (std::is_sorted(findings.begin(), findings.end(), byOffset)) {
        return findings;
    }
    const auto slot = [descriptorSize](const Finding& finding) {
        return std::min(finding.offset, descriptorSize);
    };
    // starts[o + 1] counts the findings at offset o, then starts[o] is where the first goes.
    std::vector<std::size_t> starts(descriptorSize + 2, 0);
    for (const Finding& finding : findings) {
        ++starts[slot(finding) + 1];
    }
    for (std::size_t i = 1; i < starts.size(); ++i) {
        starts[i] += starts[i - 1];
    }
    std::vector<Finding> ordered(findings.size());
    for (Finding& finding : findings) {
        ordered[starts[slot(finding)]++] = std::move(finding);
    }
    return ordered;
}

class DescriptorChecker
{
public:
    DescriptorChecker(std::span<const std::uint8_t> bytes, const CheckOptions& options)
        : m_bytes(bytes), m_options(options), m_blamed(bytes.size(), 0)
    {}

    std::vector<Finding> Run()
    {
        std::size_t position = 0;
        bool tooLongSeen = false;
        while (position < m_bytes.size()) {
            const DescriptorItem item = ItemAt(m_bytes, position);
            if (!tooLongSeen && position + item.length > kLinuxDescriptorLimit) {
                tooLongSeen = true;
                ReportTooLong(item);
            }
            CheckItem(item);
            position += item.length;
        }
        Finish();
        return InOffsetOrder(std::move(m_findings), m_bytes.size());
    }

private:
    void Add(CheckId check, std::size_t offset, std::size_t length, std::string message,
             std::string fix)
    {
        if (m_options.disabled[static_cast<std::size_t>(check)]) {
            return;
        }
        m_findings.push_back(
            { CheckSeverity(check), check, offset, length, std::move(message), std::move(fix) });
    }

    void Add(CheckId check, const DescriptorItem& item, std::string message, std::string fix)
    {
        Add(check, item.offset, item.length, std::move(message), std::move(fix));
    }

    // Whether the item at offset was already blamed for what bit stands for; marks it if not.
    bool AlreadyBlamed(std::size_t offset, std::uint8_t bit)
    {
        const bool blamed = (m_blamed[offset] & bit) != 0;
        m_blamed[offset] |= bit;
        return blamed;
    }

    const GlobalSetting& Setting(unsigned tag) const { return m_globals.settings[tag]; }

    // The later of the two items that set a minimum and maximum pair, or the one that did when
    // the other never was: an unset value has no item to point at.
    static const GlobalSetting& LaterSet(const GlobalSetting& a, const GlobalSetting& b)
    {
        if (!b.set) {
            return a;
        }
        if (!a.set) {
            return b;
        }
        return a.offset > b.offset ? a : b;
    }

    static std::int64_t Signed(const GlobalSetting& setting)
    {
        return SignedItemValue(setting.value, setting.dataSize);
    }

    void ReportTooLong(const DescriptorItem& item)
    {
        Add(CheckId::DescriptorTooLong, item,
            "the descriptor is " + DecimalText(static_cast<std::int64_t>(m_bytes.size())) +
                " bytes long; the Linux kernel refuses descriptors over 4096 bytes, and this "
                "item crosses that limit",
            "keep the descriptor within 4096 bytes, for example by moving collections to "
            "another interface");
    }

    void CheckItem(const DescriptorItem& item)
    {
        if (item.missingBytes > 0) {
            ReportTruncated(item);
        }
        switch (item.type) {
        case kMain:
            CheckShorterEncoding(item);
            OnMainItem(item);
            break;
        case kGlobal:
            CheckShorterEncoding(item);
            OnGlobalItem(item);
            break;
        case kLocal:
            CheckShorterEncoding(item);
            OnLocalItem(item);
            break;
        default:
            ReportReservedItem(item);
            break;
        }
    }

    void ReportTruncated(const DescriptorItem& item)
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

    // "Logical Maximum", or "item 0x69" for a prefix HID does not name.
    static std::string ItemWords(const DescriptorItem& item)
    {
        const std::string_view name = HidItemName(item.type, item.tag);
        if (!name.empty()) {
            return std::string(name);
        }
        return "item " + HexText(item.prefix);
    }

    void ReportReservedItem(const DescriptorItem& item)
    {
        const std::string counted = DecimalText(static_cast<std::int64_t>(item.length));
        if (item.prefix == 0xFE) {
            Add(CheckId::ReservedItem, item,
                Join("long item (FE) with ",
                     DecimalText(static_cast<std::int64_t>(item.length >= 3 ? item.length - 3 : 0)),
                     " data bytes: no common host accepts long items; the item list counts ",
                     counted, " bytes for it"),
                "remove it: every HID item has a short form");
            return;
        }
        Add(CheckId::ReservedItem, item,
            Join("prefix ", HexText(item.prefix),
                 " is of the reserved item type 3; the item list counts ", counted,
                 " bytes for it"),
            "look at the items before it: a reserved prefix usually means an earlier item has "
            "the wrong size code or a byte too many or too few");
    }

    void ReportUnknownTag(const DescriptorItem& item)
    {
        std::string message;
        switch (item.type) {
        case kMain:
            message =
                Join("main item tag ", DecimalText(item.tag), " (prefix ", HexText(item.prefix),
                     ") is none of Input, Output, Feature, Collection and End Collection");
            break;
        case kGlobal:
            message = Join("global item tag ", DecimalText(item.tag), " (prefix ",
                           HexText(item.prefix), ") is reserved");
            break;
        default:
            message = Join("local item tag ", DecimalText(item.tag), " (prefix ",
                           HexText(item.prefix), ") is not defined by HID 1.11");
            break;
        }
        Add(CheckId::UnknownTag, item, std::move(message),
            "correct the prefix or remove the item; hosts skip or refuse it");
    }

    // Shorter encodings: the same number in fewer data bytes (never fewer than one, since some
    // parsers mishandle items without data). Four-byte usages carry their page and keep it.
    void CheckShorterEncoding(const DescriptorItem& item)
    {
        if (item.dataSize < 2 || item.missingBytes > 0 ||
            HidItemName(item.type, item.tag).empty()) {
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

    // ----- Global items -----

    void OnGlobalItem(const DescriptorItem& item)
    {
        if (item.tag == kPush) {
            // Pushes with no global item between them save the same state, and share it, so
            // that a run of Pushes costs no more memory than its offsets.
            if (!m_globalsSaved) {
                m_savedStates.push_back(m_globals);
                m_globalsSaved = true;
            }
            m_pushed.push_back({ m_savedStates.size() - 1, item.offset });
            return;
        }
        if (item.tag == kPop) {
            OnPop(item);
            return;
        }
        if (item.tag >= kGlobalSettings) {
            ReportUnknownTag(item);
            return;
        }
        CheckGlobalValue(item);
        m_globalsSaved = false;
        GlobalSetting& setting = m_globals.settings[item.tag];
        CheckRedundant(item, setting);
        setting = { item.value, static_cast<std::uint32_t>(item.offset),
                    static_cast<std::uint8_t>(item.dataSize),
                    static_cast<std::uint8_t>(std::min<std::size_t>(item.length, 255)), true };
    }

    void OnPop(const DescriptorItem& item)
    {
        if (m_pushed.empty()) {
            Add(CheckId::PushPop, item, "Pop with nothing pushed",
                "remove this Pop (B4) or add the Push (A4) it should undo");
            return;
        }
        const std::size_t state = m_pushed.back().state;
        m_pushed.pop_back();
        m_globals = m_savedStates[state];
        // The Pushes sharing a state stand together on the stack, so the state is still saved
        // exactly when the Push below shares it.
        m_globalsSaved = !m_pushed.empty() && m_pushed.back().state == state;
        if (!m_globalsSaved) {
            m_savedStates.pop_back();
        }
    }

    void CheckRedundant(const DescriptorItem& item, const GlobalSetting& setting)
    {
        if (!setting.set) {
            return;
        }
        const bool same = IsSignedGlobal(item.tag)
                              ? SignedItemValue(item.value, item.dataSize) == Signed(setting)
                              : item.value == setting.value;
        if (!same) {
            return;
        }
        const std::int64_t value = IsSignedGlobal(item.tag)
                                       ? SignedItemValue(item.value, item.dataSize)
                                       : static_cast<std::int64_t>(item.value);
        Add(CheckId::RedundantGlobal, item,
            Join(HidItemName(kGlobal, item.tag), " ", DecimalText(value), " is already in force"),
            Join("remove this item (", ItemBytesText(item.prefix, item.value, item.dataSize), ")"));
    }

    // Checks a global value on its own, as it is read.
    void CheckGlobalValue(const DescriptorItem& item)
    {
        switch (item.tag) {
        case kUsagePage:
            OnUsagePage(item);
            break;
        case kUnitExponent:
            CheckUnitExponent(item);
            break;
        case kReportId:
            if (item.value == 0 || item.value > 255) {
                Add(CheckId::ReportIdZero, item,
                    "Report ID " + DecimalText(item.value) +
                        (item.value == 0 ? " is reserved: it stands for a report without an id"
                                         : " does not fit the one byte a report id takes"),
                    "use an id from 1 to 255, for example 85 01");
            }
            break;
        default:
            break;
        }
    }

    void OnUsagePage(const DescriptorItem& item)
    {
        if (item.value == 0) {
            Add(CheckId::UsagePageZero, item,
                "Usage Page 0 is undefined: no usage on it means anything to a host",
                "write the page the usages belong to, for example 05 01 for Generic Desktop or "
                "06 00 FF for a vendor-defined page");
        }
        const GlobalSetting& current = Setting(kUsagePage);
        if (m_local.shortUsage && current.set && current.value != item.value) {
            Add(CheckId::UsagePageAfterUsage, item,
                "Usage Page changes from " + HexText(current.value) + " to " + HexText(item.value) +
                    " after Usages of the same main item; hosts disagree on which page those "
                    "Usages take",
                "put the Usage Page before the Usages it is for, or write those Usages in four "
                "bytes with their page");
        }
    }

    void CheckUnitExponent(const DescriptorItem& item)
    {
        const std::int64_t value = SignedItemValue(item.value, item.dataSize);
        if (value >= -8 && value <= 7) {
            return;
        }
        if (item.dataSize == 1 && value >= 8 && value <= 15) {
            const std::int64_t nibble = value - 16;
            Add(CheckId::UnitExponentRange, item,
                "Unit Exponent " + HexText(item.value) + " is " + DecimalText(nibble) +
                    " as a 4-bit exponent but " + DecimalText(value) +
                    " as a signed number; hosts differ on which they take",
                "write " + ShortestItemText(kGlobal, kUnitExponent, nibble, true) + ", which is " +
                    DecimalText(nibble) + " either way");
            return;
        }
        Add(CheckId::UnitExponentRange, item,
            "Unit Exponent " + DecimalText(value) +
                " is outside -8..7, the range a unit exponent "
                "has; hosts differ on what they make of it",
            "write the exponent as a signed byte in -8..7, for example 55 FE for -2");
    }

    // ----- Local items -----

    void OnLocalItem(const DescriptorItem& item)
    {
        switch (item.tag) {
        case kUsage:
        case kUsageMinimum:
        case kUsageMaximum:
            OnUsage(item);
            break;
        case kDelimiter:
            OnDelimiter(item);
            break;
        default:
            if (HidItemName(kLocal, item.tag).empty()) {
                ReportUnknownTag(item);
            }
            break;
        }
    }

    void OnUsage(const DescriptorItem& item)
    {
        const bool extended = item.dataSize == 4;
        const GlobalSetting& page = Setting(kUsagePage);
        if (!extended && !page.set) {
            Add(CheckId::UsagePageMissing, item,
                Join(HidItemName(kLocal, item.tag), " ", HexText(item.value),
                     " comes before any Usage Page, so its page is undefined"),
                "put a Usage Page before it (05 01 for Generic Desktop, 05 0C for Consumer, "
                "...), or write the usage in four bytes with its page");
        }
        m_local.anyUsage = true;
        if (!extended) {
            m_local.shortUsage = true;
        }
        if (item.tag == kUsage) {
            return;
        }
        UsageBound bound;
        bound.set = true;
        bound.value = extended ? (item.value & 0xFFFF) : item.value;
        bound.dataSize = static_cast<std::uint8_t>(item.dataSize);
        bound.offset = item.offset;
        bound.length = item.length;
        bound.page = extended ? item.value >> 16 : page.value;
        bound.pageKnown = extended || page.set;
        (item.tag == kUsageMinimum ? m_local.minimum : m_local.maximum) = bound;
    }

    void OnDelimiter(const DescriptorItem& item)
    {
        if (item.value == 1) {
            if (m_local.delimiterOpen) {
                Add(CheckId::DelimiterBalance, item,
                    "Delimiter set opened inside another one; sets do not nest",
                    "close the open set (A9 00) before opening this one");
                return;
            }
            m_local.delimiterOpen = true;
            m_local.delimiterOffset = item.offset;
            m_local.delimiterLength = item.length;
            return;
        }
        if (item.value == 0) {
            if (!m_local.delimiterOpen) {
                Add(CheckId::DelimiterBalance, item, "Delimiter closes a set that was never opened",
                    "remove this A9 00 or open the set with A9 01 before its usages");
            }
            m_local.delimiterOpen = false;
            return;
        }
        Add(CheckId::DelimiterBalance, item,
            "Delimiter " + DecimalText(item.value) + " neither opens (1) nor closes (0) a set",
            "write A9 01 to open a set of alternative usages and A9 00 to close it");
    }

    // ----- Main items -----

    void OnMainItem(const DescriptorItem& item)
    {
        switch (item.tag) {
        case kInput:
        case kOutput:
        case kFeature:
            OnDataItem(item);
            break;
        case kCollection:
            OnCollection(item);
            break;
        case kEndCollection:
            OnEndCollection(item);
            break;
        default:
            ReportUnknownTag(item);
            break;
        }
        CheckLocalsAtMain(item);
        m_local = LocalState{};
    }

    void OnCollection(const DescriptorItem& item)
    {
        if (!m_local.anyUsage) {
            Add(CheckId::CollectionUsageMissing, item,
                Join("Collection (", CollectionKindText(item.value), ") has no Usage before it"),
                "put a Usage before the Collection item to say what it holds");
        }
        m_open.push_back({ item.offset, item.length, item.value });
        if (item.value == kApplication) {
            ++m_openApplications;
        }
    }

    void OnEndCollection(const DescriptorItem& item)
    {
        if (m_open.empty()) {
            Add(CheckId::CollectionBalance, item, "End Collection with no collection open",
                "remove this C0, or add the Collection it was meant to close");
            return;
        }
        if (m_open.back().kind == kApplication) {
            --m_openApplications;
        }
        m_open.pop_back();
    }

    void CheckLocalsAtMain(const DescriptorItem& item)
    {
        if (!m_local.delimiterOpen && !m_local.minimum.set && !m_local.maximum.set) {
            return; // nothing below can be found without them
        }
        const std::string mainName = ItemWords(item);
        if (m_local.delimiterOpen) {
            Add(CheckId::DelimiterBalance, m_local.delimiterOffset, m_local.delimiterLength,
                "Delimiter set still open at the " + mainName + " item",
                "close the set with A9 00 before the " + mainName + " item");
        }
        const UsageBound& minimum = m_local.minimum;
        const UsageBound& maximum = m_local.maximum;
        if (minimum.set != maximum.set) {
            const UsageBound& given = minimum.set ? minimum : maximum;
            const bool isMinimum = minimum.set;
            Add(CheckId::UsageRange, given.offset, given.length,
                std::string(isMinimum ? "Usage Minimum " : "Usage Maximum ") +
                    HexText(given.value) + " has no " +
                    (isMinimum ? "Usage Maximum" : "Usage Minimum") + " before the " + mainName +
                    " item",
                std::string("add the ") +
                    (isMinimum ? "Usage Maximum (29 NN)" : "Usage Minimum (19 NN)") +
                    " that closes the range, or write a single Usage instead");
            return;
        }
        if (!minimum.set) {
            return;
        }
        if (minimum.pageKnown && maximum.pageKnown && minimum.page != maximum.page) {
            Add(CheckId::UsageRange, maximum.offset, maximum.length,
                "Usage Minimum on page " + HexText(minimum.page) + " and Usage Maximum on page " +
                    HexText(maximum.page) + " span two pages",
                "a usage range stays on one page: write both ends on the same page");
            return;
        }
        if (minimum.value > maximum.value) {
            Add(CheckId::UsageRange, maximum.offset, maximum.length,
                "Usage Minimum " + HexText(minimum.value) + " is above Usage Maximum " +
                    HexText(maximum.value),
                "swap the two values");
        }
    }

    void OnDataItem(const DescriptorItem& item)
    {
        m_anyReports = true;
        const std::string name(ReportTypeWord(item.tag));
        if (m_openApplications == 0) {
            Add(CheckId::MainOutsideCollection, item,
                name + " item with no Application collection open",
                "put it inside a Collection (Application), A1 01 ... C0, with a Usage before it");
        }
        const GlobalSetting& size = Setting(kReportSize);
        const GlobalSetting& count = Setting(kReportCount);
        // A constant field of no bits is harmless padding, so only data fields must not be empty.
        const bool constant = (item.value & 1) != 0;
        if (!size.set || (size.value == 0 && !constant)) {
            Add(CheckId::ReportSizeMissing, item,
                name +
                    (size.set ? " item with Report Size 0" : " item with no Report Size in force"),
                "put a Report Size before it, for example 75 08 for 8-bit fields");
        }
        if (!count.set || (count.value == 0 && !constant)) {
            Add(CheckId::ReportCountMissing, item,
                name + (count.set ? " item with Report Count 0"
                                  : " item with no Report Count in force"),
                "put a Report Count before it, for example 95 01 for one field");
        }
        TallyReport(item);
        if (constant) {
            return;
        }
        CheckFieldWidth(item);
        const std::int64_t logicalMaximum = CheckLogical(item);
        CheckPhysical();
        CheckFieldSize(item, logicalMaximum);
    }

    void TallyReport(const DescriptorItem& item)
    {
        const GlobalSetting& id = Setting(kReportId);
        if (id.set) {
            m_anyReportWithId = true;
        } else if (!m_reportWithoutId) {
            m_reportWithoutId = true;
            m_withoutIdOffset = item.offset;
            m_withoutIdLength = item.length;
            m_withoutIdType = item.tag;
        }
        ReportTally& tally = m_reports[ReportSlot(item.tag)][id.set ? (id.value & 0xFF) : 0];
        const std::uint64_t bits =
            static_cast<std::uint64_t>(Setting(kReportSize).value) * Setting(kReportCount).value;
        tally.bits = std::min<std::uint64_t>(tally.bits + bits, UINT64_MAX / 2);
        tally.lastOffset = item.offset;
        tally.lastLength = item.length;
        tally.used = true;
    }

    void CheckFieldWidth(const DescriptorItem& item)
    {
        const GlobalSetting& size = Setting(kReportSize);
        if (size.value <= 32 || AlreadyBlamed(size.offset, kBlamedFieldWidth)) {
            return;
        }
        (void)item;
        Add(CheckId::FieldTooWide, size.offset, size.length,
            "Report Size " + DecimalText(size.value) +
                " for a data field: hosts hand values of at most 32 bits to applications",
            "split the value into fields of at most 32 bits, or send it as bytes (Report Size 8 "
            "with a Report Count)");
    }

    // Reports the logical limits in force, once per item that set them, and gives the maximum
    // as the writer most likely meant it.
    std::int64_t CheckLogical(const DescriptorItem& item)
    {
        (void)item;
        const GlobalSetting& minimum = Setting(kLogicalMinimum);
        const GlobalSetting& maximum = Setting(kLogicalMaximum);
        const std::int64_t minimumValue = Signed(minimum);
        const std::int64_t signedMaximum = Signed(maximum);
        const bool signSlip = minimumValue >= 0 && signedMaximum < 0;
        const std::int64_t meantMaximum =
            signSlip ? static_cast<std::int64_t>(maximum.value) : signedMaximum;
        if (signSlip && !AlreadyBlamed(maximum.offset, kBlamedLogicalSign)) {
            ReportSignSlip(CheckId::LogicalSign, "Logical", maximum);
        }
        if (minimumValue > meantMaximum) {
            const GlobalSetting& later = LaterSet(minimum, maximum);
            if (!AlreadyBlamed(later.offset, kBlamedLogicalRange)) {
                Add(CheckId::LogicalRange, later.offset, later.length,
                    "Logical Minimum " + DecimalText(minimumValue) + " is above Logical Maximum " +
                        DecimalText(signedMaximum) +
                        " (both read signed, as the HID rules read them)",
                    "write a Logical Minimum at or below the Logical Maximum; values of 128 or "
                    "more need a wider item, such as 26 FF 00 for 255");
            }
        }
        return meantMaximum;
    }

    void ReportSignSlip(CheckId check, const char* kind, const GlobalSetting& maximum)
    {
        const std::string item = std::string(kind) + " Maximum";
        const std::string raw = HexText(maximum.value);
        const std::string words(DataSizeWords(maximum.dataSize));
        const std::string asSigned = DecimalText(Signed(maximum));
        const std::string meant = DecimalText(maximum.value);
        std::string message = item + " " + raw + " in " + words + " reads as " + asSigned +
                              " by the HID rules, not " + meant;
        if (check == CheckId::LogicalSign) {
            message += " (Linux reads a Logical Maximum unsigned when the Logical Minimum is not "
                       "negative and takes " +
                       meant + "; Windows reads it signed and takes " + asSigned + ")";
        } else {
            message +=
                " (hosts that read it unsigned take " + meant + ", the others " + asSigned + ")";
        }
        const std::string wider = ShortestItemText(
            kGlobal, check == CheckId::LogicalSign ? kLogicalMaximum : kPhysicalMaximum,
            static_cast<std::int64_t>(maximum.value), true);
        Add(check, maximum.offset, maximum.length, std::move(message),
            wider.empty() ? "no item holds " + meant +
                                " as a positive signed value: narrow the field or the range"
                          : "write " + wider + " for " + meant);
    }

    void CheckPhysical()
    {
        const GlobalSetting& minimum = Setting(kPhysicalMinimum);
        const GlobalSetting& maximum = Setting(kPhysicalMaximum);
        const std::int64_t minimumValue = Signed(minimum);
        const std::int64_t signedMaximum = Signed(maximum);
        const bool signSlip = minimumValue >= 0 && signedMaximum < 0;
        if (signSlip && !AlreadyBlamed(maximum.offset, kBlamedPhysicalSign)) {
            ReportSignSlip(CheckId::PhysicalSign, "Physical", maximum);
        }
        const std::int64_t meantMaximum =
            signSlip ? static_cast<std::int64_t>(maximum.value) : signedMaximum;
        // A Physical Maximum alone is common and every host pairs it with a minimum of 0; a
        // Physical Minimum alone pairs with a maximum of 0, which is never what was meant.
        if (minimum.set && !maximum.set) {
            if (minimumValue != 0 && !AlreadyBlamed(minimum.offset, kBlamedPhysicalRange)) {
                Add(CheckId::PhysicalRange, minimum.offset, minimum.length,
                    "Physical Minimum " + DecimalText(minimumValue) +
                        " is given without a Physical Maximum, which then counts as 0",
                    "give the Physical Maximum too (45 NN or 46 NN NN), or neither");
            }
            return;
        }
        if (minimumValue > meantMaximum) {
            const GlobalSetting& later = LaterSet(minimum, maximum);
            if (!AlreadyBlamed(later.offset, kBlamedPhysicalRange)) {
                Add(CheckId::PhysicalRange, later.offset, later.length,
                    "Physical Minimum " + DecimalText(minimumValue) +
                        " is above Physical Maximum " + DecimalText(signedMaximum),
                    "write a Physical Minimum at or below the Physical Maximum");
            }
        }
    }

    void CheckFieldSize(const DescriptorItem& item, std::int64_t logicalMaximum)
    {
        const std::uint32_t size = Setting(kReportSize).value;
        const std::int64_t minimum = Signed(Setting(kLogicalMinimum));
        if (size == 0 || size > 32 || minimum > logicalMaximum) {
            return;
        }
        std::int64_t low = 0;
        std::int64_t high = 0;
        if (minimum >= 0) {
            high = (std::int64_t{ 1 } << size) - 1;
        } else {
            low = -(std::int64_t{ 1 } << (size - 1));
            high = (std::int64_t{ 1 } << (size - 1)) - 1;
        }
        if (minimum >= low && logicalMaximum <= high) {
            return;
        }
        unsigned needed = 1;
        while (needed < 64) {
            const bool fits = minimum >= 0
                                  ? logicalMaximum <= (std::int64_t{ 1 } << needed) - 1
                                  : minimum >= -(std::int64_t{ 1 } << (needed - 1)) &&
                                        logicalMaximum <= (std::int64_t{ 1 } << (needed - 1)) - 1;
            if (fits) {
                break;
            }
            ++needed;
        }
        Add(CheckId::SizeTooSmall, item,
            "logical range " + DecimalText(minimum) + ".." + DecimalText(logicalMaximum) +
                " needs " + DecimalText(needed) + " bits" + (minimum < 0 ? " (signed)" : "") +
                " but Report Size is " + DecimalText(size),
            "write Report Size " + DecimalText(needed) + " (" +
                ShortestItemText(kGlobal, kReportSize, needed, false) +
                ") or narrow the logical range to what " + DecimalText(size) + " bit" +
                std::string(Plural(size)) + " hold");
    }

    // ----- End of the descriptor -----

    void Finish()
    {
        // There may be a finding for every open collection and Push: room for all at once.
        m_findings.reserve(m_findings.size() + m_open.size() + m_pushed.size() + 4);
        for (const OpenCollection& open : m_open) {
            Add(CheckId::CollectionBalance, open.offset, open.length,
                Join("Collection (", CollectionKindText(open.kind), ") opened at byte ",
                     DecimalText(static_cast<std::int64_t>(open.offset)), " is never closed"),
                "add an End Collection (C0) where its items end");
        }
        for (const SavedGlobals& pushed : m_pushed) {
            Add(CheckId::PushPop, pushed.offset, 1, "Push is never popped",
                "add a Pop (B4) after the items that need the saved globals, or remove the Push");
        }
        if (m_local.delimiterOpen) {
            Add(CheckId::DelimiterBalance, m_local.delimiterOffset, m_local.delimiterLength,
                "Delimiter set still open at the end of the descriptor",
                "close the set with A9 00 and follow it with its main item");
        }
        if (!m_anyReports && !m_bytes.empty()) {
            Add(CheckId::NoReports, 0, m_bytes.size(),
                "no Input, Output or Feature item: the descriptor defines no report",
                "add the Input, Output and Feature items of the device's reports");
        }
        if (m_anyReportWithId && m_reportWithoutId) {
            Add(CheckId::ReportIdMixed, m_withoutIdOffset, m_withoutIdLength,
                std::string(ReportTypeWord(m_withoutIdType)) +
                    " item belongs to a report without an id, while other reports carry Report "
                    "IDs",
                "give it a Report ID (85 NN) too: once one report has an id, every report "
                "needs one");
        }
        FinishReports();
    }

    void FinishReports()
    {
        for (unsigned slot = 0; slot < 3; ++slot) {
            for (unsigned id = 0; id < 256; ++id) {
                const ReportTally& tally = m_reports[slot][id];
                const unsigned spare = static_cast<unsigned>(tally.bits % 8);
                if (!tally.used || spare == 0) {
                    continue;
                }
                const unsigned tag = slot == 0 ? kInput : slot == 1 ? kOutput : kFeature;
                const unsigned padding = 8 - spare;
                const std::string mainBytes =
                    ItemBytesText(static_cast<std::uint8_t>((tag << 4) | 1), 3, 1);
                Add(CheckId::ReportNotByteAligned, tally.lastOffset, tally.lastLength,
                    std::string(ReportTypeWord(tag)) + " report " +
                        (id == 0 ? std::string("without an id") : DecimalText(id)) + " is " +
                        DecimalText(static_cast<std::int64_t>(tally.bits)) +
                        " bits long, not a whole number of bytes",
                    "add " + DecimalText(padding) + " bit" + std::string(Plural(padding)) +
                        " of constant padding at its end, for example 75 " +
                        ItemBytesText(static_cast<std::uint8_t>(padding), 0, 0) + " 95 01 " +
                        mainBytes);
            }
        }
    }

    std::span<const std::uint8_t> m_bytes;
    const CheckOptions& m_options;
    std::vector<std::uint8_t> m_blamed;
    std::vector<Finding> m_findings;

    GlobalState m_globals;
    std::vector<SavedGlobals> m_pushed;
    std::vector<GlobalState> m_savedStates;
    bool m_globalsSaved = false; // m_globals is m_savedStates.back()
    LocalState m_local;
    std::vector<OpenCollection> m_open;
    std::size_t m_openApplications = 0;

    bool m_anyReports = false;
    bool m_anyReportWithId = false;
    bool m_reportWithoutId = false;
    std::size_t m_withoutIdOffset = 0;
    std::size_t m_withoutIdLength = 0;
    unsigned m_withoutIdType = kInput;
    std::array<std::array<ReportTally, 256>, 3> m_reports{};
};

} // namespace

std::vector<Finding> CheckDescriptor(std::span<const std::uint8_t> bytes,
                                     const CheckOptions& options)
{
    return DescriptorChecker(bytes, options).Run();
}

} // namespace quorlix
