#include "diagnostics/Finding.h"

#include <array>

namespace quorlix {
namespace {

struct CheckEntry
{
    CheckId check;
    std::string_view name;
    Severity severity;
};

// clang-format off
constexpr std::array<CheckEntry, kCheckCount> kChecks = { {
    { CheckId::TruncatedItem,          "truncated-item",           Severity::Error },
    { CheckId::ReservedItem,           "reserved-item",            Severity::Error },
    { CheckId::UnknownTag,             "unknown-tag",              Severity::Error },
    { CheckId::CollectionBalance,      "collection-balance",       Severity::Error },
    { CheckId::MainOutsideCollection,  "main-outside-collection",  Severity::Error },
    { CheckId::UsagePageMissing,       "usage-page-missing",       Severity::Error },
    { CheckId::UsagePageZero,          "usage-page-zero",          Severity::Error },
    { CheckId::LogicalRange,           "logical-range",            Severity::Error },
    { CheckId::SizeTooSmall,           "size-too-small",           Severity::Error },
    { CheckId::ReportSizeMissing,      "report-size-missing",      Severity::Error },
    { CheckId::ReportCountMissing,     "report-count-missing",     Severity::Error },
    { CheckId::ReportIdZero,           "report-id-zero",           Severity::Error },
    { CheckId::ReportIdMixed,          "report-id-mixed",          Severity::Error },
    { CheckId::ReportIdShared,         "report-id-shared",         Severity::Error },
    { CheckId::SizeOverflow,           "size-overflow",            Severity::Error },
    { CheckId::UsageRange,             "usage-range",              Severity::Error },
    { CheckId::PushPop,                "push-pop",                 Severity::Error },
    { CheckId::DelimiterBalance,       "delimiter-balance",        Severity::Error },
    { CheckId::LogicalSign,            "logical-sign",             Severity::Warning },
    { CheckId::PhysicalSign,           "physical-sign",            Severity::Warning },
    { CheckId::PhysicalRange,          "physical-range",           Severity::Warning },
    { CheckId::ReportNotByteAligned,   "report-not-byte-aligned",  Severity::Warning },
    { CheckId::FieldTooWide,           "field-too-wide",           Severity::Warning },
    { CheckId::UsagePageAfterUsage,    "usage-page-after-usage",   Severity::Warning },
    { CheckId::CollectionUsageMissing, "collection-usage-missing", Severity::Warning },
    { CheckId::UnitExponentRange,      "unit-exponent-range",      Severity::Warning },
    { CheckId::DescriptorTooLong,      "descriptor-too-long",      Severity::Warning },
    { CheckId::NoReports,              "no-reports",               Severity::Warning },
    { CheckId::RedundantGlobal,        "redundant-global",         Severity::Note },
    { CheckId::ShorterEncoding,        "shorter-encoding",         Severity::Note },
    { CheckId::LogicalLimitsMissing,   "logical-limits-missing",   Severity::Error },
    { CheckId::UnitSystemReserved,     "unit-system-reserved",     Severity::Note },
    { CheckId::HostRule,               "host-rule",                Severity::Warning },
} };
// clang-format on

constexpr bool IndexedByCheck()
{
    for (std::size_t i = 0; i < kChecks.size(); ++i) {
        if (static_cast<std::size_t>(kChecks[i].check) != i) {
            return false;
        }
    }
    return true;
}
static_assert(IndexedByCheck(), "the check table must list every check in enum order");

const CheckEntry& Entry(CheckId check)
{
    return kChecks[static_cast<std::size_t>(check)];
}

} // namespace

std::string_view CheckName(CheckId check)
{
    return Entry(check).name;
}

Severity CheckSeverity(CheckId check)
{
    return Entry(check).severity;
}

std::string_view SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    }
    return "error";
}

std::string_view EvidenceName(Evidence evidence)
{
    switch (evidence) {
    case Evidence::A:
        return "A";
    case Evidence::B:
        return "B";
    case Evidence::C:
        return "C";
    case Evidence::None:
        break;
    }
    return "";
}

std::optional<CheckId> FindCheck(std::string_view name)
{
    for (const CheckEntry& entry : kChecks) {
        if (entry.name == name) {
            return entry.check;
        }
    }
    return std::nullopt;
}

FindingCounts CountFindings(std::span<const Finding> findings)
{
    FindingCounts counts;
    for (const Finding& finding : findings) {
        switch (finding.severity) {
        case Severity::Error:
            ++counts.errors;
            break;
        case Severity::Warning:
            ++counts.warnings;
            break;
        case Severity::Note:
            ++counts.notes;
            break;
        }
    }
    return counts;
}

} // namespace quorlix
