#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

// Whether content looks like UTF-16 text without a byte-order mark, of the order given: nearly
// every code unit an ASCII character of text, the few others (an accented letter, a quotation
// mark) anything but NUL. A binary descriptor never keeps that up for long.
bool HasUtf16Pattern(std::string_view content, bool bigEndian)
{
    constexpr std::size_t kShortest = 4;
    // The first unit ASCII, so ordinary text and short binaries are told apart at once.
    if (content.size() < kShortest || content.size() % 2 != 0 ||
        content[bigEndian ? 0 : 1] != '\0') {
        return false;
    }
    const std::size_t units = content.size() / 2;
    const std::size_t mostOthers = units / 16;
    std::size_t others = 0;
    std::size_t ascii = 0;
    for (std::size_t i = 0; i < content.size(); i += 2) {
        const auto low = static_cast<unsigned char>(content[bigEndian ? i + 1 : i]);
        const auto high = static_cast<unsigned char>(content[bigEndian ? i : i + 1]);
        const bool text = (low >= 0x20 && low < 0x7F) || (low >= 0x09 && low <= 0x0D);
        if (high == 0 && text) {
            ++ascii;
        } else if (high == 0 && low < 0x80) {
            return false; // a control character or NUL
        } else if (++others > mostOthers) {
            return false;
        }
    }
    // At most one unit in 16 outside ASCII.
    return ascii * 16 >= units * 15;
}

// One byte per code unit: ASCII as it is, everything else as 0x80, which no reader takes for a
// digit or a sign, so columns still count characters.
void DecodeUtf16(std::string_view units, bool bigEndian, std::string& decoded)
{
    decoded.resize(units.size() / 2);
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const auto first = static_cast<unsigned char>(units[i]);
        const auto second = static_cast<unsigned char>(units[i + 1]);
        const unsigned unit = bigEndian ? (first << 8) | second : (second << 8) | first;
        decoded[i / 2] = unit < 0x80 ? static_cast<char>(unit) : '\x80';
    }
}

} // namespace

Expected<std::optional<std::string>, std::string> DecodeText(std::string_view content)
{
    const bool littleBom = StartsWith(content, "\xFF\xFE");
    const bool bigBom = StartsWith(content, "\xFE\xFF");
    std::string decoded;
    if (littleBom || bigBom) {
        if (content.size() % 2 != 0) {
            return Unexpected(std::string("UTF-16 text of an odd number of bytes"));
        }
        DecodeUtf16(content.substr(2), bigBom, decoded);
        return std::optional(std::move(decoded));
    }
    if (StartsWith(content, "\xEF\xBB\xBF")) {
        return std::optional(std::string(content.substr(3)));
    }
    for (const bool bigEndian : { false, true }) {
        if (HasUtf16Pattern(content, bigEndian)) {
            DecodeUtf16(content, bigEndian, decoded);
            return std::optional(std::move(decoded));
        }
    }
    return std::optional<std::string>();
}

} // namespace quorlix::forms
