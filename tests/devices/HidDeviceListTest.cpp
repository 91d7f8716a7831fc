#include "devices/HidDeviceList.h"

#include "support/FakeSysfsFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace quorlix {
namespace {

namespace fs = std::filesystem;
using HidDeviceListTest = test::FakeSysfsTest;

TEST_F(HidDeviceListTest, ListsEveryDeviceOfTheTreeInOrder)
{
    struct Expected
    {
        const char* id;
        HidBus bus;
        std::uint32_t vendorId;
        std::uint32_t productId;
        const char* name;
        const char* interface;
        std::vector<std::string> hidraw;
        std::size_t descriptorLength;
    };
    // Ordered by bus, then vendor and product: USB before Bluetooth (5) before I2C (0x18).
    const Expected expected[] = {
        { "0003:045E:0040.0001",
          HidBus::Usb,
          0x045E,
          0x0040,
          "Microsoft Microsoft Wheel Mouse Optical\xC2\xAE",
          "input0",
          { "hidraw0" },
          72 },
        { "0003:045E:00DB.0002",
          HidBus::Usb,
          0x045E,
          0x00DB,
          "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000",
          "input0",
          { "hidraw1" },
          60 },
        { "0003:045E:00DB.0003",
          HidBus::Usb,
          0x045E,
          0x00DB,
          "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000",
          "input1",
          { "hidraw2" },
          86 },
        { "0005:05AC:0256.0004",
          HidBus::Bluetooth,
          0x05AC,
          0x0256,
          "Apple Wireless Keyboard",
          "",
          { "hidraw3" },
          224 },
        { "0018:06CB:CE37.0005",
          HidBus::I2c,
          0x06CB,
          0xCE37,
          "SYNA7DB5:00 06CB:CE37",
          "",
          { "hidraw4" },
          792 },
    };
    const HidDeviceList list = ListHidDevices(Root());
    EXPECT_EQ(list.error, "");
    ASSERT_EQ(list.devices.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        const HidDevice& device = list.devices[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(device.id, e.id);
        EXPECT_EQ(device.bus, e.bus);
        EXPECT_EQ(device.vendorId, e.vendorId);
        EXPECT_EQ(device.productId, e.productId);
        EXPECT_EQ(device.name, e.name);
        EXPECT_EQ(InterfaceName(device), e.interface);
        EXPECT_EQ(device.hidraw, e.hidraw);
        EXPECT_EQ(device.descriptorLength, e.descriptorLength);
        EXPECT_EQ(device.descriptorPath,
                  (fs::path(Root()) / "bus/hid/devices" / e.id / "report_descriptor").string());
    }
    EXPECT_EQ(list.devices[3].uniq, "28:37:37:1b:0f:9c");
}

TEST_F(HidDeviceListTest, OddDevicesKeepWhatCanBeKnown)
{
    const fs::path mouse = DeviceFolder("0003:045E:0040.0001");
    // No uevent: bus, vendor and product come from the id, the name stays empty.
    fs::remove(mouse / "uevent");
    // More hidraw nodes, numbered past 9: ordered by number, not by text.
    fs::create_directories(mouse / "hidraw" / "hidraw10");
    fs::create_directories(mouse / "hidraw" / "hidraw9");
    // A FIFO where the descriptor should be is never waited on: the device has no length.
    const fs::path keyboard = DeviceFolder("0003:045E:00DB.0002");
    fs::remove(keyboard / "report_descriptor");
    ASSERT_EQ(::mkfifo((keyboard / "report_descriptor").c_str(), 0600), 0);
    // A descriptor longer than any the kernel keeps is no descriptor.
    std::ofstream(DeviceFolder("0003:045E:00DB.0003") / "report_descriptor", std::ios::binary)
        << std::string(4097, '\x05');
    // Whatever is not a device id is not a device.
    fs::create_directories(fs::path(Root()) / "bus/hid/devices/not-a-device");

    const HidDeviceList list = ListHidDevices(Root());
    EXPECT_EQ(list.error, "");
    ASSERT_EQ(list.devices.size(), 5u);
    EXPECT_EQ(list.devices[0].bus, HidBus::Usb);
    EXPECT_EQ(list.devices[0].vendorId, 0x045Eu);
    EXPECT_EQ(list.devices[0].productId, 0x0040u);
    EXPECT_EQ(list.devices[0].name, "");
    EXPECT_EQ(list.devices[0].hidraw,
              (std::vector<std::string>{ "hidraw0", "hidraw9", "hidraw10" }));
    EXPECT_EQ(list.devices[0].descriptorLength, 72u);
    EXPECT_FALSE(list.devices[1].descriptorLength.has_value());
    EXPECT_FALSE(list.devices[2].descriptorLength.has_value());
}

TEST(HidDeviceList, RootWithoutHidDevicesGivesAnEmptyListAndNoError)
{
    const HidDeviceList list = ListHidDevices("/nonexistent-quorlix-root");
    EXPECT_TRUE(list.devices.empty());
    EXPECT_EQ(list.error, "");
}

TEST(HidDeviceList, IdsAndBusesParse)
{
    const std::optional<HidDeviceId> id = ParseHidDeviceId("0003:046d:C52B.000A");
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(id->busType, 0x0003u);
    EXPECT_EQ(id->vendorId, 0x046Du);
    EXPECT_EQ(id->productId, 0xC52Bu);
    EXPECT_EQ(id->instance, 0x000Au);
    for (const char* bad : { "", "0003:046D:C52B", "0003:046D.C52B.0001", "0003:046D:C52G.0001",
                             "0003::C52B.0001", "0003:046D:C52B.", "123456789:1:2.3" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseHidDeviceId(bad).has_value());
    }
    EXPECT_EQ(BusName(BusOfType(0x0003)), "USB");
    EXPECT_EQ(BusName(BusOfType(0x0005)), "Bluetooth");
    EXPECT_EQ(BusName(BusOfType(0x0018)), "I2C");
    EXPECT_EQ(BusName(BusOfType(0x0006)), "virtual");
    EXPECT_EQ(BusName(BusOfType(0x0019)), "other");
}

} // namespace
} // namespace quorlix
