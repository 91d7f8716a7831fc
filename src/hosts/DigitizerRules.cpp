// Windows' precision touchpads, touch screens and pens: the collections, usages and features
// Windows needs before it treats a digitizer as one.

#include "hosts/HostChecker.h"

#include <array>
#include <string>

namespace quorlix::hosts {
namespace {

constexpr std::array kTouchpadContact = {
    NeededUsage{ kConfidence, "Confidence (09 47)" },
    NeededUsage{ kTipSwitch, "Tip Switch (09 42)" },
    NeededUsage{ kContactIdentifier, "Contact Identifier (09 51)" },
    NeededUsage{ kX, "X (05 01 09 30)" },
    NeededUsage{ kY, "Y (05 01 09 31)" },
};

constexpr std::array kScreenContact = {
    NeededUsage{ kContactIdentifier, "Contact Identifier (09 51)" },
    NeededUsage{ kTipSwitch, "Tip Switch (09 42)" },
    NeededUsage{ kX, "X (05 01 09 30)" },
    NeededUsage{ kY, "Y (05 01 09 31)" },
};

constexpr std::array kFrame = {
    NeededUsage{ kContactCount, "Contact Count (09 54)" },
    NeededUsage{ kScanTime, "Scan Time (09 56)" },
};

constexpr std::array kTouchpadFrame = {
    NeededUsage{ kContactCount, "Contact Count (09 54)" },
    NeededUsage{ kScanTime, "Scan Time (09 56)" },
    NeededUsage{ kButton1, "Button 1 (05 09 09 01)" },
};

constexpr std::array kTouchpadCapabilities = {
    NeededUsage{ kContactCountMaximum, "Contact Count Maximum (09 55)" },
    NeededUsage{ kPadType, "Pad Type (09 59)" },
};

constexpr std::array kConfigurationSwitches = {
    NeededUsage{ kSurfaceSwitch, "Surface Switch (09 57)" },
    NeededUsage{ kButtonSwitch, "Button Switch (09 58)" },
};

constexpr std::array kPenBasics = {
    NeededUsage{ kTipSwitch, "Tip Switch (09 42)" },
    NeededUsage{ kInRange, "In Range (09 32)" },
    NeededUsage{ kX, "X (05 01 09 30)" },
    NeededUsage{ kY, "Y (05 01 09 31)" },
};

constexpr std::array kPenButtons = {
    NeededUsage{ kBarrelSwitch, "Barrel Switch (09 44)" },
    NeededUsage{ kInvert, "Invert (09 3C)" },
    NeededUsage{ kEraser, "Eraser (09 45)" },
    NeededUsage{ kTipPressure, "Tip Pressure (09 30)" },
};

bool IsLengthUnit(const OutlineValue& unit)
{
    return unit.set && (unit.value == 0x11 || unit.value == 0x13);
}

} // namespace

void HostChecker::CheckFingers(HostProfileId profile, std::string_view ruleId, std::size_t topLevel,
                               std::span<const NeededUsage> needed)
{
    // Devices report at most a few dozen contacts; a bound on the collections looked into keeps
    // the time linear in the descriptor whatever it holds.
    constexpr std::size_t kMaxFingers = 64;
    std::size_t fingers = 0;
    bool anyFinger = false;
    for (std::size_t i = 0; i < m_outline.collections.size() && fingers < kMaxFingers; ++i) {
        const OutlineCollection& collection = m_outline.collections[i];
        if (collection.usage != kFinger || collection.topLevel != topLevel || i == topLevel) {
            continue;
        }
        anyFinger = true;
        ++fingers;
        const std::string missing = MissingUsages(i, ReportType::Input, needed);
        if (!missing.empty()) {
            ReportAtCollection(profile, ruleId, i,
                               "this Finger collection has no data Input for " + missing,
                               "declare each as a variable Input inside the collection, for "
                               "example 09 47 09 42 15 00 25 01 75 01 95 02 81 02 for Confidence "
                               "and Tip Switch");
        }
    }
    if (!anyFinger) {
        ReportAtCollection(profile, ruleId, topLevel,
                           "no Finger (0D:22) logical collection describes a contact",
                           "add one per contact the report carries: 09 22 A1 02 ... C0 with the "
                           "contact's Inputs");
    }
}

void HostChecker::CheckPhysicalSize(HostProfileId profile, std::string_view ruleId,
                                    std::size_t topLevel, bool exact)
{
    for (const std::uint32_t axis : { kX, kY }) {
        const OutlineField* field = DataField(topLevel, ReportType::Input, axis);
        if (field == nullptr) {
            continue;
        }
        std::string missing;
        if (!field->physicalMaximum.set || field->physicalMaximum.Signed() <= 0) {
            missing = "a Physical Maximum above 0";
        } else if (exact ? !IsLengthUnit(field->unit)
                         : !field->unit.set || (field->unit.value & 0x0F) == 0 ||
                               (field->unit.value & 0x0F) > 4) {
            missing = exact ? "a length Unit (65 11 for cm or 65 13 for inches)" : "a Unit";
        } else if (exact && !field->unitExponent.set) {
            missing = "a Unit Exponent";
        }
        if (!missing.empty()) {
            ReportAtField(profile, ruleId, *field,
                          std::string(axis == kX ? "X" : "Y") + " has no " + missing,
                          "give the axis its size before its Input item, for example 55 0E 65 "
                          "13 35 00 46 90 01 for 4 inches in hundredths");
        }
    }
}

void HostChecker::CheckPrecisionTouchpad()
{
    constexpr HostProfileId kProfile = HostProfileId::WindowsPrecisionTouchpad;
    const std::size_t pad = TopLevel(kTouchPad);
    if (pad == kNoCollection) {
        ReportAtStart(kProfile, "PTP-01", "no Touch Pad (0D:05) top-level collection",
                      "add 05 0D 09 05 A1 01 85 01 with the contacts' Finger collections, then C0");
    } else {
        if (!AllFieldsNumbered(pad)) {
            ReportAtCollection(kProfile, "PTP-01", pad,
                               "the Touch Pad collection has reports without a Report ID",
                               "put 85 NN right after its Collection item");
        }
        CheckFingers(kProfile, "PTP-03", pad, kTouchpadContact);
        CheckPhysicalSize(kProfile, "PTP-04", pad, true);
        const std::string frame = MissingUsages(pad, ReportType::Input, kTouchpadFrame);
        if (!frame.empty()) {
            ReportAtCollection(kProfile, "PTP-05", pad,
                               "the Touch Pad collection has no data Input for " + frame,
                               "declare them at report level, outside the Finger collections, "
                               "for example 05 0D 09 56 ... 81 02 and 09 54 ... 81 02");
        }
        std::string features = MissingUsages(pad, ReportType::Feature, kTouchpadCapabilities);
        const OutlineField* status = DataField(pad, ReportType::Feature, kCertificationStatus);
        if (status == nullptr ||
            std::uint64_t{ status->reportSize } * status->reportCount != 256 * 8) {
            features += features.empty() ? "" : ", ";
            features += "the 256-byte certification status (06 00 FF 09 C5 ... 75 08 96 00 01 "
                        "B1 02)";
        }
        if (!features.empty()) {
            ReportAtCollection(kProfile, "PTP-06", pad,
                               "the Touch Pad collection has no Feature for " + features,
                               "add them as Feature items with Report IDs of their own inside "
                               "the Touch Pad collection");
        }
    }
    CheckTouchpadConfiguration();
    const std::size_t mouse = TopLevel(kMouse);
    if (mouse == kNoCollection) {
        ReportAtStart(kProfile, "PTP-07", "no Mouse (01:02) top-level collection",
                      "add a mouse collection with 2 buttons and relative X and Y under its own "
                      "Report ID");
    } else {
        const OutlineField* x = DataField(mouse, ReportType::Input, kX);
        const OutlineField* button = DataField(mouse, ReportType::Input, Usage(0x09, 0x02));
        if (x == nullptr || !x->IsRelative() || button == nullptr) {
            ReportAtCollection(kProfile, "PTP-07", mouse,
                               "the Mouse collection lacks relative X and Y or two buttons",
                               "declare buttons 1 and 2 (05 09 19 01 29 02 ... 81 02) and X and "
                               "Y as relative (81 06)");
        }
    }
}

void HostChecker::CheckTouchpadConfiguration()
{
    constexpr HostProfileId kProfile = HostProfileId::WindowsPrecisionTouchpad;
    const std::size_t configuration = TopLevel(kDeviceConfiguration);
    if (configuration == kNoCollection) {
        ReportAtStart(kProfile, "PTP-02", "no Device Configuration (0D:0E) top-level collection",
                      "add 05 0D 09 0E A1 01 85 NN 09 22 A1 02 09 52 15 00 25 0A 75 08 95 01 B1 "
                      "02 C0 with the Surface and Button Switch features, then C0");
        return;
    }
    std::string missing;
    const OutlineField* mode = DataField(configuration, ReportType::Feature, kInputMode);
    if (mode == nullptr || mode->collection == kNoCollection ||
        m_outline.collections[mode->collection].usage != kFinger) {
        missing = "Input Mode (09 52) inside a Finger (09 22) logical collection";
    }
    const std::string switches =
        MissingUsages(configuration, ReportType::Feature, kConfigurationSwitches);
    if (!switches.empty()) {
        missing += missing.empty() ? switches : ", " + switches;
    }
    if (!missing.empty()) {
        ReportAtCollection(kProfile, "PTP-02", configuration,
                           "the Device Configuration collection has no Feature for " + missing,
                           "declare them as data Features with Report IDs of their own");
    }
}

void HostChecker::CheckTouchscreen()
{
    constexpr HostProfileId kProfile = HostProfileId::WindowsTouchscreen;
    const std::size_t screen = TopLevel(kTouchScreen);
    if (screen == kNoCollection) {
        ReportAtStart(kProfile, "TS-01", "no Touch Screen (0D:04) top-level collection",
                      "add 05 0D 09 04 A1 01 85 01 with the contacts' Finger collections, then C0");
        return;
    }
    if (!AllFieldsNumbered(screen)) {
        ReportAtCollection(kProfile, "TS-01", screen,
                           "the Touch Screen collection has reports without a Report ID",
                           "put 85 NN right after its Collection item");
    }
    CheckFingers(kProfile, "TS-02", screen, kScreenContact);
    const std::string frame = MissingUsages(screen, ReportType::Input, kFrame);
    if (!frame.empty()) {
        ReportAtCollection(kProfile, "TS-03", screen,
                           "the Touch Screen collection has no data Input for " + frame,
                           "declare them at report level, outside the Finger collections");
    }
    bool maximumHere = false;
    for (const OutlineField& field : m_outline.fields) {
        maximumHere =
            maximumHere || (field.type == ReportType::Feature && field.collection == screen &&
                            field.HasUsage(kContactCountMaximum));
    }
    if (!maximumHere) {
        ReportAtCollection(kProfile, "TS-04", screen,
                           "no Contact Count Maximum (0D:55) Feature in the Touch Screen "
                           "collection itself",
                           "add 85 NN 09 55 25 0A B1 02 (10 contacts) directly inside it, not "
                           "in a Finger collection");
    }
    CheckPhysicalSize(kProfile, "TS-05", screen, false);
    const OutlineField* scan = DataField(screen, ReportType::Input, kScanTime);
    if (scan != nullptr && scan->reportSize < 16) {
        ReportAtField(kProfile, "TS-05", *scan,
                      "Scan Time has " + std::to_string(scan->reportSize) + " bits",
                      "give Scan Time 16 bits (75 10)");
    }
    for (std::size_t i = 0; i < m_outline.collections.size(); ++i) {
        if (m_outline.collections[i].topLevel == screen &&
            m_outline.collections[i].usage == kStylus) {
            ReportAtCollection(kProfile, "TS-06", i,
                               "a Stylus collection inside the Touch Screen collection",
                               "move the pen into a Pen (0D:02) top-level collection of its own");
        }
    }
}

void HostChecker::CheckPen()
{
    constexpr HostProfileId kProfile = HostProfileId::WindowsPen;
    const std::size_t pen = TopLevel(kPen);
    if (pen == kNoCollection) {
        ReportAtStart(kProfile, "PEN-01", "no Pen (0D:02) top-level collection",
                      "add 05 0D 09 02 A1 01 85 01 09 20 A1 00 with the stylus Inputs, then C0 C0");
        return;
    }
    std::size_t stylus = kNoCollection;
    for (std::size_t i = 0; i < m_outline.collections.size() && stylus == kNoCollection; ++i) {
        if (m_outline.collections[i].topLevel == pen && m_outline.collections[i].usage == kStylus) {
            stylus = i;
        }
    }
    if (!AllFieldsNumbered(pen) || stylus == kNoCollection) {
        ReportAtCollection(kProfile, "PEN-01", pen,
                           stylus == kNoCollection
                               ? "the Pen collection has no Stylus (0D:20) physical collection"
                               : "the Pen collection has reports without a Report ID",
                           "begin it with 85 NN 09 20 A1 00 and close the stylus with C0");
    }
    const std::size_t at = stylus != kNoCollection ? stylus : pen;
    const std::string basics = MissingUsages(pen, ReportType::Input, kPenBasics);
    if (!basics.empty()) {
        ReportAtCollection(kProfile, "PEN-02", at, "the pen has no data Input for " + basics,
                           "declare them as variable Inputs inside the Stylus collection");
    }
    const std::string buttons = MissingUsages(pen, ReportType::Input, kPenButtons);
    if (!buttons.empty()) {
        ReportAtCollection(kProfile, "PEN-03", at, "the pen has no data Input for " + buttons,
                           "declare them as variable Inputs inside the Stylus collection");
    }
    CheckPhysicalSize(kProfile, "PEN-02", pen, false);
}

} // namespace quorlix::hosts
