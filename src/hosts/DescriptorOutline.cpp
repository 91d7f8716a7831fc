#include "hosts/DescriptorOutline.h"

#include <algorithm>

namespace quorlix {
namespace {

OutlineValue Compact(const WrittenValue& written)
{
    OutlineValue value;
    value.value = written.value;
    value.offset = static_cast<std::uint32_t>(std::min<std::size_t>(written.offset, UINT32_MAX));
    value.dataSize = written.dataSize;
    value.length = static_cast<std::uint8_t>(std::min<std::size_t>(written.length, 255));
    value.set = written.set;
    return value;
}

ReportType TypeOf(unsigned tag)
{
    switch (static_cast<MainTag>(tag)) {
    case MainTag::Output:
        return ReportType::Output;
    case MainTag::Feature:
        return ReportType::Feature;
    default:
        return ReportType::Input;
    }
}

class OutlineBuilder
{
public:
    explicit OutlineBuilder(DescriptorOutline& outline) : m_outline(outline) {}

    void Visit(const DecodedItem& item, const ItemStateWalker& walker)
    {
        if (m_outline.firstItemLength == 0) {
            m_outline.firstItemLength = item.length;
        }
        if (item.type == ItemType::Global &&
            item.tag == static_cast<unsigned>(GlobalTag::ReportId)) {
            m_outline.reportIdItems.push_back({ item.offset, item.length, item.value });
            return;
        }
        if (item.type != ItemType::Main) {
            return;
        }
        switch (static_cast<MainTag>(item.tag)) {
        case MainTag::Input:
        case MainTag::Output:
        case MainTag::Feature:
            AddField(item, walker);
            break;
        case MainTag::Collection:
            Open(item, walker);
            break;
        case MainTag::EndCollection:
            Close(item);
            break;
        default:
            m_outline.unknownMainItems.push_back({ item.offset, item.length, item.value });
            break;
        }
    }

private:
    void Open(const DecodedItem& item, const ItemStateWalker& walker)
    {
        OutlineCollection collection;
        collection.offset = item.offset;
        collection.length = item.length;
        collection.kind = item.value;
        collection.usage = walker.FirstUsage();
        const std::size_t index = m_outline.collections.size();
        if (m_open.empty()) {
            collection.topLevel = index;
            collection.number = ++m_topLevels;
        } else {
            collection.parent = m_open.back();
            collection.topLevel = m_outline.collections[m_open.back()].topLevel;
        }
        m_outline.collections.push_back(collection);
        m_open.push_back(index);
    }

    void Close(const DecodedItem& item)
    {
        if (m_open.empty()) {
            m_outline.extraEndCollections.push_back({ item.offset, item.length, item.value });
            return;
        }
        m_outline.collections[m_open.back()].closed = true;
        m_open.pop_back();
    }

    void AddField(const DecodedItem& item, const ItemStateWalker& walker)
    {
        const ItemGlobals& globals = walker.Globals();
        OutlineField field;
        field.offset = item.offset;
        field.length = item.length;
        field.type = TypeOf(item.tag);
        field.flags = item.value;
        field.collection = m_open.empty() ? kNoCollection : m_open.back();
        field.numbered = globals[GlobalTag::ReportId].set;
        if (!field.numbered && !m_open.empty()) {
            m_outline.collections[m_outline.collections[m_open.back()].topLevel].unnumberedField =
                true;
        }
        field.reportId = globals.ReportId();
        field.reportSize = globals.ReportSize();
        field.reportCount = globals.ReportCount();
        const std::vector<UsageSpan>& usages = walker.Locals().usages;
        const std::size_t kept = std::min(usages.size(), kMaxOutlineSpans);
        field.usages.reserve(kept);
        for (std::size_t i = 0; i < kept; ++i) {
            field.usages.push_back(walker.Completed(usages[i]));
        }
        field.logicalMinimum = Compact(globals[GlobalTag::LogicalMinimum]);
        field.logicalMaximum = Compact(globals[GlobalTag::LogicalMaximum]);
        field.physicalMinimum = Compact(globals[GlobalTag::PhysicalMinimum]);
        field.physicalMaximum = Compact(globals[GlobalTag::PhysicalMaximum]);
        field.unitExponent = Compact(globals[GlobalTag::UnitExponent]);
        field.unit = Compact(globals[GlobalTag::Unit]);
        m_outline.fields.push_back(std::move(field));
    }

    DescriptorOutline& m_outline;
    std::vector<std::size_t> m_open;
    std::uint64_t m_topLevels = 0;
};

} // namespace

std::int64_t OutlineValue::Signed() const
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

bool OutlineField::HasUsage(std::uint32_t usage) const
{
    return std::any_of(usages.begin(), usages.end(), [usage](const UsageSpan& span) {
        return usage >= span.first && usage <= span.last;
    });
}

DescriptorOutline BuildOutline(std::span<const std::uint8_t> bytes)
{
    DescriptorOutline outline;
    OutlineBuilder builder(outline);
    ItemStateWalker walker;
    WalkItems(bytes, walker, [&builder](const DecodedItem& item, const ItemStateWalker& state) {
        builder.Visit(item, state);
    });
    outline.model = BuildReportModel(bytes);
    return outline;
}

} // namespace quorlix
