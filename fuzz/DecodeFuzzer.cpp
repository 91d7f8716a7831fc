// A random descriptor and a random report through the report model and the decoder, as
// quorlix-cli decode and the window's decode dialog run them. The input is one type byte, two
// bytes of descriptor length (little-endian), the descriptor, then the report. Besides not
// crashing, it checks what the decoder promises: entries only for a report it accepted, each
// inside the report's bits, arrays' usages from their fields' lists, and the texts of every
// entry.

#include "reports/DecodeReport.h"
#include "reports/ReportLine.h"
#include "reports/ReportModel.h"
#include "reports/ReportText.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("decode fuzzer", condition, what);
}

void CheckDecoded(const ReportModel& model, const Expected<void, DecodeError>& result,
                  const DecodedReport& decoded, std::size_t length)
{
    if (!result) {
        Require(decoded.entries.empty() && decoded.active.empty(), "entries of a rejected report");
        Require(!DecodeErrorText(result.Error()).empty(), "a rejected report without a reason");
        return;
    }
    Require(decoded.report != nullptr, "a decoded report without its model");
    Require(decoded.report == model.Find(decoded.type, decoded.reportId), "the wrong report");
    Require(decoded.report->byteLength == length, "a report of the wrong length decoded");
    const std::uint64_t bits = std::uint64_t{ length } * 8;
    for (const DecodedEntry& entry : decoded.entries) {
        const ReportField& field = decoded.report->fields.at(entry.fieldIndex);
        Require(entry.bitSize > 0, "an entry of no bits");
        Require(entry.bitOffset + std::uint64_t{ entry.bitSize } * entry.count <= bits,
                "an entry past the report's end");
        if (!entry.isArray) {
            Require(entry.usage == ElementUsage(field, static_cast<std::uint32_t>(
                                                           (entry.bitOffset - field.bitOffset) /
                                                           field.bitSize)),
                    "a variable element with another element's usage");
            continue;
        }
        Require(std::uint64_t{ entry.firstActive } + entry.activeCount <= decoded.active.size(),
                "array usages past the list");
        Require(entry.activeCount <= entry.count, "more usages than array elements");
    }
    // The texts, as the command line and the window show them.
    (void)DecodedReportText(decoded);
    (void)DecodedReportLine(decoded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) {
        return 0;
    }
    const ReportType types[] = { ReportType::Input, ReportType::Output, ReportType::Feature };
    const ReportType type = types[data[0] % 3];
    const std::size_t declared = std::size_t{ data[1] } | (std::size_t{ data[2] } << 8);
    const std::span<const std::uint8_t> rest(data + 3, size - 3);
    const std::size_t descriptorLength = declared < rest.size() ? declared : rest.size();
    const std::span<const std::uint8_t> descriptor = rest.first(descriptorLength);
    const std::span<const std::uint8_t> report = rest.subspan(descriptorLength);

    const ReportModel model = BuildReportModel(descriptor);
    for (const Report& modelled : model.reports) {
        const std::uint64_t idBits = model.IsNumbered(modelled.type) ? 8 : 0;
        for (const ReportField& field : modelled.fields) {
            Require(field.bitOffset >= idBits, "a field over the report id byte");
            Require(field.usageCount <= kMaxFieldUsages, "a usage list past its bound");
        }
    }

    DecodedReport decoded;
    CheckDecoded(model, DecodeReport(model, type, report, decoded), decoded, report.size());

    // The same bytes as a line of report input, as standard input would bring them.
    ReportLine line;
    ReadReportLine(std::string_view(reinterpret_cast<const char*>(report.data()), report.size()),
                   line);
    if (line.kind == ReportLineKind::Report) {
        CheckDecoded(model, DecodeReport(model, type, line.bytes, decoded), decoded,
                     line.bytes.size());
    }
    return 0;
}
