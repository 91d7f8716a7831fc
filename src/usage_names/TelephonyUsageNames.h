#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Telephony page (0x000B), ascending by id.
// Mostly a tab, the words, a blank and a tab.
// clang-format off
inline constexpr UsageNameEntry TelephonyUsageNames[] = {
    { 0x0000, u"\tUnassigned\t" },   // No blank before the closing tab.
    { 0x0001, u"\tPhone \t" },
    { 0x0002, u"\tAnswering Machine \t" },
    { 0x0003, u"\tMessage Controls \t" },
    { 0x0004, u"\tHandset \t" },
    { 0x0005, u"\tHeadset \t" },
    { 0x0006, u"\tTelephony Key Pad \t" },
    { 0x0007, u"\tProgrammable Button \t" },
    { 0x0020, u"\tHook Switch \t" },
    { 0x0021, u"\tFlash \t" },
    { 0x0022, u"\tFeature \t" },
    { 0x0023, u"\tHold \t" },
    { 0x0024, u"\tRedial \t" },
    { 0x0025, u"\tTransfer \t" },
    { 0x0026, u"\tDrop \t" },
    { 0x0027, u"\tPark \t" },
    { 0x0028, u"\tForward Calls \t" },
    { 0x0029, u"\tAlternate Function \t" },
    { 0x002A, u"\tLine \t" },
    { 0x002B, u"\tSpeaker Phone \t" },
    { 0x002C, u"\tConference \t" },
    { 0x002D, u"\tRing Enable \t" },
    { 0x002E, u"\tRing Select \t" },
    { 0x002F, u"\tPhone Mute \t" },
    { 0x0030, u"\tCaller ID \t" },
    { 0x0031, u"\tSend \t" },
    { 0x0050, u"\tSpeed Dial \t" },
    { 0x0051, u"\tStore Number \t" },
    { 0x0052, u"\tRecall Number \t" },
    { 0x0053, u"\tPhone Directory \t" },
    { 0x0070, u"\tVoice Mail \t" },
    { 0x0071, u"\tScreen Calls \t" },
    { 0x0072, u"\tDo Not Disturb \t" },
    { 0x0073, u"\tMessage \t" },
    { 0x0074, u"\tAnswer On/Off \t" },
    { 0x0090, u"\tInside Dial Tone \t" },
    { 0x0091, u"\tOutside Dial Tone \t" },
    { 0x0092, u"\tInside Ring Tone \t" },
    { 0x0093, u"\tOutside Ring Tone \t" },
    { 0x0094, u"\tPriority Ring Tone \t" },
    { 0x0095, u"\tInside Ringback \t" },
    { 0x0096, u"\tPriority Ringback \t" },
    { 0x0097, u"\tLine Busy Tone \t" },
    { 0x0098, u"\tReorder Tone \t" },
    { 0x0099, u"\tCall Waiting Tone \t" },
    { 0x009A, u"\tConfirmation Tone 1 \t" },
    { 0x009B, u"\tConfirmation Tone 2 \t" },
    { 0x009C, u"\tTones Off \t" },
    { 0x009D, u"\tOutside Ringback \t" },
    { 0x009E, u"\tRinger \t" },
    { 0x00B0, u"\tPhone Key 0 \t" },
    { 0x00B1, u"\tPhone Key 1 \t" },
    { 0x00B2, u"\tPhone Key 2 \t" },
    { 0x00B3, u"\tPhone Key 3 \t" },
    { 0x00B4, u"\tPhone Key 4 \t" },
    { 0x00B5, u"\tPhone Key 5 \t" },
    { 0x00B6, u"\tPhone Key 6 \t" },
    { 0x00B7, u"\tPhone Key 7 \t" },
    { 0x00B8, u"\tPhone Key 8 \t" },
    { 0x00B9, u"\tPhone Key 9 \t" },
    { 0x00BA, u"\tPhone Key Star \t" },
    { 0x00BB, u"\tPhone Key Pound \t" },
    { 0x00BC, u"\tPhone Key A \t" },
    { 0x00BD, u"\tPhone Key B \t" },
    { 0x00BE, u"\tPhone Key C \t" },
    { 0x00BF, u"\tPhone Key D \t" },
};
// clang-format on

static_assert(std::size(TelephonyUsageNames) == 66, "Telephony must have 66 usage names");
static_assert(IsStrictlyAscending(TelephonyUsageNames),
              "Telephony usage ids must ascend without repeats");

} // namespace quorlix
