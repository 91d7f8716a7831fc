#include "capture/CaptureScan.h"

#include <algorithm>
#include <cstddef>

namespace quorlix {
namespace {

// Requests whose answers have not come yet. A capture that never shows the answers cannot
// make this grow without bound: past the bound the oldest is forgotten.
constexpr std::size_t kMaxPendingRequests = 1024;

// The most OUT data kept for one control request: the longest a request can carry.
constexpr std::size_t kMaxControlData = 65535;

constexpr std::uint8_t kGetDescriptor = 6;
constexpr std::uint8_t kGetReport = 1;
constexpr std::uint8_t kSetReport = 9;
constexpr std::uint8_t kDeviceDescriptor = 1;
constexpr std::uint8_t kConfigurationDescriptor = 2;
constexpr std::uint8_t kInterfaceDescriptor = 4;
constexpr std::uint8_t kEndpointDescriptor = 5;
constexpr std::uint8_t kHidDescriptor = 0x21;
constexpr std::uint8_t kReportDescriptor = 0x22;
constexpr std::uint8_t kHidClass = 3;

struct PendingRequest
{
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    std::uint64_t urbId = 0;
    std::uint64_t frame = 0;
    std::int64_t timeNs = 0;
    std::array<std::uint8_t, 8> setup{};
    std::vector<std::uint8_t> outData;
    std::uint32_t outLength = 0;
};

struct Setup
{
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t index;
    std::uint16_t length;
};

Setup SetupOf(const std::array<std::uint8_t, 8>& s)
{
    return Setup{ s[0], s[1], static_cast<std::uint16_t>(s[2] | (s[3] << 8)),
                  static_cast<std::uint16_t>(s[4] | (s[5] << 8)),
                  static_cast<std::uint16_t>(s[6] | (s[7] << 8)) };
}

std::uint16_t Little16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// The interfaces of a configuration descriptor, as far as its bytes go; the first alternate
// setting of each interface, its HID descriptor's report length and its endpoints.
std::vector<CapturedInterface> ParseConfiguration(std::span<const std::uint8_t> bytes)
{
    std::vector<CapturedInterface> interfaces;
    CapturedInterface* current = nullptr;
    for (std::size_t pos = 0; pos + 2 <= bytes.size();) {
        const std::size_t length = bytes[pos];
        if (length < 2 || pos + length > bytes.size()) {
            break;
        }
        const std::span<const std::uint8_t> d = bytes.subspan(pos, length);
        pos += length;
        switch (d[1]) {
        case kInterfaceDescriptor: {
            current = nullptr;
            if (d.size() < 9 || d[3] != 0) {
                continue; // alternate settings keep the endpoints of the first
            }
            const auto same = std::find_if(interfaces.begin(), interfaces.end(),
                                           [&](const auto& i) { return i.number == d[2]; });
            if (same != interfaces.end()) {
                continue;
            }
            CapturedInterface& added = interfaces.emplace_back();
            added.number = d[2];
            added.interfaceClass = d[5];
            added.subclass = d[6];
            added.protocol = d[7];
            current = &added;
            break;
        }
        case kHidDescriptor:
            if (current == nullptr || d.size() < 6) {
                continue;
            }
            for (std::size_t k = 6; k + 3 <= d.size() && k < 6 + 3 * std::size_t{ d[5] }; k += 3) {
                if (d[k] == kReportDescriptor) {
                    current->reportDescriptorLength = Little16(d, k + 1);
                    break;
                }
            }
            break;
        case kEndpointDescriptor:
            if (current == nullptr || d.size() < 7) {
                continue;
            }
            current->endpoints.push_back(CapturedEndpoint{ d[2], d[3], Little16(d, 4), d[6] });
            break;
        default:
            break;
        }
    }
    return interfaces;
}

ReportType ReportTypeOfSetup(std::uint16_t value)
{
    switch (value >> 8) {
    case 2:
        return ReportType::Output;
    case 3:
        return ReportType::Feature;
    default:
        return ReportType::Input;
    }
}

class Scanner
{
public:
    Scanner(CaptureReader& reader, CaptureInventory& inventory,
            const std::function<void(const CapturedReport&)>& onReport)
        : m_reader(reader), m_inventory(inventory), m_onReport(onReport)
    {}

    void Take(const UsbPacket& packet)
    {
        m_frame = packet.frame;
        if (packet.transfer == TransferType::Control) {
            TakeControl(packet);
        } else if (packet.transfer == TransferType::Interrupt) {
            TakeInterrupt(packet);
        }
    }

private:
    CapturedDevice* Device(std::uint16_t bus, std::uint8_t address, bool create)
    {
        for (CapturedDevice& device : m_inventory.devices) {
            if (device.bus == bus && device.address == address) {
                return &device;
            }
        }
        if (!create) {
            return nullptr;
        }
        if (m_inventory.devices.size() >= kMaxCapturedDevices) {
            ++m_inventory.dropped;
            return nullptr;
        }
        CapturedDevice& device = m_inventory.devices.emplace_back();
        device.bus = bus;
        device.address = address;
        return &device;
    }

    int InterfaceOf(std::uint16_t bus, std::uint8_t address, std::uint8_t endpoint)
    {
        const CapturedDevice* device = Device(bus, address, false);
        return device == nullptr ? -1 : InterfaceOfEndpoint(*device, endpoint);
    }

    // False for an endpoint the configuration gives to an interface of another class (a hub's
    // status endpoint, an audio interface).
    bool IsHidOrUnknown(std::uint16_t bus, std::uint8_t address, int interface)
    {
        const CapturedDevice* device = Device(bus, address, false);
        if (device == nullptr || device->configurationFrame == 0) {
            return true;
        }
        for (const CapturedInterface& i : device->interfaces) {
            if (i.number == interface) {
                return i.interfaceClass == kHidClass;
            }
        }
        return interface < 0;
    }

    void TakeControl(const UsbPacket& packet)
    {
        if (packet.event == PacketEvent::Submit && packet.hasSetup) {
            if (m_pending.size() >= kMaxPendingRequests) {
                m_pending.erase(m_pending.begin());
            }
            PendingRequest& request = m_pending.emplace_back();
            request.bus = packet.bus;
            request.address = packet.address;
            request.urbId = packet.urbId;
            request.frame = packet.frame;
            request.timeNs = packet.timeNs;
            request.setup = packet.setup;
            AddOutData(request, packet);
            return;
        }
        const auto found = std::find_if(m_pending.rbegin(), m_pending.rend(), [&](const auto& r) {
            return r.bus == packet.bus && r.address == packet.address && r.urbId == packet.urbId;
        });
        if (found == m_pending.rend()) {
            return;
        }
        if (packet.event == PacketEvent::Submit && packet.isControlData) {
            AddOutData(*found, packet);
            return;
        }
        if (packet.event == PacketEvent::Submit) {
            return;
        }
        PendingRequest request = std::move(*found);
        m_pending.erase(std::next(found).base());
        if (packet.event == PacketEvent::Complete && packet.status == 0) {
            Answered(request, packet);
        }
    }

    void AddOutData(PendingRequest& request, const UsbPacket& packet)
    {
        if ((request.setup[0] & 0x80) != 0) {
            return;
        }
        const std::size_t room = kMaxControlData - request.outData.size();
        const std::size_t take = std::min(room, packet.data.size());
        request.outData.insert(request.outData.end(), packet.data.begin(),
                               packet.data.begin() + static_cast<std::ptrdiff_t>(take));
        request.outLength += packet.dataLength;
    }

    void Answered(const PendingRequest& request, const UsbPacket& answer)
    {
        const Setup setup = SetupOf(request.setup);
        if (setup.requestType == 0x80 && setup.request == kGetDescriptor) {
            if (setup.value >> 8 == kDeviceDescriptor) {
                TakeDeviceDescriptor(request, answer);
            } else if (setup.value >> 8 == kConfigurationDescriptor) {
                TakeConfiguration(request, answer);
            }
        } else if (setup.requestType == 0x81 && setup.request == kGetDescriptor &&
                   setup.value >> 8 == kReportDescriptor) {
            TakeReportDescriptor(request, answer, setup.index);
        } else if (setup.requestType == 0x21 && setup.request == kSetReport) {
            // The report is the request's data: its frame is the request's, not the answer's.
            UsbPacket asked = answer;
            asked.frame = request.frame;
            asked.timeNs = request.timeNs;
            Report(request.bus, request.address, 0, setup.index & 0xFF,
                   ReportTypeOfSetup(setup.value), ReportSource::SetReport, asked, request.outData,
                   request.outLength);
        } else if (setup.requestType == 0xA1 && setup.request == kGetReport) {
            Report(request.bus, request.address, 0x80, setup.index & 0xFF,
                   ReportTypeOfSetup(setup.value), ReportSource::GetReport, answer, answer.data,
                   answer.dataLength);
        }
    }

    void TakeDeviceDescriptor(const PendingRequest& request, const UsbPacket& answer)
    {
        if (answer.data.size() < 12) {
            return; // the first eight bytes, asked for the packet size only
        }
        CapturedDevice* device = Device(request.bus, request.address, true);
        if (device == nullptr) {
            return;
        }
        if (device->hasIds && (device->vendorId != Little16(answer.data, 8) ||
                               device->productId != Little16(answer.data, 10))) {
            // Another device took the address: what was learnt belongs to the old one.
            *device = CapturedDevice{};
            device->bus = request.bus;
            device->address = request.address;
        }
        device->hasIds = true;
        device->vendorId = Little16(answer.data, 8);
        device->productId = Little16(answer.data, 10);
        device->deviceFrame = answer.frame;
    }

    void TakeConfiguration(const PendingRequest& request, const UsbPacket& answer)
    {
        std::vector<CapturedInterface> interfaces = ParseConfiguration(answer.data);
        if (interfaces.empty()) {
            return; // the nine-byte header asked for the total length only
        }
        CapturedDevice* device = Device(request.bus, request.address, true);
        if (device == nullptr) {
            return;
        }
        if (interfaces.size() >= device->interfaces.size()) {
            device->interfaces = std::move(interfaces);
            device->configurationFrame = answer.frame;
        }
    }

    void TakeReportDescriptor(const PendingRequest& request, const UsbPacket& answer,
                              std::uint16_t interface)
    {
        const std::span<const std::uint8_t> bytes = answer.data;
        if (bytes.empty()) {
            return;
        }
        const std::string name = InterfaceName(request.bus, request.address, interface);
        if (answer.IsCut()) {
            m_reader.Warn(answer.frame, "the report descriptor of " + name + " is cut to " +
                                            std::to_string(bytes.size()) + " of its " +
                                            std::to_string(answer.dataLength) +
                                            " bytes by the capture");
        }
        for (CapturedDescriptor& known : m_inventory.descriptors) {
            if (known.bus == request.bus && known.address == request.address &&
                known.interface == interface &&
                std::equal(known.bytes.begin(), known.bytes.end(), bytes.begin(), bytes.end())) {
                ++known.fetches;
                known.lastFrame = answer.frame;
                return;
            }
        }
        if (m_inventory.descriptors.size() >= kMaxCapturedDescriptors) {
            ++m_inventory.dropped;
            return;
        }
        CapturedDescriptor& added = m_inventory.descriptors.emplace_back();
        added.bus = request.bus;
        added.address = request.address;
        added.interface = interface;
        added.frame = answer.frame;
        added.lastFrame = answer.frame;
        added.requestFrame = request.frame;
        added.timeNs = answer.timeNs;
        added.cut = answer.IsCut();
        added.bytes.assign(bytes.begin(), bytes.end());
        if (const CapturedDevice* device = Device(request.bus, request.address, false)) {
            for (const CapturedInterface& i : device->interfaces) {
                if (i.number == interface) {
                    added.declaredLength = i.reportDescriptorLength;
                }
            }
        }
        if (added.declaredLength != 0 && !added.cut && added.declaredLength != bytes.size()) {
            m_reader.Warn(answer.frame, "the report descriptor of " + name + " has " +
                                            std::to_string(bytes.size()) +
                                            " bytes; its HID descriptor declares " +
                                            std::to_string(added.declaredLength));
        }
    }

    void TakeInterrupt(const UsbPacket& packet)
    {
        // A submission's status is usbmon's "in progress"; only a completion's tells success.
        const bool in = packet.IsIn();
        if (packet.data.empty() || (in && packet.status != 0)) {
            return;
        }
        if (in != (packet.event == PacketEvent::Complete) || packet.event == PacketEvent::Error) {
            return; // an IN submission or an OUT completion carries no report
        }
        const int interface = InterfaceOf(packet.bus, packet.address, packet.endpoint);
        Report(packet.bus, packet.address, packet.endpoint, interface,
               in ? ReportType::Input : ReportType::Output, ReportSource::Interrupt, packet,
               packet.data, packet.dataLength);
    }

    void Report(std::uint16_t bus, std::uint8_t address, std::uint8_t endpoint, int interface,
                ReportType type, ReportSource source, const UsbPacket& packet,
                std::span<const std::uint8_t> bytes, std::uint32_t length)
    {
        if (!IsHidOrUnknown(bus, address, interface)) {
            return;
        }
        CapturedReport report;
        report.frame = packet.frame;
        report.completedFrame = m_frame;
        report.timeNs = packet.timeNs;
        report.bus = bus;
        report.address = address;
        report.endpoint = endpoint;
        report.interface = interface;
        report.type = type;
        report.source = source;
        report.bytes = bytes;
        report.length = std::max<std::uint32_t>(length, static_cast<std::uint32_t>(bytes.size()));
        Count(report);
        if (m_onReport) {
            m_onReport(report);
        }
    }

    void Count(const CapturedReport& report)
    {
        const std::uint32_t shown = static_cast<std::uint32_t>(report.bytes.size());
        const bool cut = shown < report.length;
        ReportTraffic* traffic = nullptr;
        for (ReportTraffic& t : m_inventory.traffic) {
            if (t.bus == report.bus && t.address == report.address &&
                t.endpoint == report.endpoint && t.interface == report.interface &&
                t.type == report.type && t.source == report.source) {
                traffic = &t;
                break;
            }
        }
        if (traffic == nullptr) {
            if (m_inventory.traffic.size() >= kMaxReportTraffic) {
                ++m_inventory.dropped;
                return;
            }
            traffic = &m_inventory.traffic.emplace_back();
            traffic->bus = report.bus;
            traffic->address = report.address;
            traffic->endpoint = report.endpoint;
            traffic->interface = report.interface;
            traffic->type = report.type;
            traffic->source = report.source;
            traffic->firstFrame = report.frame;
            traffic->shortest = report.length;
        }
        if (cut && traffic->cut == 0) {
            m_reader.Warn(report.frame,
                          "a report of " +
                              InterfaceName(report.bus, report.address, report.interface) +
                              " is cut to " + std::to_string(shown) + " of its " +
                              std::to_string(report.length) +
                              " bytes by the capture; cut reports are not decoded");
        }
        ++traffic->count;
        traffic->cut += cut ? 1 : 0;
        traffic->lastFrame = report.frame;
        traffic->shortest = std::min(traffic->shortest, report.length);
        traffic->longest = std::max(traffic->longest, report.length);
    }

    CaptureReader& m_reader;
    CaptureInventory& m_inventory;
    const std::function<void(const CapturedReport&)>& m_onReport;
    std::vector<PendingRequest> m_pending;
    std::uint64_t m_frame = 0; // of the packet being taken
};

} // namespace

Expected<void, CaptureError> ScanCapture(CaptureReader& reader, CaptureInventory& inventory,
                                         const CaptureCallbacks& callbacks)
{
    inventory = CaptureInventory{};
    inventory.form = reader.Form();
    inventory.linkType = reader.LinkType();
    Scanner scanner(reader, inventory, callbacks.onReport);
    UsbPacket packet;
    bool first = true;
    while (reader.Next(packet)) {
        if (first) {
            inventory.firstTimeNs = packet.timeNs;
            first = false;
        }
        scanner.Take(packet);
        if (callbacks.onProgress && packet.frame % kProgressPackets == 0) {
            callbacks.onProgress(reader.Position(), reader.Size());
        }
    }
    inventory.frames = packet.frame;
    inventory.cutFrames = reader.CutFrames();
    if (reader.Error()) {
        return Unexpected(*reader.Error());
    }
    return {};
}

const CapturedDevice* FindCapturedDevice(const CaptureInventory& inventory, std::uint16_t bus,
                                         std::uint8_t address)
{
    for (const CapturedDevice& device : inventory.devices) {
        if (device.bus == bus && device.address == address) {
            return &device;
        }
    }
    return nullptr;
}

int InterfaceOfEndpoint(const CapturedDevice& device, std::uint8_t endpoint)
{
    for (const CapturedInterface& interface : device.interfaces) {
        for (const CapturedEndpoint& e : interface.endpoints) {
            if (e.address == endpoint) {
                return interface.number;
            }
        }
    }
    return -1;
}

std::string InterfaceName(std::uint16_t bus, std::uint8_t address, int interface)
{
    std::string name = std::to_string(bus) + "." + std::to_string(address);
    if (interface >= 0) {
        name += ":" + std::to_string(interface);
    }
    return name;
}

} // namespace quorlix
