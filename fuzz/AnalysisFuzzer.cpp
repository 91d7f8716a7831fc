// The whole analysis of arbitrary bytes through the analysis entry the window and the command
// line call: parse, both pane texts and the report model (with full usage names for inputs of
// odd length, as --usage-names full gives them), the saved analysis in plain form (and for small
// parses in C form and as the JSON document), then release. Besides the outputs it checks the
// parse itself: every item has its row, and each top-level collection holds at most one report
// record per type and report id, the one a depth-first search finds.

#include "analysis/AnalyseDescriptor.h"
#include "cli/JsonDocument.h"
#include "cli/SavedRows.h"
#include "cli/Utf8.h"
#include "parser/CollectionTree.h"
#include "parser/CollectionWalk.h"
#include "parser/DeviceDescription.h"
#include "parser/ReportLayout.h"

#include "FuzzSupport.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorlix;

// Inputs up to 64 KiB: a device declares its report descriptor's length in 16 bits.
constexpr std::size_t kLargestInput = 65536;

// Smaller bounds than the program's, so that an input at a bound costs milliseconds rather than
// a good part of a second and the fuzzer reaches the paths past each bound thousands of times
// more often. Past a bound the same code runs whatever its value; the program's own values are
// covered by the tests of the hostile cases.
constexpr std::size_t kFuzzMemoryBound = std::size_t{ 64 } * 1024;
constexpr std::size_t kFuzzLayoutTextChars = std::size_t{ 16 } * 1024;

// The saved analysis in C form, the JSON document and the layout text in UTF-8 are written and
// checked only for parses of at most this many rows and report fields together; the plain saved
// analysis, the pane texts and the checks of the parse run for every input. None of the three
// has a branch that depends on how many rows, fields or collections there are beyond none, one
// and more (the plain form, which shares the C form's per-row code, covers the writer's blocks of
// many rows), so small parses take every path they have: each item kind's texts, long items,
// nested and empty collections, reports without fields, the result codes, a parse cut short at
// the memory bound. A large parse only repeats them. Writing them for every input made them, the
// JSON document with one small JSON value per row and per field, four fifths of the cost of an
// execution on a 2.5 KB descriptor. The program's own outputs of large parses are covered by the
// tests of the hostile cases.
constexpr std::size_t kSmallParseElements = 256;

// The depth-first searches for every report of a top-level collection cost its report count
// times its collection count; past this product only the uniqueness of the records is checked.
constexpr std::size_t kFindReportBudget = std::size_t{ 1 } << 16;

void Require(bool condition, const char* what)
{
    fuzz::Require("analysis fuzzer", condition, what);
}

using fuzz::CountingBuffer;

// Bytes an item takes: prefix and data, or for a long item prefix, size and tag bytes and data.
std::size_t ItemLength(const std::uint8_t* data, std::size_t size, std::size_t offset)
{
    static constexpr std::size_t kDataSizes[] = { 0, 1, 2, 4 };
    const std::uint8_t prefix = data[offset];
    std::size_t length = 1 + kDataSizes[prefix & 0x03u];
    if (((prefix >> 2) & 0x03u) == 3) {
        length += offset + 1 < size ? data[offset + 1] : 0;
    }
    return length;
}

void CheckRows(const std::uint8_t* data, std::size_t size, const DeviceDescription& description)
{
    std::size_t expectedOffset = 0;
    for (const ItemRow& row : description.rows) {
        Require(expectedOffset < size, "a row starts past the end");
        Require(static_cast<std::size_t>(row.offset) == expectedOffset, "a row is out of place");
        Require(row.prefix == data[expectedOffset], "a row holds another prefix");
        expectedOffset += ItemLength(data, size, expectedOffset);
    }
    Require(expectedOffset >= size, "an item has no row");
}

unsigned ReportSlot(const HidReport& report)
{
    return static_cast<unsigned>(report.type) / 2 * 256 + report.reportId;
}

// Within one top-level collection the parse keeps one record per type and report id, found again
// through its index rather than by searching the tree: the records must be unique, and for each
// the depth-first search must give that same record.
void CheckReportIndex(const HidCollection& topLevel)
{
    std::array<const HidReport*, 3 * 256> records{};
    std::vector<const HidReport*> found;
    std::size_t collections = 0;
    ForEachCollection(topLevel, [&](const HidCollection& current) {
        ++collections;
        for (std::uint32_t i = 0; i < current.reportListCount; ++i) {
            const HidReport* report = current.reports[i];
            Require(report->type == ReportType::Input || report->type == ReportType::Output ||
                        report->type == ReportType::Feature,
                    "a report record has an unknown type");
            Require(report->owner == &current, "a report record names another owner");
            const HidReport*& slot = records[ReportSlot(*report)];
            Require(slot == nullptr, "two report records of one type and id in a collection");
            slot = report;
            found.push_back(report);
        }
    });
    if (found.size() * collections > kFindReportBudget) {
        return;
    }
    for (const HidReport* report : found) {
        HidReport* searched = nullptr;
        Require(FindReport(topLevel, report->type, report->reportId, &searched) ==
                        ParseResult::Ok &&
                    searched == report,
                "the depth-first search found another report record");
    }
}

void CheckReportIndexes(const DeviceDescription& description)
{
    if (description.state == nullptr || description.state->rootCollection == nullptr) {
        return;
    }
    const HidCollection& root = *description.state->rootCollection;
    for (std::uint32_t i = 0; i < root.childCount; ++i) {
        CheckReportIndex(*root.children[i]);
    }
}

// A cheap check of the JSON document's shape: brackets and braces pair up outside strings,
// strings hold no raw control characters and only known escapes, and the document is one object
// followed by a line feed. Not instrumented, nor inlined into what is: its branches tell nothing
// about the program.
__attribute__((no_sanitize("coverage"), noinline)) bool IsWellFormedJson(const std::string& text)
{
    std::string open;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c == '\\') {
                if (++i == text.size() ||
                    std::string_view("\"\\/bfnrtu").find(text[i]) == std::string_view::npos) {
                    return false;
                }
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '{':
        case '[':
            open.push_back(c);
            break;
        case '}':
        case ']':
            if (open.empty() || open.back() != (c == '}' ? '{' : '[')) {
                return false;
            }
            open.pop_back();
            if (open.empty() && i + 2 != text.size()) {
                return false; // only the final line feed may follow the document
            }
            break;
        default:
            break;
        }
    }
    return open.empty() && !inString && text.size() >= 3 && text.front() == '{' &&
           text.back() == '\n';
}

std::FILE* DebugSink()
{
    // Debug lines are formatted as in a --debug run, then dropped.
    static std::FILE* sink = std::fopen("/dev/null", "w");
    return sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kLargestInput) {
        return -1; // not kept in the corpus
    }
    AnalysisOptions options;
    options.usageNames = size % 2 == 1 ? UsageNames::Full : UsageNames::Classic;
    options.findings = false; // fuzz_check runs the diagnostics pass
    options.debugOut = DebugSink();
    options.memoryBound = kFuzzMemoryBound;
    options.layoutTextLimit = kFuzzLayoutTextChars;
    Analysis analysis;
    AnalyseDescriptor(std::span<const std::uint8_t>(data, size), options, analysis);
    const ParseResult result = analysis.result;
    DeviceDescription& description = analysis.description;
    if (size == 0) {
        Require(result == ParseResult::EmptyDescriptor, "no bytes did not give -4");
        Require(description.rows.empty(), "no bytes gave rows");
    } else {
        Require(result == ParseResult::Ok || result == ParseResult::NoMemory,
                "a parse gave a code other than 0 and -1");
        CheckRows(data, size, description);
    }
    CheckReportIndexes(description);
    Require(description.collectionCount == description.summaries.size() ||
                result == ParseResult::NoMemory,
            "collections and summaries differ in number");

    for (std::size_t i = 1; i < analysis.notices.size(); ++i) {
        Require(analysis.notices[i - 1] < analysis.notices[i], "notices repeated or out of order");
    }
    Require(result != ParseResult::NoMemory || !analysis.notices.empty(),
            "a parse cut short at the memory bound without a notice");

    const LayoutTexts& texts = analysis.layout;
    Require(texts.detail.size() <= texts.limit, "the detail text passed its bound");
    Require(texts.summary.size() <= texts.limit, "the summary text passed its bound");
    Require(texts.summary.size() <= texts.detail.size(), "the summary is longer than the detail");

    const std::size_t fields =
        description.state != nullptr ? description.state->totalFieldCount : 0;
    const bool small = description.rows.size() + fields <= kSmallParseElements;
    if (small) {
        const std::string detail = ToUtf8(texts.detail);
        Require(detail.size() >= texts.detail.size(), "the layout text lost characters");
    }
    for (const SavedForm form : { SavedForm::Plain, SavedForm::C }) {
        if (form == SavedForm::C && !small) {
            continue;
        }
        CountingBuffer counter;
        std::ostream out(&counter);
        WriteRowsAsSavedAnalysis(out, form, description.rows);
        Require(out.good(), "the saved analysis failed on a stream that cannot fail");
        Require(counter.Count() >= description.rows.size() * 2, "a saved line is missing");
    }

    if (small) {
        std::ostringstream json;
        WriteJsonDocument(json, result, description, nullptr, &analysis.reports);
        Require(IsWellFormedJson(json.str()), "the JSON document is not well formed");
    }

    ReleaseDeviceDescription(description);
    Require(description.rows.empty() && description.state == nullptr &&
                description.collections == nullptr && description.collectionCount == 0,
            "the description is not empty after release");
    return 0;
}
