#include "diff/DiffModel.h"

#include "annotation/CheckedSize.h"
#include "annotation/HidItems.h"
#include "annotation/ItemStateWalker.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace quorlix {
namespace {

constexpr std::uint32_t kMeaningfulFlags = 0x1FF;

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return (CheckedSize(a) + b).Value();
}

std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b)
{
    return (CheckedSize(a) * b).Value();
}

ControlAttributes AttributesOf(const ReportField& field)
{
    ControlAttributes attributes;
    attributes.flags = field.flags & kMeaningfulFlags;
    attributes.logicalMinimum = field.logicalMinimum;
    attributes.logicalMaximum = field.logicalMaximum;
    attributes.physicalMinimum = field.physicalMinimum;
    attributes.physicalMaximum = field.physicalMaximum;
    attributes.unit = field.unit.raw;
    attributes.unitExponent = field.unitExponent;
    attributes.physicalGiven = field.physicalMinimum != field.logicalMinimum ||
                               field.physicalMaximum != field.logicalMaximum;
    return attributes;
}

bool IsSequence(const ReportControl& control)
{
    return control.usageStep == 1 || control.count == 1;
}

bool IsRepeat(const ReportControl& control)
{
    return control.usageStep == 0 || control.count == 1;
}

bool Continues(const ReportControl& before, const ReportControl& next)
{
    return SaturatingAdd(before.bitOffset, before.BitLength()) == next.bitOffset;
}

// Joins next into the last control when together they read as one run.
bool TryJoin(std::vector<ReportControl>& controls, const ReportControl& next)
{
    if (controls.empty()) {
        return false;
    }
    ReportControl& last = controls.back();
    if (last.kind != next.kind || !Continues(last, next)) {
        return false;
    }
    if (next.kind == ControlKind::Padding) {
        last.count = SaturatingAdd(last.count, next.count);
        return true;
    }
    if (next.kind != ControlKind::Variable || last.bitSize != next.bitSize ||
        !(last.attributes == next.attributes)) {
        return false;
    }
    if (IsSequence(last) && IsSequence(next) &&
        std::uint64_t{ last.firstUsage } + last.count == next.firstUsage) {
        last.usageStep = 1;
    } else if (IsRepeat(last) && IsRepeat(next) && last.firstUsage == next.firstUsage) {
        last.usageStep = 0;
    } else {
        return false;
    }
    last.count = SaturatingAdd(last.count, next.count);
    return true;
}

void Add(std::vector<ReportControl>& controls, ReportControl control)
{
    if (control.count == 1) {
        control.usageStep = 1;
    }
    if (!TryJoin(controls, control)) {
        controls.push_back(std::move(control));
    }
}

// A Variable field's elements as runs: each usage run of its list, then the elements past the
// list's end, which repeat its last usage.
void AddVariable(std::vector<ReportControl>& controls, const ReportField& field)
{
    ReportControl piece;
    piece.kind = ControlKind::Variable;
    piece.bitSize = field.bitSize;
    piece.attributes = AttributesOf(field);
    piece.itemOffset = field.itemOffset;
    const auto addPiece = [&](std::uint32_t first, std::uint32_t step, std::uint64_t start,
                              std::uint64_t count) {
        piece.firstUsage = first;
        piece.usageStep = step;
        piece.bitOffset = SaturatingAdd(field.bitOffset, SaturatingMultiply(start, field.bitSize));
        piece.count = count;
        Add(controls, piece);
    };
    const std::uint64_t count = field.count;
    for (std::size_t i = 0; i < field.usages.size(); ++i) {
        const std::uint64_t start = field.usages[i].firstIndex;
        const std::uint64_t end = std::min<std::uint64_t>(
            i + 1 < field.usages.size() ? field.usages[i + 1].firstIndex : field.usageCount, count);
        if (start >= end) {
            break;
        }
        addPiece(field.usages[i].firstUsage, 1, start, end - start);
    }
    if (field.usageCount < count) {
        addPiece(ElementUsage(field, field.usageCount), 0, field.usageCount,
                 count - field.usageCount);
    }
}

void AddArray(std::vector<ReportControl>& controls, const ReportField& field)
{
    ReportControl control;
    control.kind = ControlKind::Array;
    control.bitOffset = field.bitOffset;
    control.bitSize = field.bitSize;
    control.count = field.count;
    control.attributes = AttributesOf(field);
    control.itemOffset = field.itemOffset;
    control.usageCount = field.usageCount;
    for (std::size_t i = 0; i < field.usages.size(); ++i) {
        const UsageRun& run = field.usages[i];
        if (!control.usages.empty()) {
            const UsageRun& last = control.usages.back();
            if (std::uint64_t{ last.firstUsage } + (run.firstIndex - last.firstIndex) ==
                run.firstUsage) {
                continue; // the run goes on where the last one stopped
            }
        }
        control.usages.push_back(run);
    }
    control.firstUsage = control.usages.empty() ? 0 : control.usages.front().firstUsage;
    controls.push_back(std::move(control));
}

ControlReport DescribeReport(const Report& report)
{
    ControlReport described;
    described.type = report.type;
    described.reportId = report.reportId;
    described.bitLength = report.bitLength;
    described.byteLength = report.byteLength;
    for (const ReportField& field : report.fields) {
        if (field.BitLength() == 0) {
            continue;
        }
        if (field.IsConstant() && field.usageCount == 0) {
            ReportControl padding;
            padding.kind = ControlKind::Padding;
            padding.bitOffset = field.bitOffset;
            padding.bitSize = 1;
            padding.count = field.BitLength();
            padding.itemOffset = field.itemOffset;
            Add(described.controls, padding);
        } else if (field.IsVariable()) {
            AddVariable(described.controls, field);
        } else {
            AddArray(described.controls, field);
        }
    }
    return described;
}

std::uint64_t PathKey(std::uint64_t parentKey, std::uint8_t kind, std::uint32_t usage)
{
    // FNV-1a over the parent's key, the kind and the usage.
    std::uint64_t key = 0xCBF29CE484222325ull ^ parentKey;
    const std::uint64_t parts[] = { kind, usage };
    for (const std::uint64_t part : parts) {
        for (unsigned shift = 0; shift < 64; shift += 8) {
            key = (key ^ ((part >> shift) & 0xFF)) * 0x100000001B3ull;
        }
    }
    return key;
}

// The collections in the order of their items, each with its kind, the usage the walker gives
// it and a key of its path from the top level.
void DescribeCollections(std::span<const std::uint8_t> descriptor, DiffModel& model)
{
    ItemStateWalker walker;
    std::vector<std::uint64_t> pathKeys; // of the collections open, the innermost last
    WalkItems(descriptor, walker, [&](const DecodedItem& item, const ItemStateWalker& state) {
        if (IsItem(item, MainTag::EndCollection)) {
            if (!pathKeys.empty()) {
                pathKeys.pop_back();
            }
            return;
        }
        if (!IsItem(item, MainTag::Collection)) {
            return;
        }
        ControlCollection collection;
        collection.kind = static_cast<std::uint8_t>(item.value);
        collection.usage = state.FirstUsage();
        collection.pathKey =
            PathKey(pathKeys.empty() ? 0 : pathKeys.back(), collection.kind, collection.usage);
        collection.depth = pathKeys.size() + 1;
        collection.itemOffset = item.offset;
        pathKeys.push_back(collection.pathKey);
        model.collections.push_back(collection);
    });
}

} // namespace

std::uint64_t ReportControl::BitLength() const
{
    return SaturatingMultiply(bitSize, count);
}

DiffModel BuildDiffModel(std::span<const std::uint8_t> descriptor)
{
    DiffModel model;
    const ReportModel reports = BuildReportModel(descriptor);
    model.boundReached = reports.boundReached || reports.sizesSaturated;
    for (const Report& report : reports.reports) {
        model.reports.push_back(DescribeReport(report));
    }
    std::sort(model.reports.begin(), model.reports.end(),
              [](const ControlReport& a, const ControlReport& b) {
                  return std::tuple(a.type, a.reportId) < std::tuple(b.type, b.reportId);
              });
    DescribeCollections(descriptor, model);
    return model;
}

} // namespace quorlix
