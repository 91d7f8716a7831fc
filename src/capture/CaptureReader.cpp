#include "capture/CaptureReader.h"

#include "capture/LinkHeaders.h"

#include <pcap/pcap.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>

namespace quorlix {
namespace {

CaptureError CannotOpenError(int error)
{
    CaptureError cannot{ CaptureErrorKind::CannotOpen,
                         std::string("cannot open file: ") + std::strerror(error) };
    cannot.systemError = error;
    return cannot;
}

pcap_t* Pcap(void* handle)
{
    return static_cast<pcap_t*>(handle);
}

// A line of usbmon text is under 200 characters; this bound only keeps a binary file that
// looks like text from being held whole.
constexpr std::size_t kMaxTextLine = 64 * 1024;

bool IsPcapMagic(const std::uint8_t* m)
{
    const std::uint32_t big = (std::uint32_t{ m[0] } << 24) | (std::uint32_t{ m[1] } << 16) |
                              (std::uint32_t{ m[2] } << 8) | m[3];
    // Microsecond and nanosecond files, in either byte order.
    return big == 0xA1B2C3D4 || big == 0xD4C3B2A1 || big == 0xA1B23C4D || big == 0x4D3CB2A1;
}

bool IsPcapNgMagic(const std::uint8_t* m)
{
    return m[0] == 0x0A && m[1] == 0x0D && m[2] == 0x0D && m[3] == 0x0A;
}

// Reads one line without its end into line; false at the end of the stream. A line past the
// bound is drained and cut, and tooLong says so.
bool ReadLine(std::FILE* stream, std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    int c = 0;
    bool any = false;
    while ((c = std::getc(stream)) != EOF) {
        any = true;
        if (c == '\n') {
            return true;
        }
        if (line.size() < kMaxTextLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    return any;
}

} // namespace

std::string CaptureFrameName(CaptureForm form, std::uint64_t frame)
{
    return (form == CaptureForm::UsbmonText ? "line " : "frame ") + std::to_string(frame);
}

const char* CaptureFormName(CaptureForm form)
{
    switch (form) {
    case CaptureForm::Pcap:
        return "pcap";
    case CaptureForm::PcapNg:
        return "pcapng";
    case CaptureForm::UsbmonText:
        return "usbmon text";
    }
    return "pcap";
}

bool LooksLikeCapture(const std::string& path)
{
    CaptureReader reader;
    const auto opened = reader.Open(path);
    return opened || opened.Error().kind == CaptureErrorKind::UnsupportedLink ||
           opened.Error().kind == CaptureErrorKind::Malformed;
}

CaptureReader::CaptureReader(CaptureWarningSink warn) : m_warn(std::move(warn)) {}

CaptureReader::~CaptureReader()
{
    if (m_pcap != nullptr) {
        pcap_close(Pcap(m_pcap)); // closes the stream it took over
    } else if (m_stream != nullptr) {
        std::fclose(m_stream);
    }
}

Expected<void, CaptureError> CaptureReader::Open(const std::string& path)
{
    struct stat info
    {};
    if (::stat(path.c_str(), &info) != 0) {
        return Unexpected(CannotOpenError(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return Unexpected(CaptureError{ CaptureErrorKind::CannotOpen, "not a regular file" });
    }
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return Unexpected(CannotOpenError(errno));
    }
    // Large reads: with the stream's default of one block, reading a capture of hundreds of
    // megabytes twice (decode, audit) spent a fifth of its time in the read calls.
    m_buffer = std::make_unique<char[]>(kReadBufferBytes);
    std::setvbuf(stream, m_buffer.get(), _IOFBF, kReadBufferBytes);
    m_size = static_cast<std::uint64_t>(info.st_size);
    return OpenStream(stream);
}

Expected<void, CaptureError> CaptureReader::OpenMemory(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty()) {
        return Unexpected(CaptureError{ CaptureErrorKind::NotACapture, "empty file" });
    }
    // The stream is opened for reading only, so the bytes are never written.
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), "rb");
    if (stream == nullptr) {
        return Unexpected(CaptureError{ CaptureErrorKind::CannotOpen,
                                        std::string("cannot read: ") + std::strerror(errno) });
    }
    m_size = bytes.size();
    return OpenStream(stream);
}

Expected<void, CaptureError> CaptureReader::OpenStream(std::FILE* stream)
{
    m_stream = stream;
    std::uint8_t magic[4] = {};
    const std::size_t got = std::fread(magic, 1, sizeof magic, stream);
    if (got == 0) {
        return Unexpected(CaptureError{ CaptureErrorKind::NotACapture, "empty file" });
    }
    if (got == 4 && (IsPcapMagic(magic) || IsPcapNgMagic(magic))) {
        std::rewind(stream);
        m_form = IsPcapNgMagic(magic) ? CaptureForm::PcapNg : CaptureForm::Pcap;
        char error[PCAP_ERRBUF_SIZE] = {};
        pcap_t* pcap =
            pcap_fopen_offline_with_tstamp_precision(stream, PCAP_TSTAMP_PRECISION_NANO, error);
        if (pcap == nullptr) {
            // libpcap closes nothing it failed to open.
            return Unexpected(CaptureError{ CaptureErrorKind::Malformed, error });
        }
        m_stream = nullptr;
        m_pcap = pcap;
        const int link = pcap_datalink(pcap);
        if (link != 189 && link != 220 && link != 249) {
            const char* name = pcap_datalink_val_to_name(link);
            CaptureError unsupported{ CaptureErrorKind::UnsupportedLink,
                                      "link type " + std::to_string(link) +
                                          (name != nullptr ? std::string(" (") + name + ")" : "") +
                                          " holds no USB packets; usbmon (189, 220) and USBPcap "
                                          "(249) captures are read" };
            unsupported.linkType = link;
            return Unexpected(std::move(unsupported));
        }
        m_linkType = static_cast<CaptureLinkType>(link);
        return {};
    }
    // usbmon text: the first line that holds anything must be a packet.
    std::rewind(stream);
    m_form = CaptureForm::UsbmonText;
    bool tooLong = false;
    UsbPacket probe;
    while (ReadLine(stream, m_line, tooLong) && !tooLong) {
        const auto line = DecodeUsbmonTextLine(m_line, m_textData, probe);
        if (!line) {
            break;
        }
        if (*line == LinkRecord::Packet) {
            std::rewind(stream);
            return {};
        }
    }
    return Unexpected(CaptureError{ CaptureErrorKind::NotACapture,
                                    "not a capture: neither pcap, pcapng nor usbmon text" });
}

void CaptureReader::Warn(std::uint64_t frame, const std::string& text)
{
    if (m_warn) {
        m_warn(CaptureWarning{ frame, CaptureFrameName(m_form, frame) + ": " + text });
    }
}

std::uint64_t CaptureReader::Position() const
{
    std::FILE* stream = m_pcap != nullptr ? pcap_file(Pcap(m_pcap)) : m_stream;
    if (stream == nullptr) {
        return 0;
    }
    const long position = std::ftell(stream);
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

bool CaptureReader::Next(UsbPacket& packet)
{
    if (m_error) {
        return false;
    }
    return m_pcap != nullptr ? NextPcap(packet) : m_stream != nullptr && NextText(packet);
}

bool CaptureReader::NextPcap(UsbPacket& packet)
{
    pcap_t* pcap = Pcap(m_pcap);
    for (;;) {
        pcap_pkthdr* header = nullptr;
        const std::uint8_t* bytes = nullptr;
        const int result = pcap_next_ex(pcap, &header, &bytes);
        if (result == PCAP_ERROR_BREAK) {
            return false;
        }
        if (result != 1) {
            m_error =
                CaptureError{ CaptureErrorKind::Malformed,
                              CaptureFrameName(m_form, m_frame + 1) + ": " + pcap_geterr(pcap) };
            m_error->frame = m_frame + 1;
            return false;
        }
        ++m_frame;
        const std::span<const std::uint8_t> frame(bytes, header->caplen);
        packet = UsbPacket{};
        packet.frame = m_frame;
        // Opened at nanosecond precision, so tv_usec holds nanoseconds. A time past what 64-bit
        // nanoseconds hold (a broken or hostile file) saturates; the frame's bytes are still good.
        std::int64_t seconds = 0;
        if (__builtin_mul_overflow(static_cast<std::int64_t>(header->ts.tv_sec),
                                   std::int64_t{ 1000000000 }, &seconds) ||
            __builtin_add_overflow(seconds, static_cast<std::int64_t>(header->ts.tv_usec),
                                   &packet.timeNs)) {
            packet.timeNs = header->ts.tv_sec < 0 ? std::numeric_limits<std::int64_t>::min()
                                                  : std::numeric_limits<std::int64_t>::max();
        }
        const auto record =
            m_linkType == CaptureLinkType::UsbPcap
                ? DecodeUsbPcapPacket(frame, packet)
                : DecodeUsbmonPacket(frame, m_linkType == CaptureLinkType::LinuxUsbMmapped, packet);
        if (header->caplen < header->len) {
            ++m_cutFrames;
        }
        if (!record) {
            Warn(m_frame, record.Error() +
                              (header->caplen < header->len ? " (cut by the snap length)" : "") +
                              "; skipped");
            continue;
        }
        if (*record == LinkRecord::Packet) {
            return true;
        }
    }
}

bool CaptureReader::NextText(UsbPacket& packet)
{
    bool tooLong = false;
    while (ReadLine(m_stream, m_line, tooLong)) {
        ++m_frame;
        if (tooLong) {
            Warn(m_frame,
                 "a line longer than " + std::to_string(kMaxTextLine) + " characters; skipped");
            continue;
        }
        packet = UsbPacket{};
        packet.frame = m_frame;
        const auto record = DecodeUsbmonTextLine(m_line, m_textData, packet);
        if (!record) {
            Warn(m_frame, record.Error() + "; skipped");
            continue;
        }
        if (*record == LinkRecord::NoTransfer) {
            continue;
        }
        if (packet.IsCut()) {
            ++m_cutFrames;
        }
        return true;
    }
    if (std::ferror(m_stream)) {
        m_error = CaptureError{ CaptureErrorKind::Malformed,
                                CaptureFrameName(m_form, m_frame + 1) + ": read error" };
        m_error->frame = m_frame + 1;
    }
    return false;
}

} // namespace quorlix
