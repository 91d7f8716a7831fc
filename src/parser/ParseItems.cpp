#include "parser/ParseItems.h"

#include "annotation/CheckedSize.h"
#include "annotation/HidItems.h"
#include "annotation/ItemTexts.h"
#include "parser/CollectionTree.h"

#include <array>
#include <span>
#include <utility>

namespace quorlix {
namespace {

// The report records of the top-level collection opened last, by type and report id. That
// subtree holds at most one record per pair, and only it is searched for an existing record,
// so a direct index gives the same record a depth-first search would, in constant time.
class ReportIndex
{
public:
    HidReport* Find(const HidCollection* topLevel, ReportType type, std::uint8_t reportId)
    {
        if (topLevel != m_topLevel) {
            Reset(topLevel);
        }
        return m_slots[ReportTypeSlot(type)][reportId];
    }

    void Add(HidReport* report)
    {
        const unsigned slot = ReportTypeSlot(report->type);
        m_slots[slot][report->reportId] = report;
        m_used.push_back(static_cast<std::uint16_t>(slot * 256 + report->reportId));
    }

private:
    // Clears only the slots in use, so that many top-level collections stay cheap.
    void Reset(const HidCollection* topLevel)
    {
        for (std::uint16_t key : m_used) {
            m_slots[key / 256][key % 256] = nullptr;
        }
        m_used.clear();
        m_topLevel = topLevel;
    }

    std::array<std::array<HidReport*, 256>, 3> m_slots{};
    std::vector<std::uint16_t> m_used;
    const HidCollection* m_topLevel = nullptr;
};

class ItemLoop
{
public:
    ItemLoop(const ParserCallbacks& callbacks, ParserState& state)
        : m_callbacks(callbacks), m_state(state), m_current(state.rootCollection),
          m_walker(ItemWalkOptions{ UnknownMainItem::KeepsLocals, true })
    {}

    void Handle(const DecodedItem& item, ItemRow& row)
    {
        m_walker.Step(item);
        switch (item.type) {
        case ItemType::Main:
            HandleMain(item, row);
            break;
        case ItemType::Global:
            HandleGlobal(item, row);
            break;
        case ItemType::Local:
            HandleLocal(item, row);
            break;
        case ItemType::Long:
            m_callbacks.debugPrint(m_callbacks.context, "Unsupported ITEM_TYPE_LONG Tag %x\n",
                                   unsigned{ item.longTag });
            break;
        }
    }

    // The state as the descriptor leaves it: its globals, and the local items no main item took.
    void Finish()
    {
        m_walker.FinishItems();
        ReadItemState(m_walker, m_state);
    }

private:
    void HandleGlobal(const DecodedItem& item, ItemRow& row)
    {
        if (item.tag > static_cast<std::uint8_t>(GlobalTag::Pop)) {
            return; // reserved: no line, no text, no change
        }
        PrintGlobalLine(static_cast<GlobalTag>(item.tag), item.value);
        SetGlobalItemText(row, item.tag, item.value);
        if (IsItem(item, GlobalTag::Push) && !PushBlock(m_callbacks, m_state)) {
            m_state.boundReached = 1;
        } else if (IsItem(item, GlobalTag::Pop)) {
            PopBlock(m_callbacks, m_state);
        }
    }

    // Each line's format is a literal at its call, so the compiler checks it against its
    // arguments (debugPrint carries the printf format attribute).
    void PrintGlobalLine(GlobalTag tag, std::uint32_t value)
    {
        const ParserCallbacks& c = m_callbacks;
        switch (tag) {
        case GlobalTag::UsagePage:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_USAGE_PAGE %x\n", value);
            return;
        case GlobalTag::LogicalMinimum:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_LOGICAL_MINIMUM %x\n", value);
            return;
        case GlobalTag::LogicalMaximum:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_LOCAL_MAXIMUM %x\n", value);
            return;
        case GlobalTag::PhysicalMinimum:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_PHYSICAL_MINIMUM %x\n", value);
            return;
        case GlobalTag::PhysicalMaximum:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_PHYSICAL_MAXIMUM %x\n", value);
            return;
        case GlobalTag::UnitExponent:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_UNIT_EXPONENT %x\n", value);
            return;
        case GlobalTag::Unit:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_UNIT %x\n", value);
            return;
        case GlobalTag::ReportSize:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_SIZE %x\n", value);
            return;
        case GlobalTag::ReportId:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_ID %x\n", value);
            return;
        case GlobalTag::ReportCount:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_COUNT %x\n", value);
            return;
        case GlobalTag::Push:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_PUSH\n");
            return;
        case GlobalTag::Pop:
            c.debugPrint(c.context, "[HIDPARSE] ITEM_TAG_GLOBAL_POP\n");
            return;
        }
    }

    void HandleLocal(const DecodedItem& item, ItemRow& row)
    {
        switch (static_cast<LocalTag>(item.tag)) {
        case LocalTag::Usage:
            break; // a Usage item passes no line
        case LocalTag::UsageMinimum:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_USAGE_MINIMUM Data %x\n", item.value);
            break;
        case LocalTag::UsageMaximum:
            m_callbacks.debugPrint(
                m_callbacks.context,
                "[HIDPARSE] ITEM_TAG_LOCAL_USAGE_MAXIMUM Data %x ItemSize %x %x\n", item.value,
                item.dataSize, static_cast<unsigned>(item.sizeCode));
            break;
        case LocalTag::DesignatorIndex:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_INDEX Data %x\n",
                                   item.value);
            break;
        case LocalTag::DesignatorMinimum:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_MINIMUM Data %x\n",
                                   item.value);
            break;
        case LocalTag::DesignatorMaximum:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_MAXIMUM Data %x\n",
                                   item.value);
            break;
        case LocalTag::StringIndex:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_STRING_INDEX Data %x\n", item.value);
            break;
        case LocalTag::StringMinimum:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_STRING_MINIMUM Data %x\n",
                                   item.value);
            break;
        case LocalTag::StringMaximum:
            m_callbacks.debugPrint(m_callbacks.context,
                                   "[HIDPARSE] ITEM_TAG_LOCAL_STRING_MAXIMUM Data %x\n",
                                   item.value);
            break;
        default:
            m_callbacks.debugPrint(m_callbacks.context, "Unknown Local Item Tag %x\n",
                                   unsigned{ item.tag });
            return;
        }
        SetLocalItemText(row, item.tag, item.value, m_walker.Globals().UsagePage());
    }

    void HandleMain(const DecodedItem& item, ItemRow& row)
    {
        const auto tag = static_cast<MainTag>(item.tag);
        ReadItemState(m_walker, m_state);
        switch (tag) {
        case MainTag::Collection:
            OpenCollection(row.data[0]);
            SetCollectionText(row);
            break;
        case MainTag::EndCollection:
            // More End Collection items than Collection items leave the root current.
            if (m_current->parent != nullptr) {
                m_current = m_current->parent;
            }
            SetEndCollectionText(row);
            break;
        case MainTag::Input:
            AddReportField(ReportType::Input, tag, row);
            break;
        case MainTag::Output:
            AddReportField(ReportType::Output, tag, row);
            break;
        case MainTag::Feature:
            AddReportField(ReportType::Feature, tag, row);
            break;
        default:
            m_callbacks.debugPrint(
                m_callbacks.context,
                "[HIDPARSE] Unknown ReportType Tag %x Type %x Size %x CurrentItemSize %x\n",
                unsigned{ item.tag }, 0u, static_cast<unsigned>(item.sizeCode), item.dataSize);
            SetUnknownMainItemText(row);
            return; // the walker keeps the local items for the next main item
        }
    }

    void OpenCollection(std::uint8_t kind)
    {
        HidCollection* collection = CreateCollection(m_callbacks, m_current, kind, m_state);
        if (collection == nullptr) {
            return;
        }
        if (!AppendChild(m_callbacks, *m_current, collection)) {
            m_callbacks.release(m_callbacks.context, collection);
            return;
        }
        m_current = collection;
    }

    void AddReportField(ReportType type, MainTag tag, ItemRow& row)
    {
        const GlobalItemState& globals = m_state.globals;
        CheckedSize& total = m_runningBits[ReportTypeSlot(type)];
        total += CheckedSize(globals.reportSize) * globals.reportCount;
        if (total.Saturated()) {
            m_state.sizesSaturated = 1;
        }
        SetReportItemText(row, tag, total.Value());

        HidReport* report = FindOrCreateReport(type, globals.reportId);
        // A record that cannot be made or grow, or a bound reached, leaves this item without
        // fields; the parse goes on and says so. The memory bound of the parse is what makes an
        // allocation fail, so either way a bound was reached.
        if (report == nullptr || !AddReportItems(m_callbacks, m_state, *report, row.data[0])) {
            m_state.boundReached = 1;
        }
    }

    HidReport* FindOrCreateReport(ReportType type, std::uint8_t reportId)
    {
        HidCollection* root = m_state.rootCollection;
        const HidCollection* topLevel =
            root->childCount > 0 ? root->children[root->childCount - 1] : nullptr;
        if (topLevel != nullptr) {
            if (HidReport* found = m_index.Find(topLevel, type, reportId)) {
                return found;
            }
        }
        HidReport* report = CreateReport(m_callbacks, *m_current, type, reportId);
        if (report != nullptr && m_current != root) {
            m_index.Add(report);
        }
        return report;
    }

    const ParserCallbacks& m_callbacks;
    ParserState& m_state;
    HidCollection* m_current;
    // Running bit totals of Input, Output and Feature items over the whole descriptor.
    std::array<CheckedSize, 3> m_runningBits{};
    ReportIndex m_index;
    // The one walker of item state; the parse reads the locals as listed (Delimiter items not
    // read, pages completed at the first main item) and keeps them past unknown main items.
    ItemStateWalker m_walker;
};

// Owns a parse under way: unless finished, it releases the state and removes the rows added.
class PartialParse
{
public:
    PartialParse(const ParserCallbacks& callbacks, ParserState* state, std::vector<ItemRow>& rows)
        : m_callbacks(callbacks), m_state(state), m_rows(rows), m_rowsBefore(rows.size())
    {}
    ~PartialParse()
    {
        if (m_state == nullptr) {
            return;
        }
        ReleaseParserState(m_callbacks, m_state);
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(m_rowsBefore), m_rows.end());
    }
    PartialParse(const PartialParse&) = delete;
    PartialParse& operator=(const PartialParse&) = delete;

    ParserState* Finish() { return std::exchange(m_state, nullptr); }

private:
    const ParserCallbacks& m_callbacks;
    ParserState* m_state;
    std::vector<ItemRow>& m_rows;
    std::size_t m_rowsBefore;
};

// The row of an item: where it starts, its prefix and its data bytes.
ItemRow RowOf(const DecodedItem& item)
{
    ItemRow row;
    row.offset = static_cast<std::int32_t>(item.offset);
    row.prefix = item.prefix;
    row.data = item.data;
    return row;
}

} // namespace

ParseResult ParseItems(const ParserCallbacks& callbacks, const std::uint8_t* bytes,
                       std::size_t length, std::vector<ItemRow>& rows, ParserState** stateOut)
{
    if (length == 0) {
        return ParseResult::EmptyDescriptor;
    }
    auto* state =
        static_cast<ParserState*>(callbacks.allocate(callbacks.context, sizeof(ParserState)));
    if (state == nullptr) {
        return ParseResult::NoMemory;
    }
    // Whatever ends the parse early, a failed allocation here or an exception from the row list
    // or a row's text, releases the state with all it holds and takes back the rows it added.
    PartialParse partial(callbacks, state, rows);
    state->rootCollection = CreateCollection(
        callbacks, nullptr, static_cast<std::uint8_t>(CollectionKind::Logical), *state);
    if (state->rootCollection == nullptr) {
        return ParseResult::NoMemory;
    }

    // Most items take two bytes; the guess only saves the list a few regrowths.
    rows.reserve(rows.size() + length / 2 + 1);
    ItemLoop loop(callbacks, *state);
    const std::span<const std::uint8_t> descriptor(bytes, length);
    for (std::size_t position = 0; position < length;) {
        const DecodedItem item = DecodeItem(descriptor, position);
        ItemRow row = RowOf(item);
        loop.Handle(item, row);
        rows.push_back(std::move(row));
        position += item.length;
    }

    loop.Finish();
    ReleasePushStack(callbacks, *state);
    // The usages were the walker's, which ends with the loop; their count stays.
    state->usages = nullptr;
    *stateOut = partial.Finish();
    return ParseResult::Ok;
}

void ReleaseParserState(const ParserCallbacks& callbacks, ParserState* state)
{
    if (state == nullptr) {
        return;
    }
    ReleasePushStack(callbacks, *state);
    ReleaseCollectionTree(callbacks, state->rootCollection);
    callbacks.release(callbacks.context, state);
}

} // namespace quorlix
