#include "hosts/CheckHosts.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

HostCheckResult Check(const std::vector<std::uint8_t>& bytes, std::vector<std::string_view> names,
                      std::uint16_t packetSize = 0)
{
    HostCheckOptions options;
    for (const std::string_view name : names) {
        const std::optional<HostProfileId> profile = FindHostProfile(name);
        EXPECT_TRUE(profile.has_value()) << name;
        if (profile) {
            options.profiles.push_back(*profile);
        }
    }
    if (packetSize != 0) {
        options.usb.maxPacketSize = packetSize;
    }
    return CheckHosts(bytes, options);
}

// Every host finding names its profile and rule, says where the rule comes from, and points at
// bytes of the descriptor; weak evidence never fails a descriptor.
void ExpectWellFormed(const HostCheckResult& result, std::size_t size)
{
    for (const Finding& finding : result.findings) {
        SCOPED_TRACE(std::string(finding.rule));
        EXPECT_EQ(finding.check, CheckId::HostRule);
        EXPECT_FALSE(finding.profile.empty());
        EXPECT_NE(FindHostRule(finding.rule), nullptr);
        EXPECT_FALSE(finding.source.empty());
        EXPECT_NE(finding.evidence, Evidence::None);
        EXPECT_FALSE(finding.message.empty());
        EXPECT_FALSE(finding.fix.empty());
        EXPECT_LT(finding.offset, size);
        EXPECT_GT(finding.length, 0u);
        if (finding.evidence == Evidence::C) {
            EXPECT_NE(finding.severity, Severity::Error);
        }
    }
}

// The rules a finding names: its own, and the shared one it restates ("WIN-01" and "ALL-03").
std::set<std::string> RulesOf(const HostCheckResult& result, bool notes)
{
    std::set<std::string> rules;
    for (const Finding& finding : result.findings) {
        if ((finding.severity == Severity::Note) != notes) {
            continue;
        }
        rules.emplace(finding.rule);
    }
    return rules;
}

// The test vectors of the host rule table: each descriptor, the profiles it is checked under,
// the packet size when one is given, the rules it must break (errors and warnings) and the
// notes it gives. A vector that passes breaks none, and gives no note beyond those listed.
struct Vector
{
    const char* name;
    const char* hex;
    std::vector<std::string_view> profiles;
    std::uint16_t packetSize;
    std::set<std::string> broken;
    std::set<std::string> notes;
};

TEST(CheckHosts, EveryTestVectorBreaksExactlyTheRulesItNames)
{
    // clang-format off
    const std::vector<Vector> vectors = {
        { "BK-P1",
          "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 "
          "05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 19 00 "
          "29 65 81 00 C0",
          { "usb-boot-keyboard", "windows", "linux", "macos" }, 0, {  }, {  } },
        { "BK-P2",
          "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 "
          "05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 26 FF 00 05 07 19 "
          "00 2A FF 00 81 00 C0",
          { "usb-boot-keyboard", "windows", "linux", "macos" }, 0, {  }, {  } },
        { "BK-F1",
          "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 "
          "01 95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 "
          "19 00 29 65 81 00 C0",
          { "usb-boot-keyboard" }, 0, { "BK-02" }, {  } },
        { "BK-F2",
          "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 "
          "06 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 19 00 "
          "29 65 81 00 C0",
          { "usb-boot-keyboard", "windows" }, 0, { "BK-05", "WIN-02" }, {  } },
        { "BK-F3",
          "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 "
          "05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 FF 05 07 19 00 "
          "29 FF 81 00 C0",
          { "macos", "windows", "usb-boot-keyboard" }, 0, { "BK-06", "MAC-01", "WIN-06" }, {  } },
        { "BM-P1",
          "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01 75 "
          "05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0",
          { "usb-boot-mouse", "linux", "ble", "windows", "ios", "macos" }, 0, {  }, {  } },
        { "BM-P2",
          "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01 75 "
          "05 81 01 05 01 09 30 09 31 09 38 15 81 25 7F 75 08 95 03 81 06 C0 C0",
          { "usb-boot-mouse" }, 0, {  }, {  } },
        { "BM-F1",
          "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01 75 "
          "05 81 01 05 01 09 30 09 31 16 01 80 26 FF 7F 75 10 95 02 81 06 C0 C0",
          { "usb-boot-mouse" }, 0, { "BM-02" }, {  } },
        { "BM-F2",
          "05 01 09 02 A1 01 85 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 "
          "01 75 05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0",
          { "usb-boot-mouse" }, 0, { "BM-03" }, {  } },
        { "W-F3",
          "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01 75 "
          "05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0",
          { "windows", "linux", "macos" }, 0, { "ALL-01", "LNX-01", "WIN-01" }, {  } },
        { "W-F4",
          "06 00 FF 09 01 A1 01 85 00 15 00 26 FF 00 75 08 95 08 09 01 81 02 C0",
          { "macos" }, 0, { "ALL-03" }, {  } },
        { "W-P1",
          "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 "
          "01 95 06 75 08 15 00 25 65 19 00 29 65 81 00 C0 05 0C 09 01 A1 01 85 02 15 00 26 FF 03 "
          "19 00 2A FF 03 75 10 95 01 81 00 C0",
          { "windows" }, 0, {  }, {  } },
        { "W-F1",
          "05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 95 "
          "06 75 08 15 00 25 65 19 00 29 65 81 00 C0 05 0C 09 01 A1 01 15 00 26 FF 03 19 00 2A FF "
          "03 75 10 95 01 81 00 C0",
          { "windows" }, 0, { "WIN-01", "WIN-03" }, {  } },
        { "W-F2",
          "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 "
          "01 95 06 75 08 15 00 25 65 19 00 29 65 81 00 C0 05 0C 09 01 A1 01 85 01 15 00 26 FF 03 "
          "19 00 2A FF 03 75 10 95 01 81 00 C0",
          { "windows" }, 0, { "WIN-01" }, {  } },
        { "PTP-P",
          "05 0D 09 05 A1 01 85 01 09 22 A1 02 15 00 25 01 09 47 09 42 95 02 75 01 81 02 95 01 75 "
          "03 25 05 09 51 81 02 75 03 81 03 05 01 A4 26 FF 0F 75 10 55 0E 65 13 35 00 46 90 01 09 "
          "30 81 02 46 13 01 09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 "
          "00 75 10 95 01 09 56 81 02 B4 09 54 25 7F 75 08 81 02 05 09 09 01 25 01 75 01 81 02 75 "
          "07 81 03 85 02 05 0D 09 55 09 59 75 04 95 02 25 0F B1 02 06 00 FF 85 03 09 C5 15 00 26 "
          "FF 00 75 08 96 00 01 B1 02 C0 05 0D 09 0E A1 01 85 04 09 22 A1 02 09 52 15 00 25 0A 75 "
          "08 95 01 B1 02 C0 09 22 A1 00 85 05 09 57 09 58 75 01 95 02 25 01 B1 02 95 06 B1 03 C0 "
          "C0 05 01 09 02 A1 01 85 06 09 01 A1 00 05 09 19 01 29 02 15 00 25 01 95 02 75 01 81 02 "
          "95 06 81 03 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0",
          { "windows-precision-touchpad" }, 0, {  }, {  } },
        { "PTP-F1",
          "05 0D 09 05 A1 01 85 01 09 22 A1 02 15 00 25 01 09 42 95 02 75 01 81 02 95 01 75 03 25 "
          "05 09 51 81 02 75 03 81 03 05 01 A4 26 FF 0F 75 10 55 0E 65 13 35 00 46 90 01 09 30 81 "
          "02 46 13 01 09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 00 75 "
          "10 95 01 09 56 81 02 B4 09 54 25 7F 75 08 81 02 05 09 09 01 25 01 75 01 81 02 75 07 81 "
          "03 85 02 05 0D 09 55 09 59 75 04 95 02 25 0F B1 02 06 00 FF 85 03 09 C5 15 00 26 FF 00 "
          "75 08 96 00 01 B1 02 C0 05 0D 09 0E A1 01 85 04 09 22 A1 02 09 52 15 00 25 0A 75 08 95 "
          "01 B1 02 C0 09 22 A1 00 85 05 09 57 09 58 75 01 95 02 25 01 B1 02 95 06 B1 03 C0 C0 05 "
          "01 09 02 A1 01 85 06 09 01 A1 00 05 09 19 01 29 02 15 00 25 01 95 02 75 01 81 02 95 06 "
          "81 03 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0",
          { "windows-precision-touchpad" }, 0, { "PTP-03" }, {  } },
        { "PTP-F2",
          "05 0D 09 05 A1 01 85 01 09 22 A1 02 15 00 25 01 09 47 09 42 95 02 75 01 81 02 95 01 75 "
          "03 25 05 09 51 81 02 75 03 81 03 05 01 A4 26 FF 0F 75 10 55 0E 65 13 35 00 46 90 01 09 "
          "30 81 02 46 13 01 09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 "
          "00 75 10 95 01 09 56 81 02 B4 09 54 25 7F 75 08 81 02 05 09 09 01 25 01 75 01 81 02 75 "
          "07 81 03 85 02 05 0D 09 55 09 59 75 04 95 02 25 0F B1 02 C0 05 0D 09 0E A1 01 85 04 09 "
          "22 A1 02 09 52 15 00 25 0A 75 08 95 01 B1 02 C0 09 22 A1 00 85 05 09 57 09 58 75 01 95 "
          "02 25 01 B1 02 95 06 B1 03 C0 C0 05 01 09 02 A1 01 85 06 09 01 A1 00 05 09 19 01 29 02 "
          "15 00 25 01 95 02 75 01 81 02 95 06 81 03 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 "
          "06 C0 C0",
          { "windows-precision-touchpad" }, 0, { "PTP-06" }, {  } },
        { "PTP-F3",
          "05 0D 09 05 A1 01 85 01 09 22 A1 02 15 00 25 01 09 47 09 42 95 02 75 01 81 02 95 01 75 "
          "03 25 05 09 51 81 02 75 03 81 03 05 01 A4 26 FF 0F 75 10 09 30 81 02 09 31 81 02 B4 C0 "
          "05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 00 75 10 95 01 09 56 81 02 B4 09 54 "
          "25 7F 75 08 81 02 05 09 09 01 25 01 75 01 81 02 75 07 81 03 85 02 05 0D 09 55 09 59 75 "
          "04 95 02 25 0F B1 02 06 00 FF 85 03 09 C5 15 00 26 FF 00 75 08 96 00 01 B1 02 C0 05 0D "
          "09 0E A1 01 85 04 09 22 A1 02 09 52 15 00 25 0A 75 08 95 01 B1 02 C0 09 22 A1 00 85 05 "
          "09 57 09 58 75 01 95 02 25 01 B1 02 95 06 B1 03 C0 C0 05 01 09 02 A1 01 85 06 09 01 A1 "
          "00 05 09 19 01 29 02 15 00 25 01 95 02 75 01 81 02 95 06 81 03 05 01 09 30 09 31 15 81 "
          "25 7F 75 08 95 02 81 06 C0 C0",
          { "windows-precision-touchpad" }, 0, { "PTP-04" }, {  } },
        { "TS-P",
          "05 0D 09 04 A1 01 85 01 09 22 A1 02 09 42 15 00 25 01 75 01 95 01 81 02 95 07 81 03 75 "
          "08 25 0A 09 51 95 01 81 02 05 01 A4 26 FF 0F 75 10 55 0E 65 11 35 00 46 40 06 09 30 81 "
          "02 46 A0 03 09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 00 75 "
          "10 95 01 09 56 81 02 B4 09 54 25 7F 75 08 95 01 81 02 85 02 09 55 25 0A B1 02 C0",
          { "windows-touchscreen" }, 0, {  }, {  } },
        { "TS-F1",
          "05 0D 09 04 A1 01 85 01 09 22 A1 02 09 42 15 00 25 01 75 01 95 01 81 02 95 07 81 03 75 "
          "08 25 0A 09 51 95 01 81 02 05 01 A4 26 FF 0F 75 10 55 0E 65 11 35 00 46 40 06 09 30 81 "
          "02 46 A0 03 09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 00 75 "
          "10 95 01 09 56 81 02 B4 09 54 25 7F 75 08 95 01 81 02 C0",
          { "windows-touchscreen" }, 0, { "TS-04" }, {  } },
        { "TS-F2",
          "05 0D 09 04 A1 01 85 01 09 22 A1 02 09 42 15 00 25 01 75 01 95 01 81 02 95 07 81 03 75 "
          "08 95 01 81 03 05 01 A4 26 FF 0F 75 10 55 0E 65 11 35 00 46 40 06 09 30 81 02 46 A0 03 "
          "09 31 81 02 B4 C0 05 0D A4 55 0C 66 01 10 47 FF FF 00 00 27 FF FF 00 00 75 10 95 01 09 "
          "56 81 02 B4 09 54 25 7F 75 08 95 01 81 02 85 02 09 55 25 0A B1 02 C0",
          { "windows-touchscreen" }, 0, { "TS-02" }, {  } },
        { "PEN-P",
          "05 0D 09 02 A1 01 85 01 09 20 A1 00 09 42 09 44 09 3C 09 45 15 00 25 01 75 01 95 04 81 "
          "02 95 01 81 03 09 32 81 02 95 02 81 03 05 01 A4 26 FF 7F 75 10 95 01 55 0D 65 11 35 00 "
          "46 90 65 09 30 81 02 46 98 3A 09 31 81 02 B4 05 0D 09 30 26 FF 0F 75 10 95 01 81 02 C0 "
          "C0",
          { "windows-pen" }, 0, {  }, {  } },
        { "PEN-F",
          "05 0D 09 02 A1 01 85 01 09 20 A1 00 09 42 09 44 09 3C 09 45 15 00 25 01 75 01 95 04 81 "
          "02 95 01 81 03 81 03 95 02 81 03 05 01 A4 26 FF 7F 75 10 95 01 55 0D 65 11 35 00 46 90 "
          "65 09 30 81 02 46 98 3A 09 31 81 02 B4 05 0D 09 30 26 FF 0F 75 10 95 01 81 02 C0 C0",
          { "windows-pen" }, 0, { "PEN-02" }, {  } },
        { "MAC-P",
          "05 01 09 80 A1 01 85 03 19 81 29 83 15 01 25 03 75 02 95 01 81 00 75 06 81 03 C0",
          { "macos" }, 0, {  }, {  } },
        { "MAC-F",
          "05 01 09 80 A1 01 85 03 19 01 29 B7 15 01 26 B7 00 75 10 95 01 81 00 C0",
          { "macos" }, 0, { "MAC-03" }, {  } },
        { "IOS-F",
          "05 01 09 02 A1 01 85 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 "
          "01 75 05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0 05 01 09 05 A1 01 "
          "85 02 05 09 19 01 29 08 15 00 25 01 75 01 95 08 81 02 05 01 09 30 09 31 15 81 25 7F 75 "
          "08 95 02 81 02 C0",
          { "ios", "macos" }, 0, { "IOS-01", "MAC-04" }, {  } },
        { "AND-P",
          "05 01 09 05 A1 01 05 09 19 01 29 0C 15 00 25 01 75 01 95 0C 81 02 75 04 95 01 81 03 05 "
          "01 09 39 15 00 25 07 35 00 46 3B 01 65 14 75 04 95 01 81 42 75 04 81 03 65 00 45 00 09 "
          "30 09 31 09 32 09 35 15 00 26 FF 00 75 08 95 04 81 02 C0",
          { "android" }, 0, {  }, {  } },
        { "LNX-F1",
          "06 00 FF 09 01 A1 01 09 02 15 00 27 FF FF FF 7F 75 40 95 01 81 02 C0",
          { "linux" }, 0, { "LNX-03" }, {  } },
        { "LNX-F2",
          "06 00 FF 09 01 A1 01 09 02 15 00 26 FF 00 75 08 96 01 20 81 02 C0",
          { "linux", "windows" }, 0, { "LNX-02", "WIN-04" }, {  } },
        { "BLE-F2",
          "06 00 FF 09 01 A1 01 85 01 09 02 15 00 26 FF 00 75 08 95 18 81 02 C0",
          { "ble" }, 0, { "BLE-03" }, {  } },
        { "SZ-F1",
          "06 00 FF 09 01 A1 01 85 01 09 02 15 00 26 FF 00 75 08 95 40 81 02 09 03 91 02 C0",
          {  }, 64, { "SZ-02" }, {  } },
        { "SZ-P1",
          "06 00 FF 09 01 A1 01 85 01 09 02 15 00 26 FF 00 75 08 95 3F 81 02 09 03 91 02 C0",
          {  }, 64, {  }, { "SZ-03" } },
        { "BK-F1-LS",
          "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 "
          "01 95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07 "
          "19 00 29 65 81 00 C0",
          {  }, 8, { "SZ-02" }, {  } },
        { "AND-F",
          "05 01 09 05 A1 01 05 09 19 01 29 0C 15 00 25 01 75 01 95 0C 81 02 75 04 95 01 81 03 05 "
          "01 09 39 15 00 25 07 35 00 46 3B 01 65 14 75 04 95 01 81 42 75 04 81 03 65 00 45 00 09 "
          "30 09 31 09 33 09 34 15 00 26 FF 00 75 08 95 04 81 02 C0",
          { "android" }, 0, { "AND-02" }, {  } },
    };
    // clang-format on
    for (const Vector& v : vectors) {
        SCOPED_TRACE(v.name);
        const std::vector<std::uint8_t> bytes = HexBytes(v.hex);
        const HostCheckResult result = Check(bytes, v.profiles, v.packetSize);
        ExpectWellFormed(result, bytes.size());
        EXPECT_EQ(RulesOf(result, false), v.broken);
        EXPECT_EQ(RulesOf(result, true), v.notes);
    }
}

constexpr const char* kBootMouse =
    "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01 75 05 "
    "81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0";

TEST(CheckHosts, ReportMapOverTheGattLimitPointsAtTheItemCrossingIt)
{
    // The boot mouse with 232 Push/Pop pairs after its Collection: 514 bytes.
    std::string hex = "05 01 09 02 A1 01";
    for (int i = 0; i < 232; ++i) {
        hex += " A4 B4";
    }
    hex += std::string(kBootMouse).substr(17);
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    ASSERT_EQ(bytes.size(), 514u);
    const HostCheckResult result = Check(bytes, { "ble" });
    ExpectWellFormed(result, bytes.size());
    ASSERT_EQ(RulesOf(result, false), std::set<std::string>{ "BLE-01" });
    EXPECT_EQ(result.findings.front().offset, 512u);
    EXPECT_TRUE(RulesOf(Check(HexBytes(kBootMouse), { "ble" }), false).empty());
}

TEST(CheckHosts, FindingsPointAtTheCollectionOrTheStart)
{
    struct Place
    {
        const char* name;
        const char* hex;
        const char* profile;
        const char* rule;
        std::size_t offset;
    };
    const Place places[] = {
        // The Finger collection (A1 02 at 10) lacks its Confidence usage.
        { "finger", "05 0D 09 05 A1 01 85 01 09 22 A1 02 09 42 15 00 25 01 75 01 95 01 81 02 C0 C0",
          "windows-precision-touchpad", "PTP-03", 10 },
        // No Touch Screen collection at all: the start.
        { "missing collection", kBootMouse, "windows-touchscreen", "TS-01", 0 },
        // The second Report ID 0 at 7 of a vendor collection.
        { "report id", "06 00 FF 09 01 A1 01 85 00 15 00 26 FF 00 75 08 95 08 09 01 81 02 C0",
          "linux", "ALL-03", 7 },
        // The Logical Maximum 25 FF at 10 that macOS reads as -1.
        { "signed maximum", "05 01 09 06 A1 01 05 07 15 00 25 FF 19 00 29 FF 75 08 95 06 81 00 C0",
          "macos", "MAC-01", 10 },
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const HostCheckResult result = Check(HexBytes(place.hex), { place.profile });
        const auto found =
            std::find_if(result.findings.begin(), result.findings.end(),
                         [&](const Finding& finding) { return finding.rule == place.rule; });
        ASSERT_NE(found, result.findings.end());
        EXPECT_EQ(found->offset, place.offset);
        EXPECT_EQ(found->profile, place.profile);
    }
}

TEST(CheckHosts, ProfilesBringTheirParentsRules)
{
    // An unclosed collection: Windows' own rule, reached through the touchpad profile.
    const std::vector<std::uint8_t> unclosed = HexBytes("05 01 09 02 A1 01 09 01 A1 00 C0");
    const HostCheckResult result = Check(unclosed, { "windows-precision-touchpad" });
    EXPECT_EQ(result.profiles,
              (std::vector<HostProfileId>{ HostProfileId::Windows,
                                           HostProfileId::WindowsPrecisionTouchpad }));
    const auto balance = std::find_if(result.findings.begin(), result.findings.end(),
                                      [](const Finding& f) { return f.rule == "WIN-01"; });
    ASSERT_NE(balance, result.findings.end());
    EXPECT_EQ(balance->sharedRule, "ALL-01");
    EXPECT_EQ(balance->profile, "windows");
    EXPECT_EQ(balance->offset, 0u + 4);
    EXPECT_EQ(balance->severity, Severity::Error);
    // Two profiles under one parent check the parent once.
    EXPECT_EQ(Check(unclosed, { "windows-pen", "windows-touchscreen" }).profiles.size(), 3u);
}

TEST(CheckHosts, SignedRangeIsAnErrorOnlyForMacos)
{
    const std::vector<std::uint8_t> bytes =
        HexBytes("05 01 09 02 A1 01 15 00 25 FF 75 08 95 01 09 30 81 02 C0");
    struct Host
    {
        const char* profile;
        const char* rule;
        Severity severity;
    };
    for (const Host& host : { Host{ "macos", "MAC-01", Severity::Error },
                              Host{ "windows", "WIN-06", Severity::Warning },
                              Host{ "linux", "ALL-05", Severity::Warning } }) {
        SCOPED_TRACE(host.profile);
        const HostCheckResult result = Check(bytes, { host.profile });
        ASSERT_EQ(result.findings.size(), 1u);
        EXPECT_EQ(result.findings[0].rule, host.rule);
        EXPECT_EQ(result.findings[0].severity, host.severity);
        EXPECT_EQ(result.findings[0].offset, 8u);
    }
}

TEST(CheckHosts, PacketBudgetCountsExtraTransactions)
{
    // One Input report of 150 bytes without an id.
    const std::vector<std::uint8_t> bytes =
        HexBytes("06 00 FF 09 01 A1 01 09 02 15 00 26 FF 00 75 08 95 96 81 02 C0");
    struct Budget
    {
        std::uint16_t packetSize;
        std::set<std::string> broken;
        std::set<std::string> notes;
    };
    const Budget budgets[] = {
        { 64, { "SZ-02" }, {} },
        { 0x1040, {}, {} },       // three 64-byte transactions: 192 bytes
        { 150, {}, { "SZ-03" } }, // exactly one packet
        { 1100, { "SZ-01" }, {} },
    };
    for (const Budget& budget : budgets) {
        SCOPED_TRACE(budget.packetSize);
        const HostCheckResult result = Check(bytes, {}, budget.packetSize);
        ExpectWellFormed(result, bytes.size());
        EXPECT_EQ(RulesOf(result, false), budget.broken);
        EXPECT_EQ(RulesOf(result, true), budget.notes);
    }
}

TEST(CheckHosts, InterfaceRulesUseTheInterfaceOrSayTheyWereNotChecked)
{
    const std::vector<std::uint8_t> mouse = HexBytes(kBootMouse);
    HostCheckOptions options;
    options.profiles = { HostProfileId::UsbBootMouse };
    HostCheckResult result = CheckHosts(mouse, options);
    ASSERT_EQ(result.notChecked.size(), 1u);
    EXPECT_EQ(result.notChecked[0]->id, "BM-01");
    EXPECT_TRUE(result.findings.empty());

    options.usb.subclass = 1;
    options.usb.protocol = 1; // a keyboard's
    result = CheckHosts(mouse, options);
    EXPECT_TRUE(result.notChecked.empty());
    EXPECT_EQ(RulesOf(result, false), std::set<std::string>{ "BM-01" });

    options.profiles = { HostProfileId::Linux };
    options.usb.descriptorLength = 52; // the mouse is 50 bytes
    result = CheckHosts(mouse, options);
    EXPECT_EQ(RulesOf(result, true), std::set<std::string>{ "ALL-07" });
}

TEST(CheckHosts, RealDescriptorsGiveSoundFindingsUnderEveryProfile)
{
    namespace fs = std::filesystem;
    std::vector<HostProfileId> every;
    for (const HostProfile& profile : HostProfiles()) {
        every.push_back(profile.id);
    }
    std::size_t descriptors = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUORLIX_CORPUS_DIR))) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        ++descriptors;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::vector<std::uint8_t> bytes = HexBytes(text.str());
        HostCheckOptions options;
        options.profiles = every;
        options.usb.maxPacketSize = 64;
        const HostCheckResult result = CheckHosts(bytes, options);
        ExpectWellFormed(result, bytes.size());
        EXPECT_TRUE(
            std::is_sorted(result.findings.begin(), result.findings.end(),
                           [](const Finding& a, const Finding& b) { return a.offset < b.offset; }));
    }
    EXPECT_GT(descriptors, 60u);
}

TEST(HostProfiles, RulesAreUniqueAndWeakEvidenceNeverFails)
{
    std::set<std::string_view> ids;
    for (const HostRule& rule : HostRules()) {
        SCOPED_TRACE(std::string(rule.id));
        EXPECT_TRUE(ids.insert(rule.id).second);
        EXPECT_FALSE(rule.hostDoes.empty());
        EXPECT_FALSE(rule.source.empty());
        if (rule.evidence == Evidence::C) {
            EXPECT_NE(rule.severity, Severity::Error);
        }
    }
    EXPECT_EQ(ids.size(), 75u);
    EXPECT_EQ(OwnRule(HostProfileId::Windows, "ALL-03")->id, "WIN-01");
    EXPECT_EQ(OwnRule(HostProfileId::Ios, "ALL-03"), nullptr);
}

TEST(HostProfiles, NamesParseAndUnknownOnesAreNamed)
{
    std::string_view unknown;
    EXPECT_EQ(ParseHostProfiles("windows,ble", unknown),
              (std::vector<HostProfileId>{ HostProfileId::Windows, HostProfileId::Ble }));
    EXPECT_FALSE(ParseHostProfiles("windows,amiga", unknown));
    EXPECT_EQ(unknown, "amiga");
    EXPECT_FALSE(ParseHostProfiles("windows,", unknown));
    EXPECT_EQ(unknown, "");
    EXPECT_EQ(ProfileOf(HostProfileId::WindowsPen).parent, HostProfileId::Windows);
}

} // namespace
} // namespace quorlix
