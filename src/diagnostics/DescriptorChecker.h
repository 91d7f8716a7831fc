#pragma once

// The diagnostics pass's own state and helpers, shared by the files of its check families. Only
// the files of this folder include it.

#include "annotation/CheckedSize.h"
#include "annotation/HidItems.h"
#include "annotation/ItemStateWalker.h"
#include "diagnostics/CheckDescriptor.h"
#include "diagnostics/Finding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix::checks {

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
constexpr unsigned kUnit = Code(GlobalTag::Unit);
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
constexpr unsigned kPhysical = Code(CollectionKind::Physical);
constexpr unsigned kLogical = Code(CollectionKind::Logical);

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
    DecodedItem decoded;          // the same item as the item walker takes it
};

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

// One global value in force, with the item that set it, as the item walker keeps it.
using GlobalSetting = WrittenValue;

struct OpenCollection
{
    std::size_t offset;
    std::size_t length;
    std::uint32_t kind;
};

// Input, Output and Feature reports by type and report id, with their length in bits.
struct ReportTally
{
    CheckedSize bits;
    std::size_t lastOffset = 0; // the last main item that added to it
    std::size_t lastLength = 0;
    std::uint64_t firstCollection = 0; // the top-level collection of its first field
    bool used = false;
    bool sharedReported = false; // a second top-level collection's use was reported
};

inline std::string_view ReportTypeWord(unsigned tag)
{
    return tag == kInput ? "Input" : tag == kOutput ? "Output" : "Feature";
}

inline unsigned ReportSlot(unsigned tag)
{
    return tag == kInput ? 0 : tag == kOutput ? 1 : 2;
}

inline bool IsSignedGlobal(unsigned tag)
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

inline std::string_view Plural(std::uint64_t count)
{
    return count == 1 ? "" : "s";
}

// The checks' state over one pass: the item state they need, what was blamed, and the reports
// seen so far. Each family of checks has its own file; the pass itself is in CheckDescriptor.cpp.
class DescriptorChecker
{
public:
    DescriptorChecker(std::span<const std::uint8_t> bytes, const CheckOptions& options)
        : m_bytes(bytes), m_options(options), m_blamed(bytes.size(), 0)
    {}

    std::vector<Finding> Run();

private:
    // The pass: one item at a time, then what only the whole descriptor shows.
    void Add(CheckId check, std::size_t offset, std::size_t length, std::string message,
             std::string fix);
    void Add(CheckId check, const DescriptorItem& item, std::string message, std::string fix);
    // Whether the item at offset was already blamed for what bit stands for; marks it if not.
    bool AlreadyBlamed(std::size_t offset, std::uint8_t bit);
    const GlobalSetting& Setting(unsigned tag) const { return m_walker.Globals().values[tag]; }
    // The later of the two items that set a minimum and maximum pair, or the one that did when
    // the other never was: an unset value has no item to point at.
    static const GlobalSetting& LaterSet(const GlobalSetting& a, const GlobalSetting& b);
    static std::int64_t Signed(const GlobalSetting& setting) { return setting.Signed(); }
    void CheckItem(const DescriptorItem& item);
    // "Logical Maximum", or "item 0x69" for a prefix HID does not name.
    static std::string ItemWords(const DescriptorItem& item);
    void Finish();

    // How items are written (ItemEncodingChecks.cpp).
    void ReportTooLong(const DescriptorItem& item);
    void ReportTruncated(const DescriptorItem& item);
    void ReportReservedItem(const DescriptorItem& item);
    void ReportUnknownTag(const DescriptorItem& item);
    // Shorter encodings: the same number in fewer data bytes (never fewer than one, since some
    // parsers mishandle items without data). Four-byte usages carry their page and keep it.
    void CheckShorterEncoding(const DescriptorItem& item);

    // Global items, Push and Pop (GlobalItemChecks.cpp).
    void OnGlobalItem(const DescriptorItem& item);
    void OnPop(const DescriptorItem& item);
    // before is the value in force before the item.
    void CheckRedundant(const DescriptorItem& item, const GlobalSetting& before);
    // Checks a global value on its own, as it is read.
    void CheckGlobalValue(const DescriptorItem& item, const GlobalSetting& before);
    void OnUsagePage(const DescriptorItem& item, const GlobalSetting& before);
    void CheckUnitSystem(const DescriptorItem& item);
    void CheckUnitExponent(const DescriptorItem& item);

    // Usages and Delimiter sets (LocalItemChecks.cpp).
    void OnLocalItem(const DescriptorItem& item);
    void OnUsage(const DescriptorItem& item);
    void OnDelimiter(const DescriptorItem& item, ItemEffect effect);
    void CheckLocalsAtMain(const DescriptorItem& item);

    // Main items and collections (CollectionChecks.cpp).
    void OnMainItem(const DescriptorItem& item);
    void OnCollection(const DescriptorItem& item);
    void OnEndCollection(const DescriptorItem& item);

    // Input, Output and Feature fields: sizes and ranges (FieldChecks.cpp).
    void OnDataItem(const DescriptorItem& item);
    void CheckLogicalGiven(const DescriptorItem& item);
    void CheckFieldWidth(const DescriptorItem& item);
    // Reports the logical limits in force, once per item that set them, and gives the maximum
    // as the writer most likely meant it.
    std::int64_t CheckLogical(const DescriptorItem& item);
    void ReportSignSlip(CheckId check, const char* kind, const GlobalSetting& maximum);
    void CheckPhysical();
    void CheckFieldSize(const DescriptorItem& item, std::int64_t logicalMaximum);

    // Reports as a whole (ReportChecks.cpp).
    void TallyReport(const DescriptorItem& item);
    void FinishReports();

    std::span<const std::uint8_t> m_bytes;
    const CheckOptions& m_options;
    std::vector<std::uint8_t> m_blamed;
    std::vector<Finding> m_findings;

    // The item state, on the one walker. Each main item is judged by the local items since
    // the last main item, whichever it was.
    ItemStateWalker m_walker{ ItemWalkOptions{ UnknownMainItem::ClearsLocals } };
    std::vector<std::size_t> m_pushOffsets; // of the Pushes not yet popped
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

} // namespace quorlix::checks
