#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

// The bytes a short item takes, its prefix with them, from the prefix's size bits; a long item
// (0xFE) has its own length and is not listed so.
std::size_t ShortItemLength(std::uint8_t prefix)
{
    constexpr std::size_t kDataSizes[] = { 0, 1, 2, 4 };
    return 1 + kDataSizes[prefix & 0x03];
}

// Reads the leading byte column of one listing line: pairs of hex digits one blank apart, then
// the end of the line or two blanks or more before the item's name. Gives false where the line
// is not so.
bool ReadByteColumn(std::string_view line, std::uint32_t lineNumber, DescriptorInput& input,
                    std::size_t& count)
{
    std::size_t p = 0;
    while (p < line.size() && IsBlank(line[p])) {
        ++p;
    }
    count = 0;
    while (p + 1 < line.size() && HexValue(line[p]) >= 0 && HexValue(line[p + 1]) >= 0) {
        const std::size_t end = p + 2;
        if (end < line.size() && !IsBlank(line[end])) {
            return false;
        }
        if (input.bytes.size() >= kMaxDescriptorBytes) {
            return false;
        }
        input.bytes.push_back(static_cast<char>(HexValue(line[p]) << 4 | HexValue(line[p + 1])));
        input.positions.push_back({ lineNumber, static_cast<std::uint32_t>(p + 1) });
        ++count;
        if (end == line.size()) {
            return true;
        }
        if (end + 1 < line.size() && IsBlank(line[end + 1])) {
            return true; // two blanks: the item's name follows
        }
        p = end + 1;
    }
    return false;
}

} // namespace

bool ReadItemListing(std::string_view text, DescriptorInput& input)
{
    LineWalker lines(text);
    std::string_view line;
    bool any = false;
    while (lines.Next(line)) {
        if (TrimBlanks(line).empty() || (!any && IsPromptLine(line))) {
            continue;
        }
        const std::size_t start = input.bytes.size();
        std::size_t count = 0;
        if (!ReadByteColumn(line, lines.Number(), input, count) ||
            count != ShortItemLength(static_cast<std::uint8_t>(input.bytes[start])) ||
            static_cast<std::uint8_t>(input.bytes[start]) == 0xFE) {
            input.bytes.clear();
            input.positions.clear();
            return false;
        }
        any = true;
    }
    return any;
}

} // namespace quorlix::forms
