#include "hosts/HostProfiles.h"

#include "hosts/HostRuleTable.h"

#include <array>

namespace quorlix {
namespace {

// clang-format off
constexpr std::array kProfiles = {
    HostProfile{ HostProfileId::UsbBootKeyboard, "usb-boot-keyboard", std::nullopt, false,
                 "a BIOS, UEFI or KVM reading the keyboard in the boot layout" },
    HostProfile{ HostProfileId::UsbBootMouse, "usb-boot-mouse", std::nullopt, false,
                 "a BIOS, UEFI or KVM reading the mouse in the boot layout" },
    HostProfile{ HostProfileId::Windows, "windows", std::nullopt, true,
                 "Windows' HID class: Code 10 causes, report ids, limits, system collections" },
    HostProfile{ HostProfileId::WindowsPrecisionTouchpad, "windows-precision-touchpad",
                 HostProfileId::Windows, true, "a Windows precision touchpad's collections and usages" },
    HostProfile{ HostProfileId::WindowsTouchscreen, "windows-touchscreen", HostProfileId::Windows,
                 true, "a Windows multitouch screen's collections and usages" },
    HostProfile{ HostProfileId::WindowsPen, "windows-pen", HostProfileId::Windows, true,
                 "a Windows pen's collections and usages" },
    HostProfile{ HostProfileId::Macos, "macos", std::nullopt, true,
                 "macOS: signed limits, System Control ranges, gamepads beside mice" },
    HostProfile{ HostProfileId::Ios, "ios", std::nullopt, true,
                 "iOS and iPadOS over USB or BLE: gamepads beside mice" },
    HostProfile{ HostProfileId::Android, "android", std::nullopt, true,
                 "Android: gamepad axes and hat switches" },
    HostProfile{ HostProfileId::Linux, "linux", std::nullopt, true,
                 "Linux: balanced collections, known main items, report and value sizes" },
    HostProfile{ HostProfileId::Ble, "ble", std::nullopt, true,
                 "HID over GATT: Report Map size and payloads at the default MTU" },
    HostProfile{ HostProfileId::Usb, "usb", std::nullopt, false,
                 "USB packet budgets of the interrupt endpoint (--packet-size or lsusb -v)" },
};
// clang-format on

// The rules an operating system's profile states in its own words of a shared one.
struct Restatement
{
    HostProfileId profile;
    std::string_view sharedId;
    std::string_view ownId;
};

constexpr std::array kRestatements = {
    Restatement{ HostProfileId::Windows, "ALL-01", "WIN-01" },
    Restatement{ HostProfileId::Windows, "ALL-02", "WIN-01" },
    Restatement{ HostProfileId::Windows, "ALL-03", "WIN-01" },
    Restatement{ HostProfileId::Windows, "ALL-04", "WIN-01" },
    Restatement{ HostProfileId::Windows, "ALL-05", "WIN-06" },
    Restatement{ HostProfileId::Macos, "ALL-05", "MAC-01" },
    Restatement{ HostProfileId::Linux, "ALL-01", "LNX-01" },
    Restatement{ HostProfileId::Linux, "ALL-06", "LNX-03" },
};

} // namespace

std::span<const HostProfile> HostProfiles()
{
    return kProfiles;
}

std::span<const HostRule> HostRules()
{
    return host_rules::kRules;
}

std::optional<HostProfileId> FindHostProfile(std::string_view name)
{
    for (const HostProfile& profile : kProfiles) {
        if (profile.name == name) {
            return profile.id;
        }
    }
    return std::nullopt;
}

const HostProfile& ProfileOf(HostProfileId id)
{
    for (const HostProfile& profile : kProfiles) {
        if (profile.id == id) {
            return profile;
        }
    }
    return kProfiles[2]; // only Shared has no entry, and it is never asked for
}

const HostRule* FindHostRule(std::string_view id)
{
    for (const HostRule& rule : host_rules::kRules) {
        if (rule.id == id) {
            return &rule;
        }
    }
    return nullptr;
}

const HostRule* OwnRule(HostProfileId profile, std::string_view sharedId)
{
    for (const Restatement& restatement : kRestatements) {
        if (restatement.profile == profile && restatement.sharedId == sharedId) {
            return FindHostRule(restatement.ownId);
        }
    }
    return nullptr;
}

} // namespace quorlix
