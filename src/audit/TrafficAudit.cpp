#include "audit/TrafficAudit.h"

#include "reports/ReportText.h"

#include <map>

namespace quorlix {
namespace {

struct FieldEvent
{
    Occurrence where;
    std::int64_t example = 0; // the first value that caused it
};

// What the reports of one type and id showed.
struct ReportState
{
    std::uint64_t decoded = 0;
    Occurrence shortReports;
    Occurrence longReports;
    std::uint64_t shortest = 0;
    std::uint64_t longest = 0;
    std::uint64_t expected = 0;
    // Per followed entry: its field, its first value and whether it ever differed.
    std::vector<std::uint32_t> entryField;
    std::vector<std::uint64_t> firstValue;
    std::vector<bool> changed;
    std::map<std::uint32_t, FieldEvent> outOfRange; // by field index
    std::map<std::uint32_t, FieldEvent> padding;
};

std::uint32_t Key(ReportType type, std::uint8_t id)
{
    return static_cast<std::uint32_t>(ReportTypeSlot(type) * 256 + id);
}

std::string ReportName(const ReportModel& model, ReportType type, std::uint8_t id)
{
    std::string name = std::string(ReportTypeName(type)) + " report";
    if (model.IsNumbered(type)) {
        name += " " + std::to_string(id);
    }
    return name;
}

// A value for an entry that tells whether it changed: the raw bits of a Variable element, a
// mix of the usages an Array field reported.
std::uint64_t EntryValue(const DecodedReport& decoded, const DecodedEntry& entry)
{
    if (!entry.isArray) {
        return entry.raw;
    }
    std::uint64_t value = 1469598103934665603ULL;
    for (std::uint32_t k = 0; k < entry.activeCount; ++k) {
        value = (value ^ decoded.active[entry.firstActive + k]) * 1099511628211ULL;
    }
    return value;
}

bool AnyBitSet(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t length)
{
    for (std::uint64_t bit = offset; bit < offset + length && bit / 8 < bytes.size(); ++bit) {
        if ((bit % 8) == 0 && bit + 8 <= offset + length) {
            if (bytes[bit / 8] != 0) {
                return true;
            }
            bit += 7;
            continue;
        }
        if ((bytes[bit / 8] >> (bit % 8)) & 1) {
            return true;
        }
    }
    return false;
}

// A field by its first usage and its bits. An array's first usage is only the bottom of the range
// it may report (often 0, "no event"), and a field of several elements is more than its first:
// both are named so that a note about the field is not read as one about a single usage.
std::string FieldName(const ReportField& field)
{
    const std::string first = std::to_string(field.bitOffset);
    if (field.count <= 1 && field.IsVariable()) {
        const std::uint32_t usage = ElementUsage(field, 0);
        return usage == 0 ? "the field at bit " + first
                          : ReportUsageName(usage) + " (bit " + first + ")";
    }
    const std::string bits =
        "bits " + first + " to " + std::to_string(field.bitOffset + field.BitLength() - 1);
    if (!field.IsVariable()) {
        return "the array at " + bits;
    }
    const std::uint32_t usage = ElementUsage(field, 0);
    if (usage == 0) {
        return "the field at " + bits;
    }
    return ReportUsageName(usage) + " and " + std::to_string(field.count - 1) + " more (" + bits +
           ")";
}

} // namespace

struct TrafficAudit::State
{
    std::map<std::uint32_t, ReportState> reports;
    std::map<std::uint32_t, Occurrence> undeclared;
    Occurrence cut;
    DecodedReport decoded;
};

const char* AuditCheckName(AuditCheck check)
{
    switch (check) {
    case AuditCheck::ShortReport:
        return "short-report";
    case AuditCheck::LongReport:
        return "long-report";
    case AuditCheck::UndeclaredId:
        return "undeclared-id";
    case AuditCheck::OutOfRange:
        return "out-of-range";
    case AuditCheck::NonZeroPadding:
        return "nonzero-padding";
    case AuditCheck::NeverSeen:
        return "never-seen";
    case AuditCheck::NeverChanged:
        return "never-changed";
    case AuditCheck::CutReport:
        return "cut-report";
    case AuditCheck::NoDescriptor:
        return "no-descriptor";
    case AuditCheck::UnknownInterface:
        return "unknown-interface";
    }
    return "short-report";
}

TrafficAudit::TrafficAudit(std::span<const std::uint8_t> descriptor)
    : m_model(BuildReportModel(descriptor)), m_state(std::make_unique<State>())
{}

TrafficAudit::~TrafficAudit() = default;

void TrafficAudit::Take(const CapturedReport& report)
{
    State& state = *m_state;
    if (report.bytes.size() < report.length) {
        state.cut.Add(report.frame);
        return;
    }
    DecodedReport& decoded = state.decoded;
    if (const auto result = DecodeReport(m_model, report.type, report.bytes, decoded); !result) {
        const DecodeError& error = result.Error();
        switch (error.kind) {
        case DecodeErrorKind::Empty:
            return;
        case DecodeErrorKind::NoReportOfType:
        case DecodeErrorKind::UnknownReportId:
            state.undeclared[Key(report.type, error.reportId)].Add(report.frame);
            return;
        case DecodeErrorKind::WrongLength:
        case DecodeErrorKind::TooLong:
            break;
        }
        ReportState& r = state.reports[Key(report.type, error.reportId)];
        r.expected = error.expectedLength;
        if (error.length < error.expectedLength) {
            r.shortest = r.shortReports.count == 0
                             ? error.length
                             : std::min<std::uint64_t>(r.shortest, error.length);
            r.shortReports.Add(report.frame);
        } else {
            r.longest = std::max<std::uint64_t>(r.longest, error.length);
            r.longReports.Add(report.frame);
        }
        return;
    }
    ReportState& r = state.reports[Key(report.type, decoded.reportId)];
    const bool first = r.decoded == 0;
    ++r.decoded;
    const std::size_t followed = std::min(decoded.entries.size(), kMaxFollowedEntries);
    if (first) {
        r.entryField.resize(followed);
        r.firstValue.resize(followed);
        r.changed.assign(followed, false);
    }
    for (std::size_t k = 0; k < decoded.entries.size(); ++k) {
        const DecodedEntry& entry = decoded.entries[k];
        if (k < followed && k < r.firstValue.size()) {
            const std::uint64_t value = EntryValue(decoded, entry);
            if (first) {
                r.entryField[k] = entry.fieldIndex;
                r.firstValue[k] = value;
            } else if (value != r.firstValue[k]) {
                r.changed[k] = true;
            }
        }
        if (entry.isArray || entry.isNull) {
            continue;
        }
        const ReportField& field = decoded.report->fields[entry.fieldIndex];
        if (field.logicalMinimum <= field.logicalMaximum &&
            (entry.logical < field.logicalMinimum || entry.logical > field.logicalMaximum)) {
            FieldEvent& event = r.outOfRange[entry.fieldIndex];
            if (event.where.count == 0) {
                event.example = entry.logical;
            }
            event.where.Add(report.frame);
        }
    }
    const std::vector<ReportField>& fields = decoded.report->fields;
    for (std::uint32_t f = 0; f < fields.size(); ++f) {
        const ReportField& field = fields[f];
        if (!field.IsConstant() || field.usageCount != 0 || field.BitLength() == 0) {
            continue;
        }
        if (AnyBitSet(report.bytes, field.bitOffset, field.BitLength())) {
            r.padding[f].where.Add(report.frame);
        }
    }
}

std::vector<AuditFinding> TrafficAudit::Finish(const std::string& name)
{
    State& state = *m_state;
    std::vector<AuditFinding> findings;
    const auto add = [&](Severity severity, AuditCheck check, ReportType type, std::uint8_t id,
                         std::string message, const Occurrence& where) {
        AuditFinding& finding = findings.emplace_back();
        finding.severity = severity;
        finding.check = check;
        finding.interface = name;
        finding.type = type;
        finding.reportId = id;
        finding.message = std::move(message);
        finding.count = where.count;
        finding.frames = where.frames;
    };
    const ReportType types[] = { ReportType::Input, ReportType::Output, ReportType::Feature };
    for (const ReportType type : types) {
        for (unsigned id = 0; id < 256; ++id) {
            const std::uint8_t reportId = static_cast<std::uint8_t>(id);
            if (const auto u = state.undeclared.find(Key(type, reportId));
                u != state.undeclared.end()) {
                add(Severity::Error, AuditCheck::UndeclaredId, type, reportId,
                    m_model.IsNumbered(type)
                        ? std::string(ReportTypeName(type)) + " report id " + std::to_string(id) +
                              " is not declared by the descriptor"
                        : "the descriptor declares no " + std::string(ReportTypeName(type)) +
                              " report",
                    u->second);
            }
            const Report* modelled = m_model.Find(type, reportId);
            const auto found = state.reports.find(Key(type, reportId));
            if (found == state.reports.end()) {
                if (modelled != nullptr && type == ReportType::Input) {
                    add(Severity::Note, AuditCheck::NeverSeen, type, reportId,
                        ReportName(m_model, type, reportId) + " (" +
                            std::to_string(modelled->byteLength) +
                            " bytes) is declared but never seen",
                        Occurrence{});
                }
                continue;
            }
            // Named only here: the loop visits every type and id, and most were never seen.
            const std::string report = ReportName(m_model, type, reportId);
            const ReportState& r = found->second;
            if (r.shortReports.count > 0) {
                add(Severity::Error, AuditCheck::ShortReport, type, reportId,
                    report + " is shorter than declared: " + std::to_string(r.shortest) +
                        " bytes where the descriptor declares " + std::to_string(r.expected),
                    r.shortReports);
            }
            if (r.longReports.count > 0) {
                add(Severity::Warning, AuditCheck::LongReport, type, reportId,
                    report + " is longer than declared: " + std::to_string(r.longest) +
                        " bytes where the descriptor declares " + std::to_string(r.expected),
                    r.longReports);
            }
            if (modelled == nullptr || r.decoded == 0) {
                continue;
            }
            for (const auto& [f, event] : r.outOfRange) {
                const ReportField& field = modelled->fields[f];
                add(Severity::Warning, AuditCheck::OutOfRange, type, reportId,
                    report + ": " + FieldName(field) + " takes " + std::to_string(event.example) +
                        ", outside its logical range " + std::to_string(field.logicalMinimum) +
                        " to " + std::to_string(field.logicalMaximum) +
                        " (and it declares no null state)",
                    event.where);
            }
            for (const auto& [f, event] : r.padding) {
                const ReportField& field = modelled->fields[f];
                add(Severity::Warning, AuditCheck::NonZeroPadding, type, reportId,
                    report + ": the constant padding at bits " + std::to_string(field.bitOffset) +
                        " to " + std::to_string(field.bitOffset + field.BitLength() - 1) +
                        " is not zero",
                    event.where);
            }
            if (r.decoded < 2) {
                continue;
            }
            // A field changed when any element of it did.
            std::map<std::uint32_t, bool> fieldChanged;
            for (std::size_t k = 0; k < r.changed.size(); ++k) {
                fieldChanged[r.entryField[k]] = fieldChanged[r.entryField[k]] || r.changed[k];
            }
            for (const auto& [f, changed] : fieldChanged) {
                if (changed) {
                    continue;
                }
                Occurrence seen;
                seen.count = r.decoded;
                add(Severity::Note, AuditCheck::NeverChanged, type, reportId,
                    report + ": " + FieldName(modelled->fields[f]) + " never changed in " +
                        std::to_string(r.decoded) + " reports",
                    seen);
            }
        }
    }
    if (state.cut.count > 0) {
        add(Severity::Note, AuditCheck::CutReport, ReportType::Input, 0,
            "reports cut short by the capture were not audited", state.cut);
    }
    return findings;
}

} // namespace quorlix
