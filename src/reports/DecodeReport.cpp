#include "reports/DecodeReport.h"

#include "support/Bits.h"
#include "support/HexDigits.h"

#include <algorithm>
#include <cmath>

namespace quorlix {
namespace {

constexpr unsigned kWholeBits = 64; // the widest element decoded as a number

// The n bits (n at most 64) at offset, least significant bit first, as reports pack them: the
// first byte gives its bits from the offset's shift up, each next byte all eight. The caller
// has checked that they lie inside bytes.
std::uint64_t ExtractBits(std::span<const std::uint8_t> bytes, std::uint64_t offset, unsigned n)
{
    std::size_t index = static_cast<std::size_t>(offset / 8);
    unsigned shift = static_cast<unsigned>(offset % 8);
    std::uint64_t value = 0;
    for (unsigned done = 0; done < n; done += 8 - shift, shift = 0, ++index) {
        value |= std::uint64_t{ static_cast<std::uint8_t>(bytes[index] >> shift) } << done;
    }
    return n >= kWholeBits ? value : value & ((std::uint64_t{ 1 } << n) - 1);
}

// The raw bits as a number: signed (two's complement of their width) when the field's logical
// minimum is negative. An unsigned 64-bit value past the signed range is held at its top.
std::int64_t LogicalValue(const ReportField& field, std::uint64_t raw, unsigned width)
{
    if (field.logicalMinimum >= 0 || width == 0) {
        return raw > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX
                                                           : static_cast<std::int64_t>(raw);
    }
    return SignExtend(raw, width);
}

// An element wider than any number: its bytes go to the report's pool.
void DecodeWide(std::span<const std::uint8_t> bytes, DecodedEntry& entry, DecodedReport& decoded)
{
    entry.wide = true;
    entry.firstWideByte = static_cast<std::uint32_t>(decoded.wideBytes.size());
    for (std::uint32_t done = 0; done < entry.bitSize; done += 8) {
        const unsigned n = entry.bitSize - done < 8 ? entry.bitSize - done : 8;
        decoded.wideBytes.push_back(
            static_cast<std::uint8_t>(ExtractBits(bytes, entry.bitOffset + done, n)));
    }
    entry.wideByteCount =
        static_cast<std::uint32_t>(decoded.wideBytes.size()) - entry.firstWideByte;
}

double PhysicalValue(const ReportField& field, std::int64_t logical)
{
    const double logicalRange =
        static_cast<double>(field.logicalMaximum) - static_cast<double>(field.logicalMinimum);
    const double physicalRange =
        static_cast<double>(field.physicalMaximum) - static_cast<double>(field.physicalMinimum);
    double value = static_cast<double>(logical);
    if (logicalRange != 0) {
        value = static_cast<double>(field.physicalMinimum) +
                (value - static_cast<double>(field.logicalMinimum)) * physicalRange / logicalRange;
    }
    // Dividing by a power of ten for negative exponents keeps -5 at exponent -2 exactly -0.05.
    if (field.unitExponent > 0) {
        value *= std::pow(10.0, field.unitExponent);
    } else if (field.unitExponent < 0) {
        value /= std::pow(10.0, -static_cast<double>(field.unitExponent));
    }
    return value;
}

void DecodeVariable(const ReportField& field, std::uint32_t fieldIndex,
                    std::span<const std::uint8_t> bytes, DecodedReport& decoded)
{
    const unsigned width = field.bitSize;
    // The usage list is walked along with the elements (ElementUsage's rule: element i takes
    // usage i, the last one those past the list), not searched again for each.
    std::size_t run = 0;
    for (std::uint32_t i = 0; i < field.count; ++i) {
        DecodedEntry& entry = decoded.entries.emplace_back(); // made in place: no copy
        entry.fieldIndex = fieldIndex;
        entry.bitOffset = field.bitOffset + std::uint64_t{ i } * field.bitSize;
        entry.bitSize = field.bitSize;
        if (field.usageCount != 0 && !field.usages.empty()) {
            const std::uint32_t index = std::min(i, field.usageCount - 1);
            while (run + 1 < field.usages.size() && field.usages[run + 1].firstIndex <= index) {
                ++run;
            }
            entry.usage = field.usages[run].firstUsage + (index - field.usages[run].firstIndex);
        }
        if (width > kWholeBits) {
            DecodeWide(bytes, entry, decoded);
            continue;
        }
        entry.raw = ExtractBits(bytes, entry.bitOffset, width);
        entry.logical = LogicalValue(field, entry.raw, width);
        entry.isNull = field.HasNullState() && (entry.logical < field.logicalMinimum ||
                                                entry.logical > field.logicalMaximum);
        entry.hasPhysical = field.physicalGiven && !entry.isNull;
        if (entry.hasPhysical) {
            entry.physical = PhysicalValue(field, entry.logical);
        }
    }
}

// An array element names a usage by its index in the usage list, counted from the logical
// minimum. Values outside the logical limits or the list, and usage id 0 (which every page
// leaves for "nothing"), report no usage.
void DecodeArray(const ReportField& field, std::uint32_t fieldIndex,
                 std::span<const std::uint8_t> bytes, DecodedReport& decoded)
{
    // An index wider than 64 bits names no usage any list can hold.
    const unsigned width = field.bitSize;
    DecodedEntry entry;
    entry.isArray = true;
    entry.fieldIndex = fieldIndex;
    entry.bitOffset = field.bitOffset;
    entry.bitSize = field.bitSize;
    entry.count = field.count;
    entry.firstActive = static_cast<std::uint32_t>(decoded.active.size());
    for (std::uint32_t i = 0; i < field.count && width <= kWholeBits; ++i) {
        const std::uint64_t raw =
            ExtractBits(bytes, field.bitOffset + std::uint64_t{ i } * field.bitSize, width);
        const std::int64_t value = LogicalValue(field, raw, width);
        if (value < field.logicalMinimum || value > field.logicalMaximum) {
            continue;
        }
        const std::int64_t index = value - field.logicalMinimum;
        if (index >= field.usageCount) {
            continue;
        }
        const std::uint32_t usage = UsageAtIndex(field, static_cast<std::uint32_t>(index));
        if ((usage & 0xFFFFu) != 0) {
            decoded.active.push_back(usage);
        }
    }
    entry.activeCount = static_cast<std::uint32_t>(decoded.active.size()) - entry.firstActive;
    decoded.entries.push_back(entry);
}

} // namespace

Expected<void, DecodeError> DecodeReport(const ReportModel& model, ReportType type,
                                         std::span<const std::uint8_t> bytes,
                                         DecodedReport& decoded)
{
    decoded.type = type;
    decoded.reportId = 0;
    decoded.length = bytes.size();
    decoded.expectedLength = 0;
    decoded.report = nullptr;
    decoded.entries.clear();
    decoded.active.clear();
    decoded.wideBytes.clear();
    const auto fail = [&](DecodeErrorKind kind) {
        return Unexpected(
            DecodeError{ kind, type, decoded.reportId, decoded.length, decoded.expectedLength });
    };
    if (bytes.empty()) {
        return fail(DecodeErrorKind::Empty);
    }
    const bool numbered = model.IsNumbered(type);
    decoded.reportId = numbered ? bytes[0] : 0;
    const Report* report = model.Find(type, decoded.reportId);
    if (report == nullptr) {
        return fail(numbered ? DecodeErrorKind::UnknownReportId : DecodeErrorKind::NoReportOfType);
    }
    decoded.expectedLength = report->byteLength;
    if (report->byteLength > kMaxDecodedReportBytes) {
        return fail(DecodeErrorKind::TooLong);
    }
    if (bytes.size() != report->byteLength) {
        return fail(DecodeErrorKind::WrongLength);
    }
    decoded.report = report;
    for (std::uint32_t i = 0; i < report->fields.size(); ++i) {
        const ReportField& field = report->fields[i];
        if (field.IsPadding()) {
            continue;
        }
        if (field.IsVariable()) {
            DecodeVariable(field, i, bytes, decoded);
        } else {
            DecodeArray(field, i, bytes, decoded);
        }
    }
    return {};
}

std::string WideBytesText(const DecodedReport& decoded, const DecodedEntry& entry)
{
    std::string text;
    text.reserve(std::size_t{ entry.wideByteCount } * 3);
    for (std::uint32_t i = 0; i < entry.wideByteCount; ++i) {
        const std::uint8_t byte = decoded.wideBytes[entry.firstWideByte + i];
        if (i != 0) {
            text += ' ';
        }
        text += UpperHexDigit(byte >> 4);
        text += UpperHexDigit(byte);
    }
    return text;
}

namespace {

std::string Bytes(std::uint64_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

} // namespace

std::string DecodeErrorText(const DecodeError& error)
{
    const std::string type = ReportTypeName(error.type);
    const std::string report =
        error.reportId != 0 ? type + " report " + std::to_string(error.reportId) : type + " report";
    switch (error.kind) {
    case DecodeErrorKind::Empty:
        return "empty report";
    case DecodeErrorKind::NoReportOfType:
        return "the descriptor declares no " + type + " report";
    case DecodeErrorKind::UnknownReportId:
        return "no " + type + " report with id " + std::to_string(error.reportId);
    case DecodeErrorKind::WrongLength:
        return report + " takes " + Bytes(error.expectedLength) + ", not " +
               std::to_string(error.length);
    case DecodeErrorKind::TooLong:
        break;
    }
    return report + " takes " + Bytes(error.expectedLength) + ", more than the " +
           std::to_string(kMaxDecodedReportBytes) + " the decoder takes";
}

} // namespace quorlix
