#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorlix {

enum class Severity : std::uint8_t
{
    Error,
    Warning,
    Note,
};

// Every check the diagnostics pass makes. Each has one fixed severity and one fixed name, the
// name users write in --disable and see in brackets after a message.
enum class CheckId : std::uint8_t
{
    TruncatedItem,
    ReservedItem,
    UnknownTag,
    CollectionBalance,
    MainOutsideCollection,
    UsagePageMissing,
    UsagePageZero,
    LogicalRange,
    SizeTooSmall,
    ReportSizeMissing,
    ReportCountMissing,
    ReportIdZero,
    ReportIdMixed,
    ReportIdShared,
    SizeOverflow,
    UsageRange,
    PushPop,
    DelimiterBalance,
    LogicalSign,
    PhysicalSign,
    PhysicalRange,
    ReportNotByteAligned,
    FieldTooWide,
    UsagePageAfterUsage,
    CollectionUsageMissing,
    UnitExponentRange,
    DescriptorTooLong,
    NoReports,
    RedundantGlobal,
    ShorterEncoding,
    LogicalLimitsMissing,
    UnitSystemReserved,
    HostRule, // a host profile's rule: its finding names the profile and rule
};

inline constexpr std::size_t kCheckCount = static_cast<std::size_t>(CheckId::HostRule) + 1;

// How strong the evidence behind a host profile's rule is: a specification or the vendor's own
// documentation, a maintainer or several independent reports, or a single report.
enum class Evidence : std::uint8_t
{
    None, // a HID rule, not a host's
    A,
    B,
    C,
};

// One mistake found in a descriptor: where it is (the item's offset and length in bytes), what
// is wrong, and how to write it instead, both in the descriptor's own terms. A host profile's
// finding also names its profile and rule, the rule it restates when it is one every profile
// shares, where the rule comes from and how strong its evidence is; the views point into
// constant tables.
struct Finding
{
    Severity severity = Severity::Error;
    CheckId check = CheckId::TruncatedItem;
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string message;
    std::string fix;
    std::string_view profile{};
    std::string_view rule{};
    std::string_view sharedRule{};
    std::string_view source{};
    Evidence evidence = Evidence::None;
};

struct FindingCounts
{
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};

// The name of a check ("logical-sign"), as users write it.
std::string_view CheckName(CheckId check);

// The severity findings of the check have. Some findings are softened to notes: a Physical or
// Logical collection without a usage, and logical limits missing where no host misreads the
// field. A host rule's findings take the severity of their rule (warning here).
Severity CheckSeverity(CheckId check);

// "A", "B", "C", or "" for a HID rule.
std::string_view EvidenceName(Evidence evidence);

// "error", "warning" or "note".
std::string_view SeverityName(Severity severity);

// The check of that name, or nothing for a name no check has.
std::optional<CheckId> FindCheck(std::string_view name);

FindingCounts CountFindings(std::span<const Finding> findings);

} // namespace quorlix
