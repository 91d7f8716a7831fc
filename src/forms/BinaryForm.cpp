#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {

bool HasBinarySign(std::string_view content)
{
    for (const char c : content) {
        const auto u = static_cast<unsigned char>(c);
        // Tab, line feed, vertical tab, form feed and carriage return are the controls of text.
        if (u < 0x20 && (u < 0x09 || u > 0x0D)) {
            return true;
        }
    }
    return false;
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
