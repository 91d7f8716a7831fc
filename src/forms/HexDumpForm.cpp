#include "forms/HexDumpForm.h"

#include <algorithm>

#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

constexpr std::size_t kLongestOffset = 16;

std::size_t CountWhile(std::string_view line, std::size_t p, bool (*test)(char))
{
    std::size_t end = p;
    while (end < line.size() && test(line[end])) {
        ++end;
    }
    return end - p;
}

bool IsHexDigit(char c)
{
    return HexValue(c) >= 0;
}

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

bool IsBlankCharacter(char c)
{
    return IsBlank(c);
}

std::string DumpError(std::uint32_t lineNumber, const std::string& what)
{
    return "hexdump line " + std::to_string(lineNumber) + ": " + what;
}

struct DumpReader
{
    DumpLayout layout;
    DescriptorInput& input;
    std::string lastLine; // the bytes of the last line, for a "*" that repeats it
    bool repeatPending = false;
    std::uint32_t repeatLine = 0;
    bool ended = false;     // a line with only an offset closes the dump
    std::size_t indent = 0; // the blanks before every line of an indented dump

    // Repeats the last line's bytes up to offset, for the lines a "*" stands for.
    InputOutcome FillRepeats(std::size_t offset)
    {
        if (offset > kMaxDescriptorBytes) {
            return TooManyBytes();
        }
        if (lastLine.empty() || offset < input.bytes.size() ||
            (offset - input.bytes.size()) % lastLine.size() != 0) {
            return Malformed(DumpError(repeatLine, "\"*\" does not repeat whole lines up to the "
                                                   "next offset"));
        }
        while (input.bytes.size() < offset) {
            for (const char byte : lastLine) {
                input.bytes.push_back(byte);
                input.positions.push_back({ repeatLine, 1 });
            }
        }
        repeatPending = false;
        return {};
    }

    InputOutcome CheckOffset(std::string_view digits, std::uint32_t lineNumber)
    {
        const unsigned radix = layout == DumpLayout::Od ? 8 : 16;
        std::size_t offset = 0;
        for (const char c : digits) {
            offset = offset * radix + static_cast<std::size_t>(HexValue(c));
        }
        if (repeatPending) {
            return FillRepeats(offset);
        }
        if (offset != input.bytes.size()) {
            return Malformed(DumpError(
                lineNumber, "the offset " + std::string(digits) + " does not follow the " +
                                std::to_string(input.bytes.size()) + " bytes before it"));
        }
        return {};
    }

    // od and hexdump write a group of more than two digits as a word in the machine's byte
    // order, and xxd -e writes its groups of four bytes so; their bytes read left to right are
    // swapped. Which order the machine had is not in the text, so such a dump is refused and
    // the option that writes bytes in order named. xxd's own groups of two bytes are in order.
    InputOutcome CheckByteOrder(std::size_t digits, std::uint32_t lineNumber) const
    {
        const bool od = layout == DumpLayout::Od || layout == DumpLayout::OdNoOffset;
        if (od && digits > 2) {
            return Malformed(DumpError(
                lineNumber, "groups of " + std::to_string(digits) +
                                " digits are words in the byte order of the machine that "
                                "wrote them (od -x, hexdump without -C); make the dump with "
                                "od -An -tx1, hexdump -C or xxd"));
        }
        if (layout == DumpLayout::Xxd && digits > 4) {
            return Malformed(DumpError(
                lineNumber, "groups of " + std::to_string(digits) +
                                " digits may be words in the machine's byte order (xxd -e); "
                                "make the dump with xxd or xxd -g1"));
        }
        return {};
    }

    // The digit groups from p on, up to the ASCII column or the line's end.
    InputOutcome ReadGroups(std::string_view line, std::size_t p, std::uint32_t lineNumber)
    {
        ByteSink sink(input);
        lastLine.clear();
        bool first = true;
        while (p < line.size()) {
            const std::size_t blanks = CountWhile(line, p, IsBlankCharacter);
            p += blanks;
            if (p == line.size()) {
                break;
            }
            if (layout == DumpLayout::HexdumpC && line[p] == '|') {
                break;
            }
            const bool asciiFollows = layout == DumpLayout::Xxd || layout == DumpLayout::Wireshark;
            if (asciiFollows && !first && blanks >= 2) {
                break;
            }
            const std::size_t digits = CountWhile(line, p, IsHexDigit);
            const std::size_t end = p + digits;
            if (digits == 0 || digits % 2 != 0 || (end < line.size() && !IsBlank(line[end]))) {
                const std::size_t tokenEnd =
                    p + CountWhile(line, p, [](char c) { return !IsBlank(c); });
                return Malformed(DumpError(lineNumber, Quoted(line.substr(p, tokenEnd - p)) +
                                                           " at " + Place(lineNumber, p + 1) +
                                                           " is not a group of hex bytes"));
            }
            if (InputOutcome outcome = CheckByteOrder(digits, lineNumber);
                outcome.status != InputStatus::Ok) {
                return outcome;
            }
            for (std::size_t d = p; d < end; d += 2) {
                const auto byte =
                    static_cast<std::uint8_t>(HexValue(line[d]) << 4 | HexValue(line[d + 1]));
                if (!sink.Add(byte, lineNumber, static_cast<std::uint32_t>(indent + d + 1))) {
                    return TooManyBytes();
                }
                lastLine.push_back(static_cast<char>(byte));
            }
            p = end;
            first = false;
        }
        return {};
    }

    InputOutcome ReadLine(std::string_view line, std::uint32_t lineNumber)
    {
        if (TrimBlanks(line).empty()) {
            return {};
        }
        if (TrimBlanks(line) == "*") {
            repeatPending = true;
            repeatLine = lineNumber;
            return {};
        }
        if (ended) {
            return Malformed(DumpError(lineNumber, "text after the dump's closing offset"));
        }
        if (layout == DumpLayout::OdNoOffset) {
            return ReadGroups(line, 0, lineNumber);
        }
        const std::size_t digits =
            CountWhile(line, 0, layout == DumpLayout::Od ? IsOctalDigit : IsHexDigit);
        if (digits == 0 || digits > kLongestOffset) {
            return Malformed(DumpError(lineNumber, "no offset at the start of the line"));
        }
        if (InputOutcome outcome = CheckOffset(line.substr(0, digits), lineNumber);
            outcome.status != InputStatus::Ok) {
            return outcome;
        }
        std::size_t p = digits;
        if (layout == DumpLayout::Xxd) {
            if (p == line.size() || line[p] != ':') {
                return Malformed(DumpError(lineNumber, "no ':' after the offset"));
            }
            ++p;
        }
        if (TrimBlanks(line.substr(p)).empty()) {
            ended = true; // hexdump -C and od close with the length as a last offset
            return {};
        }
        if (p < line.size() && !IsBlank(line[p])) {
            return Malformed(DumpError(lineNumber, "no blank after the offset"));
        }
        return ReadGroups(line, p, lineNumber);
    }
};

} // namespace

DumpLayout DumpLayoutOf(std::string_view line)
{
    if (!line.empty() && IsBlank(line[0])) {
        return DumpLayout::OdNoOffset;
    }
    const std::size_t digits = CountWhile(line, 0, IsHexDigit);
    if (digits == 0 || digits == line.size()) {
        return DumpLayout::Unknown;
    }
    if (line[digits] == ':') {
        return DumpLayout::Xxd;
    }
    const std::size_t blanks = CountWhile(line, digits, IsBlankCharacter);
    if (blanks == 2 && line.find('|') != std::string_view::npos) {
        return DumpLayout::HexdumpC;
    }
    if (blanks == 3) {
        return DumpLayout::Wireshark;
    }
    if (blanks == 1 && CountWhile(line, 0, IsOctalDigit) == digits) {
        return DumpLayout::Od;
    }
    return DumpLayout::Unknown;
}

InputOutcome ReadHexDump(std::string_view text, DescriptorInput& input)
{
    LineWalker lines(text);
    std::string_view line;
    DumpReader reader{ DumpLayout::Unknown, input, {}, false, 0, false, 0 };
    while (lines.Next(line)) {
        if (reader.layout == DumpLayout::Unknown) {
            if (TrimBlanks(line).empty() || IsPromptLine(line)) {
                continue;
            }
            // A dump indented as a whole (a literal block of documentation) reads as the dump
            // without its indentation; od's lines of bytes alone start with a blank anyway.
            const std::size_t blanks = line.find_first_not_of(" \t");
            const DumpLayout indented = DumpLayoutOf(line.substr(blanks));
            if (blanks > 0 && indented != DumpLayout::Od && indented != DumpLayout::OdNoOffset &&
                indented != DumpLayout::Unknown) {
                reader.indent = blanks;
            }
        }
        if (reader.indent > 0) {
            if (line.find_first_not_of(" \t") < reader.indent && !TrimBlanks(line).empty()) {
                return Malformed(DumpError(lines.Number(), "the line is indented less than the "
                                                           "dump's first"));
            }
            line.remove_prefix(std::min(reader.indent, line.size()));
        }
        if (reader.layout == DumpLayout::Unknown) {
            if (TrimBlanks(line).empty()) {
                continue;
            }
            reader.layout = DumpLayoutOf(line);
            if (reader.layout == DumpLayout::Unknown) {
                return Malformed(
                    DumpError(lines.Number(), "not a dump of xxd, hexdump -C, od or Wireshark"));
            }
        }
        if (InputOutcome outcome = reader.ReadLine(line, lines.Number());
            outcome.status != InputStatus::Ok) {
            return outcome;
        }
    }
    if (reader.repeatPending) {
        return Malformed(DumpError(reader.repeatLine, "\"*\" without an offset after it"));
    }
    return {};
}

} // namespace quorlix::forms
