#pragma once

#include "forms/DescriptorInput.h"

#include <string>
#include <string_view>

namespace quorlix::test {

// Bytes as "05 01", so a mismatch shows which byte went wrong.
inline std::string HexOf(std::string_view bytes)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto value = static_cast<unsigned char>(c);
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[value >> 4];
        text += kDigits[value & 0x0F];
    }
    return text;
}

// Reads text held in memory as form would, with no path; without an index as the command line
// reads without --index.
inline InputOutcome ReadText(std::string_view text, InputForm form, DescriptorInput& input,
                             std::optional<std::size_t> index = {})
{
    return ReadDescriptorContent(text, {}, { form, index }, input);
}

} // namespace quorlix::test
