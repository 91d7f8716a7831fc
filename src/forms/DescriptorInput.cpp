#include "forms/DescriptorInput.h"

#include "forms/InputBounds.h"
#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

struct FormName
{
    InputForm form;
    std::string_view name;
};

constexpr std::array kFormNames = {
    FormName{ InputForm::Auto, "auto" },
    FormName{ InputForm::HexText, "hex-text" },
    FormName{ InputForm::CSource, "c-source" },
    FormName{ InputForm::Binary, "binary" },
    FormName{ InputForm::HidRecorder, "hid-recorder" },
    FormName{ InputForm::UsbhidDump, "usbhid-dump" },
    FormName{ InputForm::HexDump, "hexdump" },
    FormName{ InputForm::Lsusb, "lsusb" },
    FormName{ InputForm::Saved, "saved" },
};

// Reads fd to its end into content, refusing more than the text bound. The caller closes fd.
InputOutcome ReadAll(int fd, std::string& content)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return { InputStatus::ReadError, errno, {} };
        }
        if (count == 0) {
            return {};
        }
        if (content.size() + static_cast<std::size_t>(count) > kMaxDescriptorTextBytes) {
            return { InputStatus::TooLarge, 0, {} };
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
}

InputOutcome ReadFileContent(const std::string& path, std::string& content)
{
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait forever before fstat
    // could tell us it is no file at all. It changes nothing for a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return { InputStatus::CannotOpen, errno, {} };
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return { InputStatus::CannotOpen, error, {} };
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return { InputStatus::NotRegularFile, 0, {} };
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxDescriptorTextBytes) {
        ::close(fd);
        return { InputStatus::TooLarge, 0, {} };
    }
    // sysfs gives every attribute the size of a page, so the size is only a hint.
    content.reserve(static_cast<std::size_t>(info.st_size));
    const InputOutcome outcome = ReadAll(fd, content);
    ::close(fd);
    return outcome;
}

bool IsUnderSys(std::string_view path)
{
    return forms::StartsWith(path, "/sys/");
}

InputOutcome ReadText(std::string_view text, InputForm form, DescriptorInput& input)
{
    switch (form) {
    case InputForm::Auto:
    case InputForm::HexText:
        return forms::ReadHexText(text, input);
    case InputForm::CSource:
        return forms::ReadCSource(text, input);
    case InputForm::Binary:
        return forms::ReadBinary(text, input);
    case InputForm::HidRecorder:
        return forms::ReadHidRecorder(text, input);
    case InputForm::UsbhidDump:
        return forms::ReadUsbhidDump(text, input);
    case InputForm::HexDump:
        return forms::ReadHexDump(text, input);
    case InputForm::Lsusb:
        return forms::ReadLsusb(text, input);
    case InputForm::Saved:
        return forms::ReadSaved(text, input);
    }
    return forms::Malformed("unknown form");
}

// Two dumps pasted one after the other with a blank line between are two descriptors when each
// block parses as a report descriptor on its own; a dump with blank lines inside it stays one.
void SplitPlainDumps(std::string_view text, DescriptorInput& input)
{
    if (!input.candidates.empty() || input.positions.size() != input.bytes.size()) {
        return;
    }
    std::vector<bool> blank{ false }; // by line number, from 1
    forms::LineWalker lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        blank.push_back(forms::TrimBlanks(line).empty());
    }
    std::vector<std::size_t> starts{ 0 };
    for (std::size_t i = 1; i < input.positions.size(); ++i) {
        const std::uint32_t before = input.positions[i - 1].line;
        const std::uint32_t at = input.positions[i].line;
        for (std::uint32_t n = before + 1; n < at && n < blank.size(); ++n) {
            if (blank[n]) {
                starts.push_back(i);
                break;
            }
        }
    }
    if (starts.size() < 2) {
        return;
    }
    for (std::size_t b = 0; b < starts.size(); ++b) {
        const std::size_t end = b + 1 < starts.size() ? starts[b + 1] : input.bytes.size();
        if (!ParsesAsReportDescriptor(
                std::string_view(input.bytes).substr(starts[b], end - starts[b]))) {
            return;
        }
    }
    for (const std::size_t start : starts) {
        DescriptorCandidate candidate;
        candidate.index = input.candidates.size();
        candidate.line = input.positions[start].line;
        candidate.offset = start;
        input.candidates.push_back(std::move(candidate));
    }
}

InputOutcome Read(std::string_view content, std::string_view path, const InputRequest& request,
                  DescriptorInput& input, bool trimAround = true);

// Whether a line is prose or a fence around a dump rather than part of it: a Markdown fence, or
// a line that starts with a word of letters beyond a to f ("Here", "Thanks"), mail quoting
// aside.
bool IsLineAroundDump(std::string_view line)
{
    line = forms::TrimBlanks(line);
    while (!line.empty() && line.front() == '>') {
        line = forms::TrimBlanks(line.substr(1));
    }
    if (line.starts_with("```") || line.starts_with("~~~")) {
        return true;
    }
    std::size_t letters = 0;
    bool beyondHex = false;
    while (letters < line.size() && ((line[letters] >= 'a' && line[letters] <= 'z') ||
                                     (line[letters] >= 'A' && line[letters] <= 'Z'))) {
        beyondHex = beyondHex || forms::HexValue(line[letters]) < 0;
        ++letters;
    }
    return letters >= 2 && beyondHex;
}

// The text with the lines around a dump blanked out, so lines and columns stay the text's own:
// inside a Markdown fence when there is one, else without the prose lines before and after.
// Empty when nothing is around.
std::string DumpWithoutTextAround(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> lines; // start, length
    forms::LineWalker walker(text);
    std::string_view line;
    std::size_t fenceOpen = SIZE_MAX;
    std::size_t fenceClose = SIZE_MAX;
    while (walker.Next(line)) {
        const std::string_view trimmed = forms::TrimBlanks(line);
        if ((trimmed.starts_with("```") || trimmed.starts_with("~~~")) && fenceClose == SIZE_MAX) {
            (fenceOpen == SIZE_MAX ? fenceOpen : fenceClose) = lines.size();
        }
        lines.emplace_back(static_cast<std::size_t>(line.data() - text.data()), line.size());
    }
    std::size_t keepFrom = 0;
    std::size_t keepTo = lines.size();
    if (fenceOpen != SIZE_MAX && fenceClose != SIZE_MAX) {
        keepFrom = fenceOpen + 1;
        keepTo = fenceClose;
    } else {
        const auto around = [&](std::size_t i) {
            const std::string_view at = text.substr(lines[i].first, lines[i].second);
            return forms::TrimBlanks(at).empty() || IsLineAroundDump(at);
        };
        while (keepFrom < keepTo && around(keepFrom)) {
            ++keepFrom;
        }
        while (keepTo > keepFrom && around(keepTo - 1)) {
            --keepTo;
        }
    }
    if (keepFrom >= keepTo) {
        return {};
    }
    std::string kept(text);
    bool blanked = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view at = text.substr(lines[i].first, lines[i].second);
        if ((i < keepFrom || i >= keepTo) && !forms::TrimBlanks(at).empty()) {
            kept.replace(lines[i].first, lines[i].second, lines[i].second, ' ');
            blanked = true;
        }
    }
    return blanked ? kept : std::string{};
}

// An assembler's data lines ("        DC8 5, 1, 9, 2", ".byte 0x05, 0x01", "db 5, 1") as the
// numbers of code: the directive blanked out, and labels ("desc:"), lone words ("DATA") and
// ";" comments blanked too, so lines and columns stay the text's own. Empty when no line is a
// data line, or a line is something else.
std::string AssemblerData(std::string_view text)
{
    constexpr std::string_view kDirectives[] = { "DC8", "DCB", "DB", "db", ".byte", ".db" };
    std::string numbers(text);
    bool any = false;
    forms::LineWalker lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::size_t at = static_cast<std::size_t>(line.data() - text.data());
        std::string_view rest = forms::TrimBlanks(line);
        const std::size_t comment = rest.find(';');
        if (comment != std::string_view::npos) {
            rest = forms::TrimBlanks(rest.substr(0, comment));
        }
        if (rest.empty()) {
            continue;
        }
        if (rest.starts_with("//")) {
            numbers.replace(at, line.size(), line.size(), ' ');
            continue;
        }
        const std::size_t wordEnd = std::min(rest.find_first_of(" \t"), rest.size());
        const std::string_view word = rest.substr(0, wordEnd);
        const std::size_t start = at + static_cast<std::size_t>(rest.data() - line.data());
        bool directive = false;
        for (const std::string_view name : kDirectives) {
            directive = directive || word == name;
        }
        if (directive) {
            numbers.replace(start, word.size(), word.size(), ' ');
            any = true;
        } else if (wordEnd == rest.size()) {
            numbers.replace(at, line.size(), line.size(), ' '); // a label or a lone word
        } else {
            return {};
        }
        if (comment != std::string_view::npos) {
            const std::size_t from = start + comment;
            numbers.replace(from, line.size() - (from - at), line.size() - (from - at), ' ');
        }
    }
    return any ? numbers : std::string{};
}

// Whether any of the candidates a reader listed parses as a report descriptor.
bool AnyParses(const DescriptorInput& input)
{
    for (std::size_t i = 0; i < input.candidates.size(); ++i) {
        const std::size_t offset = input.candidates[i].offset;
        const std::size_t end =
            i + 1 < input.candidates.size() ? input.candidates[i + 1].offset : input.bytes.size();
        if (input.candidates[i].error.empty() &&
            ParsesAsReportDescriptor(std::string_view(input.bytes).substr(offset, end - offset))) {
            return true;
        }
    }
    return false;
}

// Under auto, when plain hex text would take words as digits, the forms that hold bytes
// among words: a listing of items beside their bytes, Python's byte strings, numbers written
// as code without an initializer ("0x5, 0x1, 0xc0", "5, 1, 9"), and a dump with prose or a
// fence around it. Each is taken only when what it gives parses as a report descriptor (a
// listing checks every item's length instead), so words are never read as bytes.
bool ReadWhatPlainHexMisreads(std::string_view text, std::string_view path,
                              const InputRequest& request, DescriptorInput& input, bool trimAround)
{
    DescriptorInput other;
    if (forms::ReadItemListing(text, other)) {
        input.bytes = std::move(other.bytes);
        input.positions = std::move(other.positions);
        input.warnings.clear();
        input.choice = "the byte column of a listing of items";
        return true;
    }
    other = {};
    if (forms::ReadPythonByteStrings(text, other) && AnyParses(other)) {
        input = std::move(other);
        input.form = InputForm::CSource;
        return true;
    }
    other = {};
    if (forms::ReadCSource(text, other).status == InputStatus::Ok && other.candidates.empty() &&
        ParsesAsReportDescriptor(other.bytes)) {
        input = std::move(other);
        input.form = InputForm::CSource;
        return true;
    }
    const std::string assembler = AssemblerData(text);
    other = {};
    if (!assembler.empty() && forms::ReadCSource(assembler, other).status == InputStatus::Ok &&
        other.candidates.empty() && ParsesAsReportDescriptor(other.bytes)) {
        input = std::move(other);
        input.form = InputForm::CSource;
        return true;
    }
    // Once only: the text around is taken away in one step.
    const std::string kept = trimAround ? DumpWithoutTextAround(text) : std::string{};
    if (kept.empty()) {
        return false;
    }
    other = {};
    if (Read(kept, path, request, other, false).status != InputStatus::Ok ||
        !other.warnings.empty()) {
        return false;
    }
    // The dump's own bytes must make a report descriptor, or be a list of several.
    if (other.candidates.empty() && !ParsesAsReportDescriptor(other.bytes)) {
        return false;
    }
    input = std::move(other);
    return true;
}

InputOutcome Read(std::string_view content, std::string_view path, const InputRequest& request,
                  DescriptorInput& input, bool trimAround)
{
    InputForm form = request.form;
    std::string_view text = content;
    std::optional<std::string> decoded;
    forms::TextSigns signs;
    if (form == InputForm::Auto && IsUnderSys(path)) {
        form = InputForm::Binary;
    }
    if (form != InputForm::Binary) {
        auto decoding = forms::DecodeText(content);
        if (decoding) {
            decoded = std::move(*decoding);
        }
        // UTF-16 text is full of NULs, so a byte-order mark or the NUL pattern outranks the
        // binary sign, as long as what it decodes to is text.
        const bool decodedText = decoded && !forms::HasBinarySign(*decoded);
        if (form == InputForm::Auto && !decodedText) {
            signs = forms::ScanText(content);
        }
        if (form == InputForm::Auto && !decodedText && signs.control) {
            form = InputForm::Binary;
        } else if (!decoding) {
            return forms::Malformed(decoding.Error());
        } else if (decoded) {
            text = *decoded;
            signs = forms::ScanText(text);
        }
    }
    if (form == InputForm::Auto) {
        form = forms::DetectTextForm(text, signs);
        // Markup names the items; read as hex text its tags and words would become bytes.
        const std::size_t start = text.find_first_not_of(" \t\r\n");
        if (form == InputForm::HexText && start != std::string_view::npos && text[start] == '<') {
            input.form = form;
            return { InputStatus::Refused, 0,
                     "this is XML or HTML: it names the items but holds none of their bytes; "
                     "read the device's report_descriptor in sysfs, or convert the XML to "
                     "binary with the tool that wrote it (--input hex-text reads it anyway)" };
        }
    }
    input.form = form;
    InputOutcome outcome = ReadText(form == InputForm::Binary ? content : text, form, input);
    // Under auto, plain hex text is what is left when no form fits; when reading it takes
    // words or code as digits, what it gives is not the descriptor, so nothing is given.
    if (outcome.status == InputStatus::Ok && request.form == InputForm::Auto &&
        form == InputForm::HexText && !input.warnings.empty()) {
        const InputWarning first = input.warnings.front();
        if (ReadWhatPlainHexMisreads(text, path, request, input, trimAround)) {
            return {};
        }
        return { InputStatus::Refused, 0,
                 "no form of descriptor fits this text, and read as plain hex text " +
                     first.message + " (first at " + forms::Place(first.line, first.column) +
                     "); give the descriptor's bytes alone, or --input hex-text to read it so "
                     "anyway" };
    }
    if (outcome.status == InputStatus::Ok && request.form == InputForm::Auto &&
        form == InputForm::HexText) {
        SplitPlainDumps(text, input);
    }
    return outcome;
}

// A firmware array that holds the device's USB descriptors (device, configuration, interface,
// HID, endpoint) with the report descriptor after them. The HID descriptor gives the report
// descriptor's length; it is taken only where exactly that many bytes are left and parse.
enum class Blob
{
    None,     // does not start like USB descriptors
    Found,    // the report descriptor is at start, length long
    NoReport, // USB descriptors, and no report descriptor of the HID descriptor's length
};

Blob FindInBlob(std::string_view bytes, std::size_t& start, std::size_t& length)
{
    const auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (bytes.size() < 9 || !((at(0) == 18 && at(1) == 0x01) || (at(0) == 9 && at(1) == 0x02))) {
        return Blob::None;
    }
    // Only a chain of whole descriptors with an interface and a HID descriptor among them is
    // taken for USB descriptors: a report descriptor may start with the same two bytes (09 02 is
    // Usage (Mouse)), and a broken one must still be read as it is.
    std::size_t reportLength = 0;
    bool interface = false;
    for (std::size_t p = 0; p + 2 <= bytes.size();) {
        if (reportLength > 0 && interface && bytes.size() - p == reportLength &&
            ParsesAsReportDescriptor(bytes.substr(p))) {
            start = p;
            length = reportLength;
            return Blob::Found;
        }
        const std::size_t size = at(p);
        if (size < 2 || size > bytes.size() - p) {
            break;
        }
        interface = interface || (at(p + 1) == 0x04 && size == 9);
        if (at(p + 1) == 0x21 && size >= 9 && at(p + 6) == 0x22 && reportLength == 0) {
            reportLength = at(p + 7) | std::size_t{ at(p + 8) } << 8;
        }
        p += size;
    }
    return interface && reportLength > 0 ? Blob::NoReport : Blob::None;
}

// Completes the readers' list of candidates (one of all the bytes when they made none), drops
// those without bytes, and keeps only the bytes, places and events of the one the request picks.
InputOutcome Choose(const InputRequest& request, DescriptorInput& input)
{
    std::vector<DescriptorCandidate>& candidates = input.candidates;
    if (candidates.empty()) {
        DescriptorCandidate whole;
        whole.line = input.positions.empty() ? 0 : input.positions.front().line;
        candidates.push_back(std::move(whole));
    }
    std::vector<DescriptorCandidate> kept;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        DescriptorCandidate& candidate = candidates[i];
        const std::size_t end =
            i + 1 < candidates.size() ? candidates[i + 1].offset : input.bytes.size();
        candidate.length = end - candidate.offset;
        if (candidate.length == 0 && candidate.error.empty() && candidates.size() > 1) {
            continue;
        }
        candidate.index = kept.size();
        const std::string_view bytes =
            std::string_view(input.bytes).substr(candidate.offset, candidate.length);
        candidate.reportDescriptor = ParsesAsReportDescriptor(bytes);
        std::size_t start = 0;
        std::size_t length = 0;
        // --input hex-text and binary read the bytes as they are, and so do the forms that
        // hold a report descriptor by their own shape: this program's saved files and dumps,
        // and the tools' dumps of a device's report descriptor.
        const bool toolForm = input.form == InputForm::Saved ||
                              input.form == InputForm::HidRecorder ||
                              input.form == InputForm::UsbhidDump || input.form == InputForm::Lsusb;
        const bool mayBeBlob = request.form != InputForm::HexText &&
                               request.form != InputForm::Binary && !toolForm &&
                               !candidate.reportDescriptor && candidate.error.empty();
        const Blob blob = mayBeBlob ? FindInBlob(bytes, start, length) : Blob::None;
        if (blob == Blob::Found) {
            candidate.offset += start;
            candidate.length = length;
            candidate.reportDescriptor = true;
            candidate.label = "after the USB descriptors, " + std::to_string(length) +
                              " bytes as its HID descriptor says";
            input.choice = "the report descriptor " + candidate.label;
        } else if (blob == Blob::NoReport) {
            candidate.error = "it holds USB descriptors (device, configuration, ...) and no "
                              "report descriptor of the length a HID descriptor among them gives";
        }
        kept.push_back(std::move(candidate));
    }
    if (kept.empty()) {
        // Every array was empty: there is nothing to choose among, and the caller says the text
        // holds no descriptor bytes rather than asking the user to pick one of none.
        candidates.clear();
        input.bytes.clear();
        input.positions.clear();
        input.descriptors = 0;
        return {};
    }
    candidates = std::move(kept);
    input.descriptors = candidates.size();
    std::size_t chosen = 0;
    if (InputOutcome outcome = ChooseCandidate(candidates, request, chosen);
        outcome.status != InputStatus::Ok) {
        return outcome;
    }
    input.index = chosen;
    const DescriptorCandidate& candidate = candidates[chosen];
    if (!candidate.error.empty()) {
        if (candidates.size() == 1) {
            return forms::Malformed(candidate.error);
        }
        return forms::Malformed("descriptor " + DescribeCandidate(candidate));
    }
    if (candidates.size() > 1 || candidate.offset > 0 || candidate.length < input.bytes.size()) {
        input.bytes = input.bytes.substr(candidate.offset, candidate.length);
        if (!input.positions.empty()) {
            const auto first =
                input.positions.begin() + static_cast<std::ptrdiff_t>(candidate.offset);
            input.positions = std::vector<SourcePosition>(
                first, first + static_cast<std::ptrdiff_t>(candidate.length));
        }
        if (!request.index && request.name.empty() && candidates.size() > 1) {
            input.choice = "the only one that parses as a report descriptor";
        }
        if (candidate.label.starts_with("after the USB descriptors")) {
            input.choice = "the report descriptor " + candidate.label;
        }
    }
    if (!input.events.empty()) {
        std::vector<RecordedEvent> events;
        for (RecordedEvent& event : input.events) {
            if (event.descriptor == chosen) {
                events.push_back(std::move(event));
            }
        }
        input.events = std::move(events);
    }
    return {};
}

} // namespace

namespace forms {

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        quoted += c < 0x20 || c >= 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > kLongest) {
        quoted += "...";
    }
    return quoted + "\"";
}

} // namespace forms

namespace {

std::string CandidateList(const std::vector<DescriptorCandidate>& candidates)
{
    std::string list;
    for (const DescriptorCandidate& candidate : candidates) {
        list += "\n  " + DescribeCandidate(candidate);
    }
    return list;
}

std::string Holds(std::size_t count)
{
    return count == 1 ? "1 descriptor" : std::to_string(count) + " descriptors";
}

} // namespace

bool ParsesAsReportDescriptor(std::string_view bytes)
{
    std::size_t depth = 0;
    bool mainItems = false;
    for (std::size_t p = 0; p < bytes.size();) {
        const auto prefix = static_cast<std::uint8_t>(bytes[p]);
        std::size_t size = 0;
        if (prefix == 0xFE) { // a long item: its data size in the next byte
            if (p + 1 >= bytes.size()) {
                return false;
            }
            size = 2 + static_cast<std::uint8_t>(bytes[p + 1]);
        } else {
            size = (prefix & 0x03) == 3 ? 4 : prefix & 0x03;
        }
        if (p == 0) {
            const std::uint8_t tag = prefix & 0xFC;
            if (tag != 0x04 && tag != 0x08) { // Usage Page, Usage
                return false;
            }
        }
        if (prefix != 0xFE && (prefix & 0x0C) == 0) {
            mainItems = true;
        }
        if ((prefix & 0xFC) == 0xA0) {
            ++depth;
        } else if ((prefix & 0xFC) == 0xC0) {
            if (depth == 0) {
                return false;
            }
            --depth;
        }
        if (bytes.size() - p - 1 < size) {
            return false;
        }
        p += 1 + size;
    }
    return mainItems && depth == 0;
}

InputOutcome ChooseCandidate(const std::vector<DescriptorCandidate>& candidates,
                             const InputRequest& request, std::size_t& chosen)
{
    const std::size_t count = candidates.size();
    if (request.index) {
        if (*request.index < count) {
            chosen = *request.index;
            return {};
        }
        return { InputStatus::NoSuchIndex, 0,
                 "no descriptor at index " + std::to_string(*request.index) + ": the file holds " +
                     Holds(count) + " (--index 0 to " + std::to_string(count == 0 ? 0 : count - 1) +
                     ")" + (count > 1 ? CandidateList(candidates) : std::string{}) };
    }
    if (!request.name.empty()) {
        for (const DescriptorCandidate& candidate : candidates) {
            if (candidate.name == request.name) {
                chosen = candidate.index;
                return {};
            }
        }
        return { InputStatus::NoSuchName, 0,
                 "no array named \"" + request.name + "\": the file holds " + Holds(count) +
                     CandidateList(candidates) };
    }
    if (count == 1) {
        chosen = 0;
        return {};
    }
    std::size_t parsing = 0;
    for (const DescriptorCandidate& candidate : candidates) {
        if (candidate.reportDescriptor) {
            chosen = candidate.index;
            ++parsing;
        }
    }
    if (parsing == 1) {
        return {};
    }
    return { InputStatus::Ambiguous, 0,
             "the file holds " + Holds(count) + ", " + std::to_string(parsing) +
                 (parsing == 1 ? " of them parses" : " of them parse") +
                 " as a report descriptor; choose one with --index N or --name NAME" +
                 CandidateList(candidates) };
}

std::string DescribeCandidate(const DescriptorCandidate& candidate)
{
    std::string text = std::to_string(candidate.index);
    if (!candidate.name.empty()) {
        text += "  " + candidate.name;
    }
    if (!candidate.label.empty()) {
        text += "  " + candidate.label;
    }
    if (candidate.line > 0) {
        text += "  line " + std::to_string(candidate.line);
    }
    if (!candidate.error.empty()) {
        return text + "  unreadable: " + candidate.error;
    }
    text += "  " + std::to_string(candidate.length) + (candidate.length == 1 ? " byte" : " bytes");
    text += candidate.reportDescriptor ? "  report descriptor" : "  not a report descriptor";
    return text;
}

InputOutcome ReadDescriptorContent(std::string_view content, std::string_view path,
                                   const InputRequest& request, DescriptorInput& input)
{
    input = DescriptorInput{};
    InputOutcome outcome = Read(content, path, request, input);
    if (outcome.status == InputStatus::Ok && (!input.bytes.empty() || !input.candidates.empty())) {
        outcome = Choose(request, input);
    }
    if (outcome.status == InputStatus::Ok && input.form == InputForm::Lsusb &&
        input.index < input.candidates.size()) {
        input.usbInterface = ReadLsusbInterface(content, input.candidates[input.index].line);
    }
    if (outcome.status == InputStatus::Ok && input.bytes.empty()) {
        outcome.status = InputStatus::NoBytes;
        if (input.form == InputForm::Binary) {
            outcome.message = "empty binary file";
        } else if (input.form != InputForm::HexText) {
            outcome.message =
                "no descriptor bytes in this " + std::string(InputFormName(input.form)) + " text";
        }
    }
    if (outcome.status != InputStatus::Ok) {
        // Half a descriptor would pass for a whole one, so a failed read gives nothing but the
        // list of what the file holds, for choosing one.
        const InputForm form = input.form;
        const bool listed = outcome.status == InputStatus::Ambiguous ||
                            outcome.status == InputStatus::NoSuchIndex ||
                            outcome.status == InputStatus::NoSuchName;
        std::vector<DescriptorCandidate> candidates =
            listed ? std::move(input.candidates) : std::vector<DescriptorCandidate>{};
        input = DescriptorInput{};
        input.form = form;
        input.candidates = std::move(candidates);
        input.descriptors = input.candidates.size();
    }
    return outcome;
}

InputOutcome ReadDescriptorStream(std::FILE* stream, const InputRequest& request,
                                  DescriptorInput& input)
{
    input = DescriptorInput{};
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, stream);
        if (content.size() + count > kMaxDescriptorTextBytes) {
            return { InputStatus::TooLarge, 0, {} };
        }
        content.append(buffer, count);
        if (count < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(stream) != 0) {
        return { InputStatus::ReadError, errno, {} };
    }
    return ReadDescriptorContent(content, {}, request, input);
}

InputOutcome ReadDescriptorInput(const std::string& path, const InputRequest& request,
                                 DescriptorInput& input)
{
    if (path == "-") {
        return ReadDescriptorStream(stdin, request, input);
    }
    input = DescriptorInput{};
    std::string content;
    const InputOutcome outcome = ReadFileContent(path, content);
    if (outcome.status != InputStatus::Ok) {
        return outcome;
    }
    return ReadDescriptorContent(content, path, request, input);
}

std::string_view InputFormName(InputForm form)
{
    for (const FormName& entry : kFormNames) {
        if (entry.form == form) {
            return entry.name;
        }
    }
    return "unknown";
}

std::optional<InputForm> InputFormFromName(std::string_view name)
{
    for (const FormName& entry : kFormNames) {
        if (entry.name == name) {
            return entry.form;
        }
    }
    return std::nullopt;
}

std::string DescribeInputOutcome(const InputOutcome& outcome)
{
    const auto withSystemReason = [&](std::string text) {
        if (outcome.systemError != 0) {
            text += ": ";
            text += std::strerror(outcome.systemError);
        }
        return text;
    };
    if (!outcome.message.empty()) {
        return outcome.message;
    }
    switch (outcome.status) {
    case InputStatus::Ok:
        return "ok";
    case InputStatus::CannotOpen:
        return withSystemReason("cannot open file");
    case InputStatus::NotRegularFile:
        return "not a regular file";
    case InputStatus::TooLarge:
        return "file too large (more than " + std::to_string(kMaxDescriptorTextBytes) + " bytes)";
    case InputStatus::TooManyBytes:
        return "too many bytes for a descriptor (more than " + std::to_string(kMaxDescriptorBytes) +
               ")";
    case InputStatus::ReadError:
        return withSystemReason("cannot read file");
    case InputStatus::NoBytes:
        return "no hex digits";
    case InputStatus::Malformed:
        return "malformed input";
    case InputStatus::NoSuchIndex:
        return "no such descriptor";
    case InputStatus::NoSuchName:
        return "no array of that name";
    case InputStatus::Ambiguous:
        return "several descriptors; choose one with --index or --name";
    case InputStatus::Refused:
        return "no form reads this text exactly";
    }
    return "unknown read outcome";
}

} // namespace quorlix
