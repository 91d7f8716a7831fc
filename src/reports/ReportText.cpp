#include "reports/ReportText.h"

#include "usage_names/FullUsageNames.h"

#include <charconv>

namespace quorlix {
namespace {

// The physical value and its unit, as in "2.54 cm" or "12" without a unit.
std::string PhysicalWithUnit(const DecodedReport& decoded, const DecodedEntry& entry)
{
    std::string text = PhysicalText(entry.physical);
    const std::string unit = UnitText(decoded.report->fields[entry.fieldIndex].unit);
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

std::string ActiveUsages(const DecodedReport& decoded, const DecodedEntry& entry)
{
    if (entry.activeCount == 0) {
        return "none";
    }
    std::string text;
    for (std::uint32_t i = 0; i < entry.activeCount; ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += ReportUsageName(decoded.active[entry.firstActive + i]);
    }
    return text;
}

std::string LogicalText(const DecodedEntry& entry)
{
    return entry.isNull ? std::string("null") : std::to_string(entry.logical);
}

} // namespace

std::string ReportUsageName(std::uint32_t usage)
{
    const PagedUsage paged = UsageOfExtended(usage);
    return std::string(FullUsageName(paged.usagePage, paged.usageId).View());
}

std::string PhysicalText(double value)
{
    // The shortest form of six significant digits, as %.6g writes it, without printf's
    // parsing of a format: decoding long recordings spent a third of its time there.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string ReportHeading(const DecodedReport& decoded)
{
    std::string text = ReportTypeName(decoded.type);
    text += " report";
    if (decoded.reportId != 0) {
        text += ' ';
        text += std::to_string(decoded.reportId);
    }
    text += " (" + std::to_string(decoded.length) + (decoded.length == 1 ? " byte" : " bytes");
    // Hosts join the fields of every top-level collection that uses the id into this report.
    if (decoded.report != nullptr && decoded.report->spansCollections) {
        text += ", one report of several top-level collections";
    }
    text += ')';
    return text;
}

std::string EntryText(const DecodedReport& decoded, const DecodedEntry& entry)
{
    if (entry.isArray) {
        return "array: " + ActiveUsages(decoded, entry);
    }
    if (entry.wide) {
        return ReportUsageName(entry.usage) + ": bytes " + WideBytesText(decoded, entry);
    }
    std::string text = ReportUsageName(entry.usage) + ": raw " + std::to_string(entry.raw) +
                       ", logical " + LogicalText(entry);
    if (entry.hasPhysical) {
        text += ", physical " + PhysicalWithUnit(decoded, entry);
    }
    return text;
}

std::string DecodedReportText(const DecodedReport& decoded)
{
    std::string text = ReportHeading(decoded) + "\n";
    for (const DecodedEntry& entry : decoded.entries) {
        text += "  ";
        text += EntryText(decoded, entry);
        text += '\n';
    }
    return text;
}

std::string DecodedReportLine(const DecodedReport& decoded)
{
    std::string text;
    AppendDecodedReportLine(text, decoded);
    return text;
}

std::string_view UsageNameCache::Entry(std::uint32_t usage)
{
    const std::size_t slot = (usage ^ (usage >> 16) * 31) % kSlots;
    if (!m_filled[slot] || m_usages[slot] != usage) {
        m_filled[slot] = true;
        m_usages[slot] = usage;
        m_entries[slot] = ", " + ReportUsageName(usage) + "=";
    }
    return m_entries[slot];
}

std::string_view UsageNameCache::Name(std::uint32_t usage)
{
    const std::string_view entry = Entry(usage);
    return entry.substr(2, entry.size() - 3);
}

std::string_view UsageNameCache::Heading(const DecodedReport& decoded)
{
    HeadingSlot& slot =
        m_headings[(ReportTypeSlot(decoded.type) * 256u + decoded.reportId) % kHeadingSlots];
    if (slot.text.empty() || slot.report != decoded.report || slot.type != decoded.type ||
        slot.reportId != decoded.reportId || slot.length != decoded.length) {
        slot.report = decoded.report;
        slot.type = decoded.type;
        slot.reportId = decoded.reportId;
        slot.length = decoded.length;
        slot.text = ReportHeading(decoded);
    }
    return slot.text;
}

void AppendDecodedReportLine(std::string& out, const DecodedReport& decoded, UsageNameCache* cache)
{
    const auto usageName = [&out, cache](std::uint32_t usage) {
        if (cache != nullptr) {
            out += cache->Name(usage);
            return;
        }
        const PagedUsage paged = UsageOfExtended(usage);
        out += FullUsageName(paged.usagePage, paged.usageId).View();
    };
    const auto number = [&out](auto value) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
    };
    if (cache != nullptr) {
        out += cache->Heading(decoded);
    } else {
        out += ReportHeading(decoded);
    }
    out += ':';
    bool first = true;
    for (const DecodedEntry& entry : decoded.entries) {
        if (cache != nullptr && !entry.isArray && !entry.wide && !entry.isNull &&
            !entry.hasPhysical) {
            // The common element in one append of ", NAME=" (" NAME=" first) and its number.
            out += cache->Entry(entry.usage).substr(first ? 1 : 0);
            first = false;
            number(entry.logical);
            continue;
        }
        out += first ? " " : ", ";
        first = false;
        if (entry.isArray) {
            out += "array=";
            if (entry.activeCount == 0) {
                out += "none";
            }
            for (std::uint32_t i = 0; i < entry.activeCount; ++i) {
                if (i > 0) {
                    out += ", ";
                }
                usageName(decoded.active[entry.firstActive + i]);
            }
            continue;
        }
        usageName(entry.usage);
        if (entry.wide) {
            out += "=bytes ";
            out += WideBytesText(decoded, entry);
            continue;
        }
        out += '=';
        if (entry.isNull) {
            out += "null";
        } else {
            number(entry.logical);
        }
        if (entry.hasPhysical) {
            out += " (";
            out += PhysicalWithUnit(decoded, entry);
            out += ')';
        }
    }
}

} // namespace quorlix
