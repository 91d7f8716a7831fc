#include "cli/JsonDocument.h"

#include "annotation/RowColumns.h"
#include "cli/Utf8.h"
#include "parser/HidCollection.h"

#include <nlohmann/json.hpp>

#include <vector>

namespace quorlix {
namespace {

using Json = nlohmann::ordered_json;

Json RowJson(const ItemRow& row)
{
    return Json{
        { "offset", row.offset },
        { "prefix", row.prefix },
        { "data", { row.data[0], row.data[1], row.data[2], row.data[3] } },
        { "bytes", ToUtf8(BytesColumnText(row)) },
        { "name", ToUtf8(row.name) },
        { "description", ToUtf8(row.description) },
    };
}

Json ReportJson(const HidReport& report)
{
    Json items = Json::array();
    for (std::uint32_t i = 0; i < report.itemCount; ++i) {
        const HidReportItem& item = report.items[i];
        items.push_back({
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
    return Json{
        { "type", static_cast<unsigned>(report.type) },
        { "reportId", report.reportId },
        { "bitSize", report.bitSize },
        { "items", std::move(items) },
    };
}

// Opens a collection's object, up to and including the "children" array's bracket.
void OpenCollection(std::ostream& out, const HidCollection& collection)
{
    out << "{\"type\":" << unsigned{ collection.type } << ",\"usage\":" << collection.usage
        << ",\"stringIndex\":" << unsigned{ collection.stringIndex }
        << ",\"designatorIndex\":" << unsigned{ collection.designatorIndex } << ",\"reports\":[";
    for (std::uint32_t i = 0; i < collection.reportListCount; ++i) {
        out << (i == 0 ? "" : ",") << ReportJson(*collection.reports[i]).dump();
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
        out << (i == 0 ? "" : ",") << RowJson(description.rows[i]).dump();
    }
    out << "],\"tree\":";
    if (description.state != nullptr && description.state->rootCollection != nullptr) {
        WriteTree(out, *description.state->rootCollection);
    } else {
        out << "null";
    }

    Json collections = Json::array();
    Json reportIds = Json::array();
    for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
        const CollectionDescription& c = description.collections[i];
        collections.push_back({
            { "usagePage", c.usagePage },
            { "usage", c.usage },
            { "collectionNumber", c.collectionNumber },
            { "inputLength", c.inputLength },
            { "outputLength", c.outputLength },
            { "featureLength", c.featureLength },
            { "contextSize", c.contextSize },
        });
    }
    for (std::uint32_t i = 0; i < description.reportIdCount; ++i) {
        const ReportIdEntry& r = description.reportIds[i];
        reportIds.push_back({
            { "reportId", r.reportId },
            { "collectionNumber", r.collectionNumber },
            { "inputLength", r.inputLength },
            { "outputLength", r.outputLength },
            { "featureLength", r.featureLength },
        });
    }
    Json summaries = Json::array();
    for (const CollectionSummary& s : description.summaries) {
        summaries.push_back({
            { "reportId", s.reportId },
            { "usagePage", s.usagePage },
            { "usage", s.usage },
            { "outputLength", s.outputLength },
            { "inputLength", s.inputLength },
            { "featureLength", s.featureLength },
        });
    }
    out << ",\"collections\":" << collections.dump() << ",\"reportIds\":" << reportIds.dump()
        << ",\"summaries\":" << summaries.dump() << "}\n";
}

} // namespace quorlix
