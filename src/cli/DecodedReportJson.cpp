#include "cli/DecodedReportJson.h"

#include "support/HexDigits.h"
#include "usage_names/FullUsageNames.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace quorlix {
namespace {

// A JSON string: quotes, backslashes and control characters escaped. The texts are UTF-8 from
// the name tables, the unit texts and error lines, which keep to plain text.
void AppendString(std::string& out, std::string_view text)
{
    out += '"';
    // Plain runs go in whole; only the characters that need it are escaped one by one.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c != '"' && c != '\\' && byte >= 0x20) {
            continue;
        }
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (byte < 0x20) {
            const char escape[] = {
                '\\', 'u', '0', '0', LowerHexDigit(byte >> 4), LowerHexDigit(byte)
            };
            out.append(escape, sizeof escape);
        } else {
            const char escape[] = { '\\', c };
            out.append(escape, sizeof escape);
        }
    }
    out.append(text.data() + run, text.size() - run);
    out += '"';
}

template <typename Number>
void AppendNumber(std::string& out, Number value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

// The shortest text that reads back as the same double; null where JSON has no number for it.
void AppendDouble(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    AppendNumber(out, value);
}

// A key with its quotes and colon, written as one literal: AppendKey(out, "\"raw\":").
template <std::size_t N>
void AppendKey(std::string& out, const char (&key)[N])
{
    out.append(key, N - 1);
}

void AppendUsage(std::string& out, std::uint32_t usage)
{
    const PagedUsage paged = UsageOfExtended(usage);
    AppendKey(out, "\"usagePage\":");
    AppendNumber(out, paged.usagePage);
    AppendKey(out, ",\"usage\":");
    AppendNumber(out, paged.usageId);
    AppendKey(out, ",\"usageName\":");
    AppendString(out, FullUsageName(paged.usagePage, paged.usageId).View());
}

void AppendArray(std::string& out, const DecodedReport& decoded, const DecodedEntry& entry)
{
    out += "{\"kind\":\"array\",";
    AppendKey(out, "\"bitOffset\":");
    AppendNumber(out, entry.bitOffset);
    AppendKey(out, ",\"bitSize\":");
    AppendNumber(out, entry.bitSize);
    AppendKey(out, ",\"count\":");
    AppendNumber(out, entry.count);
    AppendKey(out, ",\"active\":");
    out += '[';
    for (std::uint32_t i = 0; i < entry.activeCount; ++i) {
        out += i == 0 ? "{" : ",{";
        AppendUsage(out, decoded.active[entry.firstActive + i]);
        out += '}';
    }
    out += "]}";
}

void AppendVariable(std::string& out, const DecodedReport& decoded, const DecodedEntry& entry)
{
    out += "{\"kind\":\"variable\",";
    AppendUsage(out, entry.usage);
    AppendKey(out, ",\"bitOffset\":");
    AppendNumber(out, entry.bitOffset);
    AppendKey(out, ",\"bitSize\":");
    AppendNumber(out, entry.bitSize);
    AppendKey(out, ",\"raw\":");
    if (entry.wide) {
        // Wider than any JSON number: the bytes instead, least significant first.
        out += "null,";
        AppendKey(out, "\"bytes\":");
        AppendString(out, WideBytesText(decoded, entry));
    } else {
        AppendNumber(out, entry.raw);
    }
    AppendKey(out, ",\"logical\":");
    if (entry.isNull || entry.wide) {
        out += "null";
    } else {
        AppendNumber(out, entry.logical);
    }
    // A null value keeps its field's physical key, as null, and its unit.
    const ReportField& field = decoded.report->fields[entry.fieldIndex];
    if (field.physicalGiven) {
        AppendKey(out, ",\"physical\":");
        if (entry.hasPhysical) {
            AppendDouble(out, entry.physical);
        } else {
            out += "null";
        }
        const std::string unit = UnitText(field.unit);
        if (!unit.empty()) {
            AppendKey(out, ",\"unit\":");
            AppendString(out, unit);
        }
    }
    out += '}';
}

} // namespace

void AppendReportJson(std::string& out, const ReportLine& line, ReportType type,
                      const DecodedReport* decoded, const std::string& error)
{
    out += '{';
    AppendKey(out, "\"type\":");
    AppendString(out, ReportTypeName(type));
    AppendKey(out, ",\"reportId\":");
    if (decoded != nullptr) {
        AppendNumber(out, decoded->reportId);
    } else {
        out += "null";
    }
    AppendKey(out, ",\"length\":");
    AppendNumber(out, line.bytes.size());
    if (line.isEvent) {
        AppendKey(out, ",\"time\":");
        AppendDouble(out, line.seconds);
    }
    // Only a report whose id several top-level collections use says so.
    if (decoded != nullptr && decoded->report != nullptr && decoded->report->spansCollections) {
        out += ',';
        AppendKey(out, "\"spansCollections\":true");
    }
    AppendKey(out, ",\"fields\":");
    out += '[';
    if (decoded != nullptr) {
        bool first = true;
        for (const DecodedEntry& entry : decoded->entries) {
            if (!first) {
                out += ',';
            }
            first = false;
            if (entry.isArray) {
                AppendArray(out, *decoded, entry);
            } else {
                AppendVariable(out, *decoded, entry);
            }
        }
    }
    out += "],";
    AppendKey(out, "\"error\":");
    if (error.empty()) {
        out += "null";
    } else {
        AppendString(out, error);
    }
    out += '}';
}

} // namespace quorlix
