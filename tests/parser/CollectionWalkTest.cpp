#include "parser/CollectionWalk.h"

#include "parser/DeviceDescription.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlix {
namespace {

using test::HexBytes;

// Application (1) holding Physical (0) with a Logical (2) inside, then Report (3); the
// collection kinds tell the walk's visits apart.
constexpr std::string_view kNestedHex = "A1 01 "
                                        "A1 00 A1 02 C0 C0 "
                                        "A1 03 C0 "
                                        "C0";

struct Parsed
{
    explicit Parsed(std::string_view hex)
    {
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ParseOptions options;
        options.debugOut = nullptr;
        EXPECT_EQ(ParseDescriptor(bytes.data(), bytes.size(), description, options),
                  ParseResult::Ok);
    }
    const HidCollection& Root() const { return *description.state->rootCollection; }
    DeviceDescription description;
};

TEST(CollectionWalk, EntersBeforeAndLeavesAfterTheChildrenInOrder)
{
    const Parsed parsed(kNestedHex);
    std::string visits;
    WalkCollections(
        parsed.Root(), [&](const HidCollection& c) { visits += "+" + std::to_string(c.type); },
        [&](const HidCollection& c) { visits += "-" + std::to_string(c.type); });
    // The root is a Logical collection (2) of its own.
    EXPECT_EQ(visits, "+2+1+0+2-2-0+3-3-1-2");

    // A subtree is walked alone: the walk does not climb past where it started.
    visits.clear();
    ForEachCollection(*parsed.Root().children[0]->children[0],
                      [&](const HidCollection& c) { visits += std::to_string(c.type); });
    EXPECT_EQ(visits, "02");
}

TEST(CollectionWalk, VisitorGivingFalseEndsTheWalk)
{
    const Parsed parsed(kNestedHex);
    std::string visits;
    WalkCollections(
        parsed.Root(),
        [&](const HidCollection& c) {
            visits += "+" + std::to_string(c.type);
            return c.type != 0;
        },
        [&](const HidCollection& c) { visits += "-" + std::to_string(c.type); });
    EXPECT_EQ(visits, "+2+1+0");
}

TEST(CollectionWalk, ContextBlocksComeDepthFirst)
{
    // A report in each collection, so the walk has report images to step over: Input in the
    // Physical, Feature in the Logical, Output in the Report collection.
    const Parsed parsed("75 08 95 01 A1 01 "
                        "A1 00 81 02 A1 02 B1 02 C0 C0 "
                        "A1 03 91 02 C0 "
                        "C0");
    ASSERT_EQ(parsed.description.collectionCount, 1u);
    const std::uint8_t* context = parsed.description.collections[0].context;
    std::string kinds;
    ForEachContextBlock(context, 0, [&](std::uint32_t offset) {
        kinds += std::to_string(ContextRawData(context)[offset + context_layout::kCollectionType]);
    });
    EXPECT_EQ(kinds, "1023");

    kinds.clear();
    ForEachContextBlock(context, 0, [&](std::uint32_t offset) {
        const std::uint8_t kind = ContextRawData(context)[offset + context_layout::kCollectionType];
        kinds += std::to_string(kind);
        return kind != 2;
    });
    EXPECT_EQ(kinds, "102");
}

} // namespace
} // namespace quorlix
