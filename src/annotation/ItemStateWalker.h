#pragma once

#include "annotation/HidItems.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlix {

// One global or local item's value as written, with the item that wrote it.
struct WrittenValue
{
    std::uint32_t value = 0;   // zero-extended, as decoded
    std::uint8_t dataSize = 0; // bytes of data the item had
    std::size_t offset = 0;    // of the item's prefix
    std::size_t length = 0;    // of the whole item
    bool set = false;

    // The value read as a signed number of its own size; 0 for an item without data.
    std::int64_t Signed() const;
};

// The global items in force: each lasts until changed, and Push saves them all, Pop restores.
struct ItemGlobals
{
    static constexpr unsigned kValueTags = 10; // Usage Page to Report Count hold a value
    std::array<WrittenValue, kValueTags> values{};

    const WrittenValue& operator[](GlobalTag tag) const
    {
        return values[static_cast<unsigned>(tag)];
    }
    std::uint16_t UsagePage() const
    {
        return static_cast<std::uint16_t>((*this)[GlobalTag::UsagePage].value);
    }
    std::uint32_t ReportSize() const { return (*this)[GlobalTag::ReportSize].value; }
    std::uint32_t ReportCount() const { return (*this)[GlobalTag::ReportCount].value; }
    std::uint8_t ReportId() const
    {
        return static_cast<std::uint8_t>((*this)[GlobalTag::ReportId].value);
    }
};

// A Usage (first == last) or a Usage Minimum to Usage Maximum range of one page. A usage keeps
// the page in its high half once it is known: a four-byte item carries its own, a shorter one
// takes the page in force at the main item.
struct UsageSpan
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool hasPage = false;
};

// The local items since the last main item: they describe the next main item only.
struct ItemLocals
{
    std::vector<UsageSpan> usages; // in item order; a Delimiter set gives its first usage only
    WrittenValue usageMinimum;
    WrittenValue usageMaximum;
    // The page each end of a range names: its own in four bytes, else the Usage Page in force
    // when it was read; not known when no Usage Page was.
    std::uint16_t minimumPage = 0;
    std::uint16_t maximumPage = 0;
    bool minimumPageKnown = false;
    bool maximumPageKnown = false;
    bool anyUsage = false;   // a Usage, Usage Minimum or Usage Maximum item came
    bool shortUsage = false; // one of them in one or two bytes, taking its page from Usage Page
    std::uint32_t alternativeUsages = 0; // usages a Delimiter set held besides its first
    bool delimiterOpen = false;
    std::size_t delimiterOffset = 0; // of the Delimiter that opened the set in force
    std::size_t delimiterLength = 0;
    bool setGaveUsage = false; // the open set already named its element
};

// One Usage item as the item list and the layout read it: value holds a page in its high half
// once hasPage is set.
struct ListedUsage
{
    std::uint32_t value = 0;
    bool hasPage = false;
};

// The local items as the item list and the layout read them. Delimiter items are not read, so
// each usage of a set is listed as an element of its own. A usage without a page takes the Usage
// Page in force at the first main item after it other than End Collection, and the two ends of a
// range take it together when the minimum has none; a main item the loop does not know
// completes the pages it sees and leaves the list in force.
struct ListedLocals
{
    std::vector<ListedUsage> usages;
    std::size_t usagesWithPage = 0; // the first this many already hold their page
    std::uint32_t usageMinimum = 0;
    std::uint32_t usageMaximum = 0;
    bool minimumHasPage = false;
    bool maximumHasPage = false;
    bool minimumSet = false;
    bool maximumSet = false;
    std::uint32_t designatorIndex = 0;
    std::uint32_t designatorMinimum = 0;
    std::uint32_t designatorMaximum = 0;
    bool designatorIndexSet = false;
    std::uint32_t stringIndex = 0;
    std::uint32_t stringMinimum = 0;
    std::uint32_t stringMaximum = 0;
    bool stringIndexSet = false;
};

// What the item loop does with the local items after a main item it does not know.
enum class UnknownMainItem : std::uint8_t
{
    ClearsLocals, // the local items describe one main item, whichever it is
    KeepsLocals,  // the item list's and the layout's reading: they wait for a known main item
};

struct ItemWalkOptions
{
    UnknownMainItem unknownMainItem = UnknownMainItem::KeepsLocals;
    // Also keep the locals as listed (Listed()): the parse's reading, which names the layout's
    // fields and collections.
    bool listedLocals = false;
};

// What one item did to the state, for the checks that blame an item.
enum class ItemEffect : std::uint8_t
{
    None,
    PopWithNothingSaved,
    DelimiterOpenedInsideSet,
    DelimiterClosedUnopened,
    DelimiterOtherValue,
};

// The one walker of item state: global items with Push and Pop, local items with Delimiter
// sets, and the collections main items open and close. Feed every item in order to Step; after
// a main item the state it saw (globals, locals, collection) stays readable until the next
// Step, which clears the local items first. Odd input is not an error: a Pop with nothing
// saved, an unbalanced Delimiter or End Collection changes nothing and is named by the effect.
class ItemStateWalker
{
public:
    explicit ItemStateWalker(ItemWalkOptions options = {});

    ItemEffect Step(const DecodedItem& item);
    // Ends the walk: the local items of a last main item are cleared, so the locals read as
    // the descriptor leaves them (a Delimiter set still open after its last main item, say).
    void FinishItems();

    const ItemGlobals& Globals() const { return m_globals; }
    const ItemLocals& Locals() const { return m_locals; }
    // Kept only with ItemWalkOptions::listedLocals.
    const ListedLocals& Listed() const { return m_listed; }
    // Pushes not yet popped.
    std::size_t PushDepth() const { return m_pushDepth; }
    // Collections open after the last Step, the top-level one counted.
    std::size_t CollectionDepth() const { return m_depth; }
    // 1 for the first top-level collection, counted in 64 bits so that none shares a number;
    // 0 before any Collection item.
    std::uint64_t TopLevelNumber() const { return m_topLevelNumber; }
    // The usage of the top-level collection in force (page in the high half); 0 for none.
    std::uint32_t TopLevelUsage() const { return m_topLevelUsage; }

    // The usage at the front of the local items with its page, as a Collection item names
    // itself: the first Usage, else the Usage Minimum; 0 for none.
    std::uint32_t FirstUsage() const;
    // A usage span with its page completed from the page in force.
    UsageSpan Completed(const UsageSpan& span) const;

private:
    void ApplyGlobal(const DecodedItem& item, ItemEffect& effect);
    void ApplyLocal(const DecodedItem& item, ItemEffect& effect);
    void ApplyMain(const DecodedItem& item);
    void AddUsage(const UsageSpan& span);
    void ClearLocals();
    // The locals a main item left to be cleared at the next item, or at the end.
    void ClearPendingLocals();
    void ApplyListedLocal(const DecodedItem& item);
    void CompleteListedPages();

    // A state Push saved, with the Pushes that share it: Pushes with no global item between
    // them save the same state, so a run of Pushes costs no more memory than one.
    struct SavedGlobals
    {
        ItemGlobals globals;
        std::size_t pushes = 0;
    };

    void NoteUsageBound(const DecodedItem& item, std::uint16_t& page, bool& pageKnown) const;

    ItemWalkOptions m_options;
    ItemGlobals m_globals;
    std::vector<SavedGlobals> m_saved;
    std::size_t m_pushDepth = 0;
    bool m_globalsSaved = false; // m_globals equals m_saved.back().globals
    ItemLocals m_locals;
    ListedLocals m_listed;
    bool m_clearPending = false;
    std::size_t m_depth = 0;
    std::uint64_t m_topLevelNumber = 0;
    std::uint32_t m_topLevelUsage = 0;
};

// Walks every item of bytes through one walker, calling visit(item, walker) after each Step.
template <typename Visit>
void WalkItems(std::span<const std::uint8_t> bytes, ItemStateWalker& walker, Visit visit)
{
    for (std::size_t position = 0; position < bytes.size();) {
        const DecodedItem item = DecodeItem(bytes, position);
        walker.Step(item);
        visit(item, walker);
        position += item.length;
    }
}

} // namespace quorlix
