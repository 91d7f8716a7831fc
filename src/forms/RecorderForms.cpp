#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {
namespace {

// Reads the blank-separated two-digit hex bytes of line from column from on. Adds them to sink
// when it is given, else only counts them. Gives an error text naming the first token that is
// no hex byte, or an empty text.
std::string ReadHexPairs(std::string_view line, std::size_t from, std::uint32_t lineNumber,
                         ByteSink* sink, std::string* bytes, std::size_t& count, bool& over)
{
    count = 0;
    std::size_t p = from;
    while (p < line.size()) {
        if (IsBlank(line[p])) {
            ++p;
            continue;
        }
        std::size_t end = p;
        while (end < line.size() && !IsBlank(line[end])) {
            ++end;
        }
        const std::string_view token = line.substr(p, end - p);
        if (token.size() != 2 || HexValue(token[0]) < 0 || HexValue(token[1]) < 0) {
            return Quoted(token) + " at " + Place(lineNumber, p + 1) + " is not a hex byte";
        }
        const auto byte = static_cast<std::uint8_t>(HexValue(token[0]) << 4 | HexValue(token[1]));
        if (sink != nullptr && !sink->Add(byte, lineNumber, static_cast<std::uint32_t>(p + 1))) {
            over = true;
            return {};
        }
        if (bytes != nullptr) {
            bytes->push_back(static_cast<char>(byte));
        }
        ++count;
        p = end;
    }
    return {};
}

// A decimal number at the start of text; gives the characters it took, 0 for none.
std::size_t ReadDecimal(std::string_view text, std::size_t& value)
{
    std::size_t p = 0;
    value = 0;
    while (p < text.size() && IsDecimalDigit(text[p]) && p < 9) {
        value = value * 10 + static_cast<std::size_t>(text[p] - '0');
        ++p;
    }
    return p < text.size() && IsDecimalDigit(text[p]) ? 0 : p;
}

std::size_t SkipBlanks(std::string_view line, std::size_t p)
{
    while (p < line.size() && IsBlank(line[p])) {
        ++p;
    }
    return p;
}

std::string RecorderError(std::uint32_t lineNumber, const std::string& what)
{
    return "hid-recorder line " + std::to_string(lineNumber) + ": " + what;
}

// "E: 0.008012 3 00 05 fb": the time stamp, the byte count and the bytes.
Expected<void, std::string> ReadEvent(std::string_view line, std::uint32_t lineNumber,
                                      RecordedEvent& event)
{
    std::size_t p = SkipBlanks(line, 2);
    std::size_t whole = 0;
    std::size_t taken = ReadDecimal(line.substr(p), whole);
    if (taken == 0 || p + taken >= line.size() || line[p + taken] != '.') {
        return Unexpected(RecorderError(lineNumber, "E: has no time stamp"));
    }
    p += taken + 1;
    double fraction = 0;
    double scale = 0.1;
    for (; p < line.size() && IsDecimalDigit(line[p]); ++p, scale /= 10) {
        fraction += (line[p] - '0') * scale;
    }
    event.seconds = static_cast<double>(whole) + fraction;
    event.line = lineNumber;
    p = SkipBlanks(line, p);
    std::size_t said = 0;
    taken = ReadDecimal(line.substr(p), said);
    if (taken == 0) {
        return Unexpected(RecorderError(lineNumber, "E: has no byte count"));
    }
    std::size_t count = 0;
    bool over = false;
    std::string error =
        ReadHexPairs(line, p + taken, lineNumber, nullptr, &event.bytes, count, over);
    if (!error.empty()) {
        return Unexpected(RecorderError(lineNumber, error));
    }
    if (count != said) {
        return Unexpected(RecorderError(lineNumber, "E: says " + std::to_string(said) +
                                                        " bytes, the line holds " +
                                                        std::to_string(count)));
    }
    return {};
}

bool IsUsbhidDumpHeader(std::string_view line, std::string_view kind)
{
    // "001:005:000:DESCRIPTOR         1700000000.123456"
    constexpr std::size_t kNumbers = 12;
    if (line.size() < kNumbers + kind.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kNumbers; ++i) {
        if ((i % 4 == 3) != (line[i] == ':') || (i % 4 != 3 && !IsDecimalDigit(line[i]))) {
            return false;
        }
    }
    const std::string_view rest = line.substr(kNumbers);
    return StartsWith(rest, kind) && (rest.size() == kind.size() || IsBlank(rest[kind.size()]));
}

} // namespace

InputOutcome ReadHidRecorder(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    LineWalker lines(text);
    std::string_view line;
    std::size_t descriptors = 0;
    std::size_t device = 0;
    while (lines.Next(line)) {
        const std::uint32_t number = lines.Number();
        if (StartsWith(line, "R:")) {
            const std::size_t p = SkipBlanks(line, 2);
            std::size_t said = 0;
            const std::size_t taken = ReadDecimal(line.substr(p), said);
            if (taken == 0) {
                return Malformed(RecorderError(number, "R: has no byte count"));
            }
            std::size_t count = 0;
            bool over = false;
            BeginCandidate(input, number, {}, "device " + std::to_string(descriptors));
            const std::string error =
                ReadHexPairs(line, p + taken, number, &sink, nullptr, count, over);
            if (over) {
                return TooManyBytes();
            }
            if (!error.empty()) {
                return Malformed(RecorderError(number, error));
            }
            if (count != said) {
                return Malformed(RecorderError(number, "R: says " + std::to_string(said) +
                                                           " bytes, the line holds " +
                                                           std::to_string(count)));
            }
            ++descriptors;
        } else if (StartsWith(line, "D:")) {
            const std::size_t p = SkipBlanks(line, 2);
            if (ReadDecimal(line.substr(p), device) == 0) {
                return Malformed(RecorderError(number, "D: has no device number"));
            }
        } else if (StartsWith(line, "E:")) {
            RecordedEvent event;
            event.descriptor = device;
            if (const auto read = ReadEvent(line, number, event); !read) {
                return Malformed(read.Error());
            }
            input.events.push_back(std::move(event));
        }
        // "#" comments, N:, P:, I: and whatever else the tool may add are no descriptor bytes.
    }
    if (descriptors == 0) {
        return Malformed("no R: line in this hid-recorder text");
    }
    return {};
}

InputOutcome ReadUsbhidDump(std::string_view text, DescriptorInput& input)
{
    ByteSink sink(input);
    LineWalker lines(text);
    std::string_view line;
    std::size_t blocks = 0;
    bool inBlock = false;
    std::size_t blockBytes = 0;
    std::uint32_t blockLine = 0;
    const auto endBlock = [&]() -> InputOutcome {
        if (inBlock && blockBytes == 0) {
            return Malformed("usbhid-dump line " + std::to_string(blockLine) +
                             ": the descriptor block is empty");
        }
        inBlock = false;
        return {};
    };
    while (lines.Next(line)) {
        if (IsUsbhidDumpHeader(line, "DESCRIPTOR")) {
            if (InputOutcome outcome = endBlock(); outcome.status != InputStatus::Ok) {
                return outcome;
            }
            inBlock = true;
            blockBytes = 0;
            blockLine = lines.Number();
            ++blocks;
            // BUS:DEVICE:INTERFACE: the interface tells the blocks of one device apart.
            const unsigned interface = static_cast<unsigned>(line[8] - '0') * 100 +
                                       static_cast<unsigned>(line[9] - '0') * 10 +
                                       static_cast<unsigned>(line[10] - '0');
            BeginCandidate(input, blockLine, {}, "interface " + std::to_string(interface));
            continue;
        }
        if (IsUsbhidDumpHeader(line, "STREAM")) {
            if (InputOutcome outcome = endBlock(); outcome.status != InputStatus::Ok) {
                return outcome;
            }
            continue;
        }
        if (!inBlock) {
            continue; // report streams and anything else between the descriptor blocks
        }
        if (TrimBlanks(line).empty()) {
            if (InputOutcome outcome = endBlock(); outcome.status != InputStatus::Ok) {
                return outcome;
            }
            continue;
        }
        std::size_t count = 0;
        bool over = false;
        const std::string error =
            ReadHexPairs(line, 0, lines.Number(), &sink, nullptr, count, over);
        if (over) {
            return TooManyBytes();
        }
        if (!error.empty()) {
            return Malformed("usbhid-dump line " + std::to_string(lines.Number()) + ": " + error);
        }
        blockBytes += count;
    }
    if (InputOutcome outcome = endBlock(); outcome.status != InputStatus::Ok) {
        return outcome;
    }
    if (blocks == 0) {
        return Malformed("no BUS:DEVICE:INTERFACE:DESCRIPTOR header in this usbhid-dump text");
    }
    return {};
}

} // namespace quorlix::forms

namespace quorlix {

Expected<void, std::string> ReadRecorderEvent(std::string_view line, std::uint32_t lineNumber,
                                              RecordedEvent& event)
{
    event.bytes.clear();
    return forms::ReadEvent(line, lineNumber, event);
}

} // namespace quorlix
