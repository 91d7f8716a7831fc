#include "codegen/DescriptorArray.h"

#include "annotation/FillInUsageNames.h"
#include "annotation/HidItems.h"
#include "parser/DeviceDescription.h"
#include "support/HexDigits.h"

#include <algorithm>

namespace quorlix {
namespace {

// Bytes of the array's items before their comment, aligned for items of up to five.
constexpr std::size_t kItemColumn = 30;

void AppendUtf8Of(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Utf8Of(std::u16string_view text)
{
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8Of(utf8, 0x10000 + ((char32_t{ unit } - 0xD800) << 10) +
                                   (char32_t{ text[i + 1] } - 0xDC00));
            ++i;
        } else {
            AppendUtf8Of(utf8, high || low ? char32_t{ 0xFFFD } : char32_t{ unit });
        }
    }
    return utf8;
}

std::string CommentText(std::string_view text)
{
    std::string comment;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == ' ') {
            if (!comment.empty() && comment.back() != ' ') {
                comment += ' ';
            }
            continue;
        }
        const char previous = comment.empty() ? '\0' : comment.back();
        if ((previous == '*' && c == '/') || (previous == '/' && c == '*') ||
            (previous == '?' && c == '?')) {
            comment += ' ';
        }
        comment += c;
    }
    while (!comment.empty() && comment.back() == ' ') {
        comment.pop_back();
    }
    return comment;
}

std::string HexByte(std::uint8_t byte)
{
    return { '0', 'x', UpperHexDigit(byte >> 4), UpperHexDigit(byte) };
}

std::vector<ItemLine> DescribeItems(std::span<const std::uint8_t> descriptor)
{
    DeviceDescription description;
    ParseOptions options;
    options.debugOut = nullptr;
    // Rows serve only as texts. A parse that runs out of memory after its item loop has listed
    // every row; one that could not start lists none, and the items then go without texts.
    if (ParseDescriptor(descriptor.data(), descriptor.size(), description, options) ==
        ParseResult::EmptyDescriptor) {
        return {};
    }
    FillInUsageNames(description.rows);
    std::vector<ItemLine> lines;
    std::size_t row = 0;
    std::size_t offset = 0;
    while (offset < descriptor.size()) {
        const DecodedItem item = DecodeItem(descriptor, offset);
        const std::size_t end = std::min<std::size_t>(offset + item.length, descriptor.size());
        while (row < description.rows.size() &&
               static_cast<std::size_t>(description.rows[row].offset) < offset) {
            ++row;
        }
        ItemLine line;
        line.offset = offset;
        line.length = end - offset;
        if (row < description.rows.size() &&
            static_cast<std::size_t>(description.rows[row].offset) == offset) {
            line.text = CommentText(Utf8Of(description.rows[row].name));
        }
        lines.push_back(std::move(line));
        offset = end;
    }
    return lines;
}

void WriteDescriptorArray(std::ostream& out, std::span<const std::uint8_t> descriptor,
                          std::string_view opening)
{
    out << opening << '\n';
    for (const ItemLine& line : DescribeItems(descriptor)) {
        std::string bytes;
        for (std::size_t i = line.offset; i < line.offset + line.length; ++i) {
            bytes += HexByte(descriptor[i]) + ", ";
        }
        if (line.text.empty()) {
            bytes.pop_back();
            out << "    " << bytes << '\n';
        } else {
            bytes.resize(std::max(bytes.size(), kItemColumn), ' ');
            out << "    " << bytes << "/* " << line.text << " */\n";
        }
    }
    out << "};\n";
}

} // namespace quorlix
