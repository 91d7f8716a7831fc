// Form detection and every form reader on arbitrary content: what each reader gives must hold
// together, and the hex-text reader must give what a plain reading of the hex text rule gives.

#include "forms/InputBounds.h"
#include "forms/DescriptorInput.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("forms fuzzer", condition, what);
}

int Digit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The hex text rule written out plainly: each line (up to its first NUL) on its own; "//" ends
// it when a character follows; "0x", or any character before an 'X', is skipped when a
// character follows; two characters from a digit make a byte, a non-digit second counting 0;
// a digit that ends the line makes none.
std::string PlainHexText(std::string_view text)
{
    std::string bytes;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(start, end - start);
        line = line.substr(0, line.find('\0'));
        start = end;
        std::size_t p = 0;
        while (p < line.size()) {
            const bool threeLeft = line.size() - p >= 3;
            if (threeLeft && line[p] == '/' && line[p + 1] == '/') {
                break;
            }
            if (threeLeft && ((line[p] == '0' && line[p + 1] == 'x') || line[p + 1] == 'X')) {
                p += 2;
            }
            if (Digit(line[p]) < 0) {
                p += 1;
                continue;
            }
            if (p + 1 == line.size()) {
                break;
            }
            const int low = Digit(line[p + 1]);
            bytes.push_back(static_cast<char>(Digit(line[p]) * 16 + (low < 0 ? 0 : low)));
            p += 2;
        }
    }
    return bytes;
}

// Whether content is UTF-16 without a byte-order mark in the order given: the first unit and at
// least 15 of every 16 an ASCII character of text with a NUL high byte, and no other unit a NUL
// or control character.
bool IsUtf16Text(std::string_view content, bool bigEndian)
{
    if (content.size() < 4 || content.size() % 2 != 0 || content[bigEndian ? 0 : 1] != '\0') {
        return false;
    }
    std::size_t ascii = 0;
    for (std::size_t i = 0; i < content.size(); i += 2) {
        const auto low = static_cast<unsigned char>(content[bigEndian ? i + 1 : i]);
        const auto high = static_cast<unsigned char>(content[bigEndian ? i : i + 1]);
        if (high != 0) {
            continue;
        }
        if (!((low >= 0x20 && low < 0x7F) || (low >= 0x09 && low <= 0x0D))) {
            if (low < 0x80) {
                return false;
            }
            continue;
        }
        ++ascii;
    }
    return ascii * 16 >= content.size() / 2 * 15;
}

// Whether the content is decoded before any text form reads it: byte-order marks, and UTF-16
// without one by its NUL pattern.
bool IsDecodedFirst(std::string_view content)
{
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF") ||
        content.starts_with("\xEF\xBB\xBF")) {
        return true;
    }
    return IsUtf16Text(content, false) || IsUtf16Text(content, true);
}

// Reads content as form with the index given and checks what any read must hold together. Gives
// the outcome and leaves what was read in input.
InputOutcome CheckRead(std::string_view content, InputForm form, std::size_t index,
                       DescriptorInput& input)
{
    const InputOutcome outcome = ReadDescriptorContent(content, {}, { form, index }, input);
    Require(input.form != InputForm::Auto, "the input names no form");
    if (outcome.status != InputStatus::Ok) {
        Require(input.bytes.empty() && input.positions.empty() && input.events.empty(),
                "a failed read left bytes behind");
        Require(!DescribeInputOutcome(outcome).empty(), "a failure without a reason");
        return outcome;
    }
    Require(form == InputForm::Auto || input.form == form, "an asked form was not the one read");
    Require(!input.bytes.empty(), "a read gave Ok without bytes");
    Require(input.bytes.size() <= kMaxDescriptorBytes, "more bytes than the bound");
    Require(input.index == index && index < input.descriptors, "the index is not one of them");
    if (input.form == InputForm::Binary) {
        Require(input.positions.empty(), "binary input with places");
        Require(input.bytes == content, "binary input differs from the content");
        return outcome;
    }
    Require(input.positions.size() == input.bytes.size(), "not one place per byte");
    for (const SourcePosition& position : input.positions) {
        Require(position.line >= 1 && position.column >= 1, "a place outside the text");
    }
    for (const InputWarning& warning : input.warnings) {
        Require(warning.line >= 1 && !warning.message.empty(), "a warning without a place");
    }
    return outcome;
}

// Without an index the entry picks among the candidates: the list is in order, the bytes are the
// chosen one's, and a choice among several is the only one that parses.
void CheckChoice(std::string_view content, InputForm form)
{
    DescriptorInput input;
    const InputOutcome outcome = ReadDescriptorContent(content, {}, InputRequest{ form }, input);
    Require(input.descriptors == input.candidates.size(), "the count is not the candidates'");
    for (std::size_t i = 0; i < input.candidates.size(); ++i) {
        Require(input.candidates[i].index == i, "the candidates are out of order");
    }
    if (outcome.status == InputStatus::Ambiguous) {
        Require(input.candidates.size() > 1 && input.bytes.empty(), "a refused choice with bytes");
        return;
    }
    if (outcome.status != InputStatus::Ok) {
        return;
    }
    Require(input.index < input.candidates.size(), "the chosen one is not listed");
    const DescriptorCandidate& chosen = input.candidates[input.index];
    Require(chosen.error.empty() && chosen.length == input.bytes.size(),
            "the bytes are not the chosen candidate's");
    Require(chosen.reportDescriptor == ParsesAsReportDescriptor(input.bytes),
            "the candidate's parse flag is wrong");
    Require(input.candidates.size() == 1 || chosen.reportDescriptor,
            "auto chose among several one that does not parse");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    DescriptorInput input;
    for (const InputForm form :
         { InputForm::Auto, InputForm::CSource, InputForm::Binary, InputForm::HidRecorder,
           InputForm::UsbhidDump, InputForm::HexDump, InputForm::Lsusb, InputForm::Saved }) {
        input = {};
        CheckRead(content, form, 0, input);
    }
    input = {};
    CheckRead(content, InputForm::Auto, 1, input);
    CheckChoice(content, InputForm::Auto);
    CheckChoice(content, InputForm::CSource);

    // Hex text is read once, for both its checks: every read's, and the plain rule's bytes.
    input = {};
    const InputOutcome outcome = CheckRead(content, InputForm::HexText, 0, input);
    if (!IsDecodedFirst(content)) {
        const std::string expected = PlainHexText(content);
        if (expected.size() > kMaxDescriptorBytes) {
            Require(outcome.status == InputStatus::TooManyBytes, "the byte bound was not kept");
        } else {
            Require(input.bytes == expected, "hex-text differs from the plain hex text rule");
            Require(outcome.status == (expected.empty() ? InputStatus::NoBytes : InputStatus::Ok),
                    "hex-text's status does not match what it read");
        }
    }
    return 0;
}
