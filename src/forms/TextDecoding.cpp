#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

// Whether content looks like UTF-16 LE text without a byte-order mark: every second byte NUL,
// every other one a character of ASCII text. A binary descriptor never keeps that up for long.
bool HasUtf16LePattern(std::string_view content)
{
    constexpr std::size_t kShortest = 4;
    if (content.size() < kShortest || content.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < content.size(); i += 2) {
        const auto low = static_cast<unsigned char>(content[i]);
        const bool text = (low >= 0x20 && low < 0x7F) || (low >= 0x09 && low <= 0x0D);
        if (!text || content[i + 1] != '\0') {
            return false;
        }
    }
    return true;
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

bool DecodeText(std::string_view content, std::string& decoded, bool& wasDecoded,
                std::string& error)
{
    wasDecoded = false;
    const bool littleBom = StartsWith(content, "\xFF\xFE");
    const bool bigBom = StartsWith(content, "\xFE\xFF");
    if (littleBom || bigBom) {
        if (content.size() % 2 != 0) {
            error = "UTF-16 text of an odd number of bytes";
            return false;
        }
        DecodeUtf16(content.substr(2), bigBom, decoded);
        wasDecoded = true;
        return true;
    }
    if (StartsWith(content, "\xEF\xBB\xBF")) {
        decoded.assign(content.substr(3));
        wasDecoded = true;
        return true;
    }
    if (HasUtf16LePattern(content)) {
        DecodeUtf16(content, false, decoded);
        wasDecoded = true;
    }
    return true;
}

} // namespace quorlix::forms
