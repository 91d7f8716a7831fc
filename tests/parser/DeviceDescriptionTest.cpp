#include "parser/DeviceDescription.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

ParseResult Parse(std::string_view hex, DeviceDescription& description)
{
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    ParseOptions options;
    options.debugOut = nullptr;
    return ParseDescriptor(bytes.data(), bytes.size(), description, options);
}

TEST(DeviceDescription, MouseRecords)
{
    DeviceDescription description;
    ASSERT_EQ(Parse(test::kMouseHex, description), ParseResult::Ok);
    EXPECT_EQ(description.rows.size(), 26u);
    ASSERT_EQ(description.collectionCount, 1u);
    ASSERT_EQ(description.reportIdCount, 1u);
    const CollectionDescription& c = description.collections[0];
    EXPECT_EQ(c.usagePage, 1);
    EXPECT_EQ(c.usage, 2);
    EXPECT_EQ(c.collectionNumber, 1);
    EXPECT_EQ(c.inputLength, 4);
    EXPECT_EQ(c.outputLength, 1);
    EXPECT_EQ(c.featureLength, 1);
    EXPECT_EQ(c.contextSize, 327u);
    const ReportIdEntry& r = description.reportIds[0];
    EXPECT_EQ(r.reportId, 0);
    EXPECT_EQ(r.collectionNumber, 1);
    EXPECT_EQ(r.inputLength, 3);
    EXPECT_EQ(r.outputLength, 0);
    EXPECT_EQ(r.featureLength, 0);
    ASSERT_EQ(description.summaries.size(), 1u);
    const CollectionSummary& s = description.summaries[0];
    EXPECT_EQ(s.reportId, 0);
    EXPECT_EQ(s.usagePage, 1);
    EXPECT_EQ(s.usage, 2);
    EXPECT_EQ(s.outputLength, 0u);
    EXPECT_EQ(s.inputLength, 3u);
    EXPECT_EQ(s.featureLength, 0u);
}

TEST(DeviceDescription, ReportIdIsCountedOnlyWhereItIsUsed)
{
    std::string hex(test::kMouseHex);
    hex.insert(hex.find("95 03"), "85 01 ");
    DeviceDescription description;
    ASSERT_EQ(Parse(hex, description), ParseResult::Ok);
    ASSERT_EQ(description.collectionCount, 1u);
    EXPECT_EQ(description.reportIds[0].reportId, 1);
    EXPECT_EQ(description.reportIds[0].inputLength, 4);
    EXPECT_EQ(description.collections[0].inputLength, 4);
    EXPECT_EQ(description.summaries[0].reportId, 1);
    EXPECT_EQ(description.summaries[0].inputLength, 4u);
}

TEST(DeviceDescription, ReportIdFallsBackToOutputThenFeature)
{
    DeviceDescription description;
    ASSERT_EQ(Parse("A1 01 75 08 95 01 81 02 85 07 B1 02 C0 A1 01 85 05 91 02 C0", description),
              ParseResult::Ok);
    ASSERT_EQ(description.collectionCount, 2u);
    EXPECT_EQ(description.reportIds[0].reportId, 7);
    EXPECT_EQ(description.reportIds[0].featureLength, 2);
    EXPECT_EQ(description.reportIds[0].inputLength, 1);
    EXPECT_EQ(description.reportIds[1].reportId, 5);
    EXPECT_EQ(description.reportIds[1].collectionNumber, 2);
    EXPECT_EQ(description.collections[1].collectionNumber, 2);
}

TEST(DeviceDescription, WithoutCollectionsOnlyRowsRemain)
{
    DeviceDescription description;
    EXPECT_EQ(Parse("05 01 09 02 75 08", description), ParseResult::Ok);
    EXPECT_EQ(description.rows.size(), 3u);
    EXPECT_EQ(description.collectionCount, 0u);
    EXPECT_EQ(description.collections, nullptr);
    EXPECT_TRUE(description.summaries.empty());
}

TEST(DeviceDescription, FailuresAndWhatTheyLeave)
{
    {
        DeviceDescription description;
        EXPECT_EQ(Parse("", description), ParseResult::EmptyDescriptor);
        EXPECT_TRUE(description.rows.empty());
    }
    // Allocation order after the item loop of two empty collections: the two arrays, then
    // one context per collection.
    const char* hex = "A1 01 C0 A1 01 C0";
    TestCallbacks probe;
    {
        DeviceDescription description;
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ASSERT_EQ(
            BuildDeviceDescription(probe.Get(), bytes.data(), bytes.size(), description, nullptr),
            ParseResult::Ok);
    }
    const int total = probe.Allocations();
    struct Case
    {
        const char* name;
        int failing;
        ParseResult result;
        std::size_t summaries;
    };
    const Case cases[] = {
        { "the state", 1, ParseResult::NoMemory, 0 },
        { "the collections array", total - 3, ParseResult::Ok, 0 },
        { "the report-id array", total - 2, ParseResult::Ok, 0 },
        { "the second context", total, ParseResult::NoMemory, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestCallbacks callbacks;
        callbacks.FailAllocation(c.failing);
        {
            DeviceDescription description;
            const std::vector<std::uint8_t> bytes = HexBytes(hex);
            EXPECT_EQ(BuildDeviceDescription(callbacks.Get(), bytes.data(), bytes.size(),
                                             description, nullptr),
                      c.result);
            EXPECT_EQ(description.collectionCount, 0u);
            EXPECT_EQ(description.reportIdCount, 0u);
            EXPECT_EQ(description.collections, nullptr);
            EXPECT_EQ(description.summaries.size(), c.summaries);
            EXPECT_EQ(description.rows.size(), c.failing == 1 ? 0u : 4u);
        }
        EXPECT_EQ(callbacks.LiveBlocks(), 0);
    }
    TestCallbacks callbacks;
    callbacks.FailAllocation(1);
    DeviceDescription description;
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    (void)BuildDeviceDescription(callbacks.Get(), bytes.data(), bytes.size(), description, nullptr);
    EXPECT_EQ(callbacks.AllDebugText(),
              "[HIDPARSER] Failed to parse report descriptor with ffffffff\n");
}

TEST(DeviceDescription, EntryWritesItsOwnLines)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    {
        DeviceDescription description;
        const std::vector<std::uint8_t> bytes = HexBytes("09 01 A1 01 C0");
        ParseOptions options;
        options.debugOut = out;
        ASSERT_EQ(ParseDescriptor(bytes.data(), bytes.size(), description, options),
                  ParseResult::Ok);
    }
    std::fclose(out);
    const std::string written(text, size);
    std::free(text);
    EXPECT_EQ(written.rfind("----------------------------\nCollectionContext ", 0), 0u) << written;
    EXPECT_NE(written.find("\nCollectionContext RawData "), std::string::npos);
    EXPECT_NE(written.find("\nCollectionContext Size 36\n"), std::string::npos);
}

} // namespace
} // namespace quorlix
