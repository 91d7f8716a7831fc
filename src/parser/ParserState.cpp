#include "parser/ParserState.h"

#include "annotation/HidItems.h"

namespace quorlix {

void ReadItemState(const ItemStateWalker& walker, ParserState& state)
{
    const ItemGlobals& in = walker.Globals();
    GlobalItemState& globals = state.globals;
    globals.usagePage = in.UsagePage();
    globals.logicalMinimum = in[GlobalTag::LogicalMinimum].value;
    globals.logicalMaximum = in[GlobalTag::LogicalMaximum].value;
    globals.physicalMinimum = in[GlobalTag::PhysicalMinimum].value;
    globals.physicalMaximum = in[GlobalTag::PhysicalMaximum].value;
    globals.unitExponent = static_cast<std::uint8_t>(in[GlobalTag::UnitExponent].value);
    globals.unit = static_cast<std::uint8_t>(in[GlobalTag::Unit].value);
    globals.reportSize = in.ReportSize();
    globals.reportCount = in.ReportCount();
    globals.reportId = in.ReportId();

    const ListedLocals& locals = walker.Listed();
    state.usages = locals.usages.data();
    // A usage takes at least one byte of the descriptor, whose length is far below 2^32.
    state.usageCount = static_cast<std::uint32_t>(locals.usages.size());
    state.usageMinimum = locals.usageMinimum;
    state.usageMaximum = locals.usageMaximum;
    state.usageMinimumSet = locals.minimumSet ? 1 : 0;
    state.usageMaximumSet = locals.maximumSet ? 1 : 0;
    state.designatorIndex = locals.designatorIndex;
    state.designatorIndexSet = locals.designatorIndexSet ? 1 : 0;
    state.designatorMinimum = locals.designatorMinimum;
    state.designatorMaximum = locals.designatorMaximum;
    state.stringIndex = static_cast<std::uint8_t>(locals.stringIndex);
    state.stringIndexSet = locals.stringIndexSet ? 1 : 0;
    state.stringMinimum = static_cast<std::uint8_t>(locals.stringMinimum);
    state.stringMaximum = static_cast<std::uint8_t>(locals.stringMaximum);
}

bool PushBlock(const ParserCallbacks& callbacks, ParserState& state)
{
    auto* block = static_cast<GlobalItemState*>(
        callbacks.allocate(callbacks.context, sizeof(GlobalItemState)));
    if (block == nullptr) {
        return false;
    }
    block->savedGlobals = state.pushStack;
    state.pushStack = block;
    return true;
}

void PopBlock(const ParserCallbacks& callbacks, ParserState& state)
{
    GlobalItemState* block = state.pushStack;
    if (block == nullptr) {
        return;
    }
    state.pushStack = block->savedGlobals;
    callbacks.release(callbacks.context, block);
}

void ReleasePushStack(const ParserCallbacks& callbacks, ParserState& state)
{
    while (GlobalItemState* block = state.pushStack) {
        callbacks.debugPrint(callbacks.context, "[HIDPARSE] Freeing GlobalState %p\n",
                             static_cast<void*>(block));
        state.pushStack = block->savedGlobals;
        callbacks.release(callbacks.context, block);
    }
}

} // namespace quorlix
