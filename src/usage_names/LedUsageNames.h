#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the LEDs page (0x0008), ascending by id.
// Mostly a tab, the words, a blank and a tab.
// clang-format off
inline constexpr UsageNameEntry LedUsageNames[] = {
    { 0x0000, u"\tUndefined\t" },   // No blank before the closing tab.
    { 0x0001, u"\tNum Lock \t" },
    { 0x0002, u"\tCaps Lock \t" },
    { 0x0003, u"\tScroll Lock \t" },
    { 0x0004, u"\tCompose \t" },
    { 0x0005, u"\tKana \t" },
    { 0x0006, u"\tPower \t" },
    { 0x0007, u"\tShift \t" },
    { 0x0008, u"\tDo Not Disturb \t" },
    { 0x0009, u"\tMute \t" },
    { 0x000A, u"\tTone Enable \t" },
    { 0x000B, u"\tHigh Cut Filter \t" },
    { 0x000C, u"\tLow Cut Filter \t" },
    { 0x000D, u"\tEqualizer Enable \t" },
    { 0x000E, u"\tSound Field On \t" },
    { 0x000F, u"\tSurround On \t" },
    { 0x0010, u"\tRepeat \t" },
    { 0x0011, u"\tStereo \t" },
    { 0x0012, u"\tSampling Rate Detect \t" },
    { 0x0013, u"\tSpinning \t" },
    { 0x0014, u"\tCAV \t" },
    { 0x0015, u"\tCLV \t" },
    { 0x0016, u"\tRecording Format Detect \t" },
    { 0x0017, u"\tOff-Hook \t" },
    { 0x0018, u"\tRing \t" },
    { 0x0019, u"\tMessage Waiting \t" },
    { 0x001A, u"\tData Mode \t" },
    { 0x001B, u"\tBattery Operation \t" },
    { 0x001C, u"\tBattery OK \t" },
    { 0x001D, u"\tBattery Low \t" },
    { 0x001E, u"\tSpeaker \t" },
    { 0x001F, u"\tHead Set \t" },
    { 0x0020, u"\tHold \t" },
    { 0x0021, u"\tMicrophone \t" },
    { 0x0022, u"\tCoverage \t" },
    { 0x0023, u"\tNight Mode \t" },
    { 0x0024, u"\tSend Calls \t" },
    { 0x0025, u"\tCall Pickup \t" },
    { 0x0026, u"\tConference \t" },
    { 0x0027, u"\tStand-by \t" },
    { 0x0028, u"\tCamera On \t" },
    { 0x0029, u"\tCamera Off \t" },
    { 0x002A, u"\tOn-Line \t" },
    { 0x002B, u"\tOff-Line \t" },
    { 0x002C, u"\tBusy \t" },
    { 0x002D, u"\tReady \t" },
    { 0x002E, u"\tPaper-Out \t" },
    { 0x002F, u"\tPaper-Jam \t" },
    { 0x0030, u"\tRemote \t" },
    { 0x0031, u"\tForward \t" },
    { 0x0032, u"\tReverse \t" },
    { 0x0033, u"\tStop \t" },
    { 0x0034, u"\tRewind \t" },
    { 0x0035, u"\tFast Forward \t" },
    { 0x0036, u"\tPlay \t" },
    { 0x0037, u"\tPause \t" },
    { 0x0038, u"\tRecord \t" },
    { 0x0039, u"\tError \t" },
    { 0x003A, u"\tUsage Selected Indicator \t" },
    { 0x003B, u"\tUsage In Use Indicator \t" },
    { 0x003C, u"\tUsage Multi Mode Indicator \t" },
    { 0x003D, u"\tIndicator On \t" },
    { 0x003E, u"\tIndicator Flash \t" },
    { 0x003F, u"\tIndicator Slow Blink \t" },
    { 0x0040, u"\tIndicator Fast Blink \t" },
    { 0x0041, u"\tIndicator Off \t" },
    { 0x0042, u"\tFlash On Time \t" },
    { 0x0043, u"\tSlow Blink On Time \t" },
    { 0x0044, u"\tSlow Blink Off Time \t" },
    { 0x0045, u"\tFast Blink On Time \t" },
    { 0x0046, u"\tFast Blink Off Time \t" },
    { 0x0047, u"\tUsage Indicator Color \t" },
    { 0x0048, u"\tIndicator Red \t" },
    { 0x0049, u"\tIndicator Green \t" },
    { 0x004A, u"\tIndicator Amber \t" },
    { 0x004B, u"\tGeneric Indicator \t" },
    { 0x004C, u"\tSystem Suspend \t" },
    { 0x004D, u"\tExternal Power Connected \t" },
};
// clang-format on

static_assert(std::size(LedUsageNames) == 78, "LEDs must have 78 usage names");
static_assert(IsStrictlyAscending(LedUsageNames), "LEDs usage ids must ascend without repeats");

} // namespace quorlix
