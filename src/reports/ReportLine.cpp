#include "reports/ReportLine.h"

#include "support/HexDigits.h"

#include <charconv>
#include <cstdlib>

namespace quorlix {
namespace {

int HexDigit(char c)
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

// A character for an error line: 'x' when printable ASCII, else its byte in hex, so that the
// line stays plain text whatever the input held.
std::string DescribeCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    return std::string("byte 0x") + UpperHexDigit(byte >> 4) + UpperHexDigit(byte);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsSeparator(char c)
{
    return IsBlank(c) || c == ',' || c == ':';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Hex bytes: each token between separators is an even number of digits, "0x" allowed in front.
bool ReadHexBytes(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& error)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsSeparator(text[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && !IsSeparator(text[end])) {
            ++end;
        }
        std::string_view token = text.substr(pos, end - pos);
        pos = end;
        if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
            token.remove_prefix(2);
        }
        for (char c : token) {
            if (HexDigit(c) < 0) {
                error = "not a hex report: " + DescribeCharacter(c) + " is no hex digit";
                return false;
            }
        }
        if (token.size() % 2 != 0) {
            error = "not a hex report: \"" + std::string(token) + "\" has an odd number of digits";
            return false;
        }
        for (std::size_t i = 0; i < token.size(); i += 2) {
            bytes.push_back(
                static_cast<std::uint8_t>(HexDigit(token[i]) * 16 + HexDigit(token[i + 1])));
        }
    }
    return true;
}

// The next blank-separated word of text, which is advanced past it.
std::string_view NextWord(std::string_view& text)
{
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

void ReadEvent(std::string_view text, ReportLine& line)
{
    line.isEvent = true;
    const std::string_view seconds = NextWord(text);
    const std::string_view count = NextWord(text);
    const std::string secondsText(seconds);
    char* secondsEnd = nullptr;
    line.seconds = std::strtod(secondsText.c_str(), &secondsEnd);
    std::size_t expected = 0;
    const auto [countEnd, countError] =
        std::from_chars(count.data(), count.data() + count.size(), expected);
    if (seconds.empty() || *secondsEnd != '\0' || count.empty() || countError != std::errc{} ||
        countEnd != count.data() + count.size()) {
        line.kind = ReportLineKind::Invalid;
        line.error = "not a hid-recorder event: E: <seconds> <count> <hex bytes> expected";
        return;
    }
    if (!ReadHexBytes(text, line.bytes, line.error)) {
        line.kind = ReportLineKind::Invalid;
        return;
    }
    if (line.bytes.size() != expected) {
        line.kind = ReportLineKind::Invalid;
        line.error = "the event counts " + std::to_string(expected) + " bytes but holds " +
                     std::to_string(line.bytes.size());
        return;
    }
    line.kind = ReportLineKind::Report;
}

} // namespace

void ReadReportLine(std::string_view text, ReportLine& line)
{
    line.kind = ReportLineKind::Nothing;
    line.bytes.clear();
    line.isEvent = false;
    line.seconds = 0;
    line.error.clear();
    if (text.size() > kMaxReportLineLength) {
        line.kind = ReportLineKind::Invalid;
        line.error = "line longer than " + std::to_string(kMaxReportLineLength) + " characters";
        return;
    }
    text = Trim(text);
    if (text.empty() || text.front() == '#') {
        return;
    }
    if (text.size() >= 2 && text[1] == ':' &&
        std::string_view("ERNPID").find(text[0]) != std::string_view::npos) {
        if (text[0] == 'E') {
            ReadEvent(text.substr(2), line);
        }
        return;
    }
    if (!ReadHexBytes(text, line.bytes, line.error)) {
        line.kind = ReportLineKind::Invalid;
        return;
    }
    line.kind = line.bytes.empty() ? ReportLineKind::Nothing : ReportLineKind::Report;
}

} // namespace quorlix
