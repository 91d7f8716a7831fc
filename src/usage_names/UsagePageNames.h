#pragma once

#include <iterator>
#include <string_view>

namespace quorlix {

// Names of usage pages 0x0000 to 0x000D, indexed by page. Every later page, including the
// ones whose usages have names, shares kReservedOrOtherPageName. No tabs, no edge blanks.
// clang-format off
inline constexpr std::u16string_view UsagePageNames[] = {
    u"Undefined",                  // 0x0000
    u"Generic Desktop Controls",   // 0x0001
    u"Simulation Controls",        // 0x0002
    u"VR Controls",                // 0x0003
    u"Sport Controls",             // 0x0004
    u"Game Controls",              // 0x0005
    u"Generic Device Controls",    // 0x0006
    u"Keyboard/Keypad",            // 0x0007
    u"LEDs",                       // 0x0008
    u"Button",                     // 0x0009
    u"Ordinal",                    // 0x000A
    u"Telephony",                  // 0x000B
    u"Consumer",                   // 0x000C
    u"Digitizer",                  // 0x000D
};
// clang-format on

inline constexpr std::u16string_view kReservedOrOtherPageName = u"Reserved or Other";

static_assert(std::size(UsagePageNames) == 14, "Only pages 0x00 to 0x0D have their own names");

} // namespace quorlix
