#pragma once

#include "reports/ReportModel.h"
#include "support/Expected.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlix {

// Why a report was not decoded.
enum class DecodeErrorKind : std::uint8_t
{
    Empty,           // no byte
    NoReportOfType,  // the descriptor declares no report of that type
    UnknownReportId, // numbered reports, and none has the first byte as its id
    WrongLength,     // the report found takes another number of bytes
    TooLong,         // the report found is longer than kMaxDecodedReportBytes
};

// A report not decoded, with what a message needs to say why.
struct DecodeError
{
    DecodeErrorKind kind = DecodeErrorKind::Empty;
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;        // the first byte when numbered, else 0
    std::size_t length = 0;           // bytes given
    std::uint64_t expectedLength = 0; // bytes the report takes (WrongLength, TooLong)
};

// One line of a decoded report: an element of a Variable field, or a whole Array field.
struct DecodedEntry
{
    bool isArray = false;
    std::uint32_t fieldIndex = 0; // in the report's fields
    std::uint64_t bitOffset = 0;  // the element's (a Variable field) or the field's (an Array)
    std::uint32_t bitSize = 0;    // of one element
    std::uint32_t count = 1;      // elements: 1 for a Variable element
    // A Variable element's usage and value; the null state is a value outside the logical
    // limits of a field that declares one.
    std::uint32_t usage = 0;
    std::uint64_t raw = 0; // the element's bits, whole up to 64 of them; 0 when wider
    std::int64_t logical = 0;
    // An element wider than 64 bits has no number: its bytes, least significant first, are
    // wideBytes[firstWideByte, +wideByteCount) of the decoded report.
    bool wide = false;
    std::uint32_t firstWideByte = 0;
    std::uint32_t wideByteCount = 0;
    bool isNull = false;
    bool hasPhysical = false;
    double physical = 0;
    // An Array field's usages reported, in element order: active[firstActive, +activeCount).
    std::uint32_t firstActive = 0;
    std::uint32_t activeCount = 0;
};

// A report decoded against the model. Reused from report to report, it keeps its storage.
struct DecodedReport
{
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;         // the first byte when numbered, else 0
    std::size_t length = 0;            // bytes given
    std::uint64_t expectedLength = 0;  // bytes the report takes, once found
    const Report* report = nullptr;    // in the model; nullptr unless decoded
    std::vector<DecodedEntry> entries; // constant padding left out
    std::vector<std::uint32_t> active;
    std::vector<std::uint8_t> wideBytes;
};

// The bits of an element, bitSize of them at bitOffset, as bytes least significant first,
// written as hex pairs with blanks: "01 02 0A".
std::string WideBytesText(const DecodedReport& decoded, const DecodedEntry& entry);

// The longest report the decoder takes: what one hidraw read can deliver at most. It bounds
// the entries of one decoded report to 8 per byte.
inline constexpr std::uint64_t kMaxDecodedReportBytes = 16384;

// Decodes one report of the type. Numbered reports are picked by their first byte; the length
// must match exactly. Fields of size 0 and constant fields without usages (padding) give no
// entry. Elements of up to 64 bits decode whole; wider ones give their bytes. A report id used
// by several top-level collections is one report of the device, as hosts read it (see
// Report::spansCollections). Time grows with the report's length only. On an error decoded
// holds no entry.
Expected<void, DecodeError> DecodeReport(const ReportModel& model, ReportType type,
                                         std::span<const std::uint8_t> bytes,
                                         DecodedReport& decoded);

// One line, lower-case, that says why a report was not decoded ("no input report with id 7").
std::string DecodeErrorText(const DecodeError& error);

} // namespace quorlix
