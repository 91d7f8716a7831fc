#include "parser/DeviceDescription.h"
#include "parser/ParseItems.h"

#include "StandardHeapWatch.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>

namespace quorlix {
namespace {

using test::HexBytes;
using test::StandardHeapWatch;
using test::TestCallbacks;

// Forty nested collections, each with an Input field and a Push left open, in two top-level
// collections: a tree, report records and a Push stack for a release to walk.
std::vector<std::uint8_t> NestedWithPushes()
{
    std::string hex = "75 08 95 01 ";
    for (int top = 0; top < 2; ++top) {
        for (int depth = 0; depth < 40; ++depth) {
            hex += "A1 00 81 02 A4 ";
        }
        for (int depth = 0; depth < 40; ++depth) {
            hex += "C0 ";
        }
    }
    return HexBytes(hex);
}

TEST(Release, ReleasingAParseTakesNoMemoryFromTheStandardHeap)
{
    const std::vector<std::uint8_t> bytes = NestedWithPushes();
    std::optional<DeviceDescription> description(std::in_place);
    ParseOptions options;
    options.debugOut = nullptr;
    ASSERT_EQ(ParseDescriptor(bytes.data(), bytes.size(), *description, options), ParseResult::Ok);
    ASSERT_EQ(description->collectionCount, 2u);

    int allocations = 0;
    {
        StandardHeapWatch watch;
        description.reset();
        allocations = watch.Allocations();
    }
    EXPECT_EQ(allocations, 0);
}

// Makes each standard-heap allocation of a parse throw in turn, until a parse runs through.
// A parse that throws must leave none of the parser's blocks allocated, and the rows it was
// given (three of an earlier descriptor) as they were.
template <typename Parse>
void ThrowAtEachAllocation(Parse parse)
{
    bool finished = false;
    for (int n = 1; !finished && n < 2000; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        TestCallbacks callbacks;
        std::vector<ItemRow> rows(3);
        bool threw = false;
        {
            StandardHeapWatch watch;
            watch.ThrowAt(n);
            try {
                parse(callbacks, rows);
            } catch (const std::bad_alloc&) {
                threw = true;
            }
        }
        finished = !threw;
        if (threw) {
            EXPECT_EQ(rows.size(), 3u);
        }
        EXPECT_EQ(callbacks.LiveBlocks(), 0);
    }
    EXPECT_TRUE(finished);
}

TEST(Release, ParseItemsThatThrowsPartWayReleasesWhatItAllocated)
{
    const std::vector<std::uint8_t> bytes = NestedWithPushes();
    ThrowAtEachAllocation([&](TestCallbacks& callbacks, std::vector<ItemRow>& rows) {
        ParserState* state = nullptr;
        EXPECT_EQ(ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state),
                  ParseResult::Ok);
        ReleaseParserState(callbacks.Get(), state);
    });
}

TEST(Release, DescriptionThatThrowsPartWayIsReleasedWithTheDescription)
{
    const std::vector<std::uint8_t> bytes = NestedWithPushes();
    ThrowAtEachAllocation([&](TestCallbacks& callbacks, std::vector<ItemRow>&) {
        DeviceDescription description;
        EXPECT_EQ(BuildDeviceDescription(callbacks.Get(), bytes.data(), bytes.size(), description,
                                         nullptr),
                  ParseResult::Ok);
    });
}

} // namespace
} // namespace quorlix
