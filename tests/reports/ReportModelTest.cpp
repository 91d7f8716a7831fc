#include "reports/ReportModel.h"

#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::ModelOf;
using test::RealDescriptor;

std::vector<std::uint32_t> ElementUsages(const ReportField& field)
{
    std::vector<std::uint32_t> usages;
    for (std::uint32_t i = 0; i < field.count; ++i) {
        usages.push_back(ElementUsage(field, i));
    }
    return usages;
}

std::vector<std::uint32_t> UsageList(const ReportField& field)
{
    std::vector<std::uint32_t> usages;
    for (std::uint32_t i = 0; i < field.usageCount; ++i) {
        usages.push_back(UsageAtIndex(field, i));
    }
    return usages;
}

TEST(ReportModel, RealMouseWithReportIdCountsTheIdByte)
{
    const ReportModel model = BuildReportModel(RealDescriptor("arduino-mouse"));
    ASSERT_EQ(model.reports.size(), 1u);
    EXPECT_TRUE(model.IsNumbered(ReportType::Input));
    EXPECT_FALSE(model.IsNumbered(ReportType::Output));
    const Report* report = model.Find(ReportType::Input, 1);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->bitLength, 40u); // id byte, 3 buttons, 5 padding bits, X, Y, wheel
    EXPECT_EQ(report->byteLength, 5u);
    ASSERT_EQ(report->fields.size(), 3u);

    const ReportField& buttons = report->fields[0];
    EXPECT_EQ(buttons.bitOffset, 8u);
    EXPECT_EQ(buttons.bitSize, 1u);
    EXPECT_EQ(buttons.count, 3u);
    EXPECT_TRUE(buttons.IsVariable());
    EXPECT_EQ(ElementUsages(buttons), (std::vector<std::uint32_t>{ 0x90001, 0x90002, 0x90003 }));
    EXPECT_EQ(buttons.applicationUsage, 0x10002u);

    const ReportField& padding = report->fields[1];
    EXPECT_EQ(padding.bitOffset, 11u);
    EXPECT_TRUE(padding.IsConstant());
    EXPECT_EQ(padding.usageCount, 0u);

    const ReportField& motion = report->fields[2];
    EXPECT_EQ(motion.bitOffset, 16u);
    EXPECT_TRUE(motion.IsRelative());
    EXPECT_EQ(motion.logicalMinimum, -127);
    EXPECT_EQ(motion.logicalMaximum, 127);
    EXPECT_EQ(motion.physicalMinimum, -127);
    EXPECT_EQ(motion.physicalMaximum, 127);
    EXPECT_FALSE(motion.physicalGiven);
    EXPECT_EQ(ElementUsages(motion), (std::vector<std::uint32_t>{ 0x10030, 0x10031, 0x10038 }));

    EXPECT_EQ(model.Find(ReportType::Input, 0), nullptr);
    EXPECT_EQ(model.Find(ReportType::Feature, 1), nullptr);
}

TEST(ReportModel, ElementUsagesFollowTheListAndRanges)
{
    struct Case
    {
        const char* name;
        const char* hex; // one Input item after its usages, on Generic Desktop unless it says
        std::vector<std::uint32_t> elements;
    };
    const Case cases[] = {
        { "the last usage repeats past the end of the list",
          "05 01 09 30 09 31 75 08 95 04 81 02",
          { 0x10030, 0x10031, 0x10031, 0x10031 } },
        { "a range gives consecutive usages",
          "05 09 19 01 29 03 75 01 95 03 81 02",
          { 0x90001, 0x90002, 0x90003 } },
        { "usages and a range make one list in item order",
          "05 01 09 38 19 30 29 31 75 08 95 03 81 02",
          { 0x10038, 0x10030, 0x10031 } },
        { "a short usage takes the page in force at the main item",
          "09 30 05 01 75 08 95 01 81 02",
          { 0x10030 } },
        { "a four-byte usage keeps its own page",
          "05 01 0B 38 02 0C 00 75 08 95 01 81 02",
          { 0xC0238 } },
        { "a maximum without a minimum starts at id 0",
          "05 09 29 02 75 01 95 03 81 02",
          { 0x90000, 0x90001, 0x90002 } },
        { "a range that runs backwards gives nothing",
          "05 09 19 05 29 02 09 07 75 01 95 02 81 02",
          { 0x90007, 0x90007 } },
        { "no usage at all gives 0", "75 08 95 02 81 02", { 0, 0 } },
        { "a Delimiter set is one element, named by its first usage",
          "05 01 A9 01 09 30 09 40 A9 00 A9 01 09 31 19 41 29 42 A9 00 75 08 95 02 81 02",
          { 0x10030, 0x10031 } },
        { "a main item of a reserved tag leaves the usages for the next main item",
          "05 01 09 30 D0 75 08 95 01 81 02",
          { 0x10030 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model = ModelOf(std::string("A1 01 ") + c.hex + " C0");
        ASSERT_EQ(model.reports.size(), 1u);
        ASSERT_EQ(model.reports[0].fields.size(), 1u);
        EXPECT_EQ(ElementUsages(model.reports[0].fields[0]), c.elements);
    }
}

TEST(ReportModel, ArrayUsagesAreTheListItMayReport)
{
    // A keyboard's key array over a range, and consumer keys declared as a list.
    const ReportModel keys = BuildReportModel(RealDescriptor("hid-example-keyboard"));
    const Report* input = keys.Find(ReportType::Input, 0);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->byteLength, 8u);
    const ReportField& array = input->fields.back();
    EXPECT_FALSE(array.IsVariable());
    EXPECT_EQ(array.bitOffset, 16u);
    EXPECT_EQ(array.count, 6u);
    EXPECT_EQ(array.usageCount, 102u); // 0x00 to 0x65
    EXPECT_EQ(UsageAtIndex(array, 0), 0x70000u);
    EXPECT_EQ(UsageAtIndex(array, 101), 0x70065u);
    EXPECT_EQ(UsageAtIndex(array, 102), 0u);

    const ReportModel consumer =
        ModelOf("05 0C 09 01 A1 01 15 01 25 03 09 E9 09 EA 09 E2 75 02 95 01 81 00 C0");
    EXPECT_EQ(UsageList(consumer.reports[0].fields[0]),
              (std::vector<std::uint32_t>{ 0xC00E9, 0xC00EA, 0xC00E2 }));
}

TEST(ReportModel, LimitsAreSignedAsTheMinimumSays)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::int64_t logicalMinimum, logicalMaximum, physicalMinimum, physicalMaximum;
        bool physicalGiven;
    };
    const Case cases[] = {
        { "a one-byte maximum of FF after a zero minimum is 255", "15 00 26 FF 00", 0, 255, 0, 255,
          false },
        { "25 FF after a zero minimum reads unsigned too", "15 00 25 FF", 0, 255, 0, 255, false },
        { "81 reads -127 as a minimum", "15 81 25 7F", -127, 127, -127, 127, false },
        { "a negative minimum makes the maximum signed", "15 80 25 FF", -128, -1, -128, -1, false },
        { "two-byte limits", "16 00 80 26 FF 7F", -32768, 32767, -32768, 32767, false },
        { "four-byte maximum of FFFFFFFF after zero", "15 00 27 FF FF FF FF", 0, 4294967295LL, 0,
          4294967295LL, false },
        { "a maximum before its minimum is read with that minimum", "25 FF 15 FF", -1, -1, -1, -1,
          false },
        { "physical limits of their own", "15 00 25 07 35 00 46 3B 01", 0, 7, 0, 315, true },
        { "physical limits both 0 are the logical ones", "15 00 25 0A 35 00 45 00", 0, 10, 0, 10,
          false },
        { "negative physical minimum", "15 00 25 64 35 9C 45 64", 0, 100, -100, 100, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model =
            ModelOf(std::string("A1 01 09 30 ") + c.hex + " 75 08 95 01 81 02 C0");
        const ReportField& field = model.reports.at(0).fields.at(0);
        EXPECT_EQ(field.logicalMinimum, c.logicalMinimum);
        EXPECT_EQ(field.logicalMaximum, c.logicalMaximum);
        EXPECT_EQ(field.physicalMinimum, c.physicalMinimum);
        EXPECT_EQ(field.physicalMaximum, c.physicalMaximum);
        EXPECT_EQ(field.physicalGiven, c.physicalGiven);
    }
}

TEST(ReportModel, UnitsAndExponentsDecode)
{
    struct Case
    {
        const char* name;
        const char* hex;
        UnitSystem system;
        const char* text;
        std::int32_t exponent;
    };
    const Case cases[] = {
        { "degrees of a hat switch", "65 14", UnitSystem::EnglishRotation, "deg", 0 },
        { "centimetres", "65 11", UnitSystem::SiLinear, "cm", 0 },
        { "velocity", "66 11 F0", UnitSystem::SiLinear, "cm/s", 0 },
        { "acceleration, exponent -2 as a nibble", "66 11 E0 55 0E", UnitSystem::SiLinear, "cm/s²",
          -2 },
        { "energy, exponent -3 as a signed byte", "66 21 E1 55 FD", UnitSystem::SiLinear,
          "cm²·g/s²", -3 },
        { "kelvin in the fifth nibble", "67 01 00 01 00", UnitSystem::SiLinear, "K", 0 },
        { "frequency has nothing above the line", "66 01 F0", UnitSystem::SiLinear, "1/s", 0 },
        { "radians", "65 12", UnitSystem::SiRotation, "rad", 0 },
        { "inches", "65 13", UnitSystem::EnglishLinear, "in", 0 },
        { "current and light", "67 01 00 10 01", UnitSystem::SiLinear, "A·cd", 0 },
        { "a vendor unit has no name", "65 FF", UnitSystem::Vendor, "", 0 },
        { "system 5 is reserved", "65 15", UnitSystem::Reserved, "", 0 },
        { "no unit", "65 00", UnitSystem::None, "", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model =
            ModelOf(std::string("A1 01 09 30 ") + c.hex + " 15 00 25 01 75 08 95 01 81 02 C0");
        const ReportField& field = model.reports.at(0).fields.at(0);
        EXPECT_EQ(field.unit.system, c.system);
        EXPECT_EQ(UnitText(field.unit), c.text);
        EXPECT_EQ(field.unitExponent, c.exponent);
    }
}

TEST(ReportModel, ReportsAreKeptPerTypeAndIdAcrossCollections)
{
    // Two top-level collections share input report 1; the feature report of id 2 is numbered,
    // and the output report takes id 1 back from Pop.
    const ReportModel model = ModelOf("A1 01 85 01 09 30 75 08 95 01 81 02 C0 "
                                      "A1 01 09 31 75 08 95 02 81 02 "
                                      "A4 85 02 09 32 75 10 95 01 B1 02 B4 "
                                      "09 33 75 04 95 01 91 02 C0");
    ASSERT_EQ(model.reports.size(), 3u);
    const Report* input = model.Find(ReportType::Input, 1);
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->fields.size(), 2u);
    EXPECT_EQ(input->fields[1].bitOffset, 16u);
    EXPECT_EQ(input->byteLength, 4u);

    const Report* feature = model.Find(ReportType::Feature, 2);
    ASSERT_NE(feature, nullptr);
    EXPECT_EQ(feature->byteLength, 3u);
    EXPECT_TRUE(model.IsNumbered(ReportType::Feature));

    const Report* output = model.Find(ReportType::Output, 1);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->bitLength, 12u);
    EXPECT_EQ(output->byteLength, 2u);
}

TEST(ReportModel, DelimiterSetsNameOneButtonEach)
{
    // Each set holds a Button and a Simulation usage for the same control.
    const ReportModel model = BuildReportModel(RealDescriptor("hid-example-delimiter-joystick"));
    const Report* input = model.Find(ReportType::Input, 0);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(ElementUsages(input->fields.back()),
              (std::vector<std::uint32_t>{ 0x90001, 0x90002, 0x90003, 0x90004 }));
}

TEST(ReportModel, AnIdOfTwoTopLevelCollectionsIsOneReportThatSaysSo)
{
    const ReportModel model = ModelOf("A1 01 85 01 75 04 95 01 81 02 C0 " // offsets 0 to 10
                                      "A1 01 85 01 75 08 95 01 81 02 C0");
    ASSERT_EQ(model.reports.size(), 1u);
    const Report& report = model.reports[0];
    EXPECT_TRUE(report.spansCollections);
    EXPECT_EQ(report.firstCollection, 1u);
    EXPECT_EQ(report.secondCollectionOffset, 19u); // the second collection's Input item
    EXPECT_EQ(report.byteLength, 3u);              // id byte, 4 bits and 8 bits rounded up

    const ReportModel single = ModelOf("A1 01 85 01 75 04 95 01 81 02 81 02 C0");
    EXPECT_FALSE(single.reports.at(0).spansCollections);
}

TEST(ReportModel, LengthsPastSixtyFourBitsSaturateAndSaySo)
{
    // Report Size and Report Count of 2^32 - 1 twice: more bits than 64 bits can count.
    const std::string field = "77 FF FF FF FF 97 FF FF FF FF 81 02 ";
    const ReportModel model = ModelOf("A1 01 " + field + field + "81 02 C0");
    ASSERT_EQ(model.reports.size(), 1u);
    const Report& report = model.reports[0];
    EXPECT_TRUE(model.sizesSaturated);
    EXPECT_TRUE(report.saturated);
    EXPECT_EQ(report.bitLength, UINT64_MAX);
    EXPECT_EQ(report.fields[1].bitOffset, 0xFFFFFFFE00000001u); // (2^32 - 1)^2 still counts
    EXPECT_EQ(report.fields[2].bitOffset, UINT64_MAX);

    const ReportModel one = ModelOf("A1 01 " + field + "C0");
    EXPECT_FALSE(one.sizesSaturated);
    EXPECT_EQ(one.reports.at(0).byteLength, 0x1FFFFFFFC0000000u + 1); // rounded up
}

TEST(ReportModel, HugeCountsStayBoundedAndFast)
{
    // 2000 items of 65535 one-bit elements each over a full 16-bit usage range: kept as one
    // run per field, the model is small however many elements it describes.
    std::string hex = "05 09 A1 01 75 01 96 FF FF ";
    for (int i = 0; i < 2000; ++i) {
        hex += "19 00 2A FF FF 81 02 ";
    }
    const ReportModel model = ModelOf(hex + "C0");
    ASSERT_EQ(model.reports.size(), 1u);
    EXPECT_EQ(model.reports[0].bitLength, 2000u * 65535u);
    EXPECT_EQ(model.reports[0].fields.back().usages.size(), 1u);
    EXPECT_FALSE(model.boundReached);

    // Twenty full ranges before one item pass the bound of one field's usage list.
    std::string wide = "05 09 A1 01 75 01 96 FF FF ";
    for (int i = 0; i < 20; ++i) {
        wide += "19 00 2A FF FF ";
    }
    const ReportModel bounded = ModelOf(wide + "81 02 C0");
    EXPECT_TRUE(bounded.boundReached);
    EXPECT_EQ(bounded.reports.at(0).fields.at(0).usageCount, kMaxFieldUsages);
}

TEST(ReportModel, OddDescriptorsStillGiveAModel)
{
    // A field outside any collection, a long item, a reserved item and a truncated last item.
    const ReportModel model = ModelOf("09 30 75 08 95 01 81 02 FE 02 10 AA BB F4 26 FF");
    ASSERT_EQ(model.reports.size(), 1u);
    EXPECT_EQ(model.reports[0].byteLength, 1u);
    EXPECT_EQ(BuildReportModel({}).reports.size(), 0u);
}

} // namespace
} // namespace quorlix
