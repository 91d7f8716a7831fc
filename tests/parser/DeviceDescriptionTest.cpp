#include "parser/DeviceDescription.h"

#include "parser/CollectionContext.h"
#include "parser/ReportLayout.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

TEST(DeviceDescription, ParsingAgainReplacesTheEarlierParse)
{
    const std::vector<std::uint8_t> mouse = HexBytes(test::kMouseHex);
    const std::vector<std::uint8_t> two = HexBytes("A1 01 C0 A1 01 C0"); // 4 rows, 2 collections
    int twoBlocks = 0; // what a parse of two holds in a new description
    {
        TestCallbacks alone;
        DeviceDescription description;
        ASSERT_EQ(BuildDeviceDescription(alone.Get(), two.data(), two.size(), description, nullptr),
                  ParseResult::Ok);
        twoBlocks = alone.LiveBlocks();
    }
    TestCallbacks callbacks;
    DeviceDescription description;
    ASSERT_EQ(
        BuildDeviceDescription(callbacks.Get(), mouse.data(), mouse.size(), description, nullptr),
        ParseResult::Ok);
    ASSERT_EQ(BuildDeviceDescription(callbacks.Get(), two.data(), two.size(), description, nullptr),
              ParseResult::Ok);
    EXPECT_EQ(description.rows.size(), 4u);
    EXPECT_EQ(description.summaries.size(), 2u);
    EXPECT_EQ(description.collectionCount, 2u);
    EXPECT_EQ(callbacks.LiveBlocks(), twoBlocks); // none of the mouse's blocks is left
    ReleaseDeviceDescription(description);
    EXPECT_EQ(callbacks.LiveBlocks(), 0);

    // The heap entry too: the rows and summaries are those of the last parse alone.
    DeviceDescription heap;
    ASSERT_EQ(Parse(test::kMouseHex, heap), ParseResult::Ok);
    ASSERT_EQ(Parse(test::kMouseHex, heap), ParseResult::Ok);
    EXPECT_EQ(heap.rows.size(), 26u);
    EXPECT_EQ(heap.summaries.size(), 1u);
    EXPECT_EQ(heap.collectionCount, 1u);
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

TEST(DeviceDescription, MemoryBoundTakesTheAllocationFailurePaths)
{
    // 2000 one-bit fields: 80,000 bytes of field records, then a context of 68,088 bytes.
    const char* hex = "A1 01 75 01 96 D0 07 81 02 C0 C0";
    struct Case
    {
        const char* name;
        std::size_t bound;
        ParseResult result;
        std::size_t rows;
        std::uint32_t collections;
        std::uint16_t inputLength; // of the one collection, when there is one
    };
    const Case cases[] = {
        { "the state itself does not fit", 64, ParseResult::NoMemory, 0, 0, 0 },
        { "the fields do not fit: the item adds none", 32 * 1024, ParseResult::Ok, 6, 1, 1 },
        { "the fields fit, their context does not", 100 * 1024, ParseResult::NoMemory, 6, 0, 0 },
        { "everything fits", 256 * 1024, ParseResult::Ok, 6, 1, 251 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceDescription description;
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ParseOptions options;
        options.debugOut = nullptr;
        options.memoryBound = c.bound;
        EXPECT_EQ(ParseDescriptor(bytes.data(), bytes.size(), description, options), c.result);
        EXPECT_EQ(description.rows.size(), c.rows);
        EXPECT_EQ(description.collectionCount, c.collections);
        if (c.collections == 1) {
            EXPECT_EQ(description.collections[0].inputLength, c.inputLength);
        }
        EXPECT_EQ(description.boundReached, c.bound < 256 * 1024);
    }
}

TEST(DeviceDescription, DeepNestingGoesThroughContextLayoutAndReleaseWithoutRecursion)
{
    // 30,000 nested collections with one 8-bit Input field in the innermost: one top-level
    // collection whose context holds every level.
    std::string hex;
    for (int i = 0; i < 30000; ++i) {
        hex += "A1 00 ";
    }
    hex += "75 08 95 01 81 02";
    TestCallbacks callbacks;
    {
        DeviceDescription description;
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ASSERT_EQ(BuildDeviceDescription(callbacks.Get(), bytes.data(), bytes.size(), description,
                                         nullptr),
                  ParseResult::Ok);
        ASSERT_EQ(description.collectionCount, 1u);
        EXPECT_EQ(description.rows.size(), 30003u);
        // Each level takes 31 bytes and one 4-byte table entry for its one child or report.
        EXPECT_EQ(description.collections[0].contextSize, 4u + 30000u * 35u + 48u + 34u + 1u);
        EXPECT_EQ(GetReportLength(description.collections[0].context, ReportType::Input), 1u);

        LayoutTexts texts;
        BuildLayoutTexts(description, texts, nullptr);
        EXPECT_EQ(texts.summary, u"----Col_1---USAGE_PAGE:0----USAGE:0-----\r\n"
                                 u"\tReportID=0(0)\r\n\tReportContentSize=1 Bytes(8 Bits)\r\n"
                                 u"\tReportType=1(InputReport)\r\n");
    }
    EXPECT_EQ(callbacks.LiveBlocks(), 0);
}

} // namespace
} // namespace quorlix

namespace quorlix {
namespace {

TEST(DeviceDescription, LengthsRoundUpAndNeverWrap)
{
    struct Case
    {
        const char* name;
        std::string hex;
        std::uint32_t entryInput;      // ReportIdEntry: the id byte only where used
        std::uint32_t collectionInput; // CollectionDescription: always one id byte
        bool boundReached;
        bool sizesSaturated;
    };
    const Case cases[] = {
        { "12 bits behind report id 1 take two bytes and the id",
          "A1 01 85 01 75 0C 95 01 81 02 C0", 3, 3, false, false },
        { "a 70,000-byte report keeps its length", "A1 01 75 08 97 70 11 01 00 81 02 C0", 70000,
          70001, false, false },
        { "a field past the record's image is lost and the parse says so",
          "A1 01 75 FF 97 FF FF FF FF 81 02 C0", 0, 1, true, false },
        { "a running total past 64 bits is held and flagged",
          "A1 01 77 FF FF FF FF 97 FF FF FF FF 81 02 81 02 C0", 0, 1, true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceDescription description;
        ASSERT_EQ(Parse(c.hex, description), ParseResult::Ok);
        ASSERT_EQ(description.collectionCount, 1u);
        EXPECT_EQ(description.reportIds[0].inputLength, c.entryInput);
        EXPECT_EQ(description.collections[0].inputLength, c.collectionInput);
        EXPECT_EQ(description.boundReached, c.boundReached);
        EXPECT_EQ(description.sizesSaturated, c.sizesSaturated);
    }
}

TEST(DeviceDescription, CollectionNumbersPassTwoHundredAndFiftyFive)
{
    std::string hex;
    for (int i = 0; i < 300; ++i) {
        hex += "A1 01 C0 ";
    }
    DeviceDescription description;
    ASSERT_EQ(Parse(hex, description), ParseResult::Ok);
    ASSERT_EQ(description.collectionCount, 300u);
    EXPECT_EQ(description.collections[255].collectionNumber, 256u);
    EXPECT_EQ(description.reportIds[299].collectionNumber, 300u);
    LayoutTexts texts;
    BuildLayoutTexts(description, texts, nullptr);
    EXPECT_NE(texts.summary.find(u"----Col_256---"), std::u16string::npos);
    EXPECT_NE(texts.summary.find(u"----Col_300---"), std::u16string::npos);
}

} // namespace
} // namespace quorlix
