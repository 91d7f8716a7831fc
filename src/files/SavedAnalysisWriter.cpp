#include "files/SavedAnalysisWriter.h"

#include "files/OutputFile.h"
#include "Version.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace quorlix {
namespace {

// The header's fixed texts. The word in the hyphen line, 报告描述符 ("report descriptor"), is
// stored in GBK (code page 936): 报 B1 A8, 告 B8 E6, 描 C3 E8, 述 CA F6, 符 B7 FB.
constexpr std::string_view kTitleLine = "Quorlix\r\n";
constexpr std::string_view kMakerPrefix = "Ferrowan ";
constexpr std::string_view kDescriptorRule =
    "-----\xB1\xA8\xB8\xE6\xC3\xE8\xCA\xF6\xB7\xFB--------------";
// The same line in UTF-8, for a terminal: 报 E6 8A A5, 告 E5 91 8A, 描 E6 8F 8F, 述 E8 BF B0,
// 符 E7 AC A6.
constexpr std::string_view kDescriptorRuleUtf8 = "-----\xE6\x8A\xA5\xE5\x91\x8A\xE6\x8F\x8F"
                                                 "\xE8\xBF\xB0\xE7\xAC\xA6--------------";
constexpr std::string_view kTwoLineEnds = "\r\n\r\n";

// The item bytes fill at least this many characters, the offset at least this many.
constexpr std::size_t kBytesFieldWidth = 20;
constexpr std::size_t kOffsetFieldWidth = 4;

// The collection kind "(自定义)" is the only classic row text beyond ASCII. We store its three
// characters in GBK like the header, rather than as a replacement mark, so the saved file reads
// like the list did; so is the one letter beyond ASCII of the full usage names (Moiré). Any
// other character beyond ASCII would be a stray lead byte in GBK, so it is stored as '?'.
struct GbkCharacter
{
    char16_t character;
    std::string_view bytes; // in GBK
    std::string_view utf8;  // the same character in UTF-8, for a terminal
};

constexpr GbkCharacter kGbkCharacters[] = {
    { u'\u81EA', "\xD7\xD4", "\xE8\x87\xAA" }, // 自
    { u'\u5B9A', "\xB6\xA8", "\xE5\xAE\x9A" }, // 定
    { u'\u4E49', "\xD2\xE5", "\xE4\xB9\x89" }, // 义
    { u'\u00E9', "\xA8\xA6", "\xC3\xA9" },     // é
};

constexpr bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

const GbkCharacter* FindGbkCharacter(char16_t c)
{
    for (const GbkCharacter& entry : kGbkCharacters) {
        if (entry.character == c) {
            return &entry;
        }
    }
    return nullptr;
}

// Whether every character of text goes out as the one byte of its value: all ASCII, no line
// feed. A plain reduction without early exit, so the compiler checks many characters
// per instruction; row texts are short, and nearly all of them are plain.
bool IsPlainNarrow(std::u16string_view text)
{
    unsigned special = 0;
    for (const char16_t c : text) {
        special |= static_cast<unsigned>(c > 0x7F) | static_cast<unsigned>(c == u'\n');
    }
    return special == 0;
}

// Puts text at out, one byte per ASCII character, and gives the new end. Writes at most three
// bytes per character: a line feed is stored as CR LF like every other line end in the file,
// the characters above take two bytes in GBK (three in UTF-8), any other character beyond
// ASCII a single '?'.
char* PutNarrow(char* out, std::u16string_view text, SavedEncoding encoding)
{
    // Short texts (offsets, bytes, most names) are narrowed character by character until the
    // first one that needs more; long ones are checked whole first, which vectorises.
    constexpr std::size_t kShortText = 16;
    if (text.size() < kShortText) {
        std::size_t plain = 0;
        for (; plain < text.size(); ++plain) {
            const char16_t c = text[plain];
            if (c > 0x7F || c == u'\n') {
                break;
            }
            out[plain] = static_cast<char>(c);
        }
        out += plain;
        text.remove_prefix(plain);
    } else if (IsPlainNarrow(text)) {
        return std::transform(text.begin(), text.end(), out,
                              [](char16_t c) { return static_cast<char>(c); });
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c <= 0x7F && c != u'\n') {
            *out++ = static_cast<char>(c);
            continue;
        }
        if (c == u'\n') {
            *out++ = '\r';
            *out++ = '\n';
            continue;
        }
        if (const GbkCharacter* known = FindGbkCharacter(c)) {
            const std::string_view bytes =
                encoding == SavedEncoding::Utf8 ? known->utf8 : known->bytes;
            out = std::copy(bytes.begin(), bytes.end(), out);
            continue;
        }
        // A surrogate pair is one character, so it gets one mark.
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        }
        *out++ = '?';
    }
    return out;
}

char* PutText(char* out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

// The item bytes as C constants: "05 01" becomes "0x05,0x01,", "C0" becomes "0xC0,". At most
// three bytes per character plus three.
char* PutCConstants(char* out, std::u16string_view bytesText)
{
    out = PutText(out, "0x");
    for (;;) {
        const std::size_t blank = bytesText.find(u' ');
        out = PutNarrow(out, bytesText.substr(0, blank), SavedEncoding::Gbk);
        if (blank == std::u16string_view::npos) {
            break;
        }
        out = PutText(out, ",0x");
        bytesText.remove_prefix(blank + 1);
    }
    *out++ = ',';
    return out;
}

// Pads the field from fieldStart to out with blanks to width; a longer field stays whole.
char* PadField(char* fieldStart, char* out, std::size_t width)
{
    const auto used = static_cast<std::size_t>(out - fieldStart);
    if (used >= width) {
        return out;
    }
    return std::fill_n(out, width - used, ' ');
}

// Appends one row's line. The line is sized once for its worst case and trimmed after, so a
// row costs no more than one pass over its characters.
void AppendRowLine(std::string& line, SavedForm form, const SavedRowTexts& row,
                   SavedEncoding encoding)
{
    const std::size_t start = line.size();
    const std::size_t worstCase =
        3 * row.bytes.size() + 3 + kBytesFieldWidth + kOffsetFieldWidth +
        3 * (row.offset.size() + row.name.size() + row.description.size()) +
        std::size("\t\t//\t\t\r\n");
    line.resize(start + worstCase);
    char* const begin = line.data() + start;

    char* out = begin;
    out =
        form == SavedForm::C ? PutCConstants(out, row.bytes) : PutNarrow(out, row.bytes, encoding);
    out = PadField(begin, out, kBytesFieldWidth);
    out = PutText(out, "\t\t//");
    char* const offsetStart = out;
    out = PutNarrow(out, row.offset, encoding);
    out = PadField(offsetStart, out, kOffsetFieldWidth);
    *out++ = '\t';
    out = PutNarrow(out, row.name, encoding);
    *out++ = '\t';
    out = PutNarrow(out, row.description, encoding);
    out = PutText(out, "\r\n");
    line.resize(start + static_cast<std::size_t>(out - begin));
}

void Write(std::ostream& out, std::string_view text)
{
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace

void WriteSavedAnalysisHeader(std::ostream& out, SavedEncoding encoding)
{
    Write(out, kTitleLine);
    Write(out, kMakerPrefix);
    Write(out, kHomePage);
    Write(out, kTwoLineEnds);
    Write(out, encoding == SavedEncoding::Utf8 ? kDescriptorRuleUtf8 : kDescriptorRule);
    Write(out, kTwoLineEnds);
}

void WriteSavedAnalysisRow(std::ostream& out, SavedForm form, const SavedRowTexts& row,
                           SavedEncoding encoding)
{
    std::string line;
    AppendRowLine(line, form, row, encoding);
    Write(out, line);
}

void WriteSavedAnalysis(std::ostream& out, SavedForm form, std::size_t rowCount,
                        const std::function<SavedRowTexts(std::size_t)>& rowAt,
                        SavedEncoding encoding)
{
    WriteSavedAnalysisHeader(out, encoding);
    // Rows are gathered into one reused block and handed to the stream a block at a time, so a
    // long list costs neither an allocation nor a stream call per row.
    constexpr std::size_t kBlockBytes = 32 * 1024;
    std::string block;
    block.reserve(kBlockBytes + 1024);
    for (std::size_t index = 0; index < rowCount && out; ++index) {
        AppendRowLine(block, form, rowAt(index), encoding);
        if (block.size() >= kBlockBytes) {
            Write(out, block);
            block.clear();
        }
    }
    Write(out, block);
}

Expected<void, WriteError>
WriteSavedAnalysisFile(const std::string& path, SavedForm form, std::size_t rowCount,
                       const std::function<SavedRowTexts(std::size_t)>& rowAt)
{
    return WriteOutputFile(
        path, [&](std::ostream& out) { WriteSavedAnalysis(out, form, rowCount, rowAt); });
}

} // namespace quorlix
