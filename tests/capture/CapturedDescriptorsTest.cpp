#include "capture/CapturedDescriptors.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quorlix {
namespace {

CapturedDescriptor Descriptor(std::uint8_t address, std::uint16_t interface,
                              std::vector<std::uint8_t> bytes)
{
    CapturedDescriptor d;
    d.bus = 1;
    d.address = address;
    d.interface = interface;
    d.bytes = std::move(bytes);
    return d;
}

// Device 1.5 with two interfaces, whose ids were captured, and 1.7, whose were not.
CaptureInventory TwoDevices()
{
    CaptureInventory inventory;
    CapturedDevice five;
    five.bus = 1;
    five.address = 5;
    five.hasIds = true;
    five.vendorId = 0x04D9;
    five.productId = 0xA0F8;
    inventory.devices.push_back(five);
    // A mouse's first items, and two bytes that are no report descriptor.
    inventory.descriptors.push_back(
        Descriptor(5, 0, { 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0 }));
    inventory.descriptors.push_back(Descriptor(5, 1, { 0x05, 0x01 }));
    inventory.descriptors.push_back(
        Descriptor(7, 0, { 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x81, 0x02, 0xC0 }));
    return inventory;
}

TEST(ChooseCapturedDescriptor, PicksByIndexOrInterfaceAndListsEveryCandidate)
{
    struct Case
    {
        const char* name;
        std::optional<std::size_t> index;
        const char* selector;
        std::optional<CapturedDescriptorError> error;
        std::size_t chosen;
        const char* interfaceName;
        const char* deviceId;
    };
    using E = CapturedDescriptorError;
    const Case cases[] = {
        { "neither takes the first", {}, "", {}, 0, "1.5:0", "0003:04D9:A0F8" },
        { "an index", 2, "", {}, 2, "1.7:0", "" },
        { "an interface", {}, "1.5:1", {}, 1, "1.5:1", "0003:04D9:A0F8" },
        { "a device alone takes its first", {}, "1.7", {}, 2, "1.7:0", "" },
        { "the interface wins over the index", 0, "1.7:0", {}, 2, "1.7:0", "" },
        { "an index past the last", 3, "", E::NoSuchIndex, 0, "", "" },
        { "an interface not captured", {}, "1.5:2", E::NoSuchInterface, 0, "", "" },
        { "a selector that is none", {}, "1:5", E::BadSelector, 0, "", "" },
        { "an address past a byte", {}, "1.256", E::BadSelector, 0, "", "" },
    };
    const CaptureInventory inventory = TwoDevices();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        const auto choice = ChooseCapturedDescriptor(inventory, { c.index, c.selector }, input);
        // Whatever the outcome, the candidates say what the capture holds.
        ASSERT_EQ(input.candidates.size(), 3U);
        EXPECT_EQ(input.descriptors, 3U);
        if (c.error) {
            ASSERT_FALSE(choice);
            EXPECT_EQ(choice.Error(), *c.error);
            EXPECT_TRUE(input.bytes.empty());
            continue;
        }
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->index, c.chosen);
        EXPECT_EQ(choice->interfaceName, c.interfaceName);
        EXPECT_EQ(choice->deviceId, c.deviceId);
        EXPECT_EQ(input.form, InputForm::Binary);
        EXPECT_EQ(input.index, c.chosen);
        const std::vector<std::uint8_t>& bytes = inventory.descriptors[c.chosen].bytes;
        EXPECT_EQ(input.bytes, std::string(bytes.begin(), bytes.end()));
    }

    DescriptorInput input;
    ASSERT_TRUE(ChooseCapturedDescriptor(inventory, {}, input));
    struct Listed
    {
        const char* label;
        const char* device;
        std::size_t length;
        bool reportDescriptor;
    };
    const Listed listed[] = {
        { "1.5:0", "04d9:a0f8", 9, true },
        { "1.5:1", "04d9:a0f8", 2, false },
        { "1.7:0", "", 10, true },
    };
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(listed[k].label);
        EXPECT_EQ(input.candidates[k].index, k);
        EXPECT_EQ(input.candidates[k].label, listed[k].label);
        EXPECT_EQ(input.candidates[k].device, listed[k].device);
        EXPECT_EQ(input.candidates[k].length, listed[k].length);
        EXPECT_EQ(input.candidates[k].reportDescriptor, listed[k].reportDescriptor);
    }
}

TEST(ChooseCapturedDescriptor, ACaptureWithoutDescriptorsSaysSo)
{
    CaptureInventory inventory = TwoDevices();
    inventory.descriptors.clear();
    DescriptorInput input;
    input.bytes = "old";
    const auto choice = ChooseCapturedDescriptor(inventory, {}, input);
    ASSERT_FALSE(choice);
    EXPECT_EQ(choice.Error(), CapturedDescriptorError::NoDescriptor);
    EXPECT_TRUE(input.bytes.empty());
    EXPECT_TRUE(input.candidates.empty());
}

} // namespace
} // namespace quorlix
