#include "parser/ParserState.h"

#include "annotation/HidItems.h"

namespace quorlix {
namespace {

// A four-byte usage carries its page in its high half.
bool HasOwnPage(unsigned dataSize)
{
    return dataSize == DataSizeOf(SizeCode::FourBytes);
}

void PushGlobals(const ParserCallbacks& callbacks, ParserState& state)
{
    auto* saved = static_cast<GlobalItemState*>(
        callbacks.allocate(callbacks.context, sizeof(GlobalItemState)));
    if (saved == nullptr) {
        return;
    }
    callbacks.copy(callbacks.context, saved, &state.globals, sizeof(GlobalItemState));
    state.globals.savedGlobals = saved;
}

void PopGlobals(const ParserCallbacks& callbacks, ParserState& state)
{
    GlobalItemState* saved = state.globals.savedGlobals;
    if (saved == nullptr) {
        return;
    }
    // Copying the block back also restores the link to the next older block.
    callbacks.copy(callbacks.context, &state.globals, saved, sizeof(GlobalItemState));
    callbacks.release(callbacks.context, saved);
}

// The list doubles rather than growing by a fixed step, so that a run of Usage items of any
// length costs linear time; only its storage size differs, never what it holds.
bool GrowUsageList(const ParserCallbacks& callbacks, ParserState& state)
{
    const std::uint32_t capacity =
        state.usageCapacity == 0 ? kInitialUsageCapacity : state.usageCapacity * 2;
    if (capacity <= state.usageCapacity) {
        return false;
    }
    auto* grown = static_cast<LocalUsage*>(
        callbacks.allocate(callbacks.context, sizeof(LocalUsage) * std::size_t{ capacity }));
    if (grown == nullptr) {
        return false;
    }
    if (state.usages != nullptr) {
        callbacks.copy(callbacks.context, grown, state.usages,
                       sizeof(LocalUsage) * std::size_t{ state.usageCount });
        callbacks.release(callbacks.context, state.usages);
    }
    state.usages = grown;
    state.usageCapacity = capacity;
    return true;
}

void AppendUsage(const ParserCallbacks& callbacks, ParserState& state, std::uint32_t value,
                 unsigned dataSize)
{
    if (state.usageCount == state.usageCapacity && !GrowUsageList(callbacks, state)) {
        return;
    }
    LocalUsage& usage = state.usages[state.usageCount++];
    usage.value = value;
    usage.hasPage = HasOwnPage(dataSize) ? 1 : 0;
}

std::uint32_t WithPage(std::uint32_t value, std::uint16_t page)
{
    return (static_cast<std::uint32_t>(page) << 16) | (value & 0xFFFFu);
}

} // namespace

void ApplyGlobalItem(const ParserCallbacks& callbacks, ParserState& state, unsigned tag,
                     std::uint32_t value)
{
    GlobalItemState& globals = state.globals;
    switch (static_cast<GlobalTag>(tag)) {
    case GlobalTag::UsagePage:
        globals.usagePage = static_cast<std::uint16_t>(value);
        break;
    case GlobalTag::LogicalMinimum:
        globals.logicalMinimum = value;
        break;
    case GlobalTag::LogicalMaximum:
        globals.logicalMaximum = value;
        break;
    case GlobalTag::PhysicalMinimum:
        globals.physicalMinimum = value;
        break;
    case GlobalTag::PhysicalMaximum:
        globals.physicalMaximum = value;
        break;
    case GlobalTag::UnitExponent:
        globals.unitExponent = static_cast<std::uint8_t>(value);
        break;
    case GlobalTag::Unit:
        globals.unit = static_cast<std::uint8_t>(value);
        break;
    case GlobalTag::ReportSize:
        globals.reportSize = value;
        break;
    case GlobalTag::ReportId:
        globals.reportId = static_cast<std::uint8_t>(value);
        break;
    case GlobalTag::ReportCount:
        globals.reportCount = value;
        break;
    case GlobalTag::Push:
        PushGlobals(callbacks, state);
        break;
    case GlobalTag::Pop:
        PopGlobals(callbacks, state);
        break;
    default:
        break; // reserved tags change nothing
    }
}

void ApplyLocalItem(const ParserCallbacks& callbacks, ParserState& state, unsigned tag,
                    std::uint32_t value, unsigned dataSize)
{
    switch (static_cast<LocalTag>(tag)) {
    case LocalTag::Usage:
        AppendUsage(callbacks, state, value, dataSize);
        break;
    case LocalTag::UsageMinimum:
        state.usageMinimum = value;
        state.usageMinimumSet = 1;
        state.usageMinimumHasPage = HasOwnPage(dataSize) ? 1 : 0;
        break;
    case LocalTag::UsageMaximum:
        state.usageMaximum = value;
        state.usageMaximumSet = 1;
        state.usageMaximumHasPage = HasOwnPage(dataSize) ? 1 : 0;
        break;
    case LocalTag::DesignatorIndex:
        state.designatorIndex = value;
        state.designatorIndexSet = 1;
        break;
    case LocalTag::DesignatorMinimum:
        state.designatorMinimum = value;
        break;
    case LocalTag::DesignatorMaximum:
        state.designatorMaximum = value;
        break;
    case LocalTag::StringIndex:
        state.stringIndex = static_cast<std::uint8_t>(value);
        state.stringIndexSet = 1;
        break;
    case LocalTag::StringMinimum:
        state.stringMinimum = static_cast<std::uint8_t>(value);
        break;
    case LocalTag::StringMaximum:
        state.stringMaximum = static_cast<std::uint8_t>(value);
        break;
    default:
        break; // unrecognised local tags, the Delimiter among them
    }
}

void CompleteUsagesWithPage(ParserState& state)
{
    const std::uint16_t page = state.globals.usagePage;
    // Usages completed by an earlier main item keep their page, so each usage is visited once:
    // a run of unrecognised main items, which keeps the list, stays linear in the descriptor.
    for (std::uint32_t i = state.usagesWithPage; i < state.usageCount; ++i) {
        LocalUsage& usage = state.usages[i];
        if (usage.hasPage == 0) {
            usage.value = WithPage(usage.value, page);
            usage.hasPage = 1;
        }
    }
    state.usagesWithPage = state.usageCount;
    // Only the minimum's flag decides, for both ends of the range.
    if (state.usageMinimumHasPage == 0) {
        state.usageMinimum = WithPage(state.usageMinimum, page);
        state.usageMaximum = WithPage(state.usageMaximum, page);
        state.usageMinimumHasPage = 1;
        state.usageMaximumHasPage = 1;
    }
}

void ClearLocalItems(ParserState& state)
{
    state.usageCount = 0;
    state.usagesWithPage = 0;
    state.usageMinimum = 0;
    state.usageMinimumHasPage = 0;
    state.usageMaximum = 0;
    state.usageMaximumHasPage = 0;
    state.usageMinimumSet = 0;
    state.usageMaximumSet = 0;
    state.designatorIndex = 0;
    state.designatorIndexSet = 0;
    state.designatorMinimum = 0;
    state.designatorMaximum = 0;
    state.stringIndex = 0;
    state.stringIndexSet = 0;
    state.stringMinimum = 0;
    state.stringMaximum = 0;
}

void ReleasePushStack(const ParserCallbacks& callbacks, ParserState& state)
{
    while (GlobalItemState* saved = state.globals.savedGlobals) {
        callbacks.debugPrint(callbacks.context, "[HIDPARSE] Freeing GlobalState %p\n",
                             static_cast<void*>(saved));
        state.globals.savedGlobals = saved->savedGlobals;
        callbacks.release(callbacks.context, saved);
    }
}

} // namespace quorlix
