#pragma once

#include "UsageNameEntry.h"

#include <cstdint>
#include <iterator>
#include <string_view>

namespace quorlix {

// The Generic Desktop page (0x0001) is read by index, not searched: two tables of
// consecutive ids with one shared name for every usage between them. No tabs, no edge blanks.
// clang-format off
inline constexpr UsageNameEntry GenericDesktopLowUsageNames[] = {
    { 0x0000, u"Undefined" },
    { 0x0001, u"Pointer" },
    { 0x0002, u"Mouse" },
    { 0x0003, u"Reserved" },
    { 0x0004, u"Joystick" },
    { 0x0005, u"Game Pad" },
    { 0x0006, u"Keyboard" },
    { 0x0007, u"Keypad" },
    { 0x0008, u"Multi-axis Controller" },
    { 0x0009, u"Tablet PC System Controls" },
};

inline constexpr std::uint32_t kGenericDesktopReservedFirst = 0x000A;
inline constexpr std::uint32_t kGenericDesktopReservedLast = 0x002F;
inline constexpr std::u16string_view kGenericDesktopReservedName = u"Reserved";

inline constexpr UsageNameEntry GenericDesktopHighUsageNames[] = {
    { 0x0030, u"X" },
    { 0x0031, u"Y" },
    { 0x0032, u"Z" },
    { 0x0033, u"Rx" },
    { 0x0034, u"Ry" },
    { 0x0035, u"Rz" },
    { 0x0036, u"Slider" },
    { 0x0037, u"Dial" },
    { 0x0038, u"Wheel" },
    { 0x0039, u"Hat switch" },
    { 0x003A, u"Counted Buffer CL" },
    { 0x003B, u"Byte Count DV" },
    { 0x003C, u"Motion Wakeup OSC" },
    { 0x003D, u"Start OOC" },
    { 0x003E, u"Select OOC" },
    { 0x003F, u"3F Reserved" },   // From here on each name starts with its own id.
    { 0x0040, u"40 Vx DV" },
    { 0x0041, u"41 Vy DV" },
    { 0x0042, u"42 Vz DV" },
    { 0x0043, u"43 Vbrx" },
    { 0x0044, u"44 Vbry" },
    { 0x0045, u"45 Vbrz" },
    { 0x0046, u"46 Vno DV" },
    { 0x0047, u"47 Feature Notification DV,DF" },
    { 0x0048, u"48 Resolution Multiplier" },
};
// clang-format on

static_assert(std::size(GenericDesktopLowUsageNames) == 10,
              "Generic Desktop must name usages 0x00 to 0x09");
static_assert(IsRunFrom(GenericDesktopLowUsageNames, 0x0000),
              "Generic Desktop low ids must run without a gap from 0");
static_assert(std::size(GenericDesktopHighUsageNames) == 25,
              "Generic Desktop must name usages 0x30 to 0x48");
static_assert(IsRunFrom(GenericDesktopHighUsageNames, 0x0030),
              "Generic Desktop high ids must run without a gap from 0x30");
static_assert(kGenericDesktopReservedFirst == std::size(GenericDesktopLowUsageNames) &&
                  kGenericDesktopReservedLast + 1 == GenericDesktopHighUsageNames[0].usageId,
              "The shared name must fill exactly the gap between the two tables");

} // namespace quorlix
