#pragma once

#include "forms/InputBounds.h"
#include "forms/DescriptorInput.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small pieces the form readers share: walking lines, reading hex digits, collecting bytes.
namespace quorlix::forms {

// The value of every byte as an ASCII hex digit, -1 for all others (those from 0x80 up too).
inline constexpr auto kHexValues = [] {
    std::array<signed char, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                             : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                    : -1);
    }
    return values;
}();

// The value of an ASCII hex digit, or -1.
constexpr int HexValue(char c)
{
    return kHexValues[static_cast<unsigned char>(c)];
}

constexpr bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Walks a text line by line. Each line comes without its line feed and without a carriage
// return before it; numbers count from 1.
class LineWalker
{
public:
    explicit LineWalker(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line)
    {
        if (m_position >= m_text.size()) {
            return false;
        }
        const std::size_t end = m_text.find('\n', m_position);
        const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
        line = m_text.substr(m_position, stop - m_position);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_position = end == std::string_view::npos ? m_text.size() : end + 1;
        ++m_number;
        return true;
    }

    std::uint32_t Number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    std::uint32_t m_number = 0;
};

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A shell prompt with the command that made what follows, as posts and mails show it above a
// dump: "$ sudo usbhid-dump -d 1d50:615e", "# lsusb -v -s 3:2", ": ~; hexdump -C desc.bin".
inline bool IsPromptLine(std::string_view line)
{
    constexpr std::string_view kTools[] = { "lsusb", "usbhid-dump",  "hexdump", "xxd",
                                            "od ",   "hid-recorder", "cat ",    "hid-decode" };
    line = TrimBlanks(line);
    const bool prompt = line.size() > 1 &&
                        (line[0] == '$' || line[0] == '#' || line[0] == '%' || line[0] == ':') &&
                        IsBlank(line[1]);
    if (!prompt && line.find("$ ") == std::string_view::npos &&
        line.find("; ") == std::string_view::npos) {
        return false;
    }
    for (const std::string_view tool : kTools) {
        if (line.find(tool) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// Adds bytes with their places to the input, refusing more than a descriptor text may make.
class ByteSink
{
public:
    explicit ByteSink(DescriptorInput& input) : m_input(input) {}

    [[nodiscard]] bool Add(std::uint8_t byte, std::uint32_t line, std::uint32_t column)
    {
        if (m_input.bytes.size() >= kMaxDescriptorBytes) {
            return false;
        }
        m_input.bytes.push_back(static_cast<char>(byte));
        m_input.positions.push_back({ line, column });
        return true;
    }

private:
    DescriptorInput& m_input;
};

// Starts the next descriptor of a source that holds several; the bytes added after it are its
// own. A reader that never calls it gives one descriptor of all its bytes.
inline void BeginCandidate(DescriptorInput& input, std::uint32_t line, std::string name = {},
                           std::string label = {})
{
    DescriptorCandidate candidate;
    candidate.index = input.candidates.size();
    candidate.name = std::move(name);
    candidate.line = line;
    candidate.label = std::move(label);
    candidate.offset = input.bytes.size();
    input.candidates.push_back(std::move(candidate));
}

inline InputOutcome Malformed(std::string message)
{
    return { InputStatus::Malformed, 0, std::move(message) };
}

inline InputOutcome TooManyBytes()
{
    return { InputStatus::TooManyBytes, 0, {} };
}

// "3:5", the way messages name a place.
inline std::string Place(std::uint32_t line, std::size_t column)
{
    return std::to_string(line) + ":" + std::to_string(column);
}

// A piece of the text for a message: at most 40 characters, all but printable ASCII as '?'.
std::string Quoted(std::string_view text);

} // namespace quorlix::forms
