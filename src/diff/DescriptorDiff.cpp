#include "diff/DescriptorDiff.h"

#include "annotation/HidItems.h"
#include "diff/DiffModel.h"
#include "reports/ReportModel.h"
#include "support/HexDigits.h"
#include "usage_names/FullUsageNames.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace quorlix {
namespace {

// Runs of an Array field's usage list named in a value before the rest is counted.
constexpr std::size_t kNamedUsageRuns = 4;

std::string UsageText(std::uint32_t usage)
{
    const PagedUsage paged = UsageOfExtended(usage);
    return std::string(FullUsageName(paged.usagePage, paged.usageId).View());
}

std::string PageText(std::uint32_t usage)
{
    return std::string(FullUsagePageName(UsageOfExtended(usage).usagePage).View());
}

std::string Subject(const ReportControl& control)
{
    if (control.kind == ControlKind::Array) {
        if (control.usageCount == 0) {
            return "array of no usage";
        }
        return PageText(control.firstUsage) + " array";
    }
    return UsageText(control.firstUsage) + " (" + PageText(control.firstUsage) + ")";
}

std::string BitsText(std::uint64_t bits)
{
    return std::to_string(bits) + (bits == 1 ? " bit" : " bits");
}

std::string LengthText(std::uint64_t bitLength)
{
    if (bitLength % 8 == 0) {
        return std::to_string(bitLength / 8) + (bitLength == 8 ? " byte" : " bytes");
    }
    return BitsText(bitLength);
}

std::string RangeText(std::int64_t minimum, std::int64_t maximum)
{
    return std::to_string(minimum) + " to " + std::to_string(maximum);
}

std::string SizeText(const ReportControl& control)
{
    return std::to_string(control.count) + " x " + BitsText(control.bitSize);
}

std::string UnitValueText(const ControlAttributes& attributes)
{
    std::string text = UnitText(DecodeUnit(attributes.unit));
    if (text.empty()) {
        text = attributes.unit == 0 ? "none" : "0x" + [&] {
            std::string hex;
            for (int shift = 28; shift >= 0; shift -= 4) {
                hex += UpperHexDigit(attributes.unit >> shift);
            }
            return hex;
        }();
    }
    if (attributes.unitExponent != 0) {
        text += " x 10^" + std::to_string(attributes.unitExponent);
    }
    return text;
}

// The words of the flag bits that differ, as the side with the flags has them.
std::string FlagWords(std::uint32_t flags, std::uint32_t differing)
{
    static constexpr const char* kWords[9][2] = {
        { "data", "constant" },
        { "array", "variable" },
        { "absolute", "relative" },
        { "no wrap", "wrap" },
        { "linear", "non-linear" },
        { "preferred state", "no preferred state" },
        { "no null position", "null state" },
        { "non-volatile", "volatile" },
        { "bit field", "buffered bytes" },
    };
    std::string text;
    for (unsigned bit = 0; bit < 9; ++bit) {
        if ((differing >> bit & 1u) == 0) {
            continue;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += kWords[bit][flags >> bit & 1u];
    }
    return text;
}

std::string UsagesText(const ReportControl& control)
{
    if (control.kind == ControlKind::Variable) {
        if (control.count == 1) {
            return UsageText(control.firstUsage);
        }
        if (control.usageStep == 0) {
            return UsageText(control.firstUsage) + " repeated";
        }
        return UsageText(control.firstUsage) + " to " +
               UsageText(static_cast<std::uint32_t>(control.firstUsage + (control.count - 1)));
    }
    if (control.usages.empty()) {
        return "no usage";
    }
    std::string text;
    for (std::size_t i = 0; i < control.usages.size() && i < kNamedUsageRuns; ++i) {
        const std::uint32_t end =
            i + 1 < control.usages.size() ? control.usages[i + 1].firstIndex : control.usageCount;
        const UsageRun& run = control.usages[i];
        if (!text.empty()) {
            text += ", ";
        }
        text += UsageText(run.firstUsage);
        if (end - run.firstIndex > 1) {
            text += " to " + UsageText(run.firstUsage + (end - run.firstIndex - 1));
        }
    }
    if (control.usages.size() > kNamedUsageRuns) {
        text += " and " + std::to_string(control.usages.size() - kNamedUsageRuns) + " more runs";
    }
    return text;
}

bool SameUsages(const ReportControl& a, const ReportControl& b)
{
    if (a.kind != b.kind) {
        return false;
    }
    if (a.kind == ControlKind::Array) {
        return a.usageCount == b.usageCount && a.usages.size() == b.usages.size() &&
               std::equal(a.usages.begin(), a.usages.end(), b.usages.begin(),
                          [](const UsageRun& x, const UsageRun& y) {
                              return x.firstUsage == y.firstUsage && x.firstIndex == y.firstIndex;
                          });
    }
    return a.firstUsage == b.firstUsage && (a.usageStep == b.usageStep || a.count == 1);
}

class DiffBuilder
{
public:
    DiffBuilder(std::span<const std::uint8_t> oldBytes, std::span<const std::uint8_t> newBytes,
                DescriptorDiff& diff)
        : m_oldBytes(oldBytes), m_newBytes(newBytes), m_diff(diff)
    {}

    void CompareReports(const DiffModel& oldModel, const DiffModel& newModel)
    {
        std::size_t i = 0;
        std::size_t j = 0;
        const auto key = [](const ControlReport& report) {
            return std::tuple(report.type, report.reportId);
        };
        while (i < oldModel.reports.size() || j < newModel.reports.size()) {
            if (j == newModel.reports.size() ||
                (i < oldModel.reports.size() &&
                 key(oldModel.reports[i]) < key(newModel.reports[j]))) {
                WholeReport(oldModel.reports[i++], DiffChangeKind::ReportRemoved);
            } else if (i == oldModel.reports.size() ||
                       key(newModel.reports[j]) < key(oldModel.reports[i])) {
                WholeReport(newModel.reports[j++], DiffChangeKind::ReportAdded);
            } else {
                CompareReport(oldModel.reports[i++], newModel.reports[j++]);
            }
        }
    }

    void CompareCollections(const DiffModel& oldModel, const DiffModel& newModel)
    {
        // Each new collection answers the first old one of the same path not yet answered.
        std::unordered_map<std::uint64_t, std::vector<std::size_t>> unanswered;
        for (std::size_t i = oldModel.collections.size(); i-- > 0;) {
            unanswered[oldModel.collections[i].pathKey].push_back(i);
        }
        std::vector<bool> answered(oldModel.collections.size(), false);
        std::vector<const ControlCollection*> added;
        for (const ControlCollection& collection : newModel.collections) {
            const auto found = unanswered.find(collection.pathKey);
            if (found == unanswered.end() || found->second.empty()) {
                added.push_back(&collection);
                continue;
            }
            answered[found->second.back()] = true;
            found->second.pop_back();
        }
        for (std::size_t i = 0; i < oldModel.collections.size(); ++i) {
            if (!answered[i]) {
                CollectionChange(oldModel.collections[i], DiffChangeKind::CollectionRemoved);
            }
        }
        for (const ControlCollection* collection : added) {
            CollectionChange(*collection, DiffChangeKind::CollectionAdded);
        }
    }

private:
    DiffItemPlace OldItem(std::size_t offset) const { return Place(m_oldBytes, offset); }
    DiffItemPlace NewItem(std::size_t offset) const { return Place(m_newBytes, offset); }

    static DiffItemPlace Place(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        if (offset >= bytes.size()) {
            return {};
        }
        const DecodedItem item = DecodeItem(bytes, offset);
        return { offset, std::min<std::size_t>(item.length, bytes.size() - offset) };
    }

    DiffChange& Add(DiffChangeKind kind, bool compatible, const ControlReport& report)
    {
        DiffChange& change = m_diff.changes.emplace_back();
        change.kind = kind;
        change.compatible = compatible;
        change.type = report.type;
        change.reportId = report.reportId;
        return change;
    }

    void WholeReport(const ControlReport& report, DiffChangeKind kind)
    {
        const bool added = kind == DiffChangeKind::ReportAdded;
        DiffChange& change = Add(kind, added, report);
        change.subject = "report";
        (added ? change.newValue : change.oldValue) = LengthText(report.bitLength);
        const std::size_t offset = report.controls.empty() ? 0 : report.controls[0].itemOffset;
        if (!report.controls.empty()) {
            (added ? change.newItem : change.oldItem) = added ? NewItem(offset) : OldItem(offset);
        }
    }

    void CompareReport(const ControlReport& oldReport, const ControlReport& newReport)
    {
        if (oldReport.bitLength != newReport.bitLength) {
            DiffChange& change = Add(DiffChangeKind::ReportResized,
                                     newReport.bitLength > oldReport.bitLength, oldReport);
            change.subject = "report";
            change.oldValue = LengthText(oldReport.bitLength);
            change.newValue = LengthText(newReport.bitLength);
        }
        std::vector<std::size_t> oldData;
        std::vector<std::size_t> newData;
        for (std::size_t i = 0; i < oldReport.controls.size(); ++i) {
            if (oldReport.controls[i].kind != ControlKind::Padding) {
                oldData.push_back(i);
            }
        }
        for (std::size_t i = 0; i < newReport.controls.size(); ++i) {
            if (newReport.controls[i].kind != ControlKind::Padding) {
                newData.push_back(i);
            }
        }
        constexpr std::size_t kNone = static_cast<std::size_t>(-1);
        std::vector<std::size_t> partner(oldData.size(), kNone);
        std::vector<bool> taken(newData.size(), false);
        // First by usage, in order, so repeated usages pair up in the order they came.
        std::unordered_map<std::uint32_t, std::vector<std::size_t>> byUsage;
        for (std::size_t k = newData.size(); k-- > 0;) {
            byUsage[newReport.controls[newData[k]].firstUsage].push_back(k);
        }
        for (std::size_t k = 0; k < oldData.size(); ++k) {
            const auto found = byUsage.find(oldReport.controls[oldData[k]].firstUsage);
            if (found != byUsage.end() && !found->second.empty()) {
                partner[k] = found->second.back();
                taken[partner[k]] = true;
                found->second.pop_back();
            }
        }
        // Then what is left by position: the same bits with other usages.
        std::unordered_map<std::uint64_t, std::size_t> byOffset;
        for (std::size_t k = newData.size(); k-- > 0;) {
            if (!taken[k]) {
                byOffset[newReport.controls[newData[k]].bitOffset] = k;
            }
        }
        for (std::size_t k = 0; k < oldData.size(); ++k) {
            if (partner[k] != kNone) {
                continue;
            }
            const auto found = byOffset.find(oldReport.controls[oldData[k]].bitOffset);
            if (found != byOffset.end() && !taken[found->second]) {
                partner[k] = found->second;
                taken[partner[k]] = true;
            }
        }
        for (std::size_t k = 0; k < oldData.size(); ++k) {
            const ReportControl& control = oldReport.controls[oldData[k]];
            if (partner[k] == kNone) {
                DiffChange& change = Add(DiffChangeKind::FieldRemoved, false, oldReport);
                change.subject = Subject(control);
                change.oldValue =
                    "bit " + std::to_string(control.bitOffset) + ", " + SizeText(control);
                change.oldItem = OldItem(control.itemOffset);
                continue;
            }
            CompareControls(oldReport, control, newReport.controls[newData[partner[k]]]);
        }
        for (std::size_t k = 0; k < newData.size(); ++k) {
            if (taken[k]) {
                continue;
            }
            const ReportControl& control = newReport.controls[newData[k]];
            DiffChange& change = Add(DiffChangeKind::FieldAdded, true, oldReport);
            change.subject = Subject(control);
            change.newValue = "bit " + std::to_string(control.bitOffset) + ", " + SizeText(control);
            change.newItem = NewItem(control.itemOffset);
        }
    }

    void CompareControls(const ControlReport& report, const ReportControl& a,
                         const ReportControl& b)
    {
        const auto add = [&](DiffChangeKind kind, bool compatible, std::string oldValue,
                             std::string newValue) {
            DiffChange& change = Add(kind, compatible, report);
            change.subject = Subject(a);
            change.oldValue = std::move(oldValue);
            change.newValue = std::move(newValue);
            change.oldItem = OldItem(a.itemOffset);
            change.newItem = NewItem(b.itemOffset);
        };
        if (a.bitOffset != b.bitOffset) {
            add(DiffChangeKind::FieldMoved, false, "bit " + std::to_string(a.bitOffset),
                "bit " + std::to_string(b.bitOffset));
        }
        if (a.bitSize != b.bitSize || a.count != b.count) {
            // More elements of a Variable run after the old ones leave the old ones as they were.
            const bool grows = a.kind == ControlKind::Variable && b.kind == a.kind &&
                               a.bitOffset == b.bitOffset && a.bitSize == b.bitSize &&
                               b.count > a.count && SameUsages(a, b) &&
                               a.attributes == b.attributes;
            add(DiffChangeKind::FieldResized, grows, SizeText(a), SizeText(b));
        }
        const ControlAttributes& x = a.attributes;
        const ControlAttributes& y = b.attributes;
        if (x.logicalMinimum != y.logicalMinimum || x.logicalMaximum != y.logicalMaximum) {
            add(DiffChangeKind::LogicalRangeChanged, false,
                RangeText(x.logicalMinimum, x.logicalMaximum),
                RangeText(y.logicalMinimum, y.logicalMaximum));
        }
        // Without physical limits the physical values are the logical ones: a logical change
        // alone is not said twice.
        const bool physicalGiven = x.physicalGiven || y.physicalGiven;
        if (physicalGiven &&
            (x.physicalMinimum != y.physicalMinimum || x.physicalMaximum != y.physicalMaximum)) {
            add(DiffChangeKind::PhysicalRangeChanged, false,
                RangeText(x.physicalMinimum, x.physicalMaximum),
                RangeText(y.physicalMinimum, y.physicalMaximum));
        }
        if (x.unit != y.unit || x.unitExponent != y.unitExponent) {
            add(DiffChangeKind::UnitChanged, false, UnitValueText(x), UnitValueText(y));
        }
        if (x.flags != y.flags) {
            const std::uint32_t differing = x.flags ^ y.flags;
            add(DiffChangeKind::FlagsChanged, false, FlagWords(x.flags, differing),
                FlagWords(y.flags, differing));
        }
        if (!SameUsages(a, b)) {
            add(DiffChangeKind::UsagesChanged, false, UsagesText(a), UsagesText(b));
        }
    }

    void CollectionChange(const ControlCollection& collection, DiffChangeKind kind)
    {
        static constexpr const char* kKinds[] = { "Physical",      "Application", "Logical",
                                                  "Report",        "Named Array", "Usage Switch",
                                                  "Usage Modifier" };
        const bool added = kind == DiffChangeKind::CollectionAdded;
        DiffChange& change = m_diff.changes.emplace_back();
        change.kind = kind;
        change.compatible = added;
        change.aboutReport = false;
        const std::string kindText =
            collection.kind < std::size(kKinds)
                ? std::string(kKinds[collection.kind])
                : (collection.kind >= 0x80 ? "vendor-defined" : "reserved") + std::string(" (") +
                      std::to_string(collection.kind) + ")";
        change.subject = kindText + " collection " + UsageText(collection.usage) + " (" +
                         PageText(collection.usage) + ")";
        (added ? change.newValue : change.oldValue) = "depth " + std::to_string(collection.depth);
        (added ? change.newItem : change.oldItem) =
            added ? NewItem(collection.itemOffset) : OldItem(collection.itemOffset);
    }

    std::span<const std::uint8_t> m_oldBytes;
    std::span<const std::uint8_t> m_newBytes;
    DescriptorDiff& m_diff;
};

void DecideVerdict(DescriptorDiff& diff)
{
    if (diff.changes.empty()) {
        diff.verdict = DiffVerdict::Equivalent;
        diff.reason = diff.hunks.empty()
                          ? "the same bytes"
                          : "the bytes differ in " + std::to_string(diff.hunks.size()) +
                                (diff.hunks.size() == 1 ? " place" : " places") +
                                ", the meaning does not";
        return;
    }
    const auto breaking = std::find_if(diff.changes.begin(), diff.changes.end(),
                                       [](const DiffChange& change) { return !change.compatible; });
    if (breaking == diff.changes.end()) {
        diff.verdict = DiffVerdict::Compatible;
        diff.reason = "only additions, such as " + DiffChangeLine(diff.changes.front());
        return;
    }
    diff.verdict = DiffVerdict::Incompatible;
    diff.reason = DiffChangeLine(*breaking);
}

} // namespace

DescriptorDiff DiffDescriptors(std::span<const std::uint8_t> oldBytes,
                               std::span<const std::uint8_t> newBytes)
{
    DescriptorDiff diff;
    diff.oldItems = SplitItems(oldBytes);
    diff.newItems = SplitItems(newBytes);
    diff.hunks = AlignItems(oldBytes, diff.oldItems, newBytes, diff.newItems);
    const DiffModel oldModel = BuildDiffModel(oldBytes);
    const DiffModel newModel = BuildDiffModel(newBytes);
    diff.boundReached = oldModel.boundReached || newModel.boundReached;
    DiffBuilder builder(oldBytes, newBytes, diff);
    builder.CompareReports(oldModel, newModel);
    builder.CompareCollections(oldModel, newModel);
    DecideVerdict(diff);
    return diff;
}

std::string_view DiffVerdictName(DiffVerdict verdict)
{
    switch (verdict) {
    case DiffVerdict::Equivalent:
        return "equivalent";
    case DiffVerdict::Compatible:
        return "compatible";
    case DiffVerdict::Incompatible:
        break;
    }
    return "incompatible";
}

std::string_view DiffChangeKindName(DiffChangeKind kind)
{
    static constexpr std::string_view kNames[] = {
        "report-added", "report-removed", "report-resized",   "field-added",        "field-removed",
        "field-moved",  "field-resized",  "logical-range",    "physical-range",     "unit",
        "flags",        "usages",         "collection-added", "collection-removed",
    };
    return kNames[static_cast<std::size_t>(kind)];
}

std::string_view DiffChangeKindText(DiffChangeKind kind)
{
    static constexpr std::string_view kTexts[] = {
        "added",
        "removed",
        "resized",
        "added",
        "removed",
        "moved",
        "resized",
        "logical range changed",
        "physical range changed",
        "unit changed",
        "flags changed",
        "usages changed",
        "added",
        "removed",
    };
    return kTexts[static_cast<std::size_t>(kind)];
}

std::string DiffReportName(const DiffChange& change)
{
    std::string name = std::string(ReportTypeName(change.type)) + " report";
    if (change.reportId != 0) {
        name += " " + std::to_string(change.reportId);
    }
    return name;
}

std::string DiffChangeLine(const DiffChange& change)
{
    std::string line = change.aboutReport ? DiffReportName(change) + ": " : std::string();
    line += change.subject + " " + std::string(DiffChangeKindText(change.kind));
    if (!change.oldValue.empty() && !change.newValue.empty()) {
        line += ": " + change.oldValue + " -> " + change.newValue;
    }
    return line;
}

} // namespace quorlix
