#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <algorithm>
#include <cstring>

namespace quorlix::forms {
namespace {

constexpr bool IsWordCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

constexpr bool IsHexLetter(char c)
{
    return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether a word is hexadecimal data as people write it: digits, letters a to f and the x of
// a prefix. "050109", "0x0A0x0B" and "DEADBEEF" are; "static", "Usage" and "Ferrowan" are not.
bool IsHexWord(std::string_view word)
{
    for (const char c : word) {
        if (HexValue(c) < 0 && c != 'x' && c != 'X') {
            return false;
        }
    }
    return true;
}

// Counts the places where text was taken as data, keeping the first of each kind.
class TakenTextWarnings
{
public:
    // A byte at column p of line, made from characters of a longer word that is not hex data,
    // or whose second character is no digit. Words are looked at once each, so a long line
    // stays linear.
    void Look(std::string_view line, std::size_t p, int low, std::uint32_t lineNumber)
    {
        if (p >= m_wordEnd || m_wordLine != lineNumber) {
            FindWord(line, p, lineNumber);
        }
        if (!m_wordIsHex) {
            Note(m_word, lineNumber, p, line.substr(m_wordStart, m_wordEnd - m_wordStart));
            return;
        }
        if (low < 0) {
            Note(m_lone, lineNumber, p, line.substr(p, 2));
        }
    }

    void AddTo(std::vector<InputWarning>& warnings) const
    {
        if (m_word.count > 0) {
            warnings.push_back({ m_word.line, m_word.column,
                                 "the letters of " + Quoted(m_word.text) +
                                     " were taken as hex digits" + Places(m_word.count) });
        }
        if (m_lone.count > 0) {
            warnings.push_back({ m_lone.line, m_lone.column,
                                 "a lone digit took the character after it as its low digit (" +
                                     Quoted(m_lone.text) + ")" + Places(m_lone.count) });
        }
    }

private:
    struct Kind
    {
        std::size_t count = 0;
        std::uint32_t line = 0;
        std::uint32_t column = 0;
        std::string text;
    };

    static void Note(Kind& kind, std::uint32_t line, std::size_t p, std::string_view text)
    {
        if (kind.count++ == 0) {
            kind.line = line;
            kind.column = static_cast<std::uint32_t>(p + 1);
            kind.text = std::string(text);
        }
    }

    static std::string Places(std::size_t count)
    {
        return count == 1 ? "" : ", " + std::to_string(count) + " places in all";
    }

    void FindWord(std::string_view line, std::size_t p, std::uint32_t lineNumber)
    {
        std::size_t start = p;
        while (start > 0 && IsWordCharacter(line[start - 1])) {
            --start;
        }
        std::size_t end = p + 1;
        while (end < line.size() && IsWordCharacter(line[end])) {
            ++end;
        }
        m_wordStart = start;
        m_wordEnd = end;
        m_wordLine = lineNumber;
        m_wordIsHex = IsHexWord(line.substr(start, end - start));
    }

    Kind m_word;
    Kind m_lone;
    std::size_t m_wordStart = 0;
    std::size_t m_wordEnd = 0;
    std::uint32_t m_wordLine = 0;
    bool m_wordIsHex = true;
};

} // namespace

InputOutcome ReadHexText(std::string_view text, DescriptorInput& input)
{
    // Two characters make a byte at most; more than the bound is never kept.
    const std::size_t most = std::min(text.size() / 2, kMaxDescriptorBytes);
    // Written by index, not appended, since appending to a string costs more than the rule.
    input.bytes.resize(most);
    std::size_t count = 0;
    input.positions.reserve(most);
    TakenTextWarnings warnings;
    std::uint32_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        // A line ends after its line feed and is tokenised whole, however long; it ends early
        // at a NUL, as a C string would.
        const void* feed = std::memchr(text.data() + start, '\n', text.size() - start);
        const std::size_t end =
            feed != nullptr ? static_cast<const char*>(feed) - text.data() + 1 : text.size();
        std::string_view line = text.substr(start, end - start);
        start = end;
        if (const void* nul = std::memchr(line.data(), '\0', line.size())) {
            line = line.substr(0, static_cast<const char*>(nul) - line.data());
        }

        const char* c = line.data();
        const std::size_t n = line.size();
        std::size_t p = 0;
        while (p < n) {
            // The comment and prefix test needs three characters from p on: a "//" or "0x"
            // that ends the line is left to the digit rules below, so "0x" alone gives 00.
            if (p + 2 < n) {
                if (c[p] == '/' && c[p + 1] == '/') {
                    break;
                }
                // An upper-case X takes the character before it along, whatever that is.
                if ((c[p] == '0' && c[p + 1] == 'x') || c[p + 1] == 'X') {
                    p += 2;
                }
            }
            const int high = HexValue(c[p]);
            if (high < 0) {
                ++p;
                continue;
            }
            if (p + 1 == n) {
                break; // A lone last digit makes no byte.
            }
            // The second character is consumed even when it is no digit; it then counts as 0.
            const int low = HexValue(c[p + 1]);
            if (low < 0 || IsHexLetter(c[p]) || IsHexLetter(c[p + 1])) {
                // A pair standing alone, as in "A1 C0", is a word of its own and hex: no need
                // to look further.
                const bool alone = low >= 0 && (p == 0 || !IsWordCharacter(c[p - 1])) &&
                                   (p + 2 == n || !IsWordCharacter(c[p + 2]));
                if (!alone) {
                    warnings.Look(line, p, low, lineNumber);
                }
            }
            if (count == most) {
                return TooManyBytes(); // only the byte bound can fill what was made room for
            }
            input.bytes[count++] = static_cast<char>((high << 4) | (low < 0 ? 0 : low));
            input.positions.push_back({ lineNumber, static_cast<std::uint32_t>(p + 1) });
            p += 2;
        }
    }
    input.bytes.resize(count);
    warnings.AddTo(input.warnings);
    return {};
}

} // namespace quorlix::forms
