#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Line and column of p, counted from a known place before it so a whole read stays linear.
struct Cursor
{
    std::string_view text;
    std::size_t at = 0;
    std::uint32_t line = 1;
    std::size_t lineStart = 0;

    SourcePosition To(std::size_t p)
    {
        for (; at < p; ++at) {
            if (text[at] == '\n') {
                ++line;
                lineStart = at + 1;
            }
        }
        return { line, static_cast<std::uint32_t>(p - lineStart + 1) };
    }
};

// The name before "= " on the line of p: "DESC = bytes.fromhex(" gives DESC.
std::string NameOnLine(std::string_view text, std::size_t p)
{
    const std::size_t lineStart = text.rfind('\n', p) == npos ? 0 : text.rfind('\n', p) + 1;
    const std::string_view before = text.substr(lineStart, p - lineStart);
    const std::size_t equals = before.rfind('=');
    if (equals == npos) {
        return {};
    }
    std::string_view name = TrimBlanks(before.substr(0, equals));
    const std::size_t space = name.find_last_of(" \t.");
    if (space != npos) {
        name.remove_prefix(space + 1);
    }
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || IsDecimalDigit(c))) {
            return {};
        }
    }
    return std::string(name);
}

// The value of one escape of a bytes literal at p (just past the backslash); sets length to
// the characters it takes. -1 for an escape that makes no single byte.
int EscapeValue(std::string_view text, std::size_t p, std::size_t& length)
{
    length = 1;
    switch (p < text.size() ? text[p] : '\0') {
    case 'x':
        if (p + 2 < text.size() && HexValue(text[p + 1]) >= 0 && HexValue(text[p + 2]) >= 0) {
            length = 3;
            return HexValue(text[p + 1]) << 4 | HexValue(text[p + 2]);
        }
        return -1;
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case '0':
        return 0;
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'v':
        return '\v';
    case '\\':
    case '\'':
    case '"':
        return static_cast<unsigned char>(text[p]);
    default:
        return -1;
    }
}

// Reads one quoted literal opening at p (its quote), adding its bytes; gives the position past
// the closing quote, or npos with a reason.
std::size_t ReadQuoted(std::string_view text, std::size_t p, bool fromHex, Cursor& cursor,
                       ByteSink& sink, std::string& error)
{
    const char quote = text[p];
    const SourcePosition opened = cursor.To(p);
    for (std::size_t q = p + 1; q < text.size();) {
        const char c = text[q];
        if (c == quote) {
            return q + 1;
        }
        if (c == '\n') {
            break;
        }
        const SourcePosition place = cursor.To(q);
        int value = -1;
        std::size_t length = 1;
        if (fromHex) {
            if (IsBlank(c)) {
                ++q;
                continue;
            }
            if (q + 1 < text.size() && HexValue(c) >= 0 && HexValue(text[q + 1]) >= 0) {
                value = HexValue(c) << 4 | HexValue(text[q + 1]);
                length = 2;
            }
        } else if (c == '\\') {
            value = EscapeValue(text, q + 1, length);
            ++length;
        } else if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) {
            value = static_cast<unsigned char>(c);
        }
        if (value < 0) {
            error = Quoted(text.substr(q, 4)) + " at " + Place(place.line, place.column) +
                    (fromHex ? " is not a pair of hex digits" : " is not a byte");
            return npos;
        }
        if (!sink.Add(static_cast<std::uint8_t>(value), place.line, place.column)) {
            error.clear();
            return npos;
        }
        q += length;
    }
    error = "the string at " + Place(opened.line, opened.column) + " never ends";
    return npos;
}

// The b of the next b"..." or b'...' from "from" on that starts a word, or npos.
std::size_t NextBytesLiteral(std::string_view text, std::size_t from)
{
    for (std::size_t literal = text.find_first_of("bB", from); literal != npos;
         literal = text.find_first_of("bB", literal + 1)) {
        if (literal + 1 >= text.size()) {
            return npos;
        }
        const bool quoted = text[literal + 1] == '"' || text[literal + 1] == '\'';
        const char before = literal > 0 ? text[literal - 1] : ' ';
        const bool wordStart =
            !((before >= 'a' && before <= 'z') || (before >= 'A' && before <= 'Z') ||
              before == '_' || IsDecimalDigit(before) || before == '"' || before == '\'');
        if (quoted && wordStart) {
            return literal;
        }
    }
    return npos;
}

// The places Python byte strings start, in order: a fromhex call's '(' or the b of a bytes
// literal. Each kind is searched again only once passed, so finding them all stays linear.
class StartFinder
{
public:
    explicit StartFinder(std::string_view text) : m_text(text) {}

    std::size_t Next(std::size_t from, bool& fromHex)
    {
        if (!m_started || (m_call != npos && m_call < from)) {
            m_call = m_text.find("fromhex(", from);
        }
        if (!m_started || (m_literal != npos && m_literal < from)) {
            m_literal = NextBytesLiteral(m_text, from);
        }
        m_started = true;
        fromHex = m_call != npos && (m_literal == npos || m_call < m_literal);
        return fromHex ? m_call + 7 : m_literal;
    }

private:
    std::string_view m_text;
    std::size_t m_call = npos;
    std::size_t m_literal = npos;
    bool m_started = false;
};

} // namespace

bool ReadPythonByteStrings(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    Cursor cursor{ text };
    bool fromHex = false;
    StartFinder starts(text);
    for (std::size_t p = starts.Next(0, fromHex); p != npos;
         p = p < text.size() ? starts.Next(p, fromHex) : npos) {
        BeginCandidate(input, cursor.To(p).line, NameOnLine(text, p));
        // The string literals of one value: those one after another, blanks, line ends and
        // the parentheses that let them run over lines aside.
        std::size_t q = fromHex ? p + 1 : p;
        std::string error;
        for (;;) {
            while (q < text.size() &&
                   (IsBlank(text[q]) || text[q] == '\n' || text[q] == '\r' || text[q] == '(')) {
                ++q;
            }
            const auto isQuote = [&](std::size_t at) {
                return at < text.size() && (text[at] == '"' || text[at] == '\'');
            };
            if (!fromHex && q < text.size() && (text[q] == 'b' || text[q] == 'B') &&
                isQuote(q + 1)) {
                ++q;
            } else if (!fromHex || !isQuote(q)) {
                break;
            }
            const std::size_t past = ReadQuoted(text, q, fromHex, cursor, sink, error);
            if (past == npos) {
                if (error.empty()) {
                    return false; // more bytes than a descriptor text may make
                }
                DescriptorCandidate& candidate = input.candidates.back();
                candidate.error = error;
                input.bytes.resize(candidate.offset);
                input.positions.resize(candidate.offset);
                q = text.find('\n', q);
                q = q == npos ? text.size() : q;
                break;
            }
            q = past;
        }
        p = q;
    }
    return !input.candidates.empty();
}

} // namespace quorlix::forms
