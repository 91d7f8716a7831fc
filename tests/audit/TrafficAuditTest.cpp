#include "audit/TrafficAudit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kButtons = {
    0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, // Game Pad application
    0x85, 0x01,                         //   Report ID (1)
    0x05, 0x09, 0x19, 0x01, 0x29, 0x04, //   Buttons 1 to 4
    0x15, 0x00, 0x25, 0x01,             //   Logical 0 to 1
    0x75, 0x01, 0x95, 0x04, 0x81, 0x02, //   four 1-bit Input (Data, Variable)
    0x81, 0x01,                         //   four bits of Input (Constant)
    0xC0,
};

const Bytes kRangeAndUnseen = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, // Mouse application
    0x85, 0x01,                         //   Report ID (1)
    0x09, 0x30, 0x15, 0x00, 0x25, 0x05, //   X, logical 0 to 5
    0x75, 0x08, 0x95, 0x01, 0x81, 0x02, //   one byte, Input (Data, Variable)
    0x85, 0x02,                         //   Report ID (2): declared, never sent
    0x09, 0x31, 0x81, 0x02,             //   Y
    0xC0,
};

const Bytes kButtonsAndKeys = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, // Keyboard application, no report ids
    0x05, 0x09, 0x19, 0x01, 0x29, 0x04, //   Buttons 1 to 4
    0x15, 0x00, 0x25, 0x01,             //   Logical 0 to 1
    0x75, 0x01, 0x95, 0x04, 0x81, 0x02, //   four 1-bit Input (Data, Variable)
    0x81, 0x01,                         //   four bits of Input (Constant)
    0x05, 0x07, 0x19, 0x00, 0x29, 0x65, //   Keyboard usages 0 to 0x65
    0x25, 0x65, 0x75, 0x08, 0x95, 0x02, //   two bytes
    0x81, 0x00,                         //   Input (Data, Array)
    0xC0,
};

struct Sent
{
    std::uint64_t frame;
    Bytes bytes;
};

std::vector<AuditFinding> Audit(const Bytes& descriptor, const std::vector<Sent>& reports)
{
    TrafficAudit audit(descriptor);
    for (const Sent& sent : reports) {
        CapturedReport report;
        report.frame = sent.frame;
        report.bytes = sent.bytes;
        report.length = static_cast<std::uint32_t>(sent.bytes.size());
        audit.Take(report);
    }
    return audit.Finish("1.5:0");
}

struct Expected
{
    AuditCheck check;
    Severity severity;
    std::uint64_t count;
    std::vector<std::uint64_t> frames;
    std::string message;
};

void ExpectFindings(const std::vector<AuditFinding>& findings,
                    const std::vector<Expected>& expected)
{
    ASSERT_EQ(findings.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(AuditCheckName(expected[k].check));
        EXPECT_EQ(findings[k].check, expected[k].check);
        EXPECT_EQ(findings[k].severity, expected[k].severity);
        EXPECT_EQ(findings[k].count, expected[k].count);
        EXPECT_EQ(findings[k].frames, expected[k].frames);
        EXPECT_EQ(findings[k].message, expected[k].message);
        EXPECT_EQ(findings[k].interface, "1.5:0");
    }
}

TEST(TrafficAudit, FindsWrongLengthsUndeclaredIdsAndPaddingWithTheirFrames)
{
    const std::vector<AuditFinding> findings = Audit(kButtons, {
                                                                   { 1, { 0x01, 0x01 } },
                                                                   { 2, { 0x01, 0x13 } },
                                                                   { 3, { 0x01 } },
                                                                   { 4, { 0x01, 0x00, 0x00 } },
                                                                   { 5, { 0x02, 0x00 } },
                                                                   { 6, { 0x01, 0xF0 } },
                                                                   { 7, { 0x02, 0x00 } },
                                                               });
    ExpectFindings(
        findings,
        {
            { AuditCheck::ShortReport,
              Severity::Error,
              1,
              { 3 },
              "input report 1 is shorter than declared: 1 bytes where the descriptor declares 2" },
            { AuditCheck::LongReport,
              Severity::Warning,
              1,
              { 4 },
              "input report 1 is longer than declared: 3 bytes where the descriptor declares 2" },
            { AuditCheck::NonZeroPadding,
              Severity::Warning,
              2,
              { 2, 6 },
              "input report 1: the constant padding at bits 12 to 15 is not zero" },
            { AuditCheck::UndeclaredId,
              Severity::Error,
              2,
              { 5, 7 },
              "input report id 2 is not declared by the descriptor" },
        });
}

TEST(TrafficAudit, FindsValuesOutOfRangeFieldsThatNeverChangedAndReportsNeverSeen)
{
    const std::vector<AuditFinding> findings =
        Audit(kRangeAndUnseen, { { 10, { 0x01, 0x07 } }, { 11, { 0x01, 0x07 } } });
    ExpectFindings(findings,
                   {
                       { AuditCheck::OutOfRange,
                         Severity::Warning,
                         2,
                         { 10, 11 },
                         "input report 1: X (bit 8) takes 7, outside its logical range 0 to 5 "
                         "(and it declares no null state)" },
                       { AuditCheck::NeverChanged,
                         Severity::Note,
                         2,
                         {},
                         "input report 1: X (bit 8) never changed in 2 reports" },
                       { AuditCheck::NeverSeen,
                         Severity::Note,
                         0,
                         {},
                         "input report 2 (2 bytes) is declared but never seen" },
                   });
}

// A field of several elements, and an array whose range starts at "no event", are named by their
// bits, not by a first usage alone.
TEST(TrafficAudit, FieldsOfSeveralElementsAndArraysAreNamedWhole)
{
    const Bytes still = { 0x05, 0x04, 0x00 };
    ExpectFindings(Audit(kButtonsAndKeys, { { 1, still }, { 2, still } }),
                   {
                       { AuditCheck::NeverChanged,
                         Severity::Note,
                         2,
                         {},
                         "input report: Button 1 and 3 more (bits 0 to 3) never changed in 2 "
                         "reports" },
                       { AuditCheck::NeverChanged,
                         Severity::Note,
                         2,
                         {},
                         "input report: the array at bits 8 to 23 never changed in 2 reports" },
                   });
}

TEST(TrafficAudit, ReportsCutByTheCaptureAreCountedNotJudged)
{
    TrafficAudit audit(kButtons);
    const Bytes kept = { 0x01 };
    CapturedReport report;
    report.frame = 9;
    report.bytes = kept;
    report.length = 2;
    audit.Take(report);
    const std::vector<AuditFinding> findings = audit.Finish("1.5:0");
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].check, AuditCheck::NeverSeen);
    EXPECT_EQ(findings[1].check, AuditCheck::CutReport);
    EXPECT_EQ(findings[1].frames, std::vector<std::uint64_t>{ 9 });
}

} // namespace
} // namespace quorlix
