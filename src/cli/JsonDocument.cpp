#include "cli/JsonDocument.h"

#include "annotation/RowColumns.h"
#include "cli/Utf8.h"
#include "parser/HidCollection.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace quorlix {
namespace {

// Everything is written straight to the stream, without building a document in memory first:
// a parse at its bounds holds a quarter of a million fields and as many rows, and a document
// tree of them would take several times the memory of the parse itself.

struct NumberField
{
    const char* key;
    std::int64_t value;
};

// Writes "key":value pairs separated by commas, without braces.
void WriteNumbers(std::ostream& out, std::initializer_list<NumberField> fields)
{
    const char* separator = "";
    for (const NumberField& field : fields) {
        out << separator << '"' << field.key << "\":" << field.value;
        separator = ",";
    }
}

void WriteObject(std::ostream& out, std::initializer_list<NumberField> fields)
{
    out << '{';
    WriteNumbers(out, fields);
    out << '}';
}

// Writes UTF-8 text as a JSON string: quotes, backslashes and control characters escaped, all
// else as it is.
void WriteString(std::ostream& out, std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    out << '"';
    std::size_t plainStart = 0; // characters from here on need no escape and go out in one write
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20) {
            continue;
        }
        out.write(text.data() + plainStart, static_cast<std::streamsize>(i - plainStart));
        plainStart = i + 1;
        switch (c) {
        case '"':
            out << "\\\"";
            break;
        case '\\':
            out << "\\\\";
            break;
        case '\b':
            out << "\\b";
            break;
        case '\f':
            out << "\\f";
            break;
        case '\n':
            out << "\\n";
            break;
        case '\r':
            out << "\\r";
            break;
        case '\t':
            out << "\\t";
            break;
        default:
            out << "\\u00" << kHexDigits[(c >> 4) & 0x0F] << kHexDigits[c & 0x0F];
            break;
        }
    }
    out.write(text.data() + plainStart, static_cast<std::streamsize>(text.size() - plainStart));
    out << '"';
}

void WriteRow(std::ostream& out, const ItemRow& row)
{
    out << '{';
    WriteNumbers(out, { { "offset", row.offset }, { "prefix", row.prefix } });
    out << ",\"data\":[" << unsigned{ row.data[0] } << ',' << unsigned{ row.data[1] } << ','
        << unsigned{ row.data[2] } << ',' << unsigned{ row.data[3] } << "],\"bytes\":";
    WriteString(out, ToUtf8(BytesColumnText(row)));
    out << ",\"name\":";
    WriteString(out, ToUtf8(row.name));
    out << ",\"description\":";
    WriteString(out, ToUtf8(row.description));
    out << '}';
}

void WriteReport(std::ostream& out, const HidReport& report)
{
    out << '{';
    WriteNumbers(out, { { "type", static_cast<unsigned>(report.type) },
                        { "reportId", report.reportId },
                        { "bitSize", report.bitSize } });
    out << ",\"items\":[";
    for (std::uint32_t i = 0; i < report.itemCount; ++i) {
        const HidReportItem& item = report.items[i];
        out << (i == 0 ? "" : ",");
        WriteObject(out, {
                             { "byteOffset", item.byteOffset },
                             { "shift", item.shift },
                             { "mask", item.mask },
                             { "bitCount", item.bitCount },
                             { "hasData", item.hasData },
                             { "isArray", item.isArray },
                             { "isRelative", item.isRelative },
                             { "logicalMinimum", item.logicalMinimum },
                             { "logicalMaximum", item.logicalMaximum },
                             { "usageMinimum", item.usageMinimum },
                             { "usageMaximum", item.usageMaximum },
                         });
    }
    out << "]}";
}

// Opens a collection's object, up to and including the "children" array's bracket.
void OpenCollection(std::ostream& out, const HidCollection& collection)
{
    out << '{';
    WriteNumbers(out, { { "type", collection.type },
                        { "usage", collection.usage },
                        { "stringIndex", collection.stringIndex },
                        { "designatorIndex", collection.designatorIndex } });
    out << ",\"reports\":[";
    for (std::uint32_t i = 0; i < collection.reportListCount; ++i) {
        out << (i == 0 ? "" : ",");
        WriteReport(out, *collection.reports[i]);
    }
    out << "],\"children\":[";
}

void WriteTree(std::ostream& out, const HidCollection& root)
{
    struct Open
    {
        const HidCollection* collection;
        std::uint32_t nextChild;
    };
    std::vector<Open> open{ { &root, 0 } };
    OpenCollection(out, root);
    while (!open.empty()) {
        Open& top = open.back();
        if (top.nextChild == top.collection->childCount) {
            out << "]}";
            open.pop_back();
            continue;
        }
        const HidCollection& child = *top.collection->children[top.nextChild];
        out << (top.nextChild == 0 ? "" : ",");
        ++top.nextChild;
        OpenCollection(out, child);
        open.push_back({ &child, 0 });
    }
}

} // namespace

void WriteJsonDocument(std::ostream& out, ParseResult result, const DeviceDescription& description)
{
    out << "{\"result\":" << static_cast<std::int32_t>(result) << ",\"rows\":[";
    for (std::size_t i = 0; i < description.rows.size(); ++i) {
        out << (i == 0 ? "" : ",");
        WriteRow(out, description.rows[i]);
    }
    out << "],\"tree\":";
    if (description.state != nullptr && description.state->rootCollection != nullptr) {
        WriteTree(out, *description.state->rootCollection);
    } else {
        out << "null";
    }

    out << ",\"collections\":[";
    for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
        const CollectionDescription& c = description.collections[i];
        out << (i == 0 ? "" : ",");
        WriteObject(out, {
                             { "usagePage", c.usagePage },
                             { "usage", c.usage },
                             { "collectionNumber", c.collectionNumber },
                             { "inputLength", c.inputLength },
                             { "outputLength", c.outputLength },
                             { "featureLength", c.featureLength },
                             { "contextSize", c.contextSize },
                         });
    }
    out << "],\"reportIds\":[";
    for (std::uint32_t i = 0; i < description.reportIdCount; ++i) {
        const ReportIdEntry& r = description.reportIds[i];
        out << (i == 0 ? "" : ",");
        WriteObject(out, {
                             { "reportId", r.reportId },
                             { "collectionNumber", r.collectionNumber },
                             { "inputLength", r.inputLength },
                             { "outputLength", r.outputLength },
                             { "featureLength", r.featureLength },
                         });
    }
    out << "],\"summaries\":[";
    for (std::size_t i = 0; i < description.summaries.size(); ++i) {
        const CollectionSummary& s = description.summaries[i];
        out << (i == 0 ? "" : ",");
        WriteObject(out, {
                             { "reportId", s.reportId },
                             { "usagePage", s.usagePage },
                             { "usage", s.usage },
                             { "outputLength", s.outputLength },
                             { "inputLength", s.inputLength },
                             { "featureLength", s.featureLength },
                         });
    }
    out << "]}\n";
}

} // namespace quorlix
