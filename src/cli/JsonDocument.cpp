#include "cli/JsonDocument.h"

#include "annotation/RowColumns.h"
#include "annotation/RowUsageTracker.h"
#include "cli/Utf8.h"
#include "parser/CollectionWalk.h"
#include "parser/HidCollection.h"
#include "usage_names/FullUsageNames.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

namespace quorlix {
namespace {

using Json = nlohmann::ordered_json;

// The document is streamed: each row, field and record is made a JSON value and written on its
// own, and only the brackets between them are written by hand. A parse at its bounds holds a
// quarter of a million fields and as many rows, and one document tree of them all would take
// several times the memory of the parse itself.

// Writes a comma before every element but the first of an array.
class ArrayWriter
{
public:
    ArrayWriter(std::ostream& out, const char* opening) : m_out(out) { m_out << opening; }
    void Element(const Json& value)
    {
        m_out << (m_first ? "" : ",") << value.dump();
        m_first = false;
    }
    void Separate()
    {
        m_out << (m_first ? "" : ",");
        m_first = false;
    }

private:
    std::ostream& m_out;
    bool m_first = true;
};

std::string Text(const UsageNameText& name)
{
    return std::string(name.View());
}

// The usage a row or field names, by the full tables: a Usage Page row gets its page and the
// page's name, a Usage, Usage Minimum or Usage Maximum row and a field also the usage's name.
void AddUsageNames(Json& value, PagedUsage usage, bool withUsage)
{
    value["usagePage"] = usage.usagePage;
    if (withUsage) {
        value["usageName"] = Text(FullUsageName(usage.usagePage, usage.usageId));
    }
    value["pageName"] = Text(FullUsagePageName(usage.usagePage));
}

Json RowJson(const ItemRow& row, const RowUsage& named)
{
    Json value{
        { "offset", row.offset },
        { "prefix", row.prefix },
        { "data", { row.data[0], row.data[1], row.data[2], row.data[3] } },
        { "bytes", ToUtf8(BytesColumnText(row)) },
        { "name", ToUtf8(row.name) },
        { "description", ToUtf8(row.description) },
    };
    if (named.kind != RowUsageKind::None) {
        AddUsageNames(value, named.usage, named.kind != RowUsageKind::Page);
    }
    return value;
}

void WriteReport(std::ostream& out, const HidReport& report)
{
    Json header{
        { "type", static_cast<unsigned>(report.type) },
        { "reportId", report.reportId },
        { "bitSize", report.bitSize },
    };
    std::string text = header.dump();
    text.pop_back(); // the closing brace: the items follow inside the same object
    out << text << ",\"items\":";
    ArrayWriter items(out, "[");
    // One value serves every field; only its numbers change.
    Json field{
        { "byteOffset", 0 },   { "shift", 0 },          { "mask", 0 },
        { "bitCount", 0 },     { "hasData", 0 },        { "isArray", 0 },
        { "isRelative", 0 },   { "logicalMinimum", 0 }, { "logicalMaximum", 0 },
        { "usageMinimum", 0 }, { "usageMaximum", 0 },
    };
    for (std::uint32_t i = 0; i < report.itemCount; ++i) {
        const HidReportItem& item = report.items[i];
        field["byteOffset"] = item.byteOffset;
        field["shift"] = item.shift;
        field["mask"] = item.mask;
        field["bitCount"] = item.bitCount;
        field["hasData"] = item.hasData;
        field["isArray"] = item.isArray;
        field["isRelative"] = item.isRelative;
        field["logicalMinimum"] = item.logicalMinimum;
        field["logicalMaximum"] = item.logicalMaximum;
        field["usageMinimum"] = item.usageMinimum;
        field["usageMaximum"] = item.usageMaximum;
        // A field's usage is its range's first; the page is the range's high half.
        AddUsageNames(field, UsageOfExtended(item.usageMinimum), true);
        items.Element(field);
    }
    out << "]}";
}

// Opens a collection's object, up to and including the "children" array's bracket.
void OpenCollection(std::ostream& out, const HidCollection& collection)
{
    Json header{
        { "type", collection.type },
        { "usage", collection.usage },
        { "stringIndex", collection.stringIndex },
        { "designatorIndex", collection.designatorIndex },
    };
    std::string text = header.dump();
    text.pop_back();
    out << text << ",\"reports\":";
    ArrayWriter reports(out, "[");
    for (std::uint32_t i = 0; i < collection.reportListCount; ++i) {
        reports.Separate();
        WriteReport(out, *collection.reports[i]);
    }
    out << "],\"children\":[";
}

// Nesting of any depth is written without recursion.
void WriteTree(std::ostream& out, const HidCollection& root)
{
    WalkCollections(
        root,
        [&](const HidCollection& collection) {
            if (&collection != &root && collection.indexInParent != 0) {
                out << ",";
            }
            OpenCollection(out, collection);
        },
        [&](const HidCollection&) { out << "]}"; });
}

// The form the descriptor was read as, its length, how many the file holds and the warnings.
Json InputJson(const DescriptorInput& input)
{
    Json warnings = Json::array();
    for (const InputWarning& warning : input.warnings) {
        warnings.push_back({ { "line", warning.line },
                             { "column", warning.column },
                             { "message", warning.message } });
    }
    Json candidates = Json::array();
    for (const DescriptorCandidate& candidate : input.candidates) {
        Json entry = { { "index", candidate.index },
                       { "name", candidate.name },
                       { "line", candidate.line },
                       { "length", candidate.length },
                       { "reportDescriptor", candidate.reportDescriptor },
                       { "label", candidate.label } };
        if (!candidate.error.empty()) {
            entry["error"] = candidate.error;
        }
        candidates.push_back(std::move(entry));
    }
    return {
        { "form", std::string(InputFormName(input.form)) },
        { "length", input.bytes.size() },
        { "descriptors", input.descriptors },
        { "index", input.index },
        { "warnings", std::move(warnings) },
        { "candidates", std::move(candidates) },
    };
}

// One report of the model with its fields; the fields are streamed one by one.
void WriteModelReport(std::ostream& out, const Report& report)
{
    Json header{
        { "type", ReportTypeName(report.type) }, { "reportId", report.reportId },
        { "bitLength", report.bitLength },       { "byteLength", report.byteLength },
        { "saturated", report.saturated },       { "spansCollections", report.spansCollections },
    };
    std::string text = header.dump();
    text.pop_back();
    out << text << ",\"fields\":";
    ArrayWriter fields(out, "[");
    for (const ReportField& field : report.fields) {
        Json runs = Json::array();
        for (const UsageRun& run : field.usages) {
            runs.push_back({ { "firstUsage", run.firstUsage }, { "firstIndex", run.firstIndex } });
        }
        fields.Element({
            { "itemOffset", field.itemOffset },
            { "bitOffset", field.bitOffset },
            { "bitSize", field.bitSize },
            { "count", field.count },
            { "flags", field.flags },
            { "logicalMinimum", field.logicalMinimum },
            { "logicalMaximum", field.logicalMaximum },
            { "usageCount", field.usageCount },
            { "usageRuns", std::move(runs) },
        });
    }
    out << "]}";
}

} // namespace

std::vector<std::string> AnalysisWarnings(const DeviceDescription& description,
                                          const ReportModel* model)
{
    std::vector<std::string> warnings;
    if (description.boundReached) {
        warnings.emplace_back("a bound was reached: some report fields were not kept");
    }
    if (description.sizesSaturated || (model != nullptr && model->sizesSaturated)) {
        warnings.emplace_back("a size too large to count is shown at its largest value");
    }
    if (model != nullptr) {
        for (const Report& report : model->reports) {
            if (report.spansCollections) {
                warnings.push_back(std::string(ReportTypeName(report.type)) + " report " +
                                   std::to_string(report.reportId) +
                                   " is used by more than one top-level collection; it is read "
                                   "as one report of the device");
            }
        }
    }
    return warnings;
}

std::string InputJsonText(const DescriptorInput& input)
{
    return InputJson(input).dump();
}

void WriteJsonDocument(std::ostream& out, ParseResult result, const DeviceDescription& description,
                       const DescriptorInput* input, const ReportModel* model)
{
    out << "{\"result\":" << Json(static_cast<std::int32_t>(result)).dump() << ",\"rows\":";
    ArrayWriter rows(out, "[");
    RowUsageTracker tracker;
    for (const ItemRow& row : description.rows) {
        rows.Element(RowJson(row, tracker.Next(row)));
    }
    out << "],\"tree\":";
    if (description.state != nullptr && description.state->rootCollection != nullptr) {
        WriteTree(out, *description.state->rootCollection);
    } else {
        out << "null";
    }

    ArrayWriter collections(out, ",\"collections\":[");
    for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
        const CollectionDescription& c = description.collections[i];
        collections.Element({
            { "usagePage", c.usagePage },
            { "usage", c.usage },
            { "collectionNumber", c.collectionNumber },
            { "inputLength", c.inputLength },
            { "outputLength", c.outputLength },
            { "featureLength", c.featureLength },
            { "contextSize", c.contextSize },
        });
    }
    ArrayWriter reportIds(out, "],\"reportIds\":[");
    for (std::uint32_t i = 0; i < description.reportIdCount; ++i) {
        const ReportIdEntry& r = description.reportIds[i];
        reportIds.Element({
            { "reportId", r.reportId },
            { "collectionNumber", r.collectionNumber },
            { "inputLength", r.inputLength },
            { "outputLength", r.outputLength },
            { "featureLength", r.featureLength },
        });
    }
    ArrayWriter summaries(out, "],\"summaries\":[");
    for (const CollectionSummary& s : description.summaries) {
        summaries.Element({
            { "reportId", s.reportId },
            { "usagePage", s.usagePage },
            { "usage", s.usage },
            { "outputLength", s.outputLength },
            { "inputLength", s.inputLength },
            { "featureLength", s.featureLength },
        });
    }
    ArrayWriter reports(out, "],\"reports\":[");
    if (model != nullptr) {
        for (const Report& report : model->reports) {
            reports.Separate();
            WriteModelReport(out, report);
        }
    }
    out << "],\"warnings\":" << Json(AnalysisWarnings(description, model)).dump();
    if (input != nullptr) {
        out << ",\"input\":" << InputJson(*input).dump();
    }
    out << "}\n";
}

} // namespace quorlix
