#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullGenericDesktopUsages.h"
#include "usage_names/full/FullSimulationControlsUsages.h"
#include "usage_names/full/FullVrControlsUsages.h"
#include "usage_names/full/FullSportControlsUsages.h"
#include "usage_names/full/FullGameControlsUsages.h"
#include "usage_names/full/FullGenericDeviceControlsUsages.h"
#include "usage_names/full/FullKeyboardKeypadUsages.h"
#include "usage_names/full/FullLedUsages.h"
#include "usage_names/full/FullTelephonyDeviceUsages.h"
#include "usage_names/full/FullConsumerUsages.h"
#include "usage_names/full/FullDigitizersUsages.h"
#include "usage_names/full/FullHapticsUsages.h"
#include "usage_names/full/FullPhysicalInputDeviceUsages.h"
#include "usage_names/full/FullSoCUsages.h"
#include "usage_names/full/FullEyeAndHeadTrackersUsages.h"
#include "usage_names/full/FullAuxiliaryDisplayUsages.h"
#include "usage_names/full/FullSensorsUsages.h"
#include "usage_names/full/FullMedicalInstrumentUsages.h"
#include "usage_names/full/FullBrailleDisplayUsages.h"
#include "usage_names/full/FullLightingAndIlluminationUsages.h"
#include "usage_names/full/FullMonitorUsages.h"
#include "usage_names/full/FullVesaVirtualControlsUsages.h"
#include "usage_names/full/FullPowerUsages.h"
#include "usage_names/full/FullBatterySystemUsages.h"
#include "usage_names/full/FullBarcodeScannerUsages.h"
#include "usage_names/full/FullScalesUsages.h"
#include "usage_names/full/FullMagneticStripeReaderUsages.h"
#include "usage_names/full/FullCameraControlUsages.h"
#include "usage_names/full/FullArcadeUsages.h"
#include "usage_names/full/FullFidoAllianceUsages.h"
#include "usage_names/full/FullUsageEntry.h"

#include <cstddef>
#include <iterator>

namespace quorlix::full_usages {

// Every page the tables define, ascending by id: its name and either its listed usages
// or the prefix and range of its generated names.
// clang-format off
inline constexpr FullUsagePage FullUsagePages[] = {
    { 0x0001, "Generic Desktop", FullGenericDesktopUsages },
    { 0x0002, "Simulation Controls", FullSimulationControlsUsages },
    { 0x0003, "VR Controls", FullVrControlsUsages },
    { 0x0004, "Sport Controls", FullSportControlsUsages },
    { 0x0005, "Game Controls", FullGameControlsUsages },
    { 0x0006, "Generic Device Controls", FullGenericDeviceControlsUsages },
    { 0x0007, "Keyboard/Keypad", FullKeyboardKeypadUsages },
    { 0x0008, "LED", FullLedUsages },
    { 0x0009, "Button", {}, "Button", 0x0001, 0xFFFF, Sel | OOC | MC | OSC },
    { 0x000A, "Ordinal", {}, "Instance", 0x0001, 0xFFFF, UM },
    { 0x000B, "Telephony Device", FullTelephonyDeviceUsages },
    { 0x000C, "Consumer", FullConsumerUsages },
    { 0x000D, "Digitizers", FullDigitizersUsages },
    { 0x000E, "Haptics", FullHapticsUsages },
    { 0x000F, "Physical Input Device", FullPhysicalInputDeviceUsages },
    { 0x0011, "SoC", FullSoCUsages },
    { 0x0012, "Eye and Head Trackers", FullEyeAndHeadTrackersUsages },
    { 0x0014, "Auxiliary Display", FullAuxiliaryDisplayUsages },
    { 0x0020, "Sensors", FullSensorsUsages },
    { 0x0040, "Medical Instrument", FullMedicalInstrumentUsages },
    { 0x0041, "Braille Display", FullBrailleDisplayUsages },
    { 0x0059, "Lighting And Illumination", FullLightingAndIlluminationUsages },
    { 0x0080, "Monitor", FullMonitorUsages },
    { 0x0081, "Monitor Enumerated", {}, "Enum", 0x0001, 0xFFFF, Sel },
    { 0x0082, "VESA Virtual Controls", FullVesaVirtualControlsUsages },
    { 0x0084, "Power", FullPowerUsages },
    { 0x0085, "Battery System", FullBatterySystemUsages },
    { 0x008C, "Barcode Scanner", FullBarcodeScannerUsages },
    { 0x008D, "Scales", FullScalesUsages },
    { 0x008E, "Magnetic Stripe Reader", FullMagneticStripeReaderUsages },
    { 0x0090, "Camera Control", FullCameraControlUsages },
    { 0x0091, "Arcade", FullArcadeUsages },
    { 0xF1D0, "FIDO Alliance", FullFidoAllianceUsages },
};
// clang-format on

static_assert(std::size(FullUsagePages) == 33,
              "30 pages with listed usages and 3 with generated names");
static_assert(IsStrictlyAscending(FullUsagePages), "page ids must ascend without repeats");
static_assert(CountListedUsages(FullUsagePages) == 2770, "the tables list 2770 usages");

// Bytes of the longest listed usage name, modifier name (without "Modifier: ") and page
// name, for the lookup to check that every name it builds fits.
inline constexpr std::size_t kLongestListedUsageName = 59;
inline constexpr std::size_t kLongestSensorModifierName = 35;
inline constexpr std::size_t kLongestPageName = 25;

} // namespace quorlix::full_usages
