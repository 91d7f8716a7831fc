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
};

inline constexpr std::size_t kCheckCount = static_cast<std::size_t>(CheckId::ShorterEncoding) + 1;

// One mistake found in a descriptor: where it is (the item's offset and length in bytes), what
// is wrong, and how to write it instead, both in the descriptor's own terms.
struct Finding
{
    Severity severity = Severity::Error;
    CheckId check = CheckId::TruncatedItem;
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string message;
    std::string fix;
};

struct FindingCounts
{
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};

// The name of a check ("logical-sign"), as users write it.
std::string_view CheckName(CheckId check);

// The severity every finding of the check has.
Severity CheckSeverity(CheckId check);

// "error", "warning" or "note".
std::string_view SeverityName(Severity severity);

// The check of that name, or nothing for a name no check has.
std::optional<CheckId> FindCheck(std::string_view name);

FindingCounts CountFindings(std::span<const Finding> findings);

} // namespace quorlix
