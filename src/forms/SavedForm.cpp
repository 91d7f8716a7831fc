#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

constexpr std::string_view kTotalSign = "total = ";
constexpr std::string_view kRowSign = "\t\t//";
constexpr std::size_t kHeaderLines = 5;

std::string SavedError(std::uint32_t lineNumber, const std::string& what)
{
    return "saved line " + std::to_string(lineNumber) + ": " + what;
}

// A decimal number that is the whole of text, or nothing.
bool WholeDecimal(std::string_view text, std::size_t& value)
{
    value = 0;
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (const char c : text) {
        if (!IsDecimalDigit(c)) {
            return false;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

bool HexByte(std::string_view text, std::size_t at, std::uint8_t& byte)
{
    if (at + 2 > text.size() || HexValue(text[at]) < 0 || HexValue(text[at + 1]) < 0) {
        return false;
    }
    byte = static_cast<std::uint8_t>(HexValue(text[at]) << 4 | HexValue(text[at + 1]));
    return true;
}

// The dump written beside a browsed file: "total = N", then "0xHH,//i" for every byte.
InputOutcome ReadHexDumpFile(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    LineWalker lines(text);
    std::string_view line;
    lines.Next(line);
    std::size_t total = 0;
    if (!WholeDecimal(line.substr(kTotalSign.size()), total)) {
        return Malformed(SavedError(1, "no byte count after \"total = \""));
    }
    while (lines.Next(line)) {
        if (line.empty() && input.bytes.size() == total) {
            continue;
        }
        std::uint8_t byte = 0;
        std::size_t index = 0;
        if (!StartsWith(line, "0x") || !HexByte(line, 2, byte) || line.substr(4, 3) != ",//" ||
            !WholeDecimal(line.substr(7), index)) {
            return Malformed(
                SavedError(lines.Number(), Quoted(line) + " is not a \"0xHH,//i\" line"));
        }
        if (index != input.bytes.size()) {
            return Malformed(
                SavedError(lines.Number(), "byte " + std::to_string(index) + " comes where byte " +
                                               std::to_string(input.bytes.size()) + " belongs"));
        }
        if (!sink.Add(byte, lines.Number(), 3)) {
            return TooManyBytes();
        }
    }
    if (input.bytes.size() != total) {
        return Malformed(SavedError(1, "total = " + std::to_string(total) + ", the lines hold " +
                                           std::to_string(input.bytes.size()) + " bytes"));
    }
    return {};
}

// One row's bytes as its line shows them: "05 01" in the plain form, "0x05,0x01," in the C form.
InputOutcome ReadRowBytes(std::string_view field, std::uint32_t lineNumber, ByteSink& sink)
{
    const bool cForm = StartsWith(field, "0x");
    const std::size_t step = cForm ? 5 : 3;
    const std::size_t digits = cForm ? 2 : 0;
    for (std::size_t p = 0; p < field.size(); p += step) {
        std::uint8_t byte = 0;
        const bool prefixed = !cForm || StartsWith(field.substr(p), "0x");
        const char after = p + digits + 2 < field.size() ? field[p + digits + 2] : '\0';
        const bool separated = cForm ? after == ',' : (after == ' ' || after == '\0');
        if (!prefixed || !HexByte(field, p + digits, byte) || !separated) {
            return Malformed(
                SavedError(lineNumber, "the item bytes " + Quoted(field) + " are not " +
                                           (cForm ? "\"0xHH,\" constants" : "hex pairs")));
        }
        if (!sink.Add(byte, lineNumber, static_cast<std::uint32_t>(p + digits + 1))) {
            return TooManyBytes();
        }
    }
    return {};
}

// The saved analysis: five header lines, then one line per row of the item list.
InputOutcome ReadAnalysis(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    LineWalker lines(text);
    std::string_view line;
    while (lines.Number() < kHeaderLines && lines.Next(line)) {
    }
    while (lines.Next(line)) {
        const std::size_t sign = line.find(kRowSign);
        if (sign == std::string_view::npos) {
            continue; // the rest of a description that held a line feed
        }
        const std::string_view field = TrimBlanks(line.substr(0, sign));
        std::string_view offsetText = line.substr(sign + kRowSign.size());
        offsetText = TrimBlanks(offsetText.substr(0, offsetText.find('\t')));
        std::size_t offset = 0;
        if (!WholeDecimal(offsetText, offset)) {
            return Malformed(SavedError(lines.Number(), "no offset after \"//\""));
        }
        // A long item's row shows none of its data, so its bytes are not in the file.
        if (offset != input.bytes.size()) {
            return Malformed(
                SavedError(lines.Number(), "the row at offset " + std::to_string(offset) +
                                               " follows " + std::to_string(input.bytes.size()) +
                                               " bytes; the rows do not hold every byte"));
        }
        if (InputOutcome outcome = ReadRowBytes(field, lines.Number(), sink);
            outcome.status != InputStatus::Ok) {
            return outcome;
        }
    }
    return {};
}

} // namespace

InputOutcome ReadSaved(std::string_view text, DescriptorInput& input)
{
    if (StartsWith(text, kTotalSign)) {
        return ReadHexDumpFile(text, input);
    }
    if (!StartsWith(text, "Quorlix\r\n") && !StartsWith(text, "Quorlix\n")) {
        return Malformed("saved line 1: neither a saved analysis nor a \"total = N\" dump");
    }
    return ReadAnalysis(text, input);
}

} // namespace quorlix::forms
