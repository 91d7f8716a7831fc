#include "diagnostics/Finding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

TEST(Finding, EveryCheckIsFoundByItsOwnName)
{
    for (std::size_t i = 0; i < kCheckCount; ++i) {
        const auto check = static_cast<CheckId>(i);
        SCOPED_TRACE(std::string(CheckName(check)));
        ASSERT_TRUE(FindCheck(CheckName(check)).has_value());
        EXPECT_EQ(*FindCheck(CheckName(check)), check);
    }
    EXPECT_FALSE(FindCheck("logical_sign").has_value());
    EXPECT_FALSE(FindCheck("").has_value());
}

TEST(Finding, NamesAndSeveritiesAreTheOnesUsersSee)
{
    EXPECT_EQ(CheckName(CheckId::TruncatedItem), "truncated-item");
    EXPECT_EQ(CheckName(CheckId::LogicalSign), "logical-sign");
    EXPECT_EQ(CheckName(CheckId::ShorterEncoding), "shorter-encoding");
    EXPECT_EQ(CheckSeverity(CheckId::DelimiterBalance), Severity::Error);
    EXPECT_EQ(CheckSeverity(CheckId::LogicalSign), Severity::Warning);
    EXPECT_EQ(CheckSeverity(CheckId::NoReports), Severity::Warning);
    EXPECT_EQ(CheckSeverity(CheckId::RedundantGlobal), Severity::Note);
    EXPECT_EQ(SeverityName(Severity::Warning), "warning");
}

TEST(Finding, CountsGoBySeverity)
{
    const std::vector<Finding> findings = {
        { Severity::Error, CheckId::PushPop, 0, 1, "", "" },
        { Severity::Note, CheckId::RedundantGlobal, 2, 2, "", "" },
        { Severity::Error, CheckId::PushPop, 4, 1, "", "" },
    };
    const FindingCounts counts = CountFindings(findings);
    EXPECT_EQ(counts.errors, 2u);
    EXPECT_EQ(counts.warnings, 0u);
    EXPECT_EQ(counts.notes, 1u);
}

} // namespace
} // namespace quorlix
