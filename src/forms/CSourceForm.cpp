#include "forms/CSourceForm.h"

#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quorlix::forms {
namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr bool IsIdentifierStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

constexpr bool IsIdentifierCharacter(char c)
{
    return IsIdentifierStart(c) || IsDecimalDigit(c);
}

constexpr bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips white space and comments from p on. Gives the first other position, the text's size at
// the end, and npos inside a block comment that never ends.
std::size_t SkipSpace(std::string_view text, std::size_t p)
{
    while (p < text.size()) {
        if (IsSpace(text[p])) {
            ++p;
            continue;
        }
        if (text[p] == '/' && p + 1 < text.size() && text[p + 1] == '/') {
            const std::size_t feed = text.find('\n', p);
            p = feed == npos ? text.size() : feed + 1;
            continue;
        }
        if (text[p] == '/' && p + 1 < text.size() && text[p + 1] == '*') {
            const std::size_t end = text.find("*/", p + 2);
            if (end == npos) {
                return npos;
            }
            p = end + 2;
            continue;
        }
        break;
    }
    return p;
}

std::size_t IdentifierEnd(std::string_view text, std::size_t p)
{
    while (p < text.size() && IsIdentifierCharacter(text[p])) {
        ++p;
    }
    return p;
}

// Whether the identifier at p is called like a macro: a '(' after it, blanks aside.
bool IsCall(std::string_view text, std::size_t p)
{
    std::size_t after = IdentifierEnd(text, p);
    while (after < text.size() && IsBlank(text[after])) {
        ++after;
    }
    return after < text.size() && text[after] == '(';
}

// Past a cast to a byte type before a literal, as Java and C# need one: "(byte) 0x81",
// "(uint8_t)0x05". Gives p itself when there is none.
std::size_t SkipCast(std::string_view text, std::size_t p)
{
    if (p >= text.size() || text[p] != '(') {
        return p;
    }
    std::size_t q = p + 1;
    while (q < text.size() && (IsIdentifierCharacter(text[q]) || IsBlank(text[q]))) {
        ++q;
    }
    if (q == p + 1 || q >= text.size() || text[q] != ')') {
        return p;
    }
    ++q;
    while (q < text.size() && IsBlank(text[q])) {
        ++q;
    }
    return q < text.size() && IsDecimalDigit(text[q]) ? q : p;
}

enum class FirstElement
{
    Other,
    Literal,
    Macro,
};

FirstElement FirstElementAt(std::string_view text, std::size_t p)
{
    p = SkipCast(text, p);
    if (p >= text.size()) {
        return FirstElement::Other;
    }
    if (IsDecimalDigit(text[p])) {
        return FirstElement::Literal;
    }
    // Macros are written in capitals; "return(", "sizeof(" and "Ok(" open code, not data.
    if (IsIdentifierStart(text[p]) && IsCall(text, p)) {
        const std::size_t end = IdentifierEnd(text, p);
        for (std::size_t q = p; q < end; ++q) {
            if (text[q] >= 'a' && text[q] <= 'z') {
                return FirstElement::Other;
            }
        }
        return FirstElement::Macro;
    }
    return FirstElement::Other;
}

bool IsNameCharacter(char c)
{
    return c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A bracket right after a name or a closing bracket is an array's size or an index
// ("char d[2] = { };", "d[0] = 5;"), never a list of bytes; after "return" or "yield" it is
// the list a function gives.
bool IsSubscript(std::string_view text, std::size_t open)
{
    std::size_t end = open;
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    if (end == 0) {
        return false;
    }
    const char c = text[end - 1];
    if (c == ']' || c == ')') {
        return true;
    }
    if (!IsNameCharacter(c)) {
        return false;
    }
    std::size_t start = end;
    while (start > 0 && IsNameCharacter(text[start - 1])) {
        --start;
    }
    const std::string_view word = text.substr(start, end - start);
    return word != "return" && word != "yield";
}

std::size_t FindOpener(std::string_view text, char opener, bool macros, std::size_t from = 0)
{
    for (;;) {
        const std::size_t open = text.find(opener, from);
        if (open == npos) {
            return npos;
        }
        const std::size_t first = SkipSpace(text, open + 1);
        if (first == npos) {
            return npos;
        }
        const FirstElement element = FirstElementAt(text, first);
        if ((element == FirstElement::Literal || (macros && element == FirstElement::Macro)) &&
            !(opener == '[' && IsSubscript(text, open))) {
            return open;
        }
        // Openers inside the comments just skipped are no openers, so the search goes on
        // behind them; that keeps it linear.
        from = first > open + 1 ? first : open + 1;
    }
}

// Turns positions into lines and columns, moving forward only, so a whole read stays linear.
class Locator
{
public:
    explicit Locator(std::string_view text) : m_text(text) {}

    SourcePosition At(std::size_t p)
    {
        for (; m_position < p; ++m_position) {
            if (m_text[m_position] == '\n') {
                ++m_line;
                m_lineStart = m_position + 1;
            }
        }
        return { m_line, static_cast<std::uint32_t>(p - m_lineStart + 1) };
    }

    std::string PlaceOf(std::size_t p)
    {
        const SourcePosition position = At(p);
        return Place(position.line, position.column);
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    std::size_t m_lineStart = 0;
    std::uint32_t m_line = 1;
};

bool IsDirective(std::string_view word)
{
    constexpr std::array<std::string_view, 12> kDirectives = {
        "if",     "ifdef", "ifndef",  "elif",   "else", "endif",
        "define", "undef", "include", "pragma", "line", "error",
    };
    for (const std::string_view directive : kDirectives) {
        if (word == directive) {
            return true;
        }
    }
    return false;
}

struct Literal
{
    std::size_t end = 0;
    unsigned value = 0;
    bool overByte = false;
    bool valid = true;
};

// A C or Python integer literal at p: 0x1F, 0X1f, 0b101, 017 (octal), 161, with digit
// separators and u/l suffixes.
Literal ReadLiteral(std::string_view text, std::size_t p)
{
    Literal literal;
    unsigned radix = 10;
    if (text[p] == '0' && p + 1 < text.size()) {
        const char kind = text[p + 1];
        if (kind == 'x' || kind == 'X') {
            radix = 16;
            p += 2;
        } else if (kind == 'b' || kind == 'B') {
            radix = 2;
            p += 2;
        } else if (IsDecimalDigit(kind)) {
            radix = 8;
        }
    }
    std::size_t digits = 0;
    for (; p < text.size(); ++p) {
        const char c = text[p];
        if ((c == '\'' || c == '_') && digits > 0) {
            continue;
        }
        const int value = HexValue(c);
        if (value < 0 || static_cast<unsigned>(value) >= radix) {
            if (value >= 0 && radix != 16 && IsDecimalDigit(c)) {
                literal.valid = false; // 8 or 9 in an octal literal
            }
            break;
        }
        ++digits;
        literal.value = literal.value * radix + static_cast<unsigned>(value);
        if (literal.value > 0xFF) {
            literal.overByte = true;
            literal.value = 0x100; // keeps the number from growing without end
        }
    }
    while (p < text.size() &&
           (text[p] == 'u' || text[p] == 'U' || text[p] == 'l' || text[p] == 'L')) {
        ++p;
    }
    // Kotlin turns each literal into a byte by a call.
    for (const std::string_view call :
         { std::string_view(".toByte()"), std::string_view(".toUByte()") }) {
        if (digits > 0 && text.substr(p, call.size()) == call) {
            p += call.size();
        }
    }
    if (digits == 0 || (p < text.size() && (IsIdentifierCharacter(text[p]) || text[p] == '.'))) {
        literal.valid = false;
        p = IdentifierEnd(text, p);
    }
    literal.end = p;
    return literal;
}

} // namespace

// Where a call that makes bytes of its arguments opens them: Python's "bytes((", "bytearray(("
// and Kotlin's "byteArrayOf(", or a plain Python tuple of numbers assigned to a name
// ("DESC = (0x05, ..."). The '(' of the elements, or npos.
// Each search goes on from where the last one of its kind stopped, so finding every call of a
// text stays linear in it; from must not go back.
class ByteCallFinder
{
public:
    std::size_t Next(std::string_view text, std::size_t from)
    {
        std::size_t best = npos;
        for (std::size_t i = 0; i < kCalls.size(); ++i) {
            if (!m_started || (m_next[i] != npos && m_next[i] < from)) {
                m_next[i] = text.find(kCalls[i], from);
            }
            if (m_next[i] != npos && (best == npos || m_next[i] + kCalls[i].size() - 1 < best)) {
                best = m_next[i] + kCalls[i].size() - 1;
            }
        }
        if (!m_started || (m_tuple != npos && m_tuple < from)) {
            m_tuple = FindTuple(text, from);
        }
        if (m_tuple < best) {
            best = m_tuple;
        }
        m_started = true;
        return best;
    }

private:
    // The '(' of "name = (" whose first element is a number; an expression in parentheses
    // ("x = (a + 1)") has none, and comparisons ("==", "<=") assign nothing.
    static std::size_t FindTuple(std::string_view text, std::size_t from)
    {
        for (std::size_t eq = text.find('=', from); eq != npos; eq = text.find('=', eq + 1)) {
            if (eq + 1 < text.size() && text[eq + 1] == '=') {
                ++eq;
                continue;
            }
            if (eq > 0 && std::string_view("=!<>+-*/%&|^:").find(text[eq - 1]) != npos) {
                continue;
            }
            std::size_t open = eq + 1;
            while (open < text.size() && IsBlank(text[open])) {
                ++open;
            }
            if (open >= text.size() || text[open] != '(') {
                continue;
            }
            const std::size_t first = SkipSpace(text, open + 1);
            if (first != npos && first < text.size() &&
                FirstElementAt(text, first) == FirstElement::Literal) {
                return open;
            }
        }
        return npos;
    }

    static constexpr std::array<std::string_view, 3> kCalls = { "bytes((", "bytearray((",
                                                                "byteArrayOf(" };
    std::array<std::size_t, 3> m_next{};
    std::size_t m_tuple = npos;
    bool m_started = false;
};

std::size_t FindByteCall(std::string_view text, std::size_t from)
{
    return ByteCallFinder().Next(text, from);
}

std::size_t FindInitializer(std::string_view text)
{
    const std::size_t brace = FindOpener(text, '{', true);
    if (brace != npos) {
        return brace;
    }
    const std::size_t bracket = FindOpener(text, '[', false);
    const std::size_t call = FindByteCall(text, 0);
    return call < bracket ? call : bracket;
}

bool HasCSourceSign(std::string_view text, const TextSigns& signs)
{
    std::size_t open = signs.brace == npos ? npos : FindOpener(text, '{', true, signs.brace);
    if (open == npos && signs.bracket != npos) {
        open = FindOpener(text, '[', false, signs.bracket);
    }
    if (open == npos && FindByteCall(text, 0) != npos) {
        open = FindByteCall(text, 0);
    }
    // A call that opens at the very end of the text ("bytes((") or before a comment that never
    // ends has no first element to look at.
    const std::size_t first = open == npos ? npos : SkipCast(text, SkipSpace(text, open + 1));
    if (first < text.size()) {
        if (FirstElementAt(text, first) == FirstElement::Macro) {
            return true;
        }
        // A 0x literal, then a comma or the end, as C and Python write elements.
        if (text[first] == '0' && first + 1 < text.size() &&
            (text[first + 1] == 'x' || text[first + 1] == 'X')) {
            std::size_t digits = first + 2;
            while (digits < text.size() &&
                   (HexValue(text[digits]) >= 0 || text[digits] == 'u' || text[digits] == 'U' ||
                    text[digits] == 'l' || text[digits] == 'L')) {
                ++digits;
            }
            for (const std::string_view call :
                 { std::string_view(".toByte()"), std::string_view(".toUByte()") }) {
                if (text.substr(digits, call.size()) == call) {
                    digits += call.size();
                }
            }
            const std::size_t after = SkipSpace(text, digits);
            return after != npos && after < text.size() &&
                   (text[after] == ',' || text[after] == '}' || text[after] == ']');
        }
        // Hex text in braces shows its bytes as pairs; C shows 5 or 161.
        std::size_t end = first;
        while (end < text.size() && IsDecimalDigit(text[end])) {
            ++end;
        }
        const std::size_t after = SkipSpace(text, end);
        const bool separated = after != npos && after < text.size() &&
                               (text[after] == ',' || text[after] == '}' || text[after] == ']');
        if (end - first != 2 && separated) {
            return true;
        }
    }
    // Block comments beside 0x literals, as code generators write them without braces.
    for (std::size_t comment = signs.blockComment; comment != npos;) {
        const std::size_t lineStart = text.rfind('\n', comment);
        const std::size_t from = lineStart == npos ? 0 : lineStart + 1;
        const std::size_t feed = text.find('\n', comment);
        const std::string_view line = text.substr(from, feed == npos ? npos : feed - from);
        if (line.find("0x") != npos) {
            return true;
        }
        if (feed == npos) {
            break;
        }
        comment = text.find("/*", feed);
    }
    return false;
}

namespace {

// The name the source gives the array whose initializer opens at open: the identifier before
// the "=" in front of it, past an array size or a type ("desc[] =", "DESC: [u8; 50] =",
// "byte[] desc =", "desc = bytes(("). Empty when there is none on the opener's statement.
std::string NameBefore(std::string_view text, std::size_t open)
{
    // The opener's own line, and the line before when the opener starts its line ("=\n{"):
    // comments above a declaration ("<https://...>") and code before it name nothing.
    constexpr std::size_t kLookBack = 160;
    std::size_t from = text.rfind('\n', open);
    from = from == npos ? 0 : from + 1;
    if (TrimBlanks(text.substr(from, open - from)).empty() && from > 1) {
        const std::size_t previous = text.rfind('\n', from - 2);
        from = previous == npos ? 0 : previous + 1;
    }
    from = std::max(from, open > kLookBack ? open - kLookBack : std::size_t{ 0 });
    std::string_view before = text.substr(from, open - from);
    const std::size_t stop = before.find_last_of(";{}");
    if (stop != npos) {
        before.remove_prefix(stop + 1);
    }
    const std::size_t equals = before.rfind('=');
    if (equals == npos) {
        return {};
    }
    before = before.substr(0, equals);
    // C names the array before its brackets ("desc[] __attribute__ ="); Java and C# put them
    // after the type ("byte[] desc ="). Else the name is the last identifier, a ": type" aside.
    constexpr std::array<std::string_view, 12> kTypes = {
        "byte",     "sbyte", "char", "int",     "short",  "long",
        "unsigned", "u8",    "i8",   "uint8_t", "int8_t", "new",
    };
    std::string_view name;
    std::string_view last;
    for (std::size_t p = 0; p < before.size();) {
        if (!IsIdentifierStart(before[p]) || (p > 0 && IsIdentifierCharacter(before[p - 1]))) {
            ++p;
            continue;
        }
        const std::size_t end = IdentifierEnd(before, p);
        const std::string_view word = before.substr(p, end - p);
        std::size_t after = end;
        while (after < before.size() && IsSpace(before[after])) {
            ++after;
        }
        const bool isType = std::find(kTypes.begin(), kTypes.end(), word) != kTypes.end();
        if (after < before.size() && before[after] == '[' && !isType) {
            name = word;
        }
        if (after < before.size() && before[after] == ':' &&
            (after + 1 >= before.size() || before[after + 1] != ':')) {
            last = word; // "NAME: [u8; 50]": the type that follows is no name
            break;
        }
        if (!isType) {
            last = word;
        }
        p = end;
    }
    return std::string(name.empty() ? last : name);
}

// The position just past the brace or bracket that closes the one opened before from, strings
// and comments skipped; the text's size when it never closes.
std::size_t PastClose(std::string_view text, std::size_t from)
{
    int depth = 1;
    std::size_t p = from;
    while (depth > 0) {
        p = SkipSpace(text, p);
        if (p == npos || p >= text.size()) {
            return text.size();
        }
        const char c = text[p];
        if (c == '{' || c == '[' || c == '(') {
            ++depth;
        } else if (c == '}' || c == ']' || c == ')') {
            --depth;
        } else if (c == '"' || c == '\'') {
            const std::size_t feed = text.find('\n', p);
            const std::size_t close = text.find(c, p + 1);
            if (close != npos && (feed == npos || close < feed)) {
                p = close;
            }
        }
        ++p;
    }
    return p;
}

// Reads the elements after from up to the close of the initializer open (npos: loose literals
// to the end of the text). Gives where it stopped in end.
InputOutcome ReadElements(std::string_view text, std::size_t open, std::size_t from,
                          Locator& locator, ByteSink& sink, std::size_t& end)
{
    // Where the outermost brace or bracket still open was opened: the initializer's, or one
    // met in text that has no initializer of its own.
    std::size_t p = from;
    int depth = open == npos ? 0 : 1;
    for (;;) {
        const std::size_t next = SkipSpace(text, p);
        if (next == npos) {
            return Malformed("the comment at " + locator.PlaceOf(p) + " never ends");
        }
        p = next;
        end = p;
        if (p == text.size()) {
            if (depth > 0) {
                return Malformed("the initializer opened at " + locator.PlaceOf(open) +
                                 " never closes");
            }
            return {};
        }
        const char c = text[p];
        if (c == ',') {
            ++p;
            continue;
        }
        if (c == '{' || c == '[') {
            if (depth++ == 0) {
                open = p;
            }
            ++p;
            continue;
        }
        if (c == '(' && SkipCast(text, p) != p) {
            p = SkipCast(text, p);
            continue;
        }
        if ((c == '}' || c == ']' || (c == ')' && open != npos && text[open] == '(')) &&
            depth > 0) {
            ++p;
            if (--depth == 0) {
                end = p;
                return {}; // what follows the initializer is no part of it
            }
            continue;
        }
        if (c == '#') {
            // A Python comment, or a preprocessor line whose effect on the bytes is unknown.
            const std::size_t word = SkipSpace(text.substr(0, text.find('\n', p)), p + 1);
            const std::size_t wordEnd = IdentifierEnd(text, word == npos ? p + 1 : word);
            if (word != npos && IsDirective(text.substr(word, wordEnd - word))) {
                return Malformed("the preprocessor line at " + locator.PlaceOf(p) +
                                 " is inside the initializer; its bytes are unknown");
            }
            const std::size_t feed = text.find('\n', p);
            p = feed == npos ? text.size() : feed + 1;
            continue;
        }
        if (IsDecimalDigit(c)) {
            const Literal literal = ReadLiteral(text, p);
            const std::string_view spelled = text.substr(p, literal.end - p);
            if (!literal.valid) {
                return Malformed(Quoted(spelled) + " at " + locator.PlaceOf(p) +
                                 " is not a number");
            }
            if (literal.overByte) {
                return Malformed(std::string(spelled) + " at " + locator.PlaceOf(p) +
                                 " is over 255; one element is one byte");
            }
            const SourcePosition position = locator.At(p);
            if (!sink.Add(static_cast<std::uint8_t>(literal.value), position.line,
                          position.column)) {
                return TooManyBytes();
            }
            p = literal.end;
            continue;
        }
        if (IsIdentifierStart(c)) {
            const std::string name(text.substr(p, IdentifierEnd(text, p) - p));
            if (IsCall(text, p)) {
                return Malformed(name + "(...) at " + locator.PlaceOf(p) +
                                 " is a macro; its bytes are unknown");
            }
            return Malformed(name + " at " + locator.PlaceOf(p) +
                             " is an identifier; its value is unknown");
        }
        return Malformed(Quoted(text.substr(p, 1)) + " at " + locator.PlaceOf(p) +
                         " has no place in an initializer of numbers");
    }
}

} // namespace

InputOutcome ReadCSource(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    Locator locator(text);
    // Braces when the text has an initializer in them; brackets (Python, Rust, JSON) only when it
    // has none, since C indexes arrays with brackets too.
    const char opener = FindOpener(text, '{', true) != npos ? '{' : '[';
    std::size_t open = FindInitializer(text);
    ByteCallFinder byteCalls;
    if (open == npos) {
        std::size_t end = 0;
        return ReadElements(text, npos, 0, locator, sink, end);
    }
    // Every initializer of numbers is a descriptor of its own. One that cannot be read stays
    // listed with the reason, so a file whose report descriptor sits beside configuration
    // descriptors written with macros still gives it, and a file of macros alone says why.
    while (open != npos) {
        const SourcePosition place = locator.At(open);
        BeginCandidate(input, place.line, NameBefore(text, open));
        std::size_t end = open + 1;
        const InputOutcome outcome = ReadElements(text, open, open + 1, locator, sink, end);
        if (outcome.status == InputStatus::TooManyBytes) {
            return outcome;
        }
        if (outcome.status != InputStatus::Ok) {
            DescriptorCandidate& candidate = input.candidates.back();
            candidate.error = outcome.message;
            input.bytes.resize(candidate.offset);
            input.positions.resize(candidate.offset);
            if (end == text.size()) {
                break;
            }
            end = PastClose(text, open + 1);
        }
        if (end >= text.size()) {
            open = npos;
        } else if (text[open] == '(') {
            open = byteCalls.Next(text, end);
        } else {
            open = FindOpener(text, opener, opener == '{', end);
        }
    }
    return {};
}

} // namespace quorlix::forms
