// The lenient hex text reader the program runs for --input hex-text, on arbitrary text: the
// whole text against the same text read a line at a time (each line is tokenised on its own;
// UTF-16 is first turned into one byte a character, so only text that needs no decoding is cut
// into lines here), every byte's place in the text, and the program's hex dump of what came out
// read back as the same bytes.

#include "files/HexDumpWriter.h"
#include "forms/DescriptorInput.h"
#include "forms/FormReaders.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("hex text fuzzer", condition, what);
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The bytes of the text read a line at a time: each line ends after its line feed, however
// long, and is read on its own. Nothing when a line alone would be taken for UTF-16 by its NULs,
// which it is not as part of the whole text, or refused for what it holds (USB descriptors
// without their report descriptor).
std::optional<std::string> BytesByLines(std::string_view text)
{
    std::string bytes;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view chunk = text.substr(start, end - start);
        const auto decoding = forms::DecodeText(chunk);
        if (!decoding || decoding->has_value()) {
            return std::nullopt;
        }
        DescriptorInput line;
        const InputOutcome outcome = ReadDescriptorContent(chunk, "", { InputForm::HexText }, line);
        if (outcome.status != InputStatus::Ok && outcome.status != InputStatus::NoBytes) {
            return std::nullopt; // a line alone may hold what the whole text does not
        }
        bytes += line.bytes;
        start = end;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto decoding = forms::DecodeText(text);
    const bool decodes = decoding.HasValue();
    const bool wasDecoded = decodes && decoding->has_value();
    const std::string_view plain = wasDecoded ? std::string_view(**decoding) : text;

    DescriptorInput whole;
    const InputOutcome outcome = ReadDescriptorContent(text, "", { InputForm::HexText }, whole);
    if (!decodes) {
        Require(outcome.status == InputStatus::Malformed && whole.bytes.empty(),
                "UTF-16 of an odd length was read");
        return 0;
    }
    // Refused only with its reason: USB descriptors whose HID descriptor points at no report
    // descriptor the text holds.
    Require(outcome.status == InputStatus::Ok || outcome.status == InputStatus::NoBytes ||
                outcome.status == InputStatus::Refused || outcome.status == InputStatus::Malformed,
            "hex-text gave an outcome a text within the bounds cannot have");
    if (outcome.status == InputStatus::Refused || outcome.status == InputStatus::Malformed) {
        Require(whole.bytes.empty(), "a refused text gave bytes");
        return 0;
    }
    Require(whole.form == InputForm::HexText || outcome.status != InputStatus::Ok,
            "hex-text read the text as another form");
    Require((outcome.status == InputStatus::Ok) == !whole.bytes.empty(),
            "the status does not match what was read");
    Require(whole.bytes.size() <= plain.size() / 2, "more bytes than half the characters");
    if (!wasDecoded) {
        const std::optional<std::string> byLines = BytesByLines(text);
        Require(!byLines || whole.bytes == *byLines, "the whole text differs from line by line");
    }

    // Every byte knows the line and column of its first digit, in text order.
    Require(whole.positions.size() == whole.bytes.size(), "a byte without its place");
    std::size_t lineStart = 0;
    std::uint32_t line = 1;
    std::uint64_t previous = 0;
    for (const SourcePosition& position : whole.positions) {
        while (line < position.line) {
            const std::size_t end = plain.find('\n', lineStart);
            Require(end != std::string_view::npos, "a byte placed past the last line");
            lineStart = end + 1;
            ++line;
        }
        Require(position.line == line && position.column >= 1, "a byte placed out of order");
        const std::size_t at = lineStart + position.column - 1;
        Require(at < plain.size() && IsHexDigit(plain[at]), "a byte placed where no digit is");
        const std::uint64_t order = (std::uint64_t{ position.line } << 32) | position.column;
        Require(order > previous, "two bytes placed at one digit or out of order");
        previous = order;
    }

    // The program's hex dump of the bytes reads back as them, whatever form auto takes it for.
    if (!whole.bytes.empty()) {
        std::ostringstream dump;
        WriteHexDump(dump, whole.bytes);
        Require(dump.good(), "the hex dump failed on a stream that cannot fail");
        DescriptorInput again;
        Require(ReadDescriptorContent(dump.str(), "", { InputForm::Auto }, again).status ==
                    InputStatus::Ok,
                "the hex dump was not read back");
        Require(again.bytes == whole.bytes, "the hex dump read back as other bytes");
    }
    return 0;
}
