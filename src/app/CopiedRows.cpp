#include "app/CopiedRows.h"

#include <QString>

namespace quorlix {
namespace {

constexpr std::size_t kBytesFieldWidth = 20;
constexpr std::size_t kOffsetFieldWidth = 4;

void AppendUtf8(std::string& out, std::u16string_view text)
{
    out += QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

// The bytes and the offset are plain ASCII, so a field's width in bytes is its width on screen.
void AppendField(std::string& out, std::u16string_view text, std::size_t width)
{
    const std::size_t start = out.size();
    AppendUtf8(out, text);
    const std::size_t used = out.size() - start;
    if (used < width) {
        out.append(width - used, ' ');
    }
}

} // namespace

void AppendCopiedRow(std::string& out, const SavedRowTexts& row)
{
    AppendField(out, row.bytes, kBytesFieldWidth);
    out += "\t\t//";
    AppendField(out, row.offset, kOffsetFieldWidth);
    out += '\t';
    AppendUtf8(out, row.name);
    out += '\t';
    AppendUtf8(out, row.description);
    out += '\n';
}

} // namespace quorlix
