#pragma once

#include "capture/UsbPacket.h"
#include "support/Expected.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// The file forms of a capture.
enum class CaptureForm : std::uint8_t
{
    Pcap,       // libpcap's classic file
    PcapNg,     // the next-generation block file
    UsbmonText, // the text of /sys/kernel/debug/usb/usbmon/Nu (or the older Nt)
};

// The link types of USB captures, as pcap files number them.
enum class CaptureLinkType : std::uint16_t
{
    None = 0,              // usbmon text has no link type
    LinuxUsb = 189,        // usbmon, 48-byte header
    LinuxUsbMmapped = 220, // usbmon, 64-byte header
    UsbPcap = 249,         // Windows USBPcap
};

enum class CaptureErrorKind : std::uint8_t
{
    CannotOpen,      // missing, no access, not a regular file
    NotACapture,     // no pcap, pcapng or usbmon text signature
    UnsupportedLink, // a capture, but of packets that are not USB
    Malformed, // the file's own structure is broken (truncated, bad block); message says where
};

// Why reading stopped. The message is lower-case and names the frame (or line) it concerns.
struct CaptureError
{
    CaptureErrorKind kind = CaptureErrorKind::Malformed;
    std::string message;
    // For a window that words the error in its own language: the frame (or line) a Malformed
    // error concerns, 0 for the file's header; the link type an UnsupportedLink names; the errno
    // of CannotOpen, 0 when the file is not a regular one.
    std::uint64_t frame = 0;
    int linkType = 0;
    int systemError = 0;
};

// Something odd in one frame that did not stop the reading: a frame cut by the snap length, a
// link header too short, a line that is not usbmon text. The frame is skipped or kept as cut.
struct CaptureWarning
{
    std::uint64_t frame = 0;
    std::string message; // lower-case, names the frame
};

using CaptureWarningSink = std::function<void(const CaptureWarning&)>;

// "frame 12" for pcap and pcapng, "line 12" for usbmon text.
std::string CaptureFrameName(CaptureForm form, std::uint64_t frame);

// "pcap", "pcapng" or "usbmon text".
const char* CaptureFormName(CaptureForm form);

// True when the file starts as a pcap or pcapng file or as usbmon text, whatever it holds
// after that: what picks the capture reader over the descriptor forms.
bool LooksLikeCapture(const std::string& path);

// Reads the packets of one capture in file order, one at a time, in memory bounded by the
// largest packet, however long the file. Pcap and pcapng go through libpcap; the text form is
// read here. Packets of other transfer kinds than USB, and frames too short for their link
// header, are skipped with a warning.
class CaptureReader
{
public:
    explicit CaptureReader(CaptureWarningSink warn = {});
    ~CaptureReader();
    CaptureReader(const CaptureReader&) = delete;
    CaptureReader& operator=(const CaptureReader&) = delete;

    // Opens a file and recognises its form by its first bytes.
    Expected<void, CaptureError> Open(const std::string& path);
    // The same over bytes in memory, which must outlive the reader.
    Expected<void, CaptureError> OpenMemory(std::span<const std::uint8_t> bytes);

    // The next packet; false at the end of the file or on an error that stops the reading
    // (Error() tells which).
    bool Next(UsbPacket& packet);
    const std::optional<CaptureError>& Error() const { return m_error; }

    CaptureForm Form() const { return m_form; }
    CaptureLinkType LinkType() const { return m_linkType; }
    // Bytes of the file consumed so far and its size, for a progress line; 0 when unknown.
    std::uint64_t Position() const;
    std::uint64_t Size() const { return m_size; }
    // Frames whose captured length was cut short of their length on the wire.
    std::uint64_t CutFrames() const { return m_cutFrames; }

    // Hands a warning about a frame to the sink, the frame's name before the text.
    void Warn(std::uint64_t frame, const std::string& text);

private:
    Expected<void, CaptureError> OpenStream(std::FILE* stream);
    bool NextPcap(UsbPacket& packet);
    bool NextText(UsbPacket& packet);

    CaptureWarningSink m_warn;
    static constexpr std::size_t kReadBufferBytes = 256 * 1024;
    std::unique_ptr<char[]> m_buffer; // the file stream's; freed after the stream is closed
    std::FILE* m_stream = nullptr;    // owned until libpcap takes it over
    void* m_pcap = nullptr;           // pcap_t
    CaptureForm m_form = CaptureForm::Pcap;
    CaptureLinkType m_linkType = CaptureLinkType::None;
    std::uint64_t m_frame = 0;
    std::uint64_t m_size = 0;
    std::uint64_t m_cutFrames = 0;
    std::optional<CaptureError> m_error;
    std::string m_line;
    std::vector<std::uint8_t> m_textData;
};

} // namespace quorlix
