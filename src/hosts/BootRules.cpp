// The boot keyboard and boot mouse: the layouts a BIOS reads without reading the descriptor.

#include "hosts/HostChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>

namespace quorlix::hosts {
namespace {

constexpr std::uint32_t kFirstModifier = Usage(0x07, 0xE0);
constexpr std::uint32_t kNoEvent = Usage(0x07, 0x00);
constexpr std::uint32_t kFirstLed = Usage(0x08, 0x01);

const ReportElement* ElementAt(const std::vector<ReportElement>& elements, std::uint64_t start)
{
    for (const ReportElement& element : elements) {
        if (element.start == start) {
            return &element;
        }
    }
    return nullptr;
}

bool IsData(const ReportElement* element)
{
    return element != nullptr && element->field != nullptr && !element->field->IsConstant();
}

// Why the first 8 bytes of a keyboard's Input report are not the boot layout, or "".
std::string BootKeyboardMismatch(const std::vector<ReportElement>& elements)
{
    for (std::uint32_t bit = 0; bit < 8; ++bit) {
        const ReportElement* element = ElementAt(elements, bit);
        if (!IsData(element) || element->size != 1 || !element->field->IsVariable() ||
            element->usage != kFirstModifier + bit) {
            return "bit " + std::to_string(bit) + " of the Input report is not the modifier " +
                   "07:" + HexText(0xE0 + bit).substr(2) + " as a 1-bit data variable";
        }
    }
    bool reserved = false;
    for (const ReportElement& element : elements) {
        if (element.start >= 8 && element.start < 16) {
            if (IsData(&element)) {
                return "byte 1 of the Input report holds data where the boot layout has a "
                       "constant byte";
            }
            reserved = true;
        }
    }
    if (!reserved) {
        return "byte 1 of the Input report is missing: the boot layout has a constant byte there";
    }
    for (std::uint32_t key = 0; key < 6; ++key) {
        const ReportElement* element = ElementAt(elements, 16 + 8 * key);
        if (!IsData(element) || element->size != 8 || element->field->IsVariable() ||
            element->field->usages.empty() || element->field->usages.front().first != kNoEvent) {
            return "byte " + std::to_string(2 + key) +
                   " of the Input report is not a 1-byte key array entry on page 07 starting "
                   "at usage 0";
        }
    }
    return {};
}

} // namespace

void HostChecker::CheckBootKeyboard()
{
    constexpr HostProfileId kProfile = HostProfileId::UsbBootKeyboard;
    if (!m_outline.reportIdItems.empty()) {
        const ItemPlace& id = m_outline.reportIdItems.front();
        Report(kProfile, "BK-02", id.offset, id.length,
               "the descriptor uses Report IDs, so every report starts with an id byte",
               "remove the Report ID items from the boot interface; put other reports on an "
               "interface of their own");
    }
    const std::size_t keyboard = TopLevel(kKeyboard);
    if (keyboard == kNoCollection) {
        ReportAtStart(kProfile, "BK-03", "no Keyboard (01:06) top-level collection",
                      "declare the keyboard as 05 01 09 06 A1 01 ... C0 with the boot layout");
        return;
    }
    CheckBootKeyboardInput(keyboard);
    CheckBootKeyboardOutput(keyboard);
}

void HostChecker::CheckBootKeyboardInput(std::size_t keyboard)
{
    constexpr HostProfileId kProfile = HostProfileId::UsbBootKeyboard;
    const quorlix::Report* input = ReportOf(ReportType::Input, keyboard);
    if (input == nullptr) {
        ReportAtCollection(kProfile, "BK-03", keyboard, "the keyboard has no Input report",
                           "add the boot layout's Input items: modifiers, a reserved byte and six "
                           "key array bytes");
        return;
    }
    const std::vector<ReportElement> elements = Elements(*input, 64);
    const std::string mismatch = BootKeyboardMismatch(elements);
    if (!mismatch.empty()) {
        ReportAtCollection(kProfile, "BK-03", keyboard, mismatch,
                           "begin the Input report with 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 "
                           "81 02 95 01 75 08 81 01, then 95 06 75 08 15 00 26 FF 00 05 07 19 00 "
                           "2A FF 00 81 00");
        return;
    }
    const std::uint64_t length = input->byteLength - (input->reportId != 0 ? 1 : 0);
    if (length != 8) {
        ReportAtCollection(kProfile, "BK-04", keyboard,
                           "the keyboard's Input report is " + std::to_string(length) +
                               " bytes long, not 8",
                           "keep the boot report to 8 bytes; send extra keys in a report of "
                           "another interface");
    }
    const ReportElement* keys = ElementAt(elements, 16);
    if (keys != nullptr && keys->field != nullptr && keys->field->logicalMaximum.set &&
        keys->field->logicalMaximum.Signed() < 0) {
        const OutlineValue& maximum = keys->field->logicalMaximum;
        Report(kProfile, "BK-06", maximum.offset, maximum.length,
               "the key array's Logical Maximum " + HexText(maximum.value) + " reads as " +
                   std::to_string(maximum.Signed()),
               "write 25 65 for the keys 0 to 101, or 26 FF 00 for 255");
    }
}

void HostChecker::CheckBootKeyboardOutput(std::size_t keyboard)
{
    constexpr HostProfileId kProfile = HostProfileId::UsbBootKeyboard;
    constexpr const char* kLedFix = "write the LEDs as 05 08 19 01 29 05 15 00 25 01 75 01 95 05 "
                                    "91 02 and pad them with 75 03 95 01 91 03";
    const quorlix::Report* output = ReportOf(ReportType::Output, keyboard);
    if (output == nullptr) {
        ReportAtCollection(kProfile, "BK-05", keyboard, "the keyboard has no LED Output report",
                           kLedFix);
        return;
    }
    const std::vector<ReportElement> elements = Elements(*output, 8);
    std::string mismatch;
    for (std::uint32_t bit = 0; bit < 5 && mismatch.empty(); ++bit) {
        const ReportElement* element = ElementAt(elements, bit);
        if (!IsData(element) || element->size != 1 || element->usage != kFirstLed + bit) {
            mismatch = "bit " + std::to_string(bit) + " of the Output report is not the LED 08:0" +
                       std::to_string(bit + 1);
        }
    }
    const std::uint64_t length = output->byteLength - (output->reportId != 0 ? 1 : 0);
    if (mismatch.empty() && length != 1) {
        mismatch = "the Output report is " + std::to_string(output->bitLength) +
                   " bits long, not the boot layout's one byte";
    }
    for (const ReportElement& element : elements) {
        if (mismatch.empty() && element.start >= 5 && IsData(&element)) {
            mismatch = "bits 5 to 7 of the Output report hold data where the boot layout pads";
        }
    }
    if (!mismatch.empty()) {
        ReportAtCollection(kProfile, "BK-05", keyboard, mismatch, kLedFix);
    }
}

void HostChecker::CheckBootMouse()
{
    constexpr HostProfileId kProfile = HostProfileId::UsbBootMouse;
    if (!m_outline.reportIdItems.empty()) {
        const ItemPlace& id = m_outline.reportIdItems.front();
        Report(kProfile, "BM-03", id.offset, id.length,
               "the descriptor uses Report IDs, so every report starts with an id byte",
               "remove the Report ID items from the boot interface");
    }
    const std::size_t mouse = TopLevel(kMouse);
    if (mouse == kNoCollection) {
        ReportAtStart(kProfile, "BM-02", "no Mouse (01:02) top-level collection",
                      "declare the mouse as 05 01 09 02 A1 01 ... C0 with the boot layout");
        return;
    }
    const quorlix::Report* input = ReportOf(ReportType::Input, mouse);
    const std::vector<ReportElement> elements =
        input != nullptr ? Elements(*input, 24) : std::vector<ReportElement>{};
    std::string mismatch = input == nullptr ? "the mouse has no Input report" : "";
    for (std::uint32_t bit = 0; bit < 3 && mismatch.empty(); ++bit) {
        const ReportElement* element = ElementAt(elements, bit);
        if (!IsData(element) || element->size != 1 || !element->field->IsVariable() ||
            element->usage != kButton1 + bit) {
            mismatch = "bit " + std::to_string(bit) + " of the Input report is not button " +
                       std::to_string(bit + 1) + " as a 1-bit data variable";
        }
    }
    const std::uint32_t axes[] = { kX, kY };
    for (std::uint32_t i = 0; i < 2 && mismatch.empty(); ++i) {
        const ReportElement* element = ElementAt(elements, 8 + 8 * i);
        if (!IsData(element) || element->size != 8 || element->usage != axes[i] ||
            element->field->logicalMinimum.Signed() >= 0) {
            mismatch = "byte " + std::to_string(1 + i) + " of the Input report is not " +
                       (i == 0 ? "X" : "Y") + " as an 8-bit signed value";
        }
    }
    if (!mismatch.empty()) {
        ReportAtCollection(kProfile, "BM-02", mouse, mismatch,
                           "begin the Input report with 05 09 19 01 29 03 15 00 25 01 95 03 75 "
                           "01 81 02 95 01 75 05 81 01, then 05 01 09 30 09 31 15 81 25 7F 75 08 "
                           "95 02 81 06");
        return;
    }
    const ReportElement* x = ElementAt(elements, 8);
    if (x != nullptr && x->field != nullptr && !x->field->IsRelative()) {
        ReportAtField(kProfile, "BM-04", *x->field, "X and Y are absolute",
                      "make X and Y relative (81 06) for the boot interface, and give an "
                      "absolute pointer an interface of its own");
    }
}

} // namespace quorlix::hosts
