#include "parser/ReportLayout.h"

#include "parser/CollectionContext.h"
#include "parser/CollectionWalk.h"
#include "support/HexDigits.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace quorlix {
namespace {

namespace layout = context_layout;

// A report header or a field block is far shorter than this.
constexpr std::size_t kLineBuffer = 256;

// One line of ASCII built in a fixed buffer. Its numbers read exactly as printf's "%d", "%X"
// and "%08x" write them; formatting them by hand keeps a field's lines to a few dozen
// instructions, where a format string would be parsed anew for each of thousands of fields.
class AsciiLine
{
public:
    // Every write is cut at the buffer's end, though no line comes near it.
    AsciiLine& Text(std::string_view text)
    {
        const auto room = static_cast<std::size_t>(m_buffer + kLineBuffer - m_end);
        m_end = std::copy_n(text.begin(), std::min(text.size(), room), m_end);
        return *this;
    }

    AsciiLine& Decimal(int value)
    {
        m_end = std::to_chars(m_end, m_buffer + kLineBuffer, value).ptr;
        return *this;
    }

    // A size or offset in full: the same digits as "%d" wherever that did not wrap.
    AsciiLine& Unsigned(std::uint64_t value)
    {
        m_end = std::to_chars(m_end, m_buffer + kLineBuffer, value).ptr;
        return *this;
    }

    AsciiLine& UpperHex(unsigned value)
    {
        char* start = m_end;
        m_end = std::to_chars(m_end, m_buffer + kLineBuffer, value, 16).ptr;
        std::transform(start, m_end, start, [](char c) { return c >= 'a' ? c - 'a' + 'A' : c; });
        return *this;
    }

    AsciiLine& EightHexDigits(std::uint32_t value)
    {
        char digits[8];
        for (int i = 0; i < 8; ++i) {
            digits[i] = LowerHexDigit(value >> (28 - 4 * i));
        }
        return Text(std::string_view(digits, sizeof digits));
    }

    std::size_t size() const { return static_cast<std::size_t>(m_end - m_buffer); }

    // Appends the line to a wide text, widened in place: the standard range append would first
    // copy it into a temporary string of its own.
    void AppendTo(std::u16string& text) const
    {
        const std::size_t start = text.size();
        text.resize(start + size());
        const char* begin = m_buffer;
        std::copy(begin, static_cast<const char*>(m_end),
                  text.begin() + static_cast<std::ptrdiff_t>(start));
    }

private:
    char m_buffer[kLineBuffer];
    char* m_end = m_buffer;
};

// The text bound (kMaxLayoutTextChars unless the caller chose another) is enforced here and for
// each field's lines below: a piece goes in whole or not at all.
bool HasRoom(const LayoutTexts& texts, std::size_t more)
{
    return texts.detail.size() + more <= texts.limit && texts.summary.size() + more <= texts.limit;
}

const char* ReportTypeName(std::uint8_t type)
{
    switch (type) {
    case 1:
        return "(InputReport)";
    case 2:
        return "(OutputReport)";
    case 4:
        return "(FeatuerReport)";
    default:
        return "";
    }
}

// "(name)" of a usage kept with its page in the high half.
void AppendUsageNameInParentheses(std::u16string& text, std::uint32_t usage)
{
    text.push_back(u'(');
    AppendFilledUsageName(text, static_cast<std::uint16_t>(usage >> 16), usage & 0xFFFFu, false);
    text.push_back(u')');
}

// What the layout shows of a report and of each field, read from the tree's records or from a
// context's images alike.
struct LayoutReport
{
    unsigned reportId;
    unsigned type;
    std::uint64_t bitSize;
    std::uint32_t itemCount;
};

struct LayoutField
{
    std::uint64_t byteOffset;
    std::uint64_t bitCount;
    unsigned shift;
    std::uint32_t usageMinimum;
    std::uint32_t usageMaximum;
};

LayoutReport ReportOfImage(const std::uint8_t* report)
{
    return { report[layout::kReportId], report[layout::kReportType],
             ReadLe32(report + layout::kReportBitSize),
             ReadLe32(report + layout::kReportItemCount) };
}

LayoutField FieldOfImage(const std::uint8_t* report, std::uint32_t k)
{
    const std::uint8_t* item =
        report + layout::kReportItems + std::size_t{ k } * kReportItemImageSize;
    return { ReadLe32(item + layout::kItemByteOffset), item[layout::kItemBitCount],
             item[layout::kItemShift], ReadLe32(item + layout::kItemUsageMinimum),
             ReadLe32(item + layout::kItemUsageMaximum) };
}

LayoutReport ReportOfRecord(const HidReport& report)
{
    return { report.reportId, static_cast<unsigned>(report.type), report.bitSize,
             report.itemCount };
}

LayoutField FieldOfRecord(const HidReport& report, std::uint32_t k)
{
    const HidReportItem& item = report.items[k];
    return { item.byteOffset, item.bitCount, item.shift, item.usageMinimum, item.usageMaximum };
}

// A field's lines with the names of its usage range, into named (which is cleared first).
void MakeNamedField(std::u16string& named, std::uint32_t k, std::uint64_t byteOffset,
                    std::uint64_t bitCount, unsigned shift, std::uint32_t usageMinimum,
                    std::uint32_t usageMaximum)
{
    named.clear();
    AsciiLine position;
    position.Text("[")
        .Decimal(static_cast<int>(k))
        .Text("]\tByteoffset=")
        .Unsigned(byteOffset)
        .Text("\r\n\tBitCount=")
        .Unsigned(bitCount)
        .Text("\r\n\tShift=")
        .Decimal(static_cast<int>(shift))
        .Text("\r\n\tUsageMinimum=")
        .EightHexDigits(usageMinimum);
    position.AppendTo(named);
    AppendUsageNameInParentheses(named, usageMinimum);
    AsciiLine maximum;
    maximum.Text("\r\n\tUsageMaximum=").EightHexDigits(usageMaximum);
    maximum.AppendTo(named);
    AppendUsageNameInParentheses(named, usageMaximum);
    named.append(u"\r\n");
}

// Appends one report, its header and its fields given by fieldAt(k).
template <typename FieldAt>
void AppendReport(const LayoutReport& report, FieldAt fieldAt, LayoutTexts& texts,
                  std::u16string& named, std::FILE* out)
{
    const unsigned reportId = report.reportId;
    const std::uint64_t bitSize = report.bitSize;
    const unsigned type = report.type;
    const std::uint32_t itemCount = report.itemCount;
    if (out != nullptr) {
        std::fprintf(out, "ReportID=%d ReportSize=%llu ReportType=%d\n", reportId,
                     static_cast<unsigned long long>(bitSize), type);
    }

    // A part byte takes a whole one: 12 bits are 2 bytes.
    AsciiLine header;
    header.Text("\tReportID=")
        .Decimal(static_cast<int>(reportId))
        .Text("(")
        .UpperHex(reportId)
        .Text(")\r\n\tReportContentSize=")
        .Unsigned(bitSize / 8 + (bitSize % 8 != 0 ? 1 : 0))
        .Text(" Bytes(")
        .Unsigned(bitSize)
        .Text(" Bits)\r\n\tReportType=")
        .Decimal(static_cast<int>(type))
        .Text(ReportTypeName(type))
        .Text("\r\n");
    if (!HasRoom(texts, header.size())) {
        texts.truncated = true;
        return;
    }
    header.AppendTo(texts.detail);
    header.AppendTo(texts.summary);

    for (std::uint32_t k = 0; k < itemCount; ++k) {
        const LayoutField field = fieldAt(k);
        const std::uint64_t byteOffset = field.byteOffset;
        const std::uint64_t bitCount = field.bitCount;
        const unsigned shift = field.shift;
        const std::uint32_t usageMinimum = field.usageMinimum;
        const std::uint32_t usageMaximum = field.usageMaximum;
        if (out != nullptr) {
            std::fprintf(out,
                         "[%d]\tByteoffset=%llu\n\tBitCount=%llu\n\tShift=%d\n"
                         "\tUsageMinimum=%08x\n\tUsageMaximum=%08x\r\n",
                         static_cast<int>(k), static_cast<unsigned long long>(byteOffset),
                         static_cast<unsigned long long>(bitCount), shift, usageMinimum,
                         usageMaximum);
        }
        if (texts.usageNames == UsageNames::Full) {
            MakeNamedField(named, k, byteOffset, bitCount, shift, usageMinimum, usageMaximum);
            if (texts.detail.size() + named.size() > texts.limit) {
                texts.truncated = true;
                return;
            }
            texts.detail.append(named);
            continue;
        }
        AsciiLine line;
        line.Text("[")
            .Decimal(static_cast<int>(k))
            .Text("]\tByteoffset=")
            .Unsigned(byteOffset)
            .Text("\r\n\tBitCount=")
            .Unsigned(bitCount)
            .Text("\r\n\tShift=")
            .Decimal(static_cast<int>(shift))
            .Text("\r\n\tUsageMinimum=")
            .EightHexDigits(usageMinimum)
            .Text("\r\n\tUsageMaximum=")
            .EightHexDigits(usageMaximum)
            .Text("\r\n");
        if (texts.detail.size() + line.size() > texts.limit) {
            texts.truncated = true;
            return;
        }
        line.AppendTo(texts.detail);
    }
}

// "----Col_1---USAGE_PAGE:1----USAGE:2-----", with full names
// "----Col_1---USAGE_PAGE:1(Generic Desktop Controls)----USAGE:2(Mouse)-----".
std::u16string CollectionHeader(const CollectionDescription& collection, UsageNames names)
{
    std::u16string header;
    AsciiLine page;
    page.Text("----Col_")
        .Decimal(collection.collectionNumber)
        .Text("---USAGE_PAGE:")
        .Decimal(collection.usagePage);
    page.AppendTo(header);
    if (names == UsageNames::Full) {
        header.push_back(u'(');
        AppendFilledPageName(header, collection.usagePage);
        header.push_back(u')');
    }
    AsciiLine usage;
    usage.Text("----USAGE:").Decimal(collection.usage);
    usage.AppendTo(header);
    if (names == UsageNames::Full) {
        header.push_back(u'(');
        AppendFilledUsageName(header, collection.usagePage, collection.usage, false);
        header.push_back(u')');
    }
    header.append(u"-----\r\n");
    return header;
}

} // namespace

void AppendReportLayout(const std::uint8_t* context, std::uint32_t blockOffset, LayoutTexts& texts,
                        std::FILE* out)
{
    const std::uint8_t* rawData = ContextRawData(context);
    std::u16string named; // one field's lines with names, reused for every field
    ForEachContextBlock(context, blockOffset, [&](std::uint32_t offset) {
        const std::uint8_t* block = rawData + offset;
        const std::uint32_t reportCount = ReadLe32(block + layout::kCollectionReportCount);
        const std::uint8_t* table = block + layout::kCollectionOffsetTable;
        for (std::uint32_t k = 0; k < reportCount && !texts.truncated; ++k) {
            const std::uint8_t* report = rawData + ReadLe32(table + 4 * k);
            AppendReport(
                ReportOfImage(report), [&](std::uint32_t i) { return FieldOfImage(report, i); },
                texts, named, out);
        }
        return !texts.truncated;
    });
}

void AppendReportLayout(const HidCollection& collection, LayoutTexts& texts, std::FILE* out)
{
    std::u16string named;
    ForEachCollection(collection, [&](const HidCollection& current) {
        for (std::uint32_t k = 0; k < current.reportListCount && !texts.truncated; ++k) {
            const HidReport& report = *current.reports[k];
            AppendReport(
                ReportOfRecord(report), [&](std::uint32_t i) { return FieldOfRecord(report, i); },
                texts, named, out);
        }
        return !texts.truncated;
    });
}

void BuildLayoutTexts(const DeviceDescription& description, LayoutTexts& texts, std::FILE* out)
{
    // The detail text is sized once from the contexts, so a text of millions of characters is
    // never copied as it grows. Every context byte writes fewer than kDetailCharsPerContextByte
    // characters: a 34-byte field image at most about 100, a 48-byte report image about 100, a
    // 31-byte collection block about 50. Room reserved past what is written is never touched.
    constexpr std::uint64_t kDetailCharsPerContextByte = 4;
    std::uint64_t contextBytes = 0;
    for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
        contextBytes += description.collections[i].contextSize;
    }
    const std::uint64_t detailRoom = contextBytes * kDetailCharsPerContextByte;
    texts.detail.reserve(texts.detail.size() + static_cast<std::size_t>(std::min<std::uint64_t>(
                                                   detailRoom, texts.limit)));

    for (std::uint32_t i = 0; i < description.collectionCount && !texts.truncated; ++i) {
        const CollectionDescription& collection = description.collections[i];
        const std::u16string line = CollectionHeader(collection, texts.usageNames);
        if (!HasRoom(texts, line.size())) {
            texts.truncated = true;
            break;
        }
        texts.detail.append(line);
        texts.summary.append(line);
        // The records hold every size in full, where a context's images hold 32 bits at most.
        AppendReportLayout(*description.state->rootCollection->children[i], texts, out);
    }
}

} // namespace quorlix
