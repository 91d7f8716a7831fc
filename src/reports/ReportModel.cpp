#include "reports/ReportModel.h"

#include "annotation/CheckedSize.h"
#include "annotation/HidItems.h"
#include "annotation/ItemStateWalker.h"
#include "support/Bits.h"

#include <algorithm>
#include <limits>

namespace quorlix {
namespace {

// A Unit Exponent of one nibble is a signed nibble (0x0E is -2); wider values are signed
// as written.
std::int32_t DecodeUnitExponent(const WrittenValue& item)
{
    if ((item.value & ~0xFu) == 0) {
        return static_cast<std::int32_t>(SignExtend(item.value, 4));
    }
    return static_cast<std::int32_t>(item.Signed());
}

// Reads the fields off the one item walker: each Input, Output or Feature item adds one field
// to the report of its type and id, with the globals and usages in force at it.
class ModelBuilder
{
public:
    explicit ModelBuilder(ReportModel& model) : m_model(model) {}

    void Visit(const DecodedItem& item, const ItemStateWalker& walker)
    {
        if (item.type != ItemType::Main) {
            return;
        }
        switch (static_cast<MainTag>(item.tag)) {
        case MainTag::Input:
            AddField(ReportType::Input, item, walker);
            break;
        case MainTag::Output:
            AddField(ReportType::Output, item, walker);
            break;
        case MainTag::Feature:
            AddField(ReportType::Feature, item, walker);
            break;
        default:
            break;
        }
    }

    void Finish()
    {
        for (Report& report : m_model.reports) {
            const bool numbered = m_model.numbered[ReportTypeSlot(report.type)];
            const CheckedSize idBits = numbered ? 8 : 0;
            for (ReportField& field : report.fields) {
                const CheckedSize offset = CheckedSize(field.bitOffset) + idBits;
                field.bitOffset = offset.Value();
                m_model.sizesSaturated = m_model.sizesSaturated || offset.Saturated();
            }
            const CheckedSize bits = m_bits[&report - m_model.reports.data()] + idBits;
            report.bitLength = bits.Value();
            report.byteLength = bits.BitsToBytes().Value();
            report.saturated = bits.Saturated();
            m_model.sizesSaturated = m_model.sizesSaturated || bits.Saturated();
        }
    }

private:
    Report& FindOrAddReport(ReportType type, std::uint8_t reportId)
    {
        std::uint16_t& index = m_model.reportIndex[ReportTypeSlot(type)][reportId];
        if (index == 0) {
            Report report;
            report.type = type;
            report.reportId = reportId;
            m_model.reports.push_back(std::move(report));
            m_bits.emplace_back();
            index = static_cast<std::uint16_t>(m_model.reports.size());
        }
        return m_model.reports[static_cast<std::size_t>(index - 1)];
    }

    void AddField(ReportType type, const DecodedItem& item, const ItemStateWalker& walker)
    {
        const ItemGlobals& globals = walker.Globals();
        const std::uint8_t reportId = globals.ReportId();
        Report& report = FindOrAddReport(type, reportId);
        if (reportId != 0) {
            m_model.numbered[ReportTypeSlot(type)] = true;
        }
        // A report belongs to the device, not to a collection: two top-level collections that
        // use one type and id describe one report, whose fields follow one another.
        const std::uint64_t collection = walker.TopLevelNumber();
        if (report.fields.empty()) {
            report.firstCollection = collection;
        } else if (collection != report.firstCollection && !report.spansCollections) {
            report.spansCollections = true;
            report.secondCollectionOffset = item.offset;
        }
        CheckedSize& bits = m_bits[static_cast<std::size_t>(&report - m_model.reports.data())];

        ReportField field;
        field.itemOffset = item.offset;
        field.bitOffset = bits.Value(); // the id byte is added once the numbering is known
        field.bitSize = globals.ReportSize();
        field.count = globals.ReportCount();
        field.flags = item.value;
        const WrittenValue& logicalMinimum = globals[GlobalTag::LogicalMinimum];
        const WrittenValue& logicalMaximum = globals[GlobalTag::LogicalMaximum];
        field.logicalMinimum = logicalMinimum.Signed();
        field.logicalMaximum = field.logicalMinimum < 0 ? logicalMaximum.Signed()
                                                        : std::int64_t{ logicalMaximum.value };
        const WrittenValue& physicalMinimumItem = globals[GlobalTag::PhysicalMinimum];
        const WrittenValue& physicalMaximumItem = globals[GlobalTag::PhysicalMaximum];
        const std::int64_t physicalMinimum = physicalMinimumItem.Signed();
        const std::int64_t physicalMaximum = physicalMinimum < 0
                                                 ? physicalMaximumItem.Signed()
                                                 : std::int64_t{ physicalMaximumItem.value };
        const bool physicalLimits = physicalMinimum != 0 || physicalMaximum != 0;
        field.physicalMinimum = physicalLimits ? physicalMinimum : field.logicalMinimum;
        field.physicalMaximum = physicalLimits ? physicalMaximum : field.logicalMaximum;
        const std::uint32_t unit = globals[GlobalTag::Unit].value;
        field.unit = DecodeUnit(unit);
        field.unitExponent = DecodeUnitExponent(globals[GlobalTag::UnitExponent]);
        field.physicalGiven = physicalLimits || unit != 0 || field.unitExponent != 0;
        field.applicationUsage = walker.TopLevelUsage();
        FillUsages(field, walker);
        bits += CheckedSize(field.bitSize) * field.count;
        report.fields.push_back(std::move(field));
    }

    void FillUsages(ReportField& field, const ItemStateWalker& walker)
    {
        const std::vector<UsageSpan>& usages = walker.Locals().usages;
        field.usages.reserve(usages.size());
        std::uint32_t count = 0;
        for (const UsageSpan& written : usages) {
            const UsageSpan usage = walker.Completed(written);
            std::uint32_t length = (usage.last & 0xFFFFu) - (usage.first & 0xFFFFu) + 1;
            if (length > kMaxFieldUsages - count) {
                length = kMaxFieldUsages - count;
                m_model.boundReached = true;
            }
            if (length == 0) {
                break;
            }
            field.usages.push_back({ usage.first, count });
            count += length;
        }
        field.usageCount = count;
    }

    ReportModel& m_model;
    std::vector<CheckedSize> m_bits; // per report in m_model.reports, its fields so far
};

} // namespace

ReportUnit DecodeUnit(std::uint32_t raw)
{
    ReportUnit unit;
    unit.raw = raw;
    const unsigned system = raw & 0xFu;
    unit.system =
        system <= 4 || system == 15 ? static_cast<UnitSystem>(system) : UnitSystem::Reserved;
    for (unsigned i = 0; i < unit.exponents.size(); ++i) {
        const unsigned nibble = (raw >> (4 * (i + 1))) & 0xFu;
        unit.exponents[i] = static_cast<std::int8_t>(SignExtend(nibble, 4));
    }
    return unit;
}

bool ReportModel::IsNumbered(ReportType type) const
{
    return numbered[ReportTypeSlot(type)];
}

const Report* ReportModel::Find(ReportType type, std::uint8_t reportId) const
{
    const std::uint16_t index = reportIndex[ReportTypeSlot(type)][reportId];
    return index == 0 ? nullptr : &reports[index - 1u];
}

ReportModel BuildReportModel(std::span<const std::uint8_t> descriptor)
{
    ReportModel model;
    ModelBuilder builder(model);
    ItemStateWalker walker;
    WalkItems(descriptor, walker, [&](const DecodedItem& item, const ItemStateWalker& state) {
        builder.Visit(item, state);
    });
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
