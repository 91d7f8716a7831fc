#include "diagnostics/CheckDescriptor.h"

#include "diagnostics/DescriptorChecker.h"
#include "diagnostics/FindingTexts.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quorlix {
namespace checks {
namespace {

// The Linux kernel refuses longer descriptors.
constexpr std::size_t kLinuxDescriptorLimit = 4096;

DescriptorItem ItemAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    const DecodedItem decoded = DecodeItem(bytes, offset);
    DescriptorItem item;
    item.offset = offset;
    item.prefix = decoded.prefix;
    item.type = Code(decoded.type);
    item.tag = decoded.tag;
    item.dataSize = decoded.dataSize;
    item.value = decoded.value;
    item.length = decoded.length;
    const std::size_t available = bytes.size() - offset;
    item.missingBytes = item.length > available ? item.length - available : 0;
    item.decoded = decoded;
    return item;
}

// The findings ordered by offset, those of one offset in the order they were made. Offsets lie
// within the descriptor, so counting the findings at each offset places every finding in one
// move, in time linear in the descriptor and the findings, however many there are.
std::vector<Finding> InOffsetOrder(std::vector<Finding> findings, std::size_t descriptorSize)
{
    const auto byOffset = [](const Finding& a, const Finding& b) { return a.offset < b.offset; };
    if (std::is_sorted(findings.begin(), findings.end(), byOffset)) {
        return findings;
    }
    const auto slot = [descriptorSize](const Finding& finding) {
        return std::min(finding.offset, descriptorSize);
    };
    // starts[o + 1] counts the findings at offset o, then starts[o] is where the first goes.
    std::vector<std::size_t> starts(descriptorSize + 2, 0);
    for (const Finding& finding : findings) {
        ++starts[slot(finding) + 1];
    }
    for (std::size_t i = 1; i < starts.size(); ++i) {
        starts[i] += starts[i - 1];
    }
    std::vector<Finding> ordered(findings.size());
    for (Finding& finding : findings) {
        ordered[starts[slot(finding)]++] = std::move(finding);
    }
    return ordered;
}

} // namespace

std::vector<Finding> DescriptorChecker::Run()
{
    std::size_t position = 0;
    bool tooLongSeen = false;
    while (position < m_bytes.size()) {
        const DescriptorItem item = ItemAt(m_bytes, position);
        if (!tooLongSeen && position + item.length > kLinuxDescriptorLimit) {
            tooLongSeen = true;
            ReportTooLong(item);
        }
        CheckItem(item);
        position += item.length;
    }
    Finish();
    return InOffsetOrder(std::move(m_findings), m_bytes.size());
}

void DescriptorChecker::Add(CheckId check, std::size_t offset, std::size_t length,
                            std::string message, std::string fix)
{
    if (m_options.disabled[static_cast<std::size_t>(check)]) {
        return;
    }
    Finding& finding = m_findings.emplace_back();
    finding.severity = CheckSeverity(check);
    finding.check = check;
    finding.offset = offset;
    finding.length = length;
    finding.message = std::move(message);
    finding.fix = std::move(fix);
}

void DescriptorChecker::Add(CheckId check, const DescriptorItem& item, std::string message,
                            std::string fix)
{
    Add(check, item.offset, item.length, std::move(message), std::move(fix));
}

// Whether the item at offset was already blamed for what bit stands for; marks it if not.
bool DescriptorChecker::AlreadyBlamed(std::size_t offset, std::uint8_t bit)
{
    const bool blamed = (m_blamed[offset] & bit) != 0;
    m_blamed[offset] |= bit;
    return blamed;
}

// The later of the two items that set a minimum and maximum pair, or the one that did when
// the other never was: an unset value has no item to point at.
const GlobalSetting& DescriptorChecker::LaterSet(const GlobalSetting& a, const GlobalSetting& b)
{
    if (!b.set) {
        return a;
    }
    if (!a.set) {
        return b;
    }
    return a.offset > b.offset ? a : b;
}

void DescriptorChecker::CheckItem(const DescriptorItem& item)
{
    if (item.missingBytes > 0) {
        ReportTruncated(item);
    }
    switch (item.type) {
    case kMain:
        CheckShorterEncoding(item);
        m_walker.Step(item.decoded);
        OnMainItem(item);
        break;
    case kGlobal:
        CheckShorterEncoding(item);
        OnGlobalItem(item);
        break;
    case kLocal:
        CheckShorterEncoding(item);
        OnLocalItem(item);
        break;
    default:
        m_walker.Step(item.decoded);
        ReportReservedItem(item);
        break;
    }
}

// "Logical Maximum", or "item 0x69" for a prefix HID does not name.
std::string DescriptorChecker::ItemWords(const DescriptorItem& item)
{
    const std::string_view name = HidItemName(item.type, item.tag);
    if (!name.empty()) {
        return std::string(name);
    }
    return "item " + HexText(item.prefix);
}

void DescriptorChecker::Finish()
{
    m_walker.FinishItems();
    // There may be a finding for every open collection and Push: room for all at once.
    m_findings.reserve(m_findings.size() + m_open.size() + m_pushOffsets.size() + 4);
    for (const OpenCollection& open : m_open) {
        Add(CheckId::CollectionBalance, open.offset, open.length,
            Join("Collection (", CollectionKindText(open.kind), ") opened at byte ",
                 DecimalText(static_cast<std::int64_t>(open.offset)), " is never closed"),
            "add an End Collection (C0) where its items end");
    }
    for (const std::size_t pushed : m_pushOffsets) {
        Add(CheckId::PushPop, pushed, 1, "Push is never popped",
            "add a Pop (B4) after the items that need the saved globals, or remove the Push");
    }
    const ItemLocals& locals = m_walker.Locals();
    if (locals.delimiterOpen) {
        Add(CheckId::DelimiterBalance, locals.delimiterOffset, locals.delimiterLength,
            "Delimiter set still open at the end of the descriptor",
            "close the set with A9 00 and follow it with its main item");
    }
    if (!m_anyReports && !m_bytes.empty()) {
        Add(CheckId::NoReports, 0, m_bytes.size(),
            "no Input, Output or Feature item: the descriptor defines no report",
            "add the Input, Output and Feature items of the device's reports");
    }
    if (m_anyReportWithId && m_reportWithoutId) {
        Add(CheckId::ReportIdMixed, m_withoutIdOffset, m_withoutIdLength,
            std::string(ReportTypeWord(m_withoutIdType)) +
                " item belongs to a report without an id, while other reports carry Report "
                "IDs",
            "give it a Report ID (85 NN) too: once one report has an id, every report "
            "needs one");
    }
    FinishReports();
}

} // namespace checks

std::vector<Finding> CheckDescriptor(std::span<const std::uint8_t> bytes,
                                     const CheckOptions& options)
{
    return checks::DescriptorChecker(bytes, options).Run();
}

} // namespace quorlix
