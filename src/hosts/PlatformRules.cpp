// The rules every operating system shares, and those of Windows as a whole, macOS, iOS,
// Android, Linux and Bluetooth LE.

#include "hosts/HostChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>
#include <unordered_set>

namespace quorlix::hosts {
namespace {

std::string Decimal(std::uint64_t value)
{
    return std::to_string(value);
}

std::string ReportWords(const quorlix::Report& report)
{
    const std::string type = ReportTypeName(report.type);
    const std::string id = report.reportId == 0 ? "without an id" : Decimal(report.reportId);
    return (type == "input"    ? "Input"
            : type == "output" ? "Output"
                               : "Feature") +
           std::string(" report ") + id;
}

std::string UsageWords(std::uint32_t usage)
{
    return HexText(usage >> 16).substr(2) + ":" + HexText(usage & 0xFFFF).substr(2);
}

bool IsVendor(std::uint32_t usage)
{
    return (usage >> 16) >= 0xFF00;
}

} // namespace

void HostChecker::CheckShared(HostProfileId profile)
{
    CheckCollectionBalance(profile);
    CheckReportIds(profile);
    CheckSignedLimits(profile);
    CheckWideFields(profile);
}

void HostChecker::CheckCollectionBalance(HostProfileId profile)
{
    for (const OutlineCollection& collection : m_outline.collections) {
        if (!collection.closed) {
            Report(profile, "ALL-01", collection.offset, collection.length,
                   "Collection (" + CollectionKindText(collection.kind) +
                       ") opened here is never closed",
                   "add an End Collection (C0) where its items end");
        }
    }
    for (const ItemPlace& end : m_outline.extraEndCollections) {
        Report(profile, "ALL-01", end.offset, end.length, "End Collection with no collection open",
               "remove this C0, or add the Collection it was meant to close");
    }
}

void HostChecker::CheckReportIds(HostProfileId profile)
{
    if (!m_outline.reportIdItems.empty()) {
        const std::size_t firstId = m_outline.reportIdItems.front().offset;
        for (const OutlineField& field : m_outline.fields) {
            if (field.offset > firstId) {
                break;
            }
            Report(profile, "ALL-02", field.offset, field.length,
                   std::string(ReportTypeName(field.type)) +
                       " item comes before the first Report ID, so its report has no id "
                       "while later reports carry one",
                   "put a Report ID (85 NN) before it");
            break;
        }
    }
    for (const ItemPlace& id : m_outline.reportIdItems) {
        if (id.value == 0 || id.value > 255) {
            Report(profile, "ALL-03", id.offset, id.length,
                   "Report ID " + Decimal(id.value) + " is outside 1 to 255",
                   "use an id from 1 to 255, for example 85 01");
        }
    }
    for (const quorlix::Report& report : m_outline.model.reports) {
        if (!report.spansCollections) {
            continue;
        }
        const OutlineField* second = FieldAt(report.secondCollectionOffset);
        Report(profile, "ALL-04", report.secondCollectionOffset, second ? second->length : 1,
               ReportWords(report) + " is used by two top-level collections",
               "give each top-level collection reports of its own: a Report ID (85 NN) with a "
               "new id after its Collection item");
    }
}

void HostChecker::CheckSignedLimits(HostProfileId profile)
{
    // One finding per item that set the wrong maximum, however many fields use it.
    std::unordered_set<std::uint32_t> blamed;
    for (const OutlineField& field : m_outline.fields) {
        if (field.IsConstant()) {
            continue;
        }
        const OutlineValue& minimum = field.logicalMinimum;
        const OutlineValue& maximum = field.logicalMaximum;
        if (maximum.set && minimum.Signed() > maximum.Signed() &&
            blamed.insert(maximum.offset).second) {
            const std::string wider =
                ShortestItemText(1, 2, static_cast<std::int64_t>(maximum.value), true);
            Report(profile, "ALL-05", maximum.offset, maximum.length,
                   "Logical Maximum " + HexText(maximum.value) + " reads as " +
                       std::to_string(maximum.Signed()) + " signed, below the Logical Minimum " +
                       std::to_string(minimum.Signed()),
                   wider.empty() ? "narrow the range so that the maximum is a positive value"
                                 : "write " + wider + " for " + Decimal(maximum.value));
        }
        if (profile != HostProfileId::Windows) {
            continue;
        }
        const OutlineValue& physicalMinimum = field.physicalMinimum;
        const OutlineValue& physicalMaximum = field.physicalMaximum;
        if (physicalMaximum.set && physicalMinimum.Signed() > physicalMaximum.Signed() &&
            blamed.insert(physicalMaximum.offset).second) {
            Report(profile, "WIN-06", physicalMaximum.offset, physicalMaximum.length,
                   "Physical Maximum " + HexText(physicalMaximum.value) + " reads as " +
                       std::to_string(physicalMaximum.Signed()) +
                       " signed, below the Physical Minimum " +
                       std::to_string(physicalMinimum.Signed()),
                   "write the Physical Maximum in an item wide enough to stay positive");
        }
    }
}

void HostChecker::CheckWideFields(HostProfileId profile)
{
    for (const quorlix::Report& report : m_outline.model.reports) {
        for (const ReportField& field : report.fields) {
            if (field.IsConstant() || field.count == 0) {
                continue;
            }
            bool spans = field.bitSize > 32;
            // Element positions repeat every 8 elements, so 8 show every byte alignment.
            for (std::uint32_t i = 0; i < field.count && i < 8 && !spans; ++i) {
                const std::uint64_t start = field.bitOffset + std::uint64_t{ i } * field.bitSize;
                spans = start % 8 + field.bitSize > 32;
            }
            if (!spans) {
                continue;
            }
            const OutlineField* item = FieldAt(field.itemOffset);
            Report(profile, "ALL-06", field.itemOffset, item ? item->length : 1,
                   field.bitSize > 32
                       ? "field of " + Decimal(field.bitSize) + " bits in " + ReportWords(report)
                       : "field of " + Decimal(field.bitSize) + " bits in " + ReportWords(report) +
                             " spans five bytes",
                   "split the value into fields of at most 32 bits, byte-aligned, or send it as "
                   "bytes (Report Size 8 with a Report Count)");
        }
    }
}

void HostChecker::CheckWindows()
{
    for (const quorlix::Report& report : m_outline.model.reports) {
        if (report.fields.empty()) {
            continue;
        }
        const ReportField& last = report.fields.back();
        const OutlineField* lastItem = FieldAt(last.itemOffset);
        if (report.bitLength % 8 != 0) {
            const std::uint64_t padding = 8 - report.bitLength % 8;
            const unsigned mainPrefix = report.type == ReportType::Input    ? 0x81
                                        : report.type == ReportType::Output ? 0x91
                                                                            : 0xB1;
            Report(HostProfileId::Windows, "WIN-02", last.itemOffset,
                   lastItem ? lastItem->length : 1,
                   ReportWords(report) + " is " + Decimal(report.bitLength) +
                       " bits long, not a whole number of bytes",
                   "add " + Decimal(padding) + " bits of constant padding at its end: 75 " +
                       HexText(static_cast<std::uint32_t>(padding)).substr(2) + " 95 01 " +
                       HexText(mainPrefix).substr(2) + " 03");
        }
        if (report.bitLength > 65535) {
            const OutlineField* first = FieldAt(report.fields.front().itemOffset);
            Report(HostProfileId::Windows, "WIN-04", report.fields.front().itemOffset,
                   first ? first->length : 1,
                   ReportWords(report) + " is " + Decimal(report.bitLength) +
                       " bits long, more than 65,535",
                   "split it into reports of at most 8,191 bytes under their own ids");
        }
    }
    const std::size_t topLevels = TopLevelCount();
    if (topLevels > 1) {
        for (std::size_t i = 0; i < m_outline.collections.size(); ++i) {
            if (m_outline.collections[i].parent == kNoCollection && !AllFieldsNumbered(i)) {
                ReportAtCollection(
                    HostProfileId::Windows, "WIN-03", i,
                    "top-level collection " + Decimal(TopLevelNumber(i)) +
                        " has reports without a Report ID beside " + Decimal(topLevels - 1) +
                        " other top-level collection" + (topLevels > 2 ? "s" : ""),
                    "put a Report ID (85 NN) of its own right after this Collection item");
            }
        }
    }
    if (m_bytes.size() > 65535) {
        ReportAtStart(HostProfileId::Windows, "WIN-05",
                      "the descriptor is " + Decimal(m_bytes.size()) + " bytes long",
                      "keep it within 65,535 bytes, for example by moving collections to "
                      "another interface");
    }
    CheckWindowsSystemCollections();
}

void HostChecker::CheckWindowsSystemCollections()
{
    constexpr std::uint32_t kSystemCollections[] = {
        Usage(0x01, 0x01), kMouse, kKeyboard,    Usage(0x01, 0x07),
        Usage(0x0D, 0x01), kPen,   kTouchScreen, kTouchPad,
    };
    bool mouseButtonsSaid = false;
    for (const OutlineField& field : m_outline.fields) {
        if (field.collection == kNoCollection || field.IsConstant()) {
            continue;
        }
        const std::size_t top = m_outline.collections[field.collection].topLevel;
        const std::uint32_t topUsage = m_outline.collections[top].usage;
        bool system = false;
        for (const std::uint32_t usage : kSystemCollections) {
            system = system || usage == topUsage;
        }
        if (!system) {
            continue;
        }
        // The certification blob is vendor-defined by design, and a digitizer must carry it.
        const bool certification = field.type == ReportType::Feature &&
                                   field.HasUsage(kCertificationStatus) && (topUsage >> 16) == 0x0D;
        const bool vendor =
            !field.usages.empty() && IsVendor(field.usages.front().first) && !certification;
        if (vendor) {
            ReportAtField(HostProfileId::Windows, "WIN-07", field,
                          "vendor-defined " + std::string(ReportTypeName(field.type)) +
                              " field in the " + UsageWords(topUsage) + " top-level collection",
                          "move it to a top-level collection of its own with a vendor usage, "
                          "such as 06 00 FF 09 01 A1 01 ... C0, with its own Report ID");
        }
        if (topUsage == kMouse && !mouseButtonsSaid) {
            for (const UsageSpan& span : field.usages) {
                if ((span.first >> 16) == 0x09 && (span.last & 0xFFFF) > 5) {
                    mouseButtonsSaid = true;
                    ReportAtField(HostProfileId::Windows, "WIN-08", field,
                                  "mouse buttons up to " + Decimal(span.last & 0xFFFF),
                                  "applications see buttons 6 and above only through raw input");
                    break;
                }
            }
        }
    }
}

void HostChecker::CheckLinux()
{
    for (const ItemPlace& item : m_outline.unknownMainItems) {
        Report(HostProfileId::Linux, "LNX-01", item.offset, item.length,
               "main item of an unknown tag", "correct the prefix or remove the item");
    }
    for (const quorlix::Report& report : m_outline.model.reports) {
        if (report.byteLength > 8192 && !report.fields.empty()) {
            const OutlineField* first = FieldAt(report.fields.front().itemOffset);
            Report(HostProfileId::Linux, "LNX-02", report.fields.front().itemOffset,
                   first ? first->length : 1,
                   ReportWords(report) + " is " + Decimal(report.byteLength) + " bytes long",
                   "split it into reports of at most 8,192 bytes (4,096 for kernels before "
                   "5.6) under their own ids");
        }
    }
}

void HostChecker::CheckMacos()
{
    for (const OutlineField& field : m_outline.fields) {
        if (field.collection == kNoCollection || field.IsConstant() || field.IsVariable()) {
            continue;
        }
        const std::size_t top = m_outline.collections[field.collection].topLevel;
        if (m_outline.collections[top].usage != kSystemControl) {
            continue;
        }
        for (const UsageSpan& span : field.usages) {
            if (span.first <= Usage(0x01, 0x02) && span.last >= Usage(0x01, 0x01)) {
                ReportAtField(HostProfileId::Macos, "MAC-03", field,
                              "System Control array covers " + UsageWords(span.first) + " to " +
                                  UsageWords(span.last),
                              "start the array's range at the first system control it sends, "
                              "for example 19 81 29 83 for Power Down, Sleep and Wake Up");
                break;
            }
        }
    }
    const std::size_t gamepad =
        TopLevel(kGamepad) != kNoCollection ? TopLevel(kGamepad) : TopLevel(kJoystick);
    if (gamepad != kNoCollection &&
        (TopLevel(kMouse) != kNoCollection || TopLevel(kKeyboard) != kNoCollection)) {
        ReportAtCollection(HostProfileId::Macos, "MAC-04", gamepad,
                           "a Gamepad or Joystick collection beside a mouse or keyboard collection",
                           "put the gamepad on an interface of its own");
    }
}

void HostChecker::CheckIos()
{
    const std::size_t gamepad =
        TopLevel(kGamepad) != kNoCollection ? TopLevel(kGamepad) : TopLevel(kJoystick);
    if (gamepad != kNoCollection && TopLevel(kMouse) != kNoCollection) {
        ReportAtCollection(HostProfileId::Ios, "IOS-01", gamepad,
                           "a Gamepad or Joystick collection in the same descriptor as a mouse",
                           "put the gamepad on an interface of its own, or leave it out");
    }
}

void HostChecker::CheckAndroid()
{
    // Each gamepad looked into costs a pass over the fields: a few are plenty.
    constexpr std::size_t kMaxGamepads = 16;
    std::size_t gamepads = 0;
    for (std::size_t i = 0; i < m_outline.collections.size() && gamepads < kMaxGamepads; ++i) {
        const OutlineCollection& top = m_outline.collections[i];
        if (top.parent != kNoCollection || (top.usage != kGamepad && top.usage != kJoystick)) {
            continue;
        }
        ++gamepads;
        const OutlineField* rx = DataField(i, ReportType::Input, kRx);
        if (rx == nullptr) {
            rx = DataField(i, ReportType::Input, kRy);
        }
        if (rx != nullptr && DataField(i, ReportType::Input, kZ) == nullptr &&
            DataField(i, ReportType::Input, kRz) == nullptr) {
            ReportAtField(
                HostProfileId::Android, "AND-02", *rx,
                "the right stick is on Rx and Ry (01:33, 01:34)",
                "declare the right stick as Z and Rz: 09 32 09 35 in place of 09 33 09 34");
        }
        const OutlineField* hat = DataField(i, ReportType::Input, kHatSwitch);
        if (hat != nullptr && (hat->flags & 0x40) == 0) {
            ReportAtField(HostProfileId::Android, "AND-02", *hat,
                          "the hat switch has no Null State, so centred reads as a direction",
                          "give its Input item the Null State flag (81 42) and send a value "
                          "outside the logical range when centred");
        }
    }
}

void HostChecker::CheckBle()
{
    constexpr std::size_t kMapLimit = 512;
    if (m_bytes.size() > kMapLimit) {
        std::size_t position = 0;
        DecodedItem item = DecodeItem(m_bytes, 0);
        while (position + item.length <= kMapLimit) {
            position += item.length;
            item = DecodeItem(m_bytes, position);
        }
        Report(HostProfileId::Ble, "BLE-01", position, item.length,
               "the Report Map is " + Decimal(m_bytes.size()) +
                   " bytes long and this item crosses byte 512",
               "shorten the map to 512 bytes: drop redundant globals and Push/Pop pairs, or "
               "move collections to a second HID Service");
    }
    for (const quorlix::Report& report : m_outline.model.reports) {
        const std::uint64_t payload = report.byteLength - (report.reportId != 0 ? 1 : 0);
        if (report.type != ReportType::Input || payload <= 20 || report.fields.empty()) {
            continue;
        }
        const OutlineField* first = FieldAt(report.fields.front().itemOffset);
        Report(HostProfileId::Ble, "BLE-03", report.fields.front().itemOffset,
               first ? first->length : 1,
               ReportWords(report) + " carries " + Decimal(payload) +
                   " bytes, more than the 20 a notification holds at the default MTU",
               "keep Input reports within 20 bytes, or make sure the central exchanges a larger "
               "MTU first");
    }
}

} // namespace quorlix::hosts
