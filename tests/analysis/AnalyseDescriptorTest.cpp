#include "analysis/AnalyseDescriptor.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace quorlix {
namespace {

using test::HexBytes;
using test::kMouseHex;

// What was written to a temporary file, from its start.
std::string ContentOf(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    return text;
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

TEST(AnalyseDescriptor, WritesDebugLinesOnlyToTheSinkItIsGiven)
{
    const auto mouse = HexBytes(kMouseHex);
    Analysis analysis;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    AnalyseDescriptor(mouse, AnalysisOptions{}, analysis);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(analysis.layout.detail.empty());

    const std::unique_ptr<std::FILE, FileCloser> sink(std::tmpfile());
    ASSERT_NE(sink, nullptr);
    AnalysisOptions options;
    options.debugOut = sink.get();
    testing::internal::CaptureStdout();
    AnalyseDescriptor(mouse, options, analysis);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    // The parser's lines and the layout's plain copy of the one report: id 0, 24 bits, Input.
    const std::string lines = ContentOf(sink.get());
    EXPECT_NE(lines.find("[HIDPARSE] ITEM_TAG_GLOBAL_USAGE_PAGE 1\n"), std::string::npos);
    EXPECT_NE(lines.find("ReportID=0 ReportSize=24 ReportType=1\n"), std::string::npos);
}

TEST(AnalyseDescriptor, BuildsTheViewsAskedForAndNoOthers)
{
    // An End Collection with nothing open: one row, and check finds it (and that no report is
    // defined).
    const auto bytes = HexBytes("C0");
    const auto mouse = HexBytes(kMouseHex);
    struct Case
    {
        const char* name;
        bool itemList, layoutTexts, reportModel, findings;
    };
    const Case cases[] = {
        { "everything", true, true, true, true },
        { "check alone", false, false, false, true },
        { "reports alone", false, false, true, false },
        { "pane texts bring the item list", false, true, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisOptions options;
        options.itemList = c.itemList;
        options.layoutTexts = c.layoutTexts;
        options.reportModel = c.reportModel;
        options.findings = c.findings;
        Analysis analysis;
        AnalyseDescriptor(bytes, options, analysis);
        EXPECT_EQ(analysis.description.rows.size(), c.itemList || c.layoutTexts ? 1u : 0u);
        EXPECT_EQ(analysis.findings.empty(), !c.findings);
        // The mouse has one report; its pane texts are never empty.
        AnalyseDescriptor(mouse, options, analysis);
        EXPECT_EQ(analysis.reports.reports.size(), c.reportModel ? 1u : 0u);
        EXPECT_EQ(analysis.layout.summary.empty(), !c.layoutTexts);
    }
}

TEST(AnalyseDescriptor, AnalysingAgainKeepsNothingOfTheLastDescriptor)
{
    Analysis analysis;
    AnalyseDescriptor(HexBytes(kMouseHex), AnalysisOptions{}, analysis);
    ASSERT_EQ(analysis.description.collectionCount, 1u);

    AnalyseDescriptor(HexBytes("C0"), AnalysisOptions{}, analysis);
    EXPECT_EQ(analysis.description.rows.size(), 1u);
    EXPECT_EQ(analysis.description.collectionCount, 0u);
    EXPECT_TRUE(analysis.reports.reports.empty());
    EXPECT_EQ(analysis.findings.size(), 2u);

    AnalysisOptions reportsAlone;
    reportsAlone.itemList = false;
    reportsAlone.layoutTexts = false;
    reportsAlone.findings = false;
    AnalyseDescriptor(HexBytes(kMouseHex), reportsAlone, analysis);
    EXPECT_TRUE(analysis.description.rows.empty());
    EXPECT_EQ(analysis.description.collectionCount, 0u);
    EXPECT_TRUE(analysis.findings.empty());
    EXPECT_TRUE(analysis.layout.detail.empty());
    EXPECT_EQ(analysis.reports.reports.size(), 1u);

    AnalyseDescriptor(HexBytes(""), AnalysisOptions{}, analysis);
    EXPECT_EQ(analysis.result, ParseResult::EmptyDescriptor);
    EXPECT_TRUE(analysis.reports.reports.empty());
}

TEST(AnalyseDescriptor, ABoundReachedIsANoticeWithItsText)
{
    AnalysisOptions options;
    options.layoutTextLimit = 10;
    Analysis analysis;
    AnalyseDescriptor(HexBytes(kMouseHex), options, analysis);
    ASSERT_EQ(analysis.notices.size(), 1u);
    EXPECT_EQ(analysis.notices[0], AnalysisNotice::LayoutTextCut);
    EXPECT_STREQ(AnalysisNoticeText(analysis.notices[0]),
                 "a bound was reached: the layout text was cut short");

    AnalyseDescriptor(HexBytes(kMouseHex), AnalysisOptions{}, analysis);
    EXPECT_TRUE(analysis.notices.empty());
}

// Found by fuzz_analysis: the notices came as saturated sizes, then the cut text, against the
// order of the enumeration that the callers are promised.
TEST(AnalyseDescriptor, NoticesComeOnceEachInTheOrderOfTheEnumeration)
{
    AnalysisOptions options;
    options.layoutTextLimit = 10;
    Analysis analysis;
    // Report Count 248, then a Report Size of 0x75019502 bits: lengths past 64 bits.
    AnalyseDescriptor(HexBytes("05 01 09 06 A1 01 95 F8 77 02 95 01 75 08 81"), options, analysis);
    ASSERT_EQ(analysis.notices.size(), 2u);
    EXPECT_EQ(analysis.notices[0], AnalysisNotice::SizesSaturated);
    EXPECT_EQ(analysis.notices[1], AnalysisNotice::LayoutTextCut);
    EXPECT_LT(analysis.notices[0], analysis.notices[1]);
}

} // namespace
} // namespace quorlix
