#pragma once

#include "capture/CaptureReader.h"
#include "parser/HidCollection.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlix {

// An endpoint of an interface, from the configuration descriptor.
struct CapturedEndpoint
{
    std::uint8_t address = 0;    // 0x80 set for IN
    std::uint8_t attributes = 0; // the low two bits: the transfer type
    std::uint16_t maxPacketSize = 0;
    std::uint8_t interval = 0;
};

// An interface of a device's configuration (its first alternate setting).
struct CapturedInterface
{
    std::uint8_t number = 0;
    std::uint8_t interfaceClass = 0; // 3 for HID
    std::uint8_t subclass = 0;
    std::uint8_t protocol = 0;
    std::uint16_t reportDescriptorLength = 0; // as the HID descriptor declares it; 0 for none
    std::vector<CapturedEndpoint> endpoints;
};

// A device the capture talks to, named by bus and address as at the time of the capture.
struct CapturedDevice
{
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    bool hasIds = false; // the device descriptor was captured
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint64_t deviceFrame = 0;        // where the device descriptor came
    std::uint64_t configurationFrame = 0; // where the configuration came; 0 for none
    std::vector<CapturedInterface> interfaces;
};

// A report descriptor the host fetched, with the interface it asked for. The same bytes fetched
// again count as one descriptor with several fetches.
struct CapturedDescriptor
{
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    std::uint16_t interface = 0; // wIndex of the request
    std::uint64_t frame = 0;     // of the response (its first fetch)
    std::uint64_t requestFrame = 0;
    std::int64_t timeNs = 0;
    std::uint32_t fetches = 1;
    std::uint64_t lastFrame = 0;      // of the last fetch
    std::uint32_t declaredLength = 0; // from the HID descriptor; 0 when not captured
    bool cut = false;                 // the capture kept fewer bytes than the device sent
    std::vector<std::uint8_t> bytes;
};

// How a report travelled.
enum class ReportSource : std::uint8_t
{
    Interrupt, // an interrupt transfer: IN from the device, OUT from the host
    SetReport, // the class request on the control endpoint
    GetReport,
};

// One report seen, valid during the call that hands it over.
struct CapturedReport
{
    std::uint64_t frame = 0; // where the report's bytes travelled (a SET_REPORT's request)
    // Where the report became known: its completion, later than frame for a SET_REPORT whose answer
    // came after other traffic. Reports are handed over in this order, which is the capture's.
    std::uint64_t completedFrame = 0;
    std::int64_t timeNs = 0;
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    std::uint8_t endpoint = 0; // 0 or 0x80 for the control requests
    int interface = -1;        // -1 when no configuration tells it
    ReportType type = ReportType::Input;
    ReportSource source = ReportSource::Interrupt;
    std::span<const std::uint8_t> bytes;
    std::uint32_t length = 0; // on the bus; more than bytes.size() when the capture cut it
};

// The reports of one endpoint (or one control request kind) of one device, counted.
struct ReportTraffic
{
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    std::uint8_t endpoint = 0;
    int interface = -1;
    ReportType type = ReportType::Input;
    ReportSource source = ReportSource::Interrupt;
    std::uint64_t count = 0;
    std::uint64_t cut = 0;
    std::uint64_t firstFrame = 0;
    std::uint64_t lastFrame = 0;
    std::uint32_t shortest = 0;
    std::uint32_t longest = 0;
};

// What a capture holds: its form, its devices, their HID interfaces and report descriptors, and
// the traffic of reports. Bounded: past kMaxCapturedDevices devices, kMaxCapturedDescriptors
// descriptors or kMaxReportTraffic traffic entries, more are counted in dropped, not kept.
struct CaptureInventory
{
    CaptureForm form = CaptureForm::Pcap;
    CaptureLinkType linkType = CaptureLinkType::None;
    std::uint64_t frames = 0;    // packets read (lines, for text)
    std::uint64_t cutFrames = 0; // frames cut by the snap length or the text form's limit
    std::int64_t firstTimeNs = 0;
    std::vector<CapturedDevice> devices;
    std::vector<CapturedDescriptor> descriptors;
    std::vector<ReportTraffic> traffic;
    std::uint64_t dropped = 0;
    std::uint64_t warnings = 0;
};

// Time from first to time in nanoseconds, saturated: a broken capture's times may lie anywhere
// in 64 bits, and their difference must not overflow.
inline std::int64_t NanosecondsSince(std::int64_t first, std::int64_t time)
{
    std::int64_t elapsed = 0;
    if (__builtin_sub_overflow(time, first, &elapsed)) {
        return time < first ? INT64_MIN : INT64_MAX;
    }
    return elapsed;
}

inline constexpr std::size_t kMaxCapturedDevices = 1024;
inline constexpr std::size_t kMaxCapturedDescriptors = 1024;
inline constexpr std::size_t kMaxReportTraffic = 4096;

// What a scan hands over as it goes; either may be empty.
struct CaptureCallbacks
{
    std::function<void(const CapturedReport&)> onReport;
    // Now and then (every kProgressPackets packets): bytes of the file read, and its size.
    std::function<void(std::uint64_t position, std::uint64_t size)> onProgress;
};

inline constexpr std::uint64_t kProgressPackets = 1 << 16;

// Reads a whole capture once: pairs each control request with its answer, learns devices,
// interfaces and report descriptors as they come, and hands every report to onReport in the order
// of the frames that complete them (completedFrame); a SET_REPORT keeps its request's frame. Memory
// stays bounded by the inventory's bounds and the largest frame, whatever the capture's length.
// Gives the error that stopped the reading, if any; the inventory then holds what came before it.
Expected<void, CaptureError> ScanCapture(CaptureReader& reader, CaptureInventory& inventory,
                                         const CaptureCallbacks& callbacks = {});

// The device at bus and address, or nullptr.
const CapturedDevice* FindCapturedDevice(const CaptureInventory& inventory, std::uint16_t bus,
                                         std::uint8_t address);

// The interface an endpoint belongs to by the device's configuration, or -1.
int InterfaceOfEndpoint(const CapturedDevice& device, std::uint8_t endpoint);

// "1.4:0" for bus 1, address 4, interface 0; "1.4" when the interface is unknown (-1).
std::string InterfaceName(std::uint16_t bus, std::uint8_t address, int interface);

} // namespace quorlix
