#pragma once

#include "capture/CaptureScan.h"
#include "diagnostics/Finding.h"
#include "reports/DecodeReport.h"
#include "reports/ReportModel.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorlix {

// What the traffic of an interface can show wrong against its descriptor.
enum class AuditCheck : std::uint8_t
{
    ShortReport,      // fewer bytes than the report declares (Linux drops such reports)
    LongReport,       // more bytes than declared
    UndeclaredId,     // a report id, or a report type, the descriptor does not declare
    OutOfRange,       // a Variable value outside its logical limits, without a null state
    NonZeroPadding,   // constant bits without usages that are not zero
    NeverSeen,        // a declared input report that never came
    NeverChanged,     // a field whose value stayed the same in every report (of several)
    CutReport,        // the capture kept only part of the report: not audited
    NoDescriptor,     // reports of an interface whose descriptor is not known
    UnknownInterface, // reports of an endpoint the capture does not place in an interface
};

// One audit finding: where (interface, report type and id), what, how often and in which frames
// (the first kMaxAuditFrames of them).
struct AuditFinding
{
    Severity severity = Severity::Error;
    AuditCheck check = AuditCheck::ShortReport;
    std::string interface; // "1.4:0"
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;
    std::string message;
    std::uint64_t count = 0;
    std::vector<std::uint64_t> frames;
};

inline constexpr std::size_t kMaxAuditFrames = 8;

// How often something happened, and the first kMaxAuditFrames frames where it did.
struct Occurrence
{
    std::uint64_t count = 0;
    std::vector<std::uint64_t> frames;

    void Add(std::uint64_t frame)
    {
        ++count;
        if (frames.size() < kMaxAuditFrames) {
            frames.push_back(frame);
        }
    }
};

// The most elements of one report whose values are followed for the "never changed" finding;
// the rest of a longer report is not followed, so memory stays bounded.
inline constexpr std::size_t kMaxFollowedEntries = 4096;

// "short-report", "long-report", "undeclared-id", "out-of-range", "nonzero-padding",
// "never-seen", "never-changed", "cut-report", "no-descriptor", "unknown-interface".
const char* AuditCheckName(AuditCheck check);

// Audits the reports of one interface against its descriptor, a report at a time, in memory
// bounded by the descriptor and the longest report.
class TrafficAudit
{
public:
    explicit TrafficAudit(std::span<const std::uint8_t> descriptor);
    ~TrafficAudit();
    TrafficAudit(const TrafficAudit&) = delete;
    TrafficAudit& operator=(const TrafficAudit&) = delete;

    // Takes one report; report.interface must already be resolved where it can be.
    void Take(const CapturedReport& report);
    // The findings, ordered by interface, then type and id, then check.
    std::vector<AuditFinding> Finish(const std::string& name);

    const ReportModel& Model() const { return m_model; }

private:
    struct State;
    ReportModel m_model;
    std::unique_ptr<State> m_state;
};

} // namespace quorlix
