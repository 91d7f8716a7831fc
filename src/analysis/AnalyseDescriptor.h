#pragma once

#include "annotation/FillInUsageNames.h"
#include "diagnostics/CheckDescriptor.h"
#include "diagnostics/Finding.h"
#include "hosts/CheckHosts.h"
#include "parser/DeviceDescription.h"
#include "parser/ParseResult.h"
#include "parser/ReportLayout.h"
#include "reports/ReportModel.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

namespace quorlix {

// What one analysis builds, and how. Each view costs time, so a caller that shows only some of
// them asks only for those; the layout texts bring the item list with them.
struct AnalysisOptions
{
    // Full names fill in the item list's and the layout texts' empty classic names.
    UsageNames usageNames = UsageNames::Classic;
    bool itemList = true;    // rows, top-level collections, report ids, the collection tree
    bool layoutTexts = true; // the detail and summary pane texts
    bool reportModel = true; // every report's fields, offsets and lengths
    bool findings = true;    // what check finds
    CheckOptions check;
    // Host profiles whose rules check adds, and the USB interface they may read; with no
    // profile and no packet size no host rule runs.
    HostCheckOptions hosts;
    // Where the parser's and the layout's debug lines go; nullptr drops them. The analysis
    // writes nowhere else.
    std::FILE* debugOut = nullptr;
    std::size_t memoryBound = kParseMemoryBound;
    std::size_t layoutTextLimit = kMaxLayoutTextChars;
};

// Something the analysis had to leave out or hold at a limit. None of them is an error: the
// views show what was kept, and the callers say these beside them.
enum class AnalysisNotice : std::uint8_t
{
    FieldsNotKept,  // a bound of the parse was reached: some report fields were not kept
    SizesSaturated, // a report length or offset is held at the largest value
    LayoutTextCut,  // a pane text reached its limit
    UsageListCut,   // a field's usage list was cut at kMaxFieldUsages
};

// One descriptor analysed: the parse with its rows, collections and tree, and the views asked
// for. Neither copied nor moved, as the parse it holds refers to itself.
struct Analysis
{
    ParseResult result = ParseResult::Ok; // the parser's own code: 0, -1, -3 or -4
    DeviceDescription description;        // rows, collections, report ids, summaries, tree
    LayoutTexts layout;                   // empty unless asked for
    ReportModel reports;                  // empty unless asked for
    std::vector<Finding> findings;        // empty unless asked for; the hosts' ones among them
    HostCheckResult hosts;                // the profiles checked and the rules left unchecked
    bool hostsChecked = false;
    std::vector<AnalysisNotice> notices; // in the order of the enumeration, each once

    Analysis() = default;
    Analysis(const Analysis&) = delete;
    Analysis& operator=(const Analysis&) = delete;
};

// Analyses bytes into analysis, first releasing what an earlier analysis left there. Any byte
// string is a valid input: odd items become rows and findings, a bound reached becomes a
// notice, never a failure. Writes only to options.debugOut.
void AnalyseDescriptor(std::span<const std::uint8_t> bytes, const AnalysisOptions& options,
                       Analysis& analysis);

// The same for bytes held as text, as the readers of descriptor forms give them.
void AnalyseDescriptor(std::string_view bytes, const AnalysisOptions& options, Analysis& analysis);

// The notice in lower case without a final period, as the command line and the window show it:
// "a bound was reached: some report fields were not kept".
const char* AnalysisNoticeText(AnalysisNotice notice);

} // namespace quorlix
