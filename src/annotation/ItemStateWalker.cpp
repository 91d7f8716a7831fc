#include "annotation/ItemStateWalker.h"

#include "support/Bits.h"

#include <utility>

namespace quorlix {
namespace {

std::uint32_t WithPage(std::uint32_t value, bool hasPage, std::uint16_t page)
{
    return hasPage ? value : (std::uint32_t{ page } << 16) | (value & 0xFFFFu);
}

WrittenValue ValueOf(const DecodedItem& item)
{
    WrittenValue written;
    written.value = item.value;
    written.dataSize = static_cast<std::uint8_t>(item.dataSize);
    written.offset = item.offset;
    written.length = item.length;
    written.set = true;
    return written;
}

} // namespace

std::int64_t WrittenValue::Signed() const
{
    return dataSize <= 4 ? SignExtend(value, 8u * dataSize) : 0;
}

ItemStateWalker::ItemStateWalker(ItemWalkOptions options) : m_options(options) {}

ItemEffect ItemStateWalker::Step(const DecodedItem& item)
{
    ClearPendingLocals();
    ItemEffect effect = ItemEffect::None;
    switch (item.type) {
    case ItemType::Main:
        ApplyMain(item);
        break;
    case ItemType::Global:
        ApplyGlobal(item, effect);
        break;
    case ItemType::Local:
        ApplyLocal(item, effect);
        if (m_options.listedLocals) {
            ApplyListedLocal(item);
        }
        break;
    case ItemType::Long:
        break; // no long item is defined
    }
    return effect;
}

void ItemStateWalker::FinishItems()
{
    ClearPendingLocals();
}

void ItemStateWalker::ClearPendingLocals()
{
    if (m_clearPending) {
        ClearLocals();
        m_clearPending = false;
    }
}

void ItemStateWalker::ApplyGlobal(const DecodedItem& item, ItemEffect& effect)
{
    if (item.tag < ItemGlobals::kValueTags) {
        m_globals.values[item.tag] = ValueOf(item);
        m_globalsSaved = false;
        return;
    }
    switch (static_cast<GlobalTag>(item.tag)) {
    case GlobalTag::Push:
        if (!m_globalsSaved) {
            m_saved.push_back({ m_globals, 0 });
            m_globalsSaved = true;
        }
        ++m_saved.back().pushes;
        ++m_pushDepth;
        break;
    case GlobalTag::Pop: {
        if (m_saved.empty()) {
            effect = ItemEffect::PopWithNothingSaved;
            break;
        }
        SavedGlobals& saved = m_saved.back();
        m_globals = saved.globals;
        --m_pushDepth;
        // The state stays saved exactly when a Push below shares it.
        m_globalsSaved = --saved.pushes > 0;
        if (!m_globalsSaved) {
            m_saved.pop_back();
        }
        break;
    }
    default:
        break; // reserved tags change nothing
    }
}

void ItemStateWalker::AddUsage(const UsageSpan& span)
{
    if (m_locals.delimiterOpen) {
        // A set is one control: its first usage names it, the others are other names for it.
        if (m_locals.setGaveUsage) {
            ++m_locals.alternativeUsages;
            return;
        }
        m_locals.setGaveUsage = true;
    }
    m_locals.usages.push_back(span);
}

void ItemStateWalker::NoteUsageBound(const DecodedItem& item, std::uint16_t& page,
                                     bool& pageKnown) const
{
    const bool hasPage = item.dataSize == DataSizeOf(SizeCode::FourBytes);
    pageKnown = hasPage || m_globals[GlobalTag::UsagePage].set;
    page = hasPage ? static_cast<std::uint16_t>(item.value >> 16) : m_globals.UsagePage();
}

void ItemStateWalker::ApplyLocal(const DecodedItem& item, ItemEffect& effect)
{
    const bool hasPage = item.dataSize == DataSizeOf(SizeCode::FourBytes);
    const auto tag = static_cast<LocalTag>(item.tag);
    if (tag == LocalTag::Usage || tag == LocalTag::UsageMinimum || tag == LocalTag::UsageMaximum) {
        m_locals.anyUsage = true;
        m_locals.shortUsage = m_locals.shortUsage || !hasPage;
    }
    switch (tag) {
    case LocalTag::Usage:
        AddUsage({ item.value, item.value, hasPage });
        break;
    case LocalTag::UsageMinimum:
        m_locals.usageMinimum = ValueOf(item);
        NoteUsageBound(item, m_locals.minimumPage, m_locals.minimumPageKnown);
        break;
    case LocalTag::UsageMaximum: {
        m_locals.usageMaximum = ValueOf(item);
        NoteUsageBound(item, m_locals.maximumPage, m_locals.maximumPageKnown);
        // The range takes the minimum's page; ids run from the minimum's to the maximum's, and
        // a maximum without a minimum starts at id 0. A range that runs backwards names nothing.
        const WrittenValue& minimum = m_locals.usageMinimum;
        const bool minimumHasPage = minimum.dataSize == DataSizeOf(SizeCode::FourBytes);
        const std::uint32_t first = minimum.value;
        const std::uint32_t last =
            minimumHasPage ? (first & 0xFFFF0000u) | (item.value & 0xFFFFu) : item.value & 0xFFFFu;
        if ((last & 0xFFFFu) >= (first & 0xFFFFu)) {
            AddUsage({ first, last, minimumHasPage });
        }
        break;
    }
    case LocalTag::Delimiter:
        if (item.value == 1) {
            if (m_locals.delimiterOpen) {
                effect = ItemEffect::DelimiterOpenedInsideSet;
                break;
            }
            m_locals.delimiterOpen = true;
            m_locals.delimiterOffset = item.offset;
            m_locals.delimiterLength = item.length;
            m_locals.setGaveUsage = false;
        } else if (item.value == 0) {
            if (!m_locals.delimiterOpen) {
                effect = ItemEffect::DelimiterClosedUnopened;
            }
            m_locals.delimiterOpen = false;
        } else {
            effect = ItemEffect::DelimiterOtherValue;
        }
        break;
    default:
        break; // designators and strings change no usage
    }
}

void ItemStateWalker::ApplyListedLocal(const DecodedItem& item)
{
    ListedLocals& listed = m_listed;
    const bool hasPage = item.dataSize == DataSizeOf(SizeCode::FourBytes);
    switch (static_cast<LocalTag>(item.tag)) {
    case LocalTag::Usage:
        listed.usages.push_back({ item.value, hasPage });
        break;
    case LocalTag::UsageMinimum:
        listed.usageMinimum = item.value;
        listed.minimumSet = true;
        listed.minimumHasPage = hasPage;
        break;
    case LocalTag::UsageMaximum:
        listed.usageMaximum = item.value;
        listed.maximumSet = true;
        listed.maximumHasPage = hasPage;
        break;
    case LocalTag::DesignatorIndex:
        listed.designatorIndex = item.value;
        listed.designatorIndexSet = true;
        break;
    case LocalTag::DesignatorMinimum:
        listed.designatorMinimum = item.value;
        break;
    case LocalTag::DesignatorMaximum:
        listed.designatorMaximum = item.value;
        break;
    case LocalTag::StringIndex:
        listed.stringIndex = item.value;
        listed.stringIndexSet = true;
        break;
    case LocalTag::StringMinimum:
        listed.stringMinimum = item.value;
        break;
    case LocalTag::StringMaximum:
        listed.stringMaximum = item.value;
        break;
    default:
        break; // the Delimiter and reserved tags are not read
    }
}

void ItemStateWalker::CompleteListedPages()
{
    const std::uint16_t page = m_globals.UsagePage();
    ListedLocals& listed = m_listed;
    // Usages completed by an earlier main item keep their page, so each usage is visited once:
    // a run of unknown main items, which keeps the list, stays linear in the descriptor.
    for (std::size_t i = listed.usagesWithPage; i < listed.usages.size(); ++i) {
        ListedUsage& usage = listed.usages[i];
        usage.value = WithPage(usage.value, usage.hasPage, page);
        usage.hasPage = true;
    }
    listed.usagesWithPage = listed.usages.size();
    // Only the minimum's page decides, for both ends of the range.
    if (!listed.minimumHasPage) {
        listed.usageMinimum = WithPage(listed.usageMinimum, false, page);
        listed.usageMaximum = WithPage(listed.usageMaximum, false, page);
        listed.minimumHasPage = true;
        listed.maximumHasPage = true;
    }
}

void ItemStateWalker::ApplyMain(const DecodedItem& item)
{
    if (m_options.listedLocals && !IsItem(item, MainTag::EndCollection)) {
        CompleteListedPages();
    }
    switch (static_cast<MainTag>(item.tag)) {
    case MainTag::Input:
    case MainTag::Output:
    case MainTag::Feature:
        break;
    case MainTag::Collection:
        if (m_depth == 0) {
            ++m_topLevelNumber;
            m_topLevelUsage = FirstUsage();
        }
        ++m_depth;
        break;
    case MainTag::EndCollection:
        if (m_depth > 0) {
            --m_depth;
        }
        break;
    default:
        if (m_options.unknownMainItem == UnknownMainItem::KeepsLocals) {
            return;
        }
        break;
    }
    m_clearPending = true;
}

void ItemStateWalker::ClearLocals()
{
    std::vector<UsageSpan> usages = std::move(m_locals.usages);
    usages.clear(); // keeps its storage for the next main item
    m_locals = ItemLocals{};
    m_locals.usages = std::move(usages);
    if (m_options.listedLocals) {
        std::vector<ListedUsage> listedUsages = std::move(m_listed.usages);
        listedUsages.clear();
        m_listed = ListedLocals{};
        m_listed.usages = std::move(listedUsages);
    }
}

std::uint32_t ItemStateWalker::FirstUsage() const
{
    const std::uint16_t page = m_globals.UsagePage();
    if (!m_locals.usages.empty()) {
        const UsageSpan& usage = m_locals.usages.front();
        return WithPage(usage.first, usage.hasPage, page);
    }
    const WrittenValue& minimum = m_locals.usageMinimum;
    if (!minimum.set) {
        return 0;
    }
    return WithPage(minimum.value, minimum.dataSize == DataSizeOf(SizeCode::FourBytes), page);
}

UsageSpan ItemStateWalker::Completed(const UsageSpan& span) const
{
    const std::uint16_t page = m_globals.UsagePage();
    UsageSpan completed;
    completed.first = WithPage(span.first, span.hasPage, page);
    completed.last = WithPage(span.last, span.hasPage, page);
    completed.hasPage = true;
    return completed;
}

} // namespace quorlix
