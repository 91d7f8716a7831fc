#include "codegen/CIdentifier.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlix {
namespace {

TEST(IdentifierWords, KeepsLettersAndDigitsAndJoinsTheRestWithOneUnderscore)
{
    struct Case
    {
        const char* text;
        const char* words;
    };
    const Case cases[] = {
        { "X", "X" },
        { "Button 12", "BUTTON_12" },
        { "Keyboard/Keypad", "KEYBOARD_KEYPAD" },
        { "Data Field: Acceleration Axis X (Maximum)", "DATA_FIELD_ACCELERATION_AXIS_X_MAXIMUM" },
        { "  Num Lock\t", "NUM_LOCK" },
        { "Vendor usage 0x00ff", "VENDOR_USAGE_0X00FF" },
        { "Temp\xC3\xA9rature", "TEMP_RATURE" }, // bytes beyond ASCII never reach a name
        { "3D Game Controller", "3D_GAME_CONTROLLER" },
        { " - / ", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IdentifierWords(c.text), c.words);
    }
}

TEST(IsHeaderPrefix, TakesOnlyNamesNoCompilerReserves)
{
    struct Case
    {
        const char* prefix;
        bool valid;
    };
    const Case cases[] = {
        { "mouse", true },   { "Pad2_left", true },      { "m", true },       { "", false },
        { "2pad", false },   { "_mouse", false },        { "mouse_", false }, { "my__pad", false },
        { "my-pad", false }, { "m\xC3\xA9nage", false }, { "pad 1", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        EXPECT_EQ(IsHeaderPrefix(c.prefix), c.valid);
    }
}

TEST(DefaultHeaderPrefix, ComesFromTheFileNameAlone)
{
    struct Case
    {
        const char* file;
        const char* prefix;
    };
    const Case cases[] = {
        { "tests/data/arduino-mouse.txt", "arduino_mouse" },
        { "Mouse.Report.bin", "mouse_report" },
        { "dir.d/pad", "pad" },
        { ".hidden", "hidden" },
        { "2-port hub.txt", "hid_2_port_hub" },
        { "/tmp/---.txt", "hid" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string prefix = DefaultHeaderPrefix(c.file);
        EXPECT_EQ(prefix, c.prefix);
        EXPECT_TRUE(IsHeaderPrefix(prefix));
    }
}

} // namespace
} // namespace quorlix
