#pragma once

#include "diagnostics/Finding.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quorlix {

// The hosts whose demands check --host knows beyond HID's own rules.
enum class HostProfileId : std::uint8_t
{
    UsbBootKeyboard,
    UsbBootMouse,
    Windows,
    WindowsPrecisionTouchpad,
    WindowsTouchscreen,
    WindowsPen,
    Macos,
    Ios,
    Android,
    Linux,
    Ble,
    Usb,    // packet budgets of the interrupt endpoint
    Shared, // the rules every operating system's profile applies; not a profile of its own
};

struct HostProfile
{
    HostProfileId id;
    std::string_view name;
    std::optional<HostProfileId> parent; // whose rules it brings too
    bool sharesOsRules;                  // applies the rules every operating system shares
    std::string_view summary;
};

// What a rule needs besides the descriptor's bytes to be checked.
enum class RuleNeeds : std::uint8_t
{
    Descriptor, // the bytes alone
    Interface,  // the USB interface or endpoint: --packet-size or an lsusb -v input
    Outside,    // data no input gives (feature values, the host's GATT table, traffic)
};

// One rule of a host profile: what the host does with a descriptor that breaks it, where the
// rule comes from and how strong its evidence is. Rules of evidence C never make errors.
struct HostRule
{
    std::string_view id;
    HostProfileId profile;
    Severity severity;
    Evidence evidence;
    RuleNeeds needs;
    std::string_view demand;   // what must hold
    std::string_view hostDoes; // what the host does when it does not
    std::string_view source;
};

// Every profile users can name, in the order --host list shows them.
std::span<const HostProfile> HostProfiles();

// Every rule, profile by profile, the shared ones first.
std::span<const HostRule> HostRules();

// The profile of that name ("windows-pen"), or nothing.
std::optional<HostProfileId> FindHostProfile(std::string_view name);

const HostProfile& ProfileOf(HostProfileId id);

// The rule of that id ("PTP-03"), or nullptr.
const HostRule* FindHostRule(std::string_view id);

// The profile's own rule that restates a shared one ("WIN-01" for "ALL-03" under windows), or
// nullptr when the profile applies the shared rule as it is.
const HostRule* OwnRule(HostProfileId profile, std::string_view sharedId);

} // namespace quorlix
