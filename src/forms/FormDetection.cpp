#include "forms/CSourceForm.h"
#include "forms/FormReaders.h"
#include "forms/FormText.h"
#include "forms/HexDumpForm.h"

namespace quorlix::forms {
namespace {

// The first lines that are not blank, at most count of them, a prompt line before them aside.
std::size_t FirstLines(std::string_view text, std::string_view* lines, std::size_t count)
{
    LineWalker walker(text);
    std::string_view line;
    std::size_t found = 0;
    while (found < count && walker.Next(line)) {
        if (found == 0 && IsPromptLine(line)) {
            continue;
        }
        if (!TrimBlanks(line).empty()) {
            lines[found++] = line;
        }
    }
    return found;
}

bool AllZeros(std::string_view digits)
{
    return !digits.empty() && digits.find_first_not_of('0') == std::string_view::npos;
}

std::size_t LeadingDigits(std::string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && HexValue(line[n]) >= 0) {
        ++n;
    }
    return n;
}

// A dump starts at offset zero, written the way only its tool writes it.
bool HasDumpSign(std::string_view first, std::string_view second)
{
    const std::size_t digits = LeadingDigits(first);
    if (!AllZeros(first.substr(0, digits))) {
        return false;
    }
    switch (DumpLayoutOf(first)) {
    case DumpLayout::Xxd:
        return StartsWith(first.substr(digits), ": ");
    case DumpLayout::HexdumpC:
        return digits == 8;
    case DumpLayout::Wireshark:
        return digits == 4;
    case DumpLayout::Od:
        // od's offsets are seven octal digits on every line, the last one alone; a "*" line
        // stands for repeated lines.
        return digits == 7 &&
               (TrimBlanks(second) == "*" ||
                (LeadingDigits(second) == 7 && (second.size() == 7 || second[7] == ' ')));
    case DumpLayout::OdNoOffset:
    case DumpLayout::Unknown:
        return false;
    }
    return false;
}

bool IsRecorderHeaderLine(std::string_view line)
{
    return line.empty() || line[0] == '#' || StartsWith(line, "N:") || StartsWith(line, "P:") ||
           StartsWith(line, "I:") || StartsWith(line, "D:");
}

// hid-recorder: comment and header lines, then "R: 50 05 01 ...".
bool HasRecorderSign(std::string_view text)
{
    LineWalker walker(text);
    std::string_view line;
    while (walker.Next(line)) {
        if (StartsWith(line, "R:")) {
            const std::string_view rest = TrimBlanks(line.substr(2));
            return line.size() > 2 && IsBlank(line[2]) && !rest.empty() && IsDecimalDigit(rest[0]);
        }
        if (!IsRecorderHeaderLine(TrimBlanks(line))) {
            return false;
        }
    }
    return false;
}

bool IsUsbhidDumpHeaderLine(std::string_view line)
{
    constexpr std::size_t kNumbers = 12;
    if (line.size() < kNumbers) {
        return false;
    }
    for (std::size_t i = 0; i < kNumbers; ++i) {
        if ((i % 4 == 3) != (line[i] == ':') || (i % 4 != 3 && !IsDecimalDigit(line[i]))) {
            return false;
        }
    }
    return StartsWith(line.substr(kNumbers), "DESCRIPTOR");
}

// lsusb -v output starts with its device line or a descriptor heading; an excerpt with the
// report descriptor's heading or its first item.
bool IsLsusbStart(std::string_view line)
{
    if (StartsWith(line, "Bus ") && line.find(" Device ") != std::string_view::npos &&
        line.find(": ID ") != std::string_view::npos) {
        return true;
    }
    return StartsWith(line, "Device Descriptor:") || StartsWith(line, "HID Device Descriptor:") ||
           StartsWith(line, "Report Descriptor: (length is ") || StartsWith(line, "Item(");
}

} // namespace

InputForm DetectTextForm(std::string_view text, const TextSigns& signs)
{
    std::string_view lines[4];
    const std::size_t count = FirstLines(text, lines, 4);
    if (count == 0) {
        return InputForm::HexText;
    }
    const std::string_view first = lines[0];
    const std::string_view second = count > 1 ? lines[1] : std::string_view{};
    if (StartsWith(text, "total = ") && StartsWith(second, "0x") &&
        second.find(",//0") != std::string_view::npos) {
        return InputForm::Saved;
    }
    if (first == "Quorlix" && count > 2 && StartsWith(lines[2], "-----")) {
        return InputForm::Saved;
    }
    if (IsUsbhidDumpHeaderLine(first)) {
        return InputForm::UsbhidDump;
    }
    if (HasRecorderSign(text)) {
        return InputForm::HidRecorder;
    }
    if (IsLsusbStart(TrimBlanks(first))) {
        return InputForm::Lsusb;
    }
    if (HasDumpSign(first, second)) {
        return InputForm::HexDump;
    }
    // An indented dump, as documentation shows it in a literal block. od's own lines start
    // with a blank, so only the layouts with offsets count here.
    if (IsBlank(first[0])) {
        const std::string_view trimmed = TrimBlanks(first);
        const DumpLayout layout = DumpLayoutOf(trimmed);
        if (layout != DumpLayout::Od && layout != DumpLayout::OdNoOffset &&
            HasDumpSign(trimmed, TrimBlanks(second))) {
            return InputForm::HexDump;
        }
    }
    // od -An -x and its kin: no offsets, words of four or eight digits. Read as plain hex text
    // their bytes would come out swapped, so the dump reader sees them and refuses.
    if (DumpLayoutOf(first) == DumpLayout::OdNoOffset) {
        const std::string_view trimmed = TrimBlanks(first);
        const std::size_t digits = LeadingDigits(trimmed);
        if ((digits == 4 || digits == 8) &&
            (digits == trimmed.size() || IsBlank(trimmed[digits]))) {
            return InputForm::HexDump;
        }
    }
    if (HasCSourceSign(text, signs)) {
        return InputForm::CSource;
    }
    return InputForm::HexText;
}

} // namespace quorlix::forms
