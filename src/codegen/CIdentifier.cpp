#include "codegen/CIdentifier.h"

namespace quorlix {
namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

char ToUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char ToLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string IdentifierWords(std::string_view text)
{
    std::string words;
    bool gap = false;
    for (const char c : text) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c)) {
            gap = !words.empty();
            continue;
        }
        if (gap) {
            words += '_';
            gap = false;
        }
        words += ToUpper(c);
    }
    return words;
}

bool IsHeaderPrefix(std::string_view prefix)
{
    if (prefix.empty() || !IsAsciiLetter(prefix.front()) || prefix.back() == '_') {
        return false;
    }
    char previous = '\0';
    for (const char c : prefix) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') {
            return false;
        }
        if (c == '_' && previous == '_') {
            return false;
        }
        previous = c;
    }
    return true;
}

std::string DefaultHeaderPrefix(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    // A dot at the start names a hidden file, not an extension.
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    std::string prefix;
    for (const char c : IdentifierWords(name)) {
        prefix += ToLower(c);
    }
    if (prefix.empty()) {
        return "hid";
    }
    return IsAsciiDigit(prefix.front()) ? "hid_" + prefix : prefix;
}

} // namespace quorlix
