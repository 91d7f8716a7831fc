#include "analysis/AnalyseDescriptor.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quorlix {
namespace {

// HID's findings and the hosts' in one offset order, HID's first at one offset.
std::vector<Finding> Merged(std::vector<Finding> hid, std::vector<Finding> hosts)
{
    std::vector<Finding> all;
    all.reserve(hid.size() + hosts.size());
    std::merge(std::make_move_iterator(hid.begin()), std::make_move_iterator(hid.end()),
               std::make_move_iterator(hosts.begin()), std::make_move_iterator(hosts.end()),
               std::back_inserter(all),
               [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    return all;
}

} // namespace

void AnalyseDescriptor(std::span<const std::uint8_t> bytes, const AnalysisOptions& options,
                       Analysis& analysis)
{
    ReleaseDeviceDescription(analysis.description);
    analysis.result = ParseResult::Ok;
    if (options.itemList || options.layoutTexts) {
        ParseOptions parseOptions;
        parseOptions.debugOut = options.debugOut;
        parseOptions.memoryBound = options.memoryBound;
        analysis.result =
            ParseDescriptor(bytes.data(), bytes.size(), analysis.description, parseOptions);
        if (options.usageNames == UsageNames::Full) {
            FillInUsageNames(analysis.description.rows);
        }
    }

    analysis.layout = LayoutTexts{};
    analysis.layout.usageNames = options.usageNames;
    analysis.layout.limit = options.layoutTextLimit;
    if (options.layoutTexts) {
        BuildLayoutTexts(analysis.description, analysis.layout, options.debugOut);
    }

    analysis.reports = options.reportModel ? BuildReportModel(bytes) : ReportModel{};
    analysis.findings.clear();
    if (options.findings) {
        analysis.findings = CheckDescriptor(bytes, options.check);
    }
    analysis.hosts = HostCheckResult{};
    analysis.hostsChecked = options.findings && (!options.hosts.profiles.empty() ||
                                                 options.hosts.usb.maxPacketSize.has_value());
    if (analysis.hostsChecked) {
        analysis.hosts = CheckHosts(bytes, options.hosts);
        if (!options.check.disabled[static_cast<std::size_t>(CheckId::HostRule)]) {
            analysis.findings =
                Merged(std::move(analysis.findings), std::move(analysis.hosts.findings));
        }
        analysis.hosts.findings.clear();
    }

    analysis.notices.clear();
    const auto note = [&](bool reached, AnalysisNotice notice) {
        if (reached) {
            analysis.notices.push_back(notice);
        }
    };
    note(analysis.description.boundReached, AnalysisNotice::FieldsNotKept);
    note(analysis.description.sizesSaturated || analysis.reports.sizesSaturated,
         AnalysisNotice::SizesSaturated);
    note(analysis.layout.truncated, AnalysisNotice::LayoutTextCut);
    note(analysis.reports.boundReached, AnalysisNotice::UsageListCut);
}

void AnalyseDescriptor(std::string_view bytes, const AnalysisOptions& options, Analysis& analysis)
{
    AnalyseDescriptor(std::span<const std::uint8_t>(
                          reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                      options, analysis);
}

const char* AnalysisNoticeText(AnalysisNotice notice)
{
    switch (notice) {
    case AnalysisNotice::FieldsNotKept:
        return "a bound was reached: some report fields were not kept";
    case AnalysisNotice::LayoutTextCut:
        return "a bound was reached: the layout text was cut short";
    case AnalysisNotice::UsageListCut:
        return "a bound was reached: a usage list was cut short";
    case AnalysisNotice::SizesSaturated:
        return "a size too large to count is shown at its largest value";
    }
    return "";
}

} // namespace quorlix
