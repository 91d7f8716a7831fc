#include "parser/ParseItems.h"

#include "annotation/ItemTexts.h"
#include "parser/CollectionTree.h"

#include <array>

namespace quorlix {
namespace {

constexpr unsigned kDataSizes[] = { 0, 1, 2, 4 };

enum class ItemType : unsigned
{
    Main = 0,
    Global = 1,
    Local = 2,
    Long = 3,
};

// The byte at pos, or 0 past the end, so a truncated last item still decodes.
std::uint8_t ByteAt(const std::uint8_t* bytes, std::size_t length, std::size_t pos)
{
    return pos < length ? bytes[pos] : 0;
}

unsigned ReportTypeSlot(ReportType type)
{
    return type == ReportType::Input ? 0u : type == ReportType::Output ? 1u : 2u;
}

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

// One decoded item as the handlers see it.
struct DecodedItem
{
    std::uint8_t prefix;
    unsigned type;
    unsigned tag;
    unsigned sizeCode;
    unsigned dataSize; // for long items, also the bytes that their data-size byte counts
    std::uint32_t value;
};

class ItemLoop
{
public:
    ItemLoop(const ParserCallbacks& callbacks, ParserState& state)
        : m_callbacks(callbacks), m_state(state), m_current(state.rootCollection)
    {}

    void Handle(const DecodedItem& item, ItemRow& row, const std::uint8_t* bytes,
                std::size_t length, std::size_t position)
    {
        switch (static_cast<ItemType>(item.type)) {
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
            Debug("Unsupported ITEM_TYPE_LONG Tag %x\n", ByteAt(bytes, length, position + 2));
            break;
        }
    }

private:
    template <typename... Args>
    void Debug(const char* format, Args... args)
    {
        m_callbacks.debugPrint(m_callbacks.context, format, args...);
    }

    // A line without arguments goes through "%s", so that no format is ever taken from a
    // variable; the line written is the same.
    void Debug(const char* line) { m_callbacks.debugPrint(m_callbacks.context, "%s", line); }

    void HandleGlobal(const DecodedItem& item, ItemRow& row)
    {
        static constexpr const char* kDebugLines[] = {
            "[HIDPARSE] ITEM_TAG_GLOBAL_USAGE_PAGE %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_LOGICAL_MINIMUM %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_LOCAL_MAXIMUM %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_PHYSICAL_MINIMUM %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_PHYSICAL_MAXIMUM %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_UNIT_EXPONENT %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_UNIT %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_SIZE %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_ID %x\n",
            "[HIDPARSE] ITEM_TAG_GLOBAL_REPORT_COUNT %x\n",
        };
        if (item.tag > 11) {
            return; // reserved: no line, no text, no change
        }
        if (item.tag == 10) {
            Debug("[HIDPARSE] ITEM_TAG_GLOBAL_PUSH\n");
        } else if (item.tag == 11) {
            Debug("[HIDPARSE] ITEM_TAG_GLOBAL_POP\n");
        } else {
            Debug(kDebugLines[item.tag], item.value);
        }
        SetGlobalItemText(row, item.tag, item.value);
        ApplyGlobalItem(m_callbacks, m_state, item.tag, item.value);
    }

    void HandleLocal(const DecodedItem& item, ItemRow& row)
    {
        switch (item.tag) {
        case 0:
            break; // a Usage item passes no line
        case 1:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_USAGE_MINIMUM Data %x\n", item.value);
            break;
        case 2:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_USAGE_MAXIMUM Data %x ItemSize %x %x\n", item.value,
                  item.dataSize, item.sizeCode);
            break;
        case 3:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_INDEX Data %x\n", item.value);
            break;
        case 4:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_MINIMUM Data %x\n", item.value);
            break;
        case 5:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_DESIGNATOR_MAXIMUM Data %x\n", item.value);
            break;
        case 7:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_STRING_INDEX Data %x\n", item.value);
            break;
        case 8:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_STRING_MINIMUM Data %x\n", item.value);
            break;
        case 9:
            Debug("[HIDPARSE] ITEM_TAG_LOCAL_STRING_MAXIMUM Data %x\n", item.value);
            break;
        default:
            Debug("Unknown Local Item Tag %x\n", item.tag);
            return;
        }
        SetLocalItemText(row, item.tag, item.value, m_state.globals.usagePage);
        ApplyLocalItem(m_callbacks, m_state, item.tag, item.value, item.dataSize);
    }

    void HandleMain(const DecodedItem& item, ItemRow& row)
    {
        const auto tag = static_cast<MainTag>(item.tag);
        if (tag != MainTag::EndCollection) {
            CompleteUsagesWithPage(m_state);
        }
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
            Debug("[HIDPARSE] Unknown ReportType Tag %x Type %x Size %x CurrentItemSize %x\n",
                  item.tag, 0u, item.sizeCode, item.dataSize);
            SetUnknownMainItemText(row);
            return; // the local items stay in force for the next main item
        }
        ClearLocalItems(m_state);
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
        std::uint32_t& total = m_runningBits[ReportTypeSlot(type)];
        total += globals.reportSize * globals.reportCount;
        SetReportItemText(row, tag, total);

        HidReport* report = FindOrCreateReport(type, globals.reportId);
        if (report != nullptr) {
            // A record that cannot grow simply gets no fields from this item.
            (void)AddReportItems(m_callbacks, m_state, *report, row.data[0]);
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
    std::array<std::uint32_t, 3> m_runningBits{};
    ReportIndex m_index;
};

DecodedItem DecodeItem(const std::uint8_t* bytes, std::size_t length, std::size_t position,
                       ItemRow& row)
{
    DecodedItem item{};
    item.prefix = bytes[position];
    item.sizeCode = item.prefix & 0x03u;
    item.type = (item.prefix >> 2) & 0x03u;
    item.tag = item.prefix >> 4;
    item.dataSize = kDataSizes[item.sizeCode];
    row.offset = static_cast<std::int32_t>(position);
    row.prefix = item.prefix;
    if (item.type == static_cast<unsigned>(ItemType::Long)) {
        // A long item covers its data-size byte's count too; its row holds no data bytes.
        item.dataSize += ByteAt(bytes, length, position + 1);
        return item;
    }
    for (unsigned i = 0; i < item.dataSize; ++i) {
        const std::uint8_t byte = ByteAt(bytes, length, position + 1 + i);
        row.data[i] = byte;
        item.value |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    return item;
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
    state->usages = static_cast<LocalUsage*>(
        callbacks.allocate(callbacks.context, sizeof(LocalUsage) * kInitialUsageCapacity));
    if (state->usages == nullptr) {
        callbacks.release(callbacks.context, state);
        return ParseResult::NoMemory;
    }
    state->usageCapacity = kInitialUsageCapacity;
    state->rootCollection = CreateCollection(callbacks, nullptr, 2, *state);
    if (state->rootCollection == nullptr) {
        callbacks.release(callbacks.context, state->usages);
        callbacks.release(callbacks.context, state);
        return ParseResult::NoMemory;
    }

    // Most items take two bytes; the guess only saves the list a few regrowths.
    rows.reserve(rows.size() + length / 2 + 1);
    ItemLoop loop(callbacks, *state);
    std::size_t position = 0;
    while (position < length) {
        ItemRow row;
        const DecodedItem item = DecodeItem(bytes, length, position, row);
        loop.Handle(item, row, bytes, length, position);
        rows.push_back(std::move(row));
        position += 1 + std::size_t{ item.dataSize };
    }

    ReleasePushStack(callbacks, *state);
    callbacks.release(callbacks.context, state->usages);
    state->usages = nullptr;
    *stateOut = state;
    return ParseResult::Ok;
}

void ReleaseParserState(const ParserCallbacks& callbacks, ParserState* state)
{
    if (state == nullptr) {
        return;
    }
    ReleasePushStack(callbacks, *state);
    if (state->usages != nullptr) {
        callbacks.release(callbacks.context, state->usages);
    }
    ReleaseCollectionTree(callbacks, state->rootCollection);
    callbacks.release(callbacks.context, state);
}

} // namespace quorlix
