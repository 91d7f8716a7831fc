#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <algorithm>
#include <cstring>

namespace quorlix::forms {

TextSigns ScanText(std::string_view text)
{
    TextSigns signs;
    const auto* c = reinterpret_cast<const unsigned char*>(text.data());
    // Tab, line feed, vertical tab, form feed and carriage return are the controls of text. The
    // test is branch-free over a block, so the compiler can use vector instructions; the text is
    // looked at byte by byte nowhere.
    constexpr std::size_t kBlock = 4096;
    for (std::size_t p = 0; p < text.size(); p += kBlock) {
        const std::size_t end = std::min(text.size(), p + kBlock);
        unsigned char control = 0;
        for (std::size_t i = p; i < end; ++i) {
            const unsigned char b = c[i];
            control |=
                static_cast<unsigned char>((b < 0x20) & (static_cast<unsigned char>(b - 0x09) > 4));
        }
        if (control != 0) {
            signs.control = true;
            return signs;
        }
    }
    const auto find = [&](const void* found) {
        return found == nullptr
                   ? std::string_view::npos
                   : static_cast<std::size_t>(static_cast<const unsigned char*>(found) - c);
    };
    signs.brace = find(std::memchr(c, '{', text.size()));
    signs.bracket = find(std::memchr(c, '[', text.size()));
    // A slash is rare in most texts and at most one a line in others, so memchr skips the rest.
    for (const void* slash = std::memchr(c, '/', text.size()); slash != nullptr;) {
        const std::size_t at = find(slash);
        if (at + 1 < text.size() && c[at + 1] == '*') {
            signs.blockComment = at;
            break;
        }
        slash = std::memchr(c + at + 1, '/', text.size() - at - 1);
    }
    return signs;
}

bool HasBinarySign(std::string_view content)
{
    return ScanText(content).control;
}

InputOutcome ReadBinary(std::string_view content, DescriptorInput& input)
{
    if (content.size() > kMaxDescriptorBytes) {
        return TooManyBytes();
    }
    input.bytes.assign(content);
    return {};
}

} // namespace quorlix::forms
