#include "cli/CliFixture.h"
#include "support/FakeSysfs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;

// quorlix-cli runs with QUORLIX_SYSFS_ROOT at a fake tree of the standard devices.
class DevicesCommandTest : public quorlix::test::CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        std::string reason;
        ASSERT_TRUE(quorlix::test::BuildFakeSysfs(Root(), quorlix::test::StandardFakeHidDevices(),
                                                  fs::path(QUORLIX_TEST_DATA_DIR) / "descriptors",
                                                  reason))
            << reason;
        ::setenv("QUORLIX_SYSFS_ROOT", Root().c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("QUORLIX_SYSFS_ROOT");
        CliFixture::TearDown();
    }
    std::string Root() const { return (Dir() / "sys").string(); }
};

TEST_F(DevicesCommandTest, TableListsEveryDevice)
{
    const CliRun run = Cli("devices");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        run.out,
        "ID                   BUS        VID:PID    HIDRAW   BYTES  NAME\n"
        "0003:045E:0040.0001  USB        045E:0040  hidraw0     72  Microsoft Microsoft "
        "Wheel Mouse Optical\xC2\xAE\n"
        "0003:045E:00DB.0002  USB        045E:00DB  hidraw1     60  Microsoft Natural\xC2\xAE "
        "Ergonomic Keyboard 4000\n"
        "0003:045E:00DB.0003  USB        045E:00DB  hidraw2     86  Microsoft Natural\xC2\xAE "
        "Ergonomic Keyboard 4000\n"
        "0005:05AC:0256.0004  Bluetooth  05AC:0256  hidraw3    224  Apple Wireless Keyboard\n"
        "0018:06CB:CE37.0005  I2C        06CB:CE37  hidraw4    792  SYNA7DB5:00 06CB:CE37\n");
}

TEST_F(DevicesCommandTest, JsonHoldsEveryFieldOfEveryDevice)
{
    const CliRun run = Cli("devices --format json");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    ASSERT_EQ(document["devices"].size(), 5u);
    const nlohmann::json expected = {
        { "id", "0005:05AC:0256.0004" },
        { "bus", "Bluetooth" },
        { "vendorId", 0x05AC },
        { "productId", 0x0256 },
        { "name", "Apple Wireless Keyboard" },
        { "hidraw", { "hidraw3" } },
        { "descriptorLength", 224 },
        { "descriptorPath", Root() + "/bus/hid/devices/0005:05AC:0256.0004/report_descriptor" },
    };
    EXPECT_EQ(document["devices"][3], expected);
    EXPECT_EQ(document["devices"][4]["bus"], "I2C");
    EXPECT_EQ(document["devices"][0]["name"], "Microsoft Microsoft Wheel Mouse Optical\xC2\xAE");
}

TEST_F(DevicesCommandTest, OddNamesAndDescriptorsStayReadable)
{
    // A device may name itself anything: no terminal escapes in the table, no broken JSON.
    const fs::path folder = fs::canonical(fs::path(Root()) / "bus/hid/devices/0005:05AC:0256.0004");
    std::ofstream(folder / "uevent") << "HID_ID=0005:000005AC:00000256\nHID_NAME=Bad\x1B[2J\xFF\n";
    fs::remove(folder / "report_descriptor");

    const CliRun table = Cli("devices");
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(
        table.out.find("0005:05AC:0256.0004  Bluetooth  05AC:0256  hidraw3      ?  Bad?[2J\xFF\n"),
        std::string::npos)
        << table.out;

    const CliRun json = Cli("devices --format json");
    ASSERT_EQ(json.status, 0);
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["devices"][3]["name"], "Bad\x1B[2J\xEF\xBF\xBD");
    EXPECT_TRUE(document["devices"][3]["descriptorLength"].is_null());
}

TEST_F(DevicesCommandTest, NoDevicesAndUnreadableTrees)
{
    ::setenv("QUORLIX_SYSFS_ROOT", (Dir() / "empty").c_str(), 1);
    CliRun run = Cli("devices");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "no HID devices found\n");
    run = Cli("devices --format json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"devices\":[]}\n");

    const fs::path broken = Dir() / "broken";
    fs::create_directories(broken / "bus/hid");
    std::ofstream(broken / "bus/hid/devices") << "not a folder";
    ::setenv("QUORLIX_SYSFS_ROOT", broken.c_str(), 1);
    run = Cli("devices");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorlix-cli: " + (broken / "bus/hid/devices").string() +
                           ": cannot list folder: Not a directory\n");
}

TEST_F(DevicesCommandTest, DeviceDescriptorsAnalyseLikeTheirHexText)
{
    // The same descriptor as hex text, read by another route, must give the same analysis.
    const std::string hexText =
        std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/apple-wireless-keyboard.txt";
    const CliRun expected = Cli("analyse --format c " + hexText);
    ASSERT_EQ(expected.status, 0);
    const std::string sysfsPath = Root() + "/bus/hid/devices/0005:05AC:0256.0004/report_descriptor";
    for (const std::string& input : std::initializer_list<std::string>{
             "--device hidraw3", "--device /dev/hidraw3", "--device 0005:05AC:0256.0004",
             "--device 05ac:0256", "--device 05AC:0256/1", "/dev/hidraw3", sysfsPath }) {
        SCOPED_TRACE(input);
        const CliRun run = Cli("analyse --format c " + input);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, expected.out);
    }
    const CliRun hexdump = Cli("hexdump --device 045E:00DB/2 -v");
    EXPECT_EQ(hexdump.status, 0);
    EXPECT_EQ(hexdump.out.rfind("total = 86\r\n0x05,//0\r\n0x0C,//1\r\n", 0), 0u);
    EXPECT_EQ(hexdump.err,
              "quorlix-cli: 045E:00DB/2: read as binary from " + Root() +
                  "/bus/hid/devices/0003:045E:00DB.0003/report_descriptor, 86 bytes\n");
    const CliRun layout = Cli("layout --summary --device hidraw0");
    EXPECT_EQ(layout.status, 0);
    EXPECT_EQ(layout.out.rfind("----Col_1---USAGE_PAGE:1----USAGE:2-----\r\n", 0), 0u);
}

TEST_F(DevicesCommandTest, DevicesThatCannotBeReadAreClearErrors)
{
    struct Case
    {
        const char* arguments;
        int status;
        const char* error;
    };
    const Case cases[] = {
        { "analyse --device 045E:00DB", 1,
          "quorlix-cli: 045E:00DB: 2 HID devices are 045E:00DB (0003:045E:00DB.0002, "
          "0003:045E:00DB.0003): add /1 to /2 to pick one\n" },
        { "analyse --device 046D:C52B", 1, "quorlix-cli: 046D:C52B: no HID device 046D:C52B\n" },
        { "layout --device hidraw9", 1, "quorlix-cli: hidraw9: no HID device has hidraw9\n" },
        { "hexdump --device mouse", 1,
          "quorlix-cli: mouse: not a device: give hidrawN, /dev/hidrawN, a sysfs id such as "
          "0003:046D:C52B.0001, or VID:PID with an optional /N\n" },
        { "analyse --device hidraw0 --input hex-text", 1,
          "quorlix-cli: hidraw0: --input hex-text does not apply: a device gives its descriptor "
          "as binary\n" },
        { "analyse m.txt --device hidraw0", 2,
          "quorlix-cli: FILE excludes --device (see quorlix-cli --help)\n" },
        { "analyse", 2,
          "quorlix-cli: FILE is required (or --device SEL) (see quorlix-cli --help)\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.error);
    }
    // -o may not name the descriptor a device is read from, by any of its paths.
    const std::string descriptor =
        Root() + "/bus/hid/devices/0003:045E:0040.0001/report_descriptor";
    const std::string before = quorlix::test::ReadFile(descriptor);
    for (const std::string& arguments : std::initializer_list<std::string>{
             "analyse --device hidraw0 -o " + descriptor, "layout /dev/hidraw0 -o " + descriptor,
             "hexdump --device 045e:0040 -o " + Root() +
                 "/class/hidraw/hidraw0/device/report_descriptor" }) {
        SCOPED_TRACE(arguments);
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("-o names the input file"), std::string::npos) << run.err;
    }
    EXPECT_EQ(quorlix::test::ReadFile(descriptor), before);

    // A node that does not exist and no device of that name in the tree: both reasons.
    const CliRun node = Cli("analyse /dev/hidraw7");
    EXPECT_EQ(node.status, 1);
    EXPECT_EQ(node.err, "quorlix-cli: /dev/hidraw7: cannot open the node: No such file or "
                        "directory; under " +
                            Root() + ": no HID device has hidraw7\n");
}

} // namespace
