#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Medical Instrument page (0x0040), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullMedicalInstrumentUsages[] = {
    { 0x0001, CA,  "Medical Ultrasound" },
    { 0x0020, OOC, "VCR/Acquisition" },
    { 0x0021, OOC, "Freeze/Thaw" },
    { 0x0022, OSC, "Clip Store" },
    { 0x0023, OSC, "Update" },
    { 0x0024, OSC, "Next" },
    { 0x0025, OSC, "Save" },
    { 0x0026, OSC, "Print" },
    { 0x0027, OSC, "Microphone Enable" },
    { 0x0040, LC,  "Cine" },
    { 0x0041, LC,  "Transmit Power" },
    { 0x0042, LC,  "Volume" },
    { 0x0043, LC,  "Focus" },
    { 0x0044, LC,  "Depth" },
    { 0x0060, LC,  "Soft Step - Primary" },
    { 0x0061, LC,  "Soft Step - Secondary" },
    { 0x0070, LC,  "Depth Gain Compensation" },
    { 0x0080, OSC, "Zoom Select" },
    { 0x0081, LC,  "Zoom Adjust" },
    { 0x0082, OSC, "Spectral Doppler Mode Select" },
    { 0x0083, LC,  "Spectral Doppler Adjust" },
    { 0x0084, OSC, "Color Doppler Mode Select" },
    { 0x0085, LC,  "Color Doppler Adjust" },
    { 0x0086, OSC, "Motion Mode Select" },
    { 0x0087, LC,  "Motion Mode Adjust" },
    { 0x0088, OSC, "2-D Mode Select" },
    { 0x0089, LC,  "2-D Mode Adjust" },
    { 0x00A0, OSC, "Soft Control Select" },
    { 0x00A1, LC,  "Soft Control Adjust" },
};
// clang-format on

static_assert(std::size(FullMedicalInstrumentUsages) == 29,
              "the Medical Instrument page lists 29 usages");
static_assert(IsStrictlyAscending(FullMedicalInstrumentUsages),
              "Medical Instrument usage ids must ascend without repeats");

} // namespace quorlix::full_usages
