#include "devices/DeviceDescriptorReader.h"

#include "support/FakeSysfsFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

namespace quorlix {
namespace {

namespace fs = std::filesystem;
using DeviceDescriptorReaderTest = test::FakeSysfsTest;

TEST_F(DeviceDescriptorReaderTest, SelectorsReadTheDevicesSysfsDescriptor)
{
    struct Case
    {
        const char* selector;
        const char* id;
        const char* data;
    };
    // No /dev/hidrawN exists here, so the node selector falls back to the tree's descriptor.
    const Case cases[] = {
        { "hidraw4", "0018:06CB:CE37.0005", "synaptics-touchpad-i2c.txt" },
        { "/dev/hidraw3", "0005:05AC:0256.0004", "apple-wireless-keyboard.txt" },
        { "0003:045E:0040.0001", "0003:045E:0040.0001", "ms-wheel-mouse-optical.txt" },
        { "045E:00DB/2", "0003:045E:00DB.0003", "ms-natural-ergonomic-4000-consumer.txt" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        const DeviceDescriptor descriptor = ReadSelectedDescriptor(Root(), c.selector);
        EXPECT_TRUE(descriptor.ok) << descriptor.error;
        EXPECT_EQ(descriptor.bytes, DataFile(c.data));
        EXPECT_EQ(descriptor.deviceId, c.id);
        EXPECT_EQ(descriptor.path,
                  (fs::path(Root()) / "bus/hid/devices" / c.id / "report_descriptor").string());
    }
}

TEST_F(DeviceDescriptorReaderTest, UnreadableDescriptorsAreErrors)
{
    const fs::path folder = DeviceFolder("0005:05AC:0256.0004");
    const std::string path = (folder / "report_descriptor").string();
    struct Case
    {
        const char* name;
        bool fifo;
        std::string content;
        const char* error;
    };
    const Case cases[] = {
        { "empty", false, "", "empty report descriptor" },
        { "longer than the kernel keeps", false, std::string(4097, '\x05'),
          "longer than 4096 bytes" },
        { "a FIFO", true, "", "not a regular file" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        if (c.fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else {
            std::ofstream(path, std::ios::binary) << c.content;
        }
        const DeviceDescriptor direct = ReadSysfsDescriptor(path);
        EXPECT_FALSE(direct.ok);
        EXPECT_EQ(direct.error, c.error);
        const DeviceDescriptor selected = ReadSelectedDescriptor(Root(), "hidraw3");
        EXPECT_FALSE(selected.ok);
        EXPECT_EQ(selected.error,
                  std::string("report descriptor of 0005:05AC:0256.0004: ") + c.error);
    }
    fs::remove(path);
    EXPECT_EQ(ReadSysfsDescriptor(path).error, "cannot open file: No such file or directory");
}

TEST_F(DeviceDescriptorReaderTest, HidrawNodeWithoutNodeOrDeviceSaysBoth)
{
    const DeviceDescriptor descriptor = ReadHidrawDescriptor("/dev/hidraw9", Root());
    EXPECT_FALSE(descriptor.ok);
    EXPECT_EQ(descriptor.error, "cannot open the node: No such file or directory; under " + Root() +
                                    ": no HID device has hidraw9");
    const DeviceDescriptor found = ReadHidrawDescriptor("/dev/hidraw1", Root());
    EXPECT_TRUE(found.ok);
    EXPECT_EQ(found.bytes, DataFile("ms-natural-ergonomic-4000-kbd.txt"));
}

TEST_F(DeviceDescriptorReaderTest, NodesThatAreNoHidrawNodesAreRefused)
{
    // A character device that knows no descriptor calls, and is named like no hidraw node.
    EXPECT_EQ(ReadHidrawDescriptor("/dev/null", Root()).error,
              "not a hidraw node: Inappropriate ioctl for device");
    // Something that opens but is no device at all is never taken for one.
    const std::string regular = DeviceFolder("0003:045E:0040.0001") / "uevent";
    const DeviceDescriptor descriptor = ReadHidrawDescriptor(regular, Root());
    EXPECT_FALSE(descriptor.ok);
    EXPECT_EQ(descriptor.error, "not a character device");
}

TEST(DeviceDescriptorReader, HidrawNodePathsAreRecognisedByName)
{
    EXPECT_TRUE(IsHidrawNodePath("/dev/hidraw0"));
    EXPECT_TRUE(IsHidrawNodePath("/dev/hidraw123"));
    EXPECT_FALSE(IsHidrawNodePath("hidraw0"));
    EXPECT_FALSE(IsHidrawNodePath("/dev/hidraw"));
    EXPECT_FALSE(IsHidrawNodePath("/dev/null"));
    EXPECT_FALSE(IsHidrawNodePath("/tmp/hidraw0"));
}

} // namespace
} // namespace quorlix
