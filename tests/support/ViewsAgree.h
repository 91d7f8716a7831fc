#pragma once

// Whether every view of a descriptor tells the same lengths: the layout's records and texts,
// the JSON document, decode, the C header and check, all against the one report model. Shared
// by the test over the repository's descriptors and the views fuzz target; header-only, so the
// fuzz build needs no test library.

#include "analysis/AnalyseDescriptor.h"
#include "annotation/ItemStateWalker.h"
#include "cli/JsonDocument.h"
#include "codegen/CHeader.h"
#include "parser/CollectionWalk.h"
#include "reports/DecodeReport.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace quorlix::test {

// A layout record and the top-level collection it belongs to.
struct LayoutRecord
{
    const HidReport* report;
    std::uint32_t collection; // index among the top-level collections
};

inline std::uint64_t WholeBytes(std::uint64_t bits)
{
    return bits / 8 + (bits % 8 != 0 ? 1 : 0);
}

// Every Input, Output or Feature item lies inside some collection. Items outside any are kept
// by the report model alone: the layout, as designed, shows only top-level collections' reports.
inline bool AllFieldsInCollections(std::span<const std::uint8_t> bytes)
{
    bool inside = true;
    ItemStateWalker walker;
    WalkItems(bytes, walker, [&](const DecodedItem& item, const ItemStateWalker& state) {
        const bool data = IsItem(item, MainTag::Input) || IsItem(item, MainTag::Output) ||
                          IsItem(item, MainTag::Feature);
        inside = inside && (!data || state.CollectionDepth() > 0);
    });
    return inside;
}

// The layout's records, top-level collection by collection, depth-first: the order of the panes.
inline std::vector<LayoutRecord> LayoutRecords(const DeviceDescription& description)
{
    std::vector<LayoutRecord> records;
    for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
        ForEachCollection(*description.state->rootCollection->children[i],
                          [&](const HidCollection& collection) {
                              for (std::uint32_t k = 0; k < collection.reportListCount; ++k) {
                                  records.push_back({ collection.reports[k], i });
                              }
                          });
    }
    return records;
}

// Pairs (bytes, bits) of the "ReportContentSize=N Bytes(B Bits)" lines of a pane text.
inline std::vector<std::pair<std::uint64_t, std::uint64_t>> ContentSizes(const std::u16string& text)
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> sizes;
    const std::u16string key = u"ReportContentSize=";
    const auto number = [&](std::size_t& at) {
        std::uint64_t value = 0;
        for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
            value = value * 10 + (text[at] - u'0');
        }
        return value;
    };
    for (std::size_t at = text.find(key); at != std::u16string::npos; at = text.find(key, at)) {
        at += key.size();
        const std::uint64_t bytes = number(at);
        at += std::u16string_view(u" Bytes(").size();
        sizes.push_back({ bytes, number(at) });
    }
    return sizes;
}

// The numbers of the header's "#define ..._LENGTH N" lines, in order.
inline std::vector<std::uint64_t> HeaderLengths(const std::string& header)
{
    std::vector<std::uint64_t> lengths;
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("_LENGTH ");
        if (line.rfind("#define ", 0) != 0 || at == std::string::npos) {
            continue;
        }
        lengths.push_back(std::stoull(line.substr(at + 8)));
    }
    return lengths;
}

// The first disagreement between the views, or "" when they all agree (or when the descriptor
// is one they may differ on by design: fields outside any collection, a bound reached, a size
// held at its largest value).
inline std::string FirstDisagreement(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || !AllFieldsInCollections(bytes)) {
        return {};
    }
    Analysis analysis;
    AnalyseDescriptor(bytes, AnalysisOptions{}, analysis);
    const DeviceDescription& description = analysis.description;
    const ReportModel& model = analysis.reports;
    if (analysis.result != ParseResult::Ok || !analysis.notices.empty() ||
        description.collectionCount != description.state->rootCollection->childCount) {
        return {};
    }

    // The layout's records and texts against the model.
    const std::vector<LayoutRecord> records = LayoutRecords(description);
    std::vector<std::uint64_t> recordBits(model.reports.size(), 0);
    for (const LayoutRecord& record : records) {
        const Report* report = model.Find(record.report->type, record.report->reportId);
        if (report == nullptr) {
            return "a layout record the model does not have";
        }
        recordBits[static_cast<std::size_t>(report - model.reports.data())] +=
            record.report->bitSize;
    }
    for (std::size_t i = 0; i < model.reports.size(); ++i) {
        const Report& report = model.reports[i];
        const std::uint64_t idBits = model.IsNumbered(report.type) ? 8 : 0;
        if (recordBits[i] + idBits != report.bitLength) {
            return "the layout's records and the model differ in a report's length";
        }
    }
    const auto sizes = ContentSizes(analysis.layout.summary);
    if (sizes.size() != records.size()) {
        return "the layout text shows another number of reports";
    }
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i].second != records[i].report->bitSize ||
            sizes[i].first != WholeBytes(sizes[i].second)) {
            return "the layout text shows another length";
        }
    }

    // The JSON document: its reports are the model's, and each collection's length is its
    // first record's, which is the model's report unless several collections share it.
    std::ostringstream jsonText;
    WriteJsonDocument(jsonText, analysis.result, description, nullptr, &model);
    const nlohmann::json json = nlohmann::json::parse(jsonText.str());
    if (json["reports"].size() != model.reports.size()) {
        return "JSON lists another number of reports";
    }
    for (std::size_t i = 0; i < model.reports.size(); ++i) {
        if (json["reports"][i]["byteLength"].get<std::uint64_t>() != model.reports[i].byteLength) {
            return "JSON gives a report another length";
        }
    }
    static constexpr std::pair<ReportType, const char*> kLengths[] = {
        { ReportType::Input, "inputLength" },
        { ReportType::Output, "outputLength" },
        { ReportType::Feature, "featureLength" },
    };
    for (std::uint32_t c = 0; c < description.collectionCount; ++c) {
        for (const auto& [type, key] : kLengths) {
            const HidReport* first = nullptr;
            for (const LayoutRecord& record : records) {
                if (record.collection == c && record.report->type == type) {
                    first = record.report;
                    break;
                }
            }
            const std::uint64_t length = json["reportIds"][c][key].get<std::uint64_t>();
            if (first == nullptr) {
                if (length != 0) {
                    return "JSON gives a length to a type the collection has no report of";
                }
                continue;
            }
            // The designed length counts the id byte where the first report has an id; the
            // model counts it for every report of a numbered type, so the two part only where
            // a report without an id stands among numbered ones, which check calls an error.
            const std::uint64_t designed =
                WholeBytes(first->bitSize) + (first->reportId != 0 ? 1 : 0);
            if (length != designed) {
                return "JSON's collection length is not its first report's";
            }
            const Report* report = model.Find(type, first->reportId);
            const bool comparable = first->reportId != 0 || !model.IsNumbered(type);
            if (!report->spansCollections && comparable && designed != report->byteLength) {
                return "JSON's collection length and the model's report length differ";
            }
        }
    }

    // decode takes a report of the model's length and no other.
    DecodedReport decoded;
    for (const Report& report : model.reports) {
        if (report.byteLength > kMaxDecodedReportBytes || report.byteLength == 0) {
            continue;
        }
        std::vector<std::uint8_t> data(static_cast<std::size_t>(report.byteLength), 0);
        const bool numbered = model.IsNumbered(report.type);
        data[0] = numbered ? report.reportId : 0;
        if (!DecodeReport(model, report.type, data, decoded) || decoded.report != &report) {
            return "decode refuses a report of the model's length";
        }
        if (data.size() > 1) {
            data.pop_back();
            const auto shorter = DecodeReport(model, report.type, data, decoded);
            if (shorter || shorter.Error().kind != DecodeErrorKind::WrongLength) {
                return "decode takes a report one byte short";
            }
        }
    }

    // The header's report lengths, in the model's order.
    std::ostringstream header;
    WriteCHeader(header, bytes, "v");
    const std::vector<std::uint64_t> lengths = HeaderLengths(header.str());
    if (lengths.size() != model.reports.size()) {
        return "the header defines another number of reports";
    }
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        if (lengths[i] != model.reports[i].byteLength) {
            return "the header gives a report another length";
        }
    }

    // check: a finding for each report not a whole number of bytes, each shared report id.
    std::size_t unaligned = 0;
    std::size_t shared = 0;
    for (const Report& report : model.reports) {
        const std::uint64_t idBits = model.IsNumbered(report.type) ? 8 : 0;
        unaligned += (report.bitLength - idBits) % 8 != 0 ? 1 : 0;
        shared += report.spansCollections && report.reportId != 0 ? 1 : 0;
    }
    std::size_t unalignedFound = 0;
    std::size_t sharedFound = 0;
    for (const Finding& finding : analysis.findings) {
        unalignedFound += finding.check == CheckId::ReportNotByteAligned ? 1 : 0;
        sharedFound += finding.check == CheckId::ReportIdShared ? 1 : 0;
        if (finding.check == CheckId::SizeOverflow) {
            return "check finds a size past 64 bits the model counts";
        }
    }
    if (unalignedFound != unaligned) {
        return "check and the model differ on which reports are whole bytes";
    }
    if (sharedFound != shared) {
        return "check and the model differ on which report ids are shared";
    }
    return {};
}

} // namespace quorlix::test
