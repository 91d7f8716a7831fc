#pragma once

#include "forms/LsusbInterface.h"
#include "support/Expected.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorlix {

// The forms a descriptor comes in. Auto picks one of the others by signs that cannot be mistaken
// and falls back to HexText, the lenient reader of plain hexadecimal text.
enum class InputForm
{
    Auto,
    HexText,     // hexadecimal text: digit pairs, "0x" prefixes, "//" comments
    CSource,     // a C/C++ or Python array initializer, literals by value
    Binary,      // the bytes as they are (sysfs report_descriptor, hidraw)
    HidRecorder, // hid-recorder output: the "R:" line of each device
    UsbhidDump,  // usbhid-dump output: one block per interface
    HexDump,     // xxd, hexdump -C, od -tx1, Wireshark hex dump
    Lsusb,       // the Report Descriptor items of lsusb -v
    Saved,       // this program's saved analysis (plain or C) or its -hex.txt dump
};

// Where a byte came from in the text: 1-based line and column of its first digit or of the
// literal that made it. Columns count bytes of the line, a tab one: characters in ASCII and in
// decoded UTF-16, but a UTF-8 character beyond ASCII counts as its two to four bytes.
struct SourcePosition
{
    std::uint32_t line = 0;
    std::uint32_t column = 0;
};

// Something the reader did that the user should know about; the bytes stay as read.
struct InputWarning
{
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    std::string message;
};

// One "E:" line of hid-recorder output: a report the device sent, with its time stamp.
struct RecordedEvent
{
    double seconds = 0;
    std::string bytes;
    std::uint32_t line = 0;
    std::size_t descriptor = 0; // the device ("D:") it came from, which is its descriptor's index
};

// One descriptor a source holds: an array of a source file, a block of a dump, a device of a
// recording, an interface of a capture. Readers list every one they find; the entry then picks
// one by the request, or refuses and shows the list.
struct DescriptorCandidate
{
    std::size_t index = 0;         // from 0, in the order the source holds them
    std::string name;              // the array's name where the source gives one, else empty
    std::uint32_t line = 0;        // where it starts, 1-based; 0 for binary sources
    std::size_t length = 0;        // its bytes
    bool reportDescriptor = false; // its items run to the end, collections balance, it starts
                                   // with a Usage Page or a Usage and holds a main item
    std::string label;             // what else tells it apart ("interface 1", "device 2")
    std::string error;             // why its bytes cannot be read (then it has none), else empty
    std::size_t offset = 0;        // where its bytes start among all the bytes the source gave
    std::string device;            // the device's "vvvv:pppp" where the source tells it, else empty
};

// What reading a descriptor gave: the form it was read as (never Auto), the bytes, and where
// each came from.
struct DescriptorInput
{
    InputForm form = InputForm::HexText;
    std::string bytes;
    std::vector<SourcePosition> positions;       // one per byte; empty for binary input
    std::size_t descriptors = 0;                 // how many the file holds: candidates.size()
    std::size_t index = 0;                       // which of them was read, from 0
    std::vector<DescriptorCandidate> candidates; // every descriptor the file holds
    std::string choice; // how the one read was chosen, when the file holds several; else empty
    std::vector<InputWarning> warnings;
    std::vector<RecordedEvent> events; // hid-recorder events of the chosen device, in file order
    LsusbInterface usbInterface;       // lsusb -v: what the chosen descriptor's interface says
};

enum class InputStatus
{
    Ok,
    CannotOpen,     // missing, no access, or the open failed otherwise (errno tells)
    NotRegularFile, // a directory, a FIFO, a device: never read, so it cannot hang
    TooLarge,       // more than kMaxDescriptorTextBytes
    TooManyBytes,   // more than kMaxDescriptorBytes
    ReadError,      // the read itself failed part-way (errno tells)
    NoBytes,        // read, but it holds no descriptor byte
    Malformed,      // the form's own rules are broken; message says where and how
    NoSuchIndex,    // --index beyond the descriptors the file holds
    NoSuchName,     // --name names none of the file's arrays
    Ambiguous,      // several descriptors and nothing to choose one by; candidates lists them
    Refused,        // no form reads the text exactly; message says what was seen and what to use
};

struct InputOutcome
{
    InputStatus status = InputStatus::Ok;
    int systemError = 0;
    std::string message; // for Malformed: the reason, with its place
};

// What to read and how. With neither index nor name, a file of several descriptors gives the only
// one of them that parses as a report descriptor, and is refused when there is not exactly one.
struct InputRequest
{
    InputRequest(InputForm form_ = InputForm::Auto, std::optional<std::size_t> index_ = {},
                 std::string name_ = {})
        : form(form_), index(index_), name(std::move(name_))
    {}

    InputForm form;
    std::optional<std::size_t> index;
    std::string name; // an array's name, as DescriptorCandidate::name
};

// Reads the descriptor at path ("-" is standard input) in the requested form. On any status but
// Ok, input holds no bytes; on Ambiguous, NoSuchIndex and NoSuchName its candidates still list
// what the file holds. A path under /sys is binary under Auto.
InputOutcome ReadDescriptorInput(const std::string& path, const InputRequest& request,
                                 DescriptorInput& input);

// The same over content already in memory; path only helps Auto (a path under /sys), and may be
// empty. Memory and time stay linear in content.
InputOutcome ReadDescriptorContent(std::string_view content, std::string_view path,
                                   const InputRequest& request, DescriptorInput& input);

// The same over an open stream, read to its end or to the text bound.
InputOutcome ReadDescriptorStream(std::FILE* stream, const InputRequest& request,
                                  DescriptorInput& input);

// One "E:" line of a hid-recorder text: its time stamp and bytes into event (line is lineNumber);
// gives why the line is no event. What decode reads a recording's events with when the recording
// is too long to be read whole.
Expected<void, std::string> ReadRecorderEvent(std::string_view line, std::uint32_t lineNumber,
                                              RecordedEvent& event);

// The form's name as the command line takes it ("hex-text", "c-source", ...).
std::string_view InputFormName(InputForm form);

// The form of a name, or nothing for an unknown name.
std::optional<InputForm> InputFormFromName(std::string_view name);

// A one-line, lower-case reason for an outcome, without the file name.
std::string DescribeInputOutcome(const InputOutcome& outcome);

// Whether bytes read as a report descriptor: every item whole up to the end, no End Collection
// without its Collection and none left open, a Usage Page or a Usage first, and a main item.
bool ParsesAsReportDescriptor(std::string_view bytes);

// Picks one of candidates by request (index, then name), or when neither is given the only one
// that parses as a report descriptor (or the only one there is). Gives Ok and sets chosen, or
// NoSuchIndex, NoSuchName or Ambiguous with a message that lists the candidates.
InputOutcome ChooseCandidate(const std::vector<DescriptorCandidate>& candidates,
                             const InputRequest& request, std::size_t& chosen);

// One candidate as a line of that list: "1  mouse  line 12  50 bytes  report descriptor".
std::string DescribeCandidate(const DescriptorCandidate& candidate);

} // namespace quorlix
