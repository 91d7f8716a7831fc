#include "reports/ReportModel.h"

#include "annotation/HidItems.h"

#include <algorithm>
#include <limits>

namespace quorlix {
namespace {

// The value read as a signed number of its item's size.
std::int64_t SignedItemValue(std::uint32_t value, unsigned dataSize)
{
    switch (dataSize) {
    case 1:
        return static_cast<std::int8_t>(value);
    case 2:
        return static_cast<std::int16_t>(value);
    case 4:
        return static_cast<std::int32_t>(value);
    default:
        return 0;
    }
}

// A value as written in one item, kept until a main item reads it, since the sign of a
// maximum depends on the minimum that may come after it.
struct ItemValue
{
    std::uint32_t value = 0;
    unsigned dataSize = 0;
};

struct Globals
{
    std::uint16_t usagePage = 0;
    ItemValue logicalMinimum;
    ItemValue logicalMaximum;
    ItemValue physicalMinimum;
    ItemValue physicalMaximum;
    ItemValue unitExponent;
    std::uint32_t unit = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// A Usage item (first == last) or a Usage Minimum/Maximum pair, before the usage page is known.
struct LocalUsage
{
    std::uint32_t first;
    std::uint32_t last;
    bool hasPage; // written with four bytes: the page is in the high half
};

struct Locals
{
    std::vector<LocalUsage> usages;
    ItemValue usageMinimum;
    bool minimumSet = false;
    unsigned delimiterDepth = 0;
    unsigned delimiterSets = 0; // delimited sets closed so far; only the first one counts

    void Clear()
    {
        usages.clear();
        usageMinimum = {};
        minimumSet = false;
        delimiterDepth = 0;
        delimiterSets = 0;
    }

    bool InIgnoredAlternative() const { return delimiterSets > 0 && delimiterDepth > 0; }
};

std::uint32_t WithPage(std::uint32_t value, bool hasPage, std::uint16_t page)
{
    return hasPage ? value : (std::uint32_t{ page } << 16) | (value & 0xFFFFu);
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return a > std::numeric_limits<std::uint64_t>::max() - b
               ? std::numeric_limits<std::uint64_t>::max()
               : a + b;
}

unsigned TypeSlot(ReportType type)
{
    return type == ReportType::Input ? 0u : type == ReportType::Output ? 1u : 2u;
}

ReportUnit DecodeUnit(std::uint32_t raw)
{
    ReportUnit unit;
    unit.raw = raw;
    const unsigned system = raw & 0xFu;
    unit.system =
        system <= 4 || system == 15 ? static_cast<UnitSystem>(system) : UnitSystem::Reserved;
    for (unsigned i = 0; i < unit.exponents.size(); ++i) {
        const unsigned nibble = (raw >> (4 * (i + 1))) & 0xFu;
        unit.exponents[i] = static_cast<std::int8_t>(nibble >= 8 ? int(nibble) - 16 : int(nibble));
    }
    return unit;
}

// A Unit Exponent of one nibble is a signed nibble (0x0E is -2); wider values are signed
// as written.
std::int32_t DecodeUnitExponent(const ItemValue& item)
{
    if ((item.value & ~0xFu) == 0) {
        return item.value >= 8 ? static_cast<std::int32_t>(item.value) - 16
                               : static_cast<std::int32_t>(item.value);
    }
    return static_cast<std::int32_t>(SignedItemValue(item.value, item.dataSize));
}

class ModelBuilder
{
public:
    explicit ModelBuilder(ReportModel& model) : m_model(model) {}

    void Handle(const DecodedItem& item)
    {
        switch (item.type) {
        case ItemType::Main:
            HandleMain(item);
            break;
        case ItemType::Global:
            HandleGlobal(item);
            break;
        case ItemType::Local:
            HandleLocal(item);
            break;
        case ItemType::Long:
            break; // no long item is defined
        }
    }

    void Finish()
    {
        for (Report& report : m_model.reports) {
            const bool numbered = m_model.numbered[TypeSlot(report.type)];
            const std::uint64_t idBits = numbered ? 8 : 0;
            for (ReportField& field : report.fields) {
                field.bitOffset = SaturatingAdd(field.bitOffset, idBits);
            }
            report.byteLength =
                SaturatingAdd(report.bitLength / 8 + (report.bitLength % 8 != 0), idBits / 8);
            report.bitLength = SaturatingAdd(report.bitLength, idBits);
        }
    }

private:
    void HandleGlobal(const DecodedItem& item)
    {
        const ItemValue value{ item.value, item.dataSize };
        switch (static_cast<GlobalTag>(item.tag)) {
        case GlobalTag::UsagePage:
            m_globals.usagePage = static_cast<std::uint16_t>(item.value);
            break;
        case GlobalTag::LogicalMinimum:
            m_globals.logicalMinimum = value;
            break;
        case GlobalTag::LogicalMaximum:
            m_globals.logicalMaximum = value;
            break;
        case GlobalTag::PhysicalMinimum:
            m_globals.physicalMinimum = value;
            break;
        case GlobalTag::PhysicalMaximum:
            m_globals.physicalMaximum = value;
            break;
        case GlobalTag::UnitExponent:
            m_globals.unitExponent = value;
            break;
        case GlobalTag::Unit:
            m_globals.unit = item.value;
            break;
        case GlobalTag::ReportSize:
            m_globals.reportSize = item.value;
            break;
        case GlobalTag::ReportId:
            m_globals.reportId = static_cast<std::uint8_t>(item.value);
            break;
        case GlobalTag::ReportCount:
            m_globals.reportCount = item.value;
            break;
        case GlobalTag::Push:
            m_stack.push_back(m_globals);
            break;
        case GlobalTag::Pop:
            if (!m_stack.empty()) {
                m_globals = m_stack.back();
                m_stack.pop_back();
            }
            break;
        default:
            break;
        }
    }

    void HandleLocal(const DecodedItem& item)
    {
        const bool hasPage = item.dataSize == 4;
        switch (static_cast<LocalTag>(item.tag)) {
        case LocalTag::Usage:
            if (!m_locals.InIgnoredAlternative()) {
                m_locals.usages.push_back({ item.value, item.value, hasPage });
            }
            break;
        case LocalTag::UsageMinimum:
            m_locals.usageMinimum = { item.value, item.dataSize };
            m_locals.minimumSet = true;
            break;
        case LocalTag::UsageMaximum:
            // The range ends here; a Usage Maximum without a minimum starts at id 0.
            if (!m_locals.InIgnoredAlternative()) {
                AddRange(item);
            }
            break;
        case LocalTag::Delimiter:
            // Delimiter: 1 opens a set of alternative usages, 0 closes it. Only the first set
            // of a group is used.
            if (item.value == 1) {
                ++m_locals.delimiterDepth;
            } else if (m_locals.delimiterDepth > 0) {
                --m_locals.delimiterDepth;
                ++m_locals.delimiterSets;
            }
            break;
        default:
            break; // designators and strings do not change the reports
        }
    }

    void AddRange(const DecodedItem& maximum)
    {
        const ItemValue minimum = m_locals.usageMinimum;
        const bool minimumHasPage = minimum.dataSize == 4;
        // The range takes the minimum's page; ids run from the minimum's to the maximum's.
        const std::uint32_t first = minimum.value;
        const std::uint32_t last = minimumHasPage
                                       ? (first & 0xFFFF0000u) | (maximum.value & 0xFFFFu)
                                       : maximum.value & 0xFFFFu;
        if ((last & 0xFFFFu) < (first & 0xFFFFu)) {
            return;
        }
        m_locals.usages.push_back({ first, last, minimumHasPage });
    }

    void HandleMain(const DecodedItem& item)
    {
        switch (static_cast<MainTag>(item.tag)) {
        case MainTag::Input:
            AddField(ReportType::Input, item.value);
            break;
        case MainTag::Output:
            AddField(ReportType::Output, item.value);
            break;
        case MainTag::Feature:
            AddField(ReportType::Feature, item.value);
            break;
        case MainTag::Collection:
            if (m_depth == 0) {
                m_applicationUsage = FirstUsage();
            }
            ++m_depth;
            break;
        case MainTag::EndCollection:
            if (m_depth > 0) {
                --m_depth;
            }
            break;
        default:
            break;
        }
        m_locals.Clear();
    }

    std::uint32_t FirstUsage() const
    {
        if (m_locals.usages.empty()) {
            return m_locals.minimumSet
                       ? WithPage(m_locals.usageMinimum.value, m_locals.usageMinimum.dataSize == 4,
                                  m_globals.usagePage)
                       : 0;
        }
        const LocalUsage& usage = m_locals.usages.front();
        return WithPage(usage.first, usage.hasPage, m_globals.usagePage);
    }

    Report& FindOrAddReport(ReportType type, std::uint8_t reportId)
    {
        std::uint16_t& index = m_model.reportIndex[TypeSlot(type)][reportId];
        if (index == 0) {
            Report report;
            report.type = type;
            report.reportId = reportId;
            m_model.reports.push_back(std::move(report));
            index = static_cast<std::uint16_t>(m_model.reports.size());
        }
        return m_model.reports[static_cast<std::size_t>(index - 1)];
    }

    void AddField(ReportType type, std::uint32_t flags)
    {
        Report& report = FindOrAddReport(type, m_globals.reportId);
        if (m_globals.reportId != 0) {
            m_model.numbered[TypeSlot(type)] = true;
        }
        ReportField field;
        field.bitOffset = report.bitLength; // the id byte is added once the numbering is known
        field.bitSize = m_globals.reportSize;
        field.count = m_globals.reportCount;
        field.flags = flags;
        field.logicalMinimum =
            SignedItemValue(m_globals.logicalMinimum.value, m_globals.logicalMinimum.dataSize);
        field.logicalMaximum =
            field.logicalMinimum < 0
                ? SignedItemValue(m_globals.logicalMaximum.value, m_globals.logicalMaximum.dataSize)
                : std::int64_t{ m_globals.logicalMaximum.value };
        const std::int64_t physicalMinimum =
            SignedItemValue(m_globals.physicalMinimum.value, m_globals.physicalMinimum.dataSize);
        const std::int64_t physicalMaximum =
            physicalMinimum < 0 ? SignedItemValue(m_globals.physicalMaximum.value,
                                                  m_globals.physicalMaximum.dataSize)
                                : std::int64_t{ m_globals.physicalMaximum.value };
        const bool physicalLimits = physicalMinimum != 0 || physicalMaximum != 0;
        field.physicalMinimum = physicalLimits ? physicalMinimum : field.logicalMinimum;
        field.physicalMaximum = physicalLimits ? physicalMaximum : field.logicalMaximum;
        field.unit = DecodeUnit(m_globals.unit);
        field.unitExponent = DecodeUnitExponent(m_globals.unitExponent);
        field.physicalGiven = physicalLimits || m_globals.unit != 0 || field.unitExponent != 0;
        field.applicationUsage = m_applicationUsage;
        FillUsages(field);
        report.bitLength = SaturatingAdd(report.bitLength, field.BitLength());
        report.fields.push_back(std::move(field));
    }

    void FillUsages(ReportField& field)
    {
        field.usages.reserve(m_locals.usages.size());
        std::uint32_t count = 0;
        for (const LocalUsage& usage : m_locals.usages) {
            const std::uint32_t first = WithPage(usage.first, usage.hasPage, m_globals.usagePage);
            std::uint32_t length = (usage.last & 0xFFFFu) - (usage.first & 0xFFFFu) + 1;
            if (length > kMaxFieldUsages - count) {
                length = kMaxFieldUsages - count;
                m_model.boundReached = true;
            }
            if (length == 0) {
                break;
            }
            field.usages.push_back({ first, count });
            count += length;
        }
        field.usageCount = count;
    }

    ReportModel& m_model;
    Globals m_globals;
    std::vector<Globals> m_stack;
    Locals m_locals;
    unsigned m_depth = 0;
    std::uint32_t m_applicationUsage = 0;
};

} // namespace

bool ReportModel::IsNumbered(ReportType type) const
{
    return numbered[TypeSlot(type)];
}

const Report* ReportModel::Find(ReportType type, std::uint8_t reportId) const
{
    const std::uint16_t index = reportIndex[TypeSlot(type)][reportId];
    return index == 0 ? nullptr : &reports[index - 1u];
}

ReportModel BuildReportModel(std::span<const std::uint8_t> descriptor)
{
    ReportModel model;
    ModelBuilder builder(model);
    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const DecodedItem item = DecodeItem(descriptor, pos);
        builder.Handle(item);
        pos += item.length;
    }
    builder.Finish();
    return model;
}

std::uint32_t UsageAtIndex(const ReportField& field, std::uint32_t index)
{
    if (index >= field.usageCount || field.usages.empty()) {
        return 0;
    }
    // The last run that starts at or before index.
    const auto next =
        std::upper_bound(field.usages.begin(), field.usages.end(), index,
                         [](std::uint32_t i, const UsageRun& run) { return i < run.firstIndex; });
    const UsageRun& run = *(next - 1);
    return run.firstUsage + (index - run.firstIndex);
}

std::uint32_t ElementUsage(const ReportField& field, std::uint32_t element)
{
    if (field.usageCount == 0) {
        return 0;
    }
    return UsageAtIndex(field, std::min(element, field.usageCount - 1));
}

namespace {

constexpr const char* kBaseUnits[5][6] = {
    { "", "", "", "", "", "" },
    { "cm", "g", "s", "K", "A", "cd" },
    { "rad", "g", "s", "K", "A", "cd" },
    { "in", "slug", "s", "°F", "A", "cd" },
    { "deg", "slug", "s", "°F", "A", "cd" },
};

void AppendPower(std::string& text, const char* base, int exponent)
{
    static constexpr const char* kSuperscripts[] = { "", "", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸" };
    if (!text.empty() && text.back() != '/') {
        text += "·";
    }
    text += base;
    text += kSuperscripts[exponent];
}

} // namespace

std::string UnitText(const ReportUnit& unit)
{
    const auto system = static_cast<unsigned>(unit.system);
    if (system == 0 || system > 4) {
        return {};
    }
    std::string numerator;
    std::string denominator;
    for (unsigned i = 0; i < unit.exponents.size(); ++i) {
        const int exponent = unit.exponents[i];
        if (exponent > 0) {
            AppendPower(numerator, kBaseUnits[system][i], exponent);
        } else if (exponent < 0) {
            AppendPower(denominator, kBaseUnits[system][i], -exponent);
        }
    }
    if (denominator.empty()) {
        return numerator;
    }
    return (numerator.empty() ? std::string("1") : numerator) + "/" + denominator;
}

const char* UnitSystemName(UnitSystem system)
{
    switch (system) {
    case UnitSystem::None:
        return "none";
    case UnitSystem::SiLinear:
        return "SI linear";
    case UnitSystem::SiRotation:
        return "SI rotation";
    case UnitSystem::EnglishLinear:
        return "English linear";
    case UnitSystem::EnglishRotation:
        return "English rotation";
    case UnitSystem::Vendor:
        return "vendor";
    case UnitSystem::Reserved:
        break;
    }
    return "reserved";
}

const char* ReportTypeName(ReportType type)
{
    switch (type) {
    case ReportType::Input:
        return "input";
    case ReportType::Output:
        return "output";
    case ReportType::Feature:
        break;
    }
    return "feature";
}

} // namespace quorlix
