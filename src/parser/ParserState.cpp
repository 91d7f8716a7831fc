#include "parser/ParserState.h"

namespace quorlix {
namespace {

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
    usage.hasPage = dataSize == 4 ? 1 : 0;
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
    switch (tag) {
    case 0:
        globals.usagePage = static_cast<std::uint16_t>(value);
        break;
    case 1:
        globals.logicalMinimum = value;
        break;
    case 2:
        globals.logicalMaximum = value;
        break;
    case 3:
        globals.physicalMinimum = value;
        break;
    case 4:
        globals.physicalMaximum = value;
        break;
    case 5:
        globals.unitExponent = static_cast<std::uint8_t>(value);
        break;
    case 6:
        globals.unit = static_cast<std::uint8_t>(value);
        break;
    case 7:
        globals.reportSize = value;
        break;
    case 8:
        globals.reportId = static_cast<std::uint8_t>(value);
        break;
    case 9:
        globals.reportCount = value;
        break;
    case 10:
        PushGlobals(callbacks, state);
        break;
    case 11:
        PopGlobals(callbacks, state);
        break;
    default:
        break; // reserved tags change nothing
    }
}

void ApplyLocalItem(const ParserCallbacks& callbacks, ParserState& state, unsigned tag,
                    std::uint32_t value, unsigned dataSize)
{
    switch (tag) {
    case 0:
        AppendUsage(callbacks, state, value, dataSize);
        break;
    case 1:
        state.usageMinimum = value;
        state.usageMinimumSet = 1;
        state.usageMinimumHasPage = dataSize == 4 ? 1 : 0;
        break;
    case 2:
        state.usageMaximum = value;
        state.usageMaximumSet = 1;
        state.usageMaximumHasPage = dataSize == 4 ? 1 : 0;
        break;
    case 3:
        state.designatorIndex = value;
        state.designatorIndexSet = 1;
        break;
    case 4:
        state.designatorMinimum = value;
        break;
    case 5:
        state.designatorMaximum = value;
        break;
    case 7:
        state.stringIndex = static_cast<std::uint8_t>(value);
        state.stringIndexSet = 1;
        break;
    case 8:
        state.stringMinimum = static_cast<std::uint8_t>(value);
        break;
    case 9:
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
