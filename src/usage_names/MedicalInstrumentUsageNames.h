#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Medical Instrument page (0x0040), ascending by id.
// Mostly a tab, the words, a blank and a tab.
// clang-format off
inline constexpr UsageNameEntry MedicalInstrumentUsageNames[] = {
    { 0x0000, u"\tUndefined\t" },             // No blank before the closing tab.
    { 0x0001, u"\tMedical Ultrasound \t" },
    { 0x0020, u"\tVCR/Acquisition \t" },
    { 0x0021, u"\tFreeze/Thaw \t" },
    { 0x0022, u"\tClip Store \t" },
    { 0x0023, u"\tUpdate \t" },
    { 0x0024, u"\tNext \t" },
    { 0x0025, u"\tSave \t" },
    { 0x0026, u"\tPrint \t" },
    { 0x0027, u"\tMicrophone Enable \t" },
    { 0x0040, u"\tCine \t" },
    { 0x0041, u"\tTransmit Power \t" },
    { 0x0042, u"\tVolume \t" },
    { 0x0043, u"\tFocus \t" },
    { 0x0044, u"\tDepth \t" },
    { 0x0060, u"\tSoft Step - Primary \t" },
    { 0x0061, u"\tSoft Step - Secondary \t" },
    { 0x0070, u"\tDepth Gain Compensation \t" },
    { 0x0080, u"\tZoom Select \t" },
    { 0x0081, u"\tZoom Adjust \t" },
    { 0x0082, u"\tSpectral Doppler Mode Select \t" },
    { 0x0083, u"\tSpectral Doppler Adjust \t" },
    { 0x0084, u"\tColor Doppler Mode Select \t" },
    { 0x0085, u"\tColor Doppler Adjust \t" },
    { 0x0086, u"\tMotion Mode Select \t" },
    { 0x0087, u"\tMotion Mode Adjust \t" },
    { 0x0088, u"\t2-D Mode Select \t" },
    { 0x0089, u"\t2-D Mode Adjust \t" },
    { 0x00A0, u"\tSoft Control Select \t" },
    { 0x00A1, u"\tSoft Control Adjust\t" },   // No blank before the closing tab.
};
// clang-format on

static_assert(std::size(MedicalInstrumentUsageNames) == 30,
              "Medical Instrument must have 30 usage names");
static_assert(IsStrictlyAscending(MedicalInstrumentUsageNames),
              "Medical Instrument usage ids must ascend without repeats");

} // namespace quorlix
