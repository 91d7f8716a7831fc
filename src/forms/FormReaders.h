#pragma once

#include "forms/DescriptorInput.h"
#include "support/Expected.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The readers of the single forms, each over the whole text (or, for binary, the whole content).
// They fill input's bytes, positions, warnings and events, and for a source of several
// descriptors a candidate for each (BeginCandidate), and give Ok or a reason; the entry resets
// input around them and picks the candidate to give.
namespace quorlix::forms {

InputOutcome ReadHexText(std::string_view text, DescriptorInput& input);
InputOutcome ReadCSource(std::string_view text, DescriptorInput& input);
InputOutcome ReadBinary(std::string_view content, DescriptorInput& input);
InputOutcome ReadHidRecorder(std::string_view text, DescriptorInput& input);
InputOutcome ReadUsbhidDump(std::string_view text, DescriptorInput& input);
InputOutcome ReadHexDump(std::string_view text, DescriptorInput& input);
InputOutcome ReadLsusb(std::string_view text, DescriptorInput& input);
InputOutcome ReadSaved(std::string_view text, DescriptorInput& input);

// A listing of items beside their bytes, one item a line ("05 01      Usage Page (1)", as hidtest
// and USB analysers show them): reads the byte column alone, and gives true only when every line
// holds one whole short item so. Leaves input's bytes empty otherwise.
bool ReadItemListing(std::string_view text, DescriptorInput& input);

// Python's byte strings: bytes.fromhex("05 01 ...") or bytearray.fromhex(...), and b"\x05\x01"
// literals, those written one after another making one value. Each value is a candidate, named
// by what it is assigned to. Gives false when the text holds none.
bool ReadPythonByteStrings(std::string_view text, DescriptorInput& input);

// What one pass over a text finds for the signs of the forms: a byte that text never holds (NUL
// or a control character other than tab, line feed, vertical tab, form feed and carriage
// return), and the first '{', '[' and "/*". The pass stops at the first such byte.
struct TextSigns
{
    bool control = false;
    std::size_t brace = std::string_view::npos;
    std::size_t bracket = std::string_view::npos;
    std::size_t blockComment = std::string_view::npos;
};

TextSigns ScanText(std::string_view text);

// Whether content holds a byte that text never does.
bool HasBinarySign(std::string_view content);

// The text form that signs in text point to, or HexText when none does. Looks at the first lines
// and at what ScanText found, so it costs little beside reading the text.
InputForm DetectTextForm(std::string_view text, const TextSigns& signs);

// Turns UTF-16 (with a byte-order mark, or either order by its NUL pattern) into one byte per code
// unit (ASCII as it is, anything else as 0x80) and drops a UTF-8 byte-order mark. Gives nothing
// for other text, which is read as it is, and the reason for UTF-16 of an odd length.
Expected<std::optional<std::string>, std::string> DecodeText(std::string_view content);

} // namespace quorlix::forms
