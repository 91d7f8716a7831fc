#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
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
};

// What reading a descriptor gave: the form it was read as (never Auto), the bytes, and where
// each came from.
struct DescriptorInput
{
    InputForm form = InputForm::HexText;
    std::string bytes;
    std::vector<SourcePosition> positions; // one per byte; empty for binary input
    std::size_t descriptors = 0;           // how many the file holds (1 for most forms)
    std::size_t index = 0;                 // which of them was read, from 0
    std::vector<InputWarning> warnings;
    std::vector<RecordedEvent> events; // hid-recorder events of the chosen device, in file order
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
};

struct InputOutcome
{
    InputStatus status = InputStatus::Ok;
    int systemError = 0;
    std::string message; // for Malformed: the reason, with its place
};

// What to read and how.
struct InputRequest
{
    InputForm form = InputForm::Auto;
    std::size_t index = 0;
};

// Reads the descriptor at path ("-" is standard input) in the requested form. On any status but
// Ok, input holds no bytes. A path under /sys is binary under Auto.
InputOutcome ReadDescriptorInput(const std::string& path, const InputRequest& request,
                                 DescriptorInput& input);

// The same over content already in memory; path only helps Auto (a path under /sys), and may be
// empty. Memory and time stay linear in content.
InputOutcome ReadDescriptorContent(std::string_view content, std::string_view path,
                                   const InputRequest& request, DescriptorInput& input);

// The same over an open stream, read to its end or to the text bound.
InputOutcome ReadDescriptorStream(std::FILE* stream, const InputRequest& request,
                                  DescriptorInput& input);

// The form's name as the command line takes it ("hex-text", "c-source", ...).
std::string_view InputFormName(InputForm form);

// The form of a name, or nothing for an unknown name.
std::optional<InputForm> InputFormFromName(std::string_view name);

// A one-line, lower-case reason for an outcome, without the file name.
std::string DescribeInputOutcome(const InputOutcome& outcome);

} // namespace quorlix
