#include "devices/DeviceSelector.h"

#include "devices/HidDeviceList.h"
#include "support/FakeSysfsFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlix {
namespace {

using DeviceSelectorTest = test::FakeSysfsTest;

TEST_F(DeviceSelectorTest, EachKindOfSelectorFindsItsDevice)
{
    struct Case
    {
        const char* selector;
        const char* id; // the device found, or empty
        const char* error;
    };
    const Case cases[] = {
        { "hidraw3", "0005:05AC:0256.0004", "" },
        { "/dev/hidraw0", "0003:045E:0040.0001", "" },
        { "0018:06CB:CE37.0005", "0018:06CB:CE37.0005", "" },
        { "0018:06cb:ce37.5", "0018:06CB:CE37.0005", "" },
        { "045e:0040", "0003:045E:0040.0001", "" },
        { "45E:40", "0003:045E:0040.0001", "" },
        { "045E:00DB/1", "0003:045E:00DB.0002", "" },
        { "045E:00DB/2", "0003:045E:00DB.0003", "" },
        { "045E:0040/1", "0003:045E:0040.0001", "" },
        { "045E:00DB", "",
          "2 HID devices are 045E:00DB (0003:045E:00DB.0002, 0003:045E:00DB.0003): add /1 to /2 "
          "to pick one" },
        { "045E:00DB/3", "", "there are 2 HID devices 045E:00DB, numbered from 1" },
        { "045E:00DB/0", "", "there are 2 HID devices 045E:00DB, numbered from 1" },
        { "045E:0040/2", "", "there is 1 HID device 045E:0040, numbered from 1" },
        { "046D:C52B", "", "no HID device 046D:C52B" },
        { "hidraw7", "", "no HID device has hidraw7" },
        { "/dev/hidraw12", "", "no HID device has hidraw12" },
        { "0003:045E:0040.0009", "", "no HID device with this id" },
    };
    const HidDeviceList list = ListHidDevices(Root());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        const DeviceSelection selection = SelectDevice(list.devices, c.selector);
        EXPECT_EQ(selection.error, c.error);
        EXPECT_EQ(selection.device == nullptr ? std::string() : selection.device->id, c.id);
    }
}

TEST(DeviceSelector, MalformedSelectorsAreRefusedBeforeAnyDeviceIsConsidered)
{
    const std::string refusal = "not a device: give hidrawN, /dev/hidrawN, a sysfs id such as "
                                "0003:046D:C52B.0001, or VID:PID with an optional /N";
    for (const char* selector :
         { "", "mouse", "hidraw", "hidrawX", "/dev/input/event3", "046D", "046D:", ":C52B",
           "046DA:C52B", "046D:C52BA", "046D:C52B/", "046D:C52B/x", "046D:C52B/-1", "046G:C52B" }) {
        SCOPED_TRACE(selector);
        const DeviceSelection selection = SelectDevice({}, selector);
        EXPECT_EQ(selection.device, nullptr);
        EXPECT_EQ(selection.error, refusal);
    }
    // A well-formed selector with no devices at all says so.
    EXPECT_EQ(SelectDevice({}, "hidraw0").error, "no HID devices found");
    EXPECT_EQ(SelectDevice({}, "046D:C52B").error, "no HID devices found");
}

} // namespace
} // namespace quorlix
