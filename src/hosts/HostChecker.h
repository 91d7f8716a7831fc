#pragma once

// The host rules' shared state and helpers; only the files of this folder include it.

#include "hosts/CheckHosts.h"
#include "hosts/DescriptorOutline.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix::hosts {

constexpr std::uint32_t Usage(std::uint16_t page, std::uint16_t id)
{
    return std::uint32_t{ page } << 16 | id;
}

constexpr std::uint32_t kKeyboard = Usage(0x01, 0x06);
constexpr std::uint32_t kMouse = Usage(0x01, 0x02);
constexpr std::uint32_t kJoystick = Usage(0x01, 0x04);
constexpr std::uint32_t kGamepad = Usage(0x01, 0x05);
constexpr std::uint32_t kSystemControl = Usage(0x01, 0x80);
constexpr std::uint32_t kX = Usage(0x01, 0x30);
constexpr std::uint32_t kY = Usage(0x01, 0x31);
constexpr std::uint32_t kZ = Usage(0x01, 0x32);
constexpr std::uint32_t kRx = Usage(0x01, 0x33);
constexpr std::uint32_t kRy = Usage(0x01, 0x34);
constexpr std::uint32_t kRz = Usage(0x01, 0x35);
constexpr std::uint32_t kHatSwitch = Usage(0x01, 0x39);
constexpr std::uint32_t kPen = Usage(0x0D, 0x02);
constexpr std::uint32_t kTouchScreen = Usage(0x0D, 0x04);
constexpr std::uint32_t kTouchPad = Usage(0x0D, 0x05);
constexpr std::uint32_t kDeviceConfiguration = Usage(0x0D, 0x0E);
constexpr std::uint32_t kStylus = Usage(0x0D, 0x20);
constexpr std::uint32_t kFinger = Usage(0x0D, 0x22);
constexpr std::uint32_t kTipPressure = Usage(0x0D, 0x30);
constexpr std::uint32_t kInRange = Usage(0x0D, 0x32);
constexpr std::uint32_t kInvert = Usage(0x0D, 0x3C);
constexpr std::uint32_t kTipSwitch = Usage(0x0D, 0x42);
constexpr std::uint32_t kBarrelSwitch = Usage(0x0D, 0x44);
constexpr std::uint32_t kEraser = Usage(0x0D, 0x45);
constexpr std::uint32_t kConfidence = Usage(0x0D, 0x47);
constexpr std::uint32_t kContactIdentifier = Usage(0x0D, 0x51);
constexpr std::uint32_t kInputMode = Usage(0x0D, 0x52);
constexpr std::uint32_t kContactCount = Usage(0x0D, 0x54);
constexpr std::uint32_t kContactCountMaximum = Usage(0x0D, 0x55);
constexpr std::uint32_t kScanTime = Usage(0x0D, 0x56);
constexpr std::uint32_t kSurfaceSwitch = Usage(0x0D, 0x57);
constexpr std::uint32_t kButtonSwitch = Usage(0x0D, 0x58);
constexpr std::uint32_t kPadType = Usage(0x0D, 0x59);
constexpr std::uint32_t kButton1 = Usage(0x09, 0x01);
constexpr std::uint32_t kCertificationStatus = Usage(0xFF00, 0xC5);

// A usage that a rule asks for, with its name and the bytes that declare it.
struct NeededUsage
{
    std::uint32_t usage;
    std::string_view words; // "Confidence (0D:47)"
};

// One element of a report: where it starts (without the id byte), its size and its usage.
struct ReportElement
{
    std::uint64_t start = 0;
    std::uint32_t size = 0;
    std::uint32_t usage = 0;
    const OutlineField* field = nullptr;
    const ReportField* reportField = nullptr;
};

class HostChecker
{
public:
    HostChecker(std::span<const std::uint8_t> bytes, const DescriptorOutline& outline,
                const HostCheckOptions& options, HostCheckResult& result)
        : m_bytes(bytes), m_outline(outline), m_options(options), m_result(result)
    {}

    void Run();

private:
    // Adds a finding of the rule under the profile; a shared rule is named by the profile's own
    // restatement of it when it has one.
    void Report(HostProfileId profile, std::string_view ruleId, std::size_t offset,
                std::size_t length, const std::string& what, std::string fix);
    void ReportAtStart(HostProfileId profile, std::string_view ruleId, const std::string& what,
                       std::string fix);
    void ReportAtCollection(HostProfileId profile, std::string_view ruleId, std::size_t collection,
                            const std::string& what, std::string fix);
    void ReportAtField(HostProfileId profile, std::string_view ruleId, const OutlineField& field,
                       const std::string& what, std::string fix);
    void NotChecked(std::string_view ruleId);

    // The first top-level collection of that usage, or kNoCollection.
    std::size_t TopLevel(std::uint32_t usage) const;
    std::size_t TopLevelCount() const;
    // Whether the field lies in the collection, directly or a few levels down.
    bool Within(const OutlineField& field, std::size_t collection) const;
    // A data field of the type with the usage within the collection, or nullptr.
    const OutlineField* DataField(std::size_t collection, ReportType type,
                                  std::uint32_t usage) const;
    // "Confidence (0D:47), X (01:30)" of those not found as data of the type in the collection.
    std::string MissingUsages(std::size_t collection, ReportType type,
                              std::span<const NeededUsage> needed) const;
    const OutlineField* FieldAt(std::size_t offset) const;
    // The 1-based number of the top-level collection, as the report model counts them.
    std::uint64_t TopLevelNumber(std::size_t topLevel) const;
    // The report of the type in the top-level collection, or nullptr.
    const quorlix::Report* ReportOf(ReportType type, std::size_t topLevel) const;
    // The elements of a report that start in its first maxBits bits, without the id byte.
    std::vector<ReportElement> Elements(const quorlix::Report& report, std::uint64_t maxBits) const;
    bool AllFieldsNumbered(std::size_t topLevel) const;

    void CheckShared(HostProfileId profile);
    void CheckCollectionBalance(HostProfileId profile);
    void CheckReportIds(HostProfileId profile);
    void CheckSignedLimits(HostProfileId profile);
    void CheckWideFields(HostProfileId profile);
    void CheckWindows();
    void CheckWindowsSystemCollections();
    void CheckLinux();
    void CheckMacos();
    void CheckIos();
    void CheckAndroid();
    void CheckBle();

    void CheckBootKeyboard();
    void CheckBootKeyboardInput(std::size_t keyboard);
    void CheckBootKeyboardOutput(std::size_t keyboard);
    void CheckBootMouse();

    void CheckPrecisionTouchpad();
    void CheckTouchpadConfiguration();
    void CheckFingers(HostProfileId profile, std::string_view ruleId, std::size_t topLevel,
                      std::span<const NeededUsage> needed);
    void CheckPhysicalSize(HostProfileId profile, std::string_view ruleId, std::size_t topLevel,
                           bool exact);
    void CheckTouchscreen();
    void CheckPen();

    void CheckInterface(HostProfileId profile);
    void CheckPacketBudget();

    std::span<const std::uint8_t> m_bytes;
    const DescriptorOutline& m_outline;
    const HostCheckOptions& m_options;
    HostCheckResult& m_result;
};

} // namespace quorlix::hosts
