#include "cli/CaptureCommand.h"

#include "cli/CommandOutput.h"
#include "support/HexDigits.h"
#include "cli/NumberText.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>

#include <unistd.h>

namespace quorlix {
namespace {

// Files smaller than this read in well under a second: no progress line.
constexpr std::uint64_t kProgressMinimumBytes = 8 << 20;

const char* SourceName(ReportSource source)
{
    switch (source) {
    case ReportSource::Interrupt:
        return "interrupt";
    case ReportSource::SetReport:
        return "SET_REPORT";
    case ReportSource::GetReport:
        return "GET_REPORT";
    }
    return "interrupt";
}

const char* TypeName(ReportType type)
{
    switch (type) {
    case ReportType::Output:
        return "output";
    case ReportType::Feature:
        return "feature";
    default:
        return "input";
    }
}

const char* LinkName(CaptureLinkType link)
{
    switch (link) {
    case CaptureLinkType::LinuxUsb:
        return "usbmon";
    case CaptureLinkType::LinuxUsbMmapped:
        return "usbmon, memory-mapped";
    case CaptureLinkType::UsbPcap:
        return "USBPcap";
    default:
        return "";
    }
}

std::string Hex(std::uint64_t value, int digits)
{
    std::string text;
    AppendHex(text, value, digits);
    return text;
}

std::string Seconds(std::int64_t ns)
{
    std::string text;
    AppendSeconds(text, ns);
    return text;
}

std::string DescriptorHex(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text.push_back(' ');
        }
        AppendHex(text, byte, 2);
    }
    return text;
}

void WriteText(std::ostream& out, const std::string& file, const CaptureRun& run)
{
    const CaptureInventory& inv = run.inventory;
    const auto at = [&](std::uint64_t frame) { return CaptureFrameName(inv.form, frame); };
    const char* many = inv.form == CaptureForm::UsbmonText ? "lines" : "frames";
    out << file << ": " << CaptureFormName(inv.form);
    if (inv.linkType != CaptureLinkType::None) {
        out << ", link type " << static_cast<unsigned>(inv.linkType) << " ("
            << LinkName(inv.linkType) << ")";
    }
    out << ", " << inv.frames << (inv.form == CaptureForm::UsbmonText ? " lines" : " frames");
    if (inv.cutFrames > 0) {
        out << ", " << inv.cutFrames << " cut short";
    }
    out << "\n";
    for (const CapturedDevice& device : inv.devices) {
        out << "device " << device.bus << '.' << unsigned{ device.address };
        if (device.hasIds) {
            out << ' ' << Hex(device.vendorId, 4) << ':' << Hex(device.productId, 4) << " ("
                << at(device.deviceFrame) << ")";
        }
        if (device.configurationFrame == 0) {
            out << ", no configuration captured\n";
            continue;
        }
        out << ", configuration at " << at(device.configurationFrame) << "\n";
        for (const CapturedInterface& i : device.interfaces) {
            out << "  interface " << unsigned{ i.number };
            if (i.interfaceClass != 3) {
                out << ": class " << unsigned{ i.interfaceClass } << ", not HID\n";
                continue;
            }
            out << ": HID, subclass " << unsigned{ i.subclass } << ", protocol "
                << unsigned{ i.protocol };
            if (i.reportDescriptorLength != 0) {
                out << ", report descriptor of " << i.reportDescriptorLength << " bytes";
            }
            out << "\n";
            for (const CapturedEndpoint& e : i.endpoints) {
                out << "    endpoint " << EndpointName(e.address) << ' '
                    << ((e.address & 0x80) != 0 ? "IN" : "OUT") << ' '
                    << ((e.attributes & 3) == 3 ? "interrupt" : "other") << ", "
                    << (e.maxPacketSize & 0x7FF) << " bytes, interval " << unsigned{ e.interval }
                    << "\n";
            }
        }
    }
    if (inv.descriptors.empty()) {
        out << "no report descriptor captured\n";
    }
    for (std::size_t k = 0; k < inv.descriptors.size(); ++k) {
        const CapturedDescriptor& d = inv.descriptors[k];
        out << "descriptor " << k << ": " << InterfaceName(d.bus, d.address, d.interface) << ", "
            << d.bytes.size() << " bytes at " << at(d.frame) << " (request at "
            << at(d.requestFrame) << "), " << Seconds(NanosecondsSince(inv.firstTimeNs, d.timeNs))
            << " s";
        if (d.fetches > 1) {
            out << ", fetched " << d.fetches << " times, last at " << at(d.lastFrame);
        }
        if (d.cut) {
            out << ", cut short by the capture";
        }
        out << "\n";
    }
    for (const ReportTraffic& t : inv.traffic) {
        out << "reports " << InterfaceName(t.bus, t.address, t.interface) << ' ' << TypeName(t.type)
            << ' ' << SourceName(t.source);
        if (t.source == ReportSource::Interrupt) {
            out << " endpoint " << EndpointName(t.endpoint);
        }
        out << ": " << t.count << " of " << t.shortest;
        if (t.longest != t.shortest) {
            out << " to " << t.longest;
        }
        out << " bytes, " << many << ' ' << t.firstFrame << " to " << t.lastFrame;
        if (t.cut > 0) {
            out << ", " << t.cut << " cut short";
        }
        out << "\n";
    }
    if (inv.dropped > 0) {
        out << inv.dropped << " devices, descriptors or report kinds past the bounds not listed\n";
    }
}

void WriteJson(std::ostream& out, const std::string& file, const CaptureRun& run)
{
    using Json = nlohmann::ordered_json;
    const CaptureInventory& inv = run.inventory;
    Json doc;
    doc["file"] = file;
    doc["form"] = CaptureFormName(inv.form);
    doc["linkType"] =
        inv.linkType == CaptureLinkType::None ? Json(nullptr) : Json(unsigned(inv.linkType));
    doc["frames"] = inv.frames;
    doc["cutFrames"] = inv.cutFrames;
    Json devices = Json::array();
    for (const CapturedDevice& device : inv.devices) {
        Json d;
        d["bus"] = device.bus;
        d["address"] = device.address;
        d["vendorId"] = device.hasIds ? Json(Hex(device.vendorId, 4)) : Json(nullptr);
        d["productId"] = device.hasIds ? Json(Hex(device.productId, 4)) : Json(nullptr);
        d["deviceFrame"] = device.hasIds ? Json(device.deviceFrame) : Json(nullptr);
        d["configurationFrame"] =
            device.configurationFrame != 0 ? Json(device.configurationFrame) : Json(nullptr);
        Json interfaces = Json::array();
        for (const CapturedInterface& i : device.interfaces) {
            Json entry;
            entry["number"] = i.number;
            entry["class"] = i.interfaceClass;
            entry["subclass"] = i.subclass;
            entry["protocol"] = i.protocol;
            entry["reportDescriptorLength"] = i.reportDescriptorLength;
            Json endpoints = Json::array();
            for (const CapturedEndpoint& e : i.endpoints) {
                endpoints.push_back({ { "address", EndpointName(e.address) },
                                      { "direction", (e.address & 0x80) != 0 ? "in" : "out" },
                                      { "interrupt", (e.attributes & 3) == 3 },
                                      { "maxPacketSize", e.maxPacketSize & 0x7FF },
                                      { "interval", e.interval } });
            }
            entry["endpoints"] = std::move(endpoints);
            interfaces.push_back(std::move(entry));
        }
        d["interfaces"] = std::move(interfaces);
        devices.push_back(std::move(d));
    }
    doc["devices"] = std::move(devices);
    Json descriptors = Json::array();
    for (std::size_t k = 0; k < inv.descriptors.size(); ++k) {
        const CapturedDescriptor& d = inv.descriptors[k];
        descriptors.push_back({ { "index", k },
                                { "interface", InterfaceName(d.bus, d.address, d.interface) },
                                { "bus", d.bus },
                                { "address", d.address },
                                { "interfaceNumber", d.interface },
                                { "frame", d.frame },
                                { "requestFrame", d.requestFrame },
                                { "time", Seconds(NanosecondsSince(inv.firstTimeNs, d.timeNs)) },
                                { "length", d.bytes.size() },
                                { "declaredLength", d.declaredLength },
                                { "fetches", d.fetches },
                                { "lastFrame", d.lastFrame },
                                { "cut", d.cut },
                                { "bytes", DescriptorHex(d.bytes) } });
    }
    doc["descriptors"] = std::move(descriptors);
    Json reports = Json::array();
    for (const ReportTraffic& t : inv.traffic) {
        reports.push_back(
            { { "interface", InterfaceName(t.bus, t.address, t.interface) },
              { "bus", t.bus },
              { "address", t.address },
              { "interfaceNumber", t.interface < 0 ? Json(nullptr) : Json(t.interface) },
              { "endpoint", EndpointName(t.endpoint) },
              { "type", TypeName(t.type) },
              { "source", SourceName(t.source) },
              { "count", t.count },
              { "cut", t.cut },
              { "shortest", t.shortest },
              { "longest", t.longest },
              { "firstFrame", t.firstFrame },
              { "lastFrame", t.lastFrame } });
    }
    doc["reports"] = std::move(reports);
    doc["warnings"] = run.warnings;
    doc["warningCount"] = run.warningCount;
    doc["error"] = run.error ? Json(run.error->message) : Json(nullptr);
    out << doc.dump(2) << '\n';
}

// Why no descriptor was taken, in the words of the options that asked for one.
std::string NoCapturedDescriptorText(CapturedDescriptorError error, const CommandLine& options,
                                     std::size_t descriptors)
{
    switch (error) {
    case CapturedDescriptorError::NoDescriptor:
        return "the capture holds no report descriptor (was the device plugged in while it ran?)";
    case CapturedDescriptorError::BadSelector:
        return "--interface " + options.interfaceSelector + " is not BUS.ADDR:IF";
    case CapturedDescriptorError::NoSuchInterface:
        return "no report descriptor of " + options.interfaceSelector +
               " in the capture (quorlix-cli capture lists them)";
    case CapturedDescriptorError::NoSuchIndex:
        break;
    }
    return "--index " + std::to_string(options.index.value_or(0)) + ": the capture holds " +
           std::to_string(descriptors) + " report descriptors";
}

} // namespace

CaptureRun ScanCaptureFile(const std::string& path, const CaptureCallbacks& callbacks)
{
    CaptureRun run;
    CaptureReader reader([&run](const CaptureWarning& warning) {
        if (run.warnings.size() < kMaxShownWarnings) {
            run.warnings.push_back(warning.message);
        }
        ++run.warningCount;
    });
    if (const auto opened = reader.Open(path); !opened) {
        run.error = opened.Error();
        return run;
    }
    CaptureCallbacks withProgress = callbacks;
    const bool showProgress = reader.Size() >= kProgressMinimumBytes && ::isatty(2) != 0;
    if (showProgress) {
        withProgress.onProgress = [&](std::uint64_t position, std::uint64_t size) {
            std::string line = "\r" + path + ": ";
            AppendDecimal(line, size == 0 ? 0 : position * 100 / size);
            line += " %";
            std::fputs(line.c_str(), stderr);
            if (callbacks.onProgress) {
                callbacks.onProgress(position, size);
            }
        };
    }
    if (const auto scanned = ScanCapture(reader, run.inventory, withProgress); !scanned) {
        run.error = scanned.Error();
    }
    if (showProgress) {
        std::fputs("\r\033[K", stderr);
    }
    run.inventory.warnings = run.warningCount;
    return run;
}

bool SayCaptureProblems(const std::string& file, const CaptureRun& run)
{
    for (const std::string& warning : run.warnings) {
        Complain(file, "warning: " + warning);
    }
    if (run.warningCount > run.warnings.size()) {
        Complain(file, std::to_string(run.warningCount - run.warnings.size()) + " more warnings");
    }
    if (run.error) {
        Complain(file, run.error->message);
        return false;
    }
    return true;
}

std::string EndpointName(std::uint8_t address)
{
    return "0x" + Hex(address, 2);
}

bool ReportSelector::Matches(const CapturedReport& report, int reportInterface) const
{
    if (address >= 0 && (report.bus != bus || report.address != address)) {
        return false;
    }
    if (endpoint >= 0 && report.source == ReportSource::Interrupt && report.endpoint != endpoint) {
        return false;
    }
    if (interface < 0 || reportInterface == interface) {
        return true;
    }
    return reportInterface < 0 && endpoint >= 0 && report.endpoint == endpoint;
}

bool ReportSelector::LeavesOutUnplaced(const CapturedReport& report, int reportInterface) const
{
    return interface >= 0 && endpoint < 0 && reportInterface < 0 && report.bus == bus &&
           report.address == address;
}

bool ReadReportSelector(const CommandLine& options, ReportSelector& selector)
{
    selector = ReportSelector{};
    if (!options.interfaceSelector.empty()) {
        std::uint16_t bus = 0;
        std::uint8_t address = 0;
        if (!ParseInterfaceSelector(options.interfaceSelector, bus, address, selector.interface)) {
            Complain(options.file, "--interface " + options.interfaceSelector +
                                       " is not BUS.ADDR or BUS.ADDR:IF");
            return false;
        }
        selector.bus = bus;
        selector.address = address;
    }
    if (!options.endpointText.empty()) {
        const std::string& text = options.endpointText;
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        unsigned value = 0;
        const char* begin = text.data() + (hex ? 2 : 0);
        const auto r = std::from_chars(begin, text.data() + text.size(), value, hex ? 16 : 10);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size() || value > 0xFF) {
            Complain(options.file,
                     "--endpoint " + text + " is not an endpoint address such as 0x81");
            return false;
        }
        selector.endpoint = static_cast<int>(value);
    }
    return true;
}

int ResolveInterface(const CaptureInventory& inventory, const CapturedReport& report)
{
    if (report.interface >= 0) {
        return report.interface;
    }
    const CapturedDevice* device = FindCapturedDevice(inventory, report.bus, report.address);
    return device == nullptr ? -1 : InterfaceOfEndpoint(*device, report.endpoint);
}

bool IsCaptureInput(const CommandLine& options)
{
    if (options.captureInput) {
        return true;
    }
    return options.inputForm == InputForm::Auto && options.device.empty() && options.file != "-" &&
           LooksLikeCapture(options.file);
}

bool ReadCaptureDescriptor(const CommandLine& options, DescriptorInput& input,
                           std::string* interfaceName, std::string* deviceId)
{
    const std::string& file = options.file;
    if (!options.device.empty() || file == "-") {
        Complain(InputName(options), "a capture is read from a file");
        return false;
    }
    const CaptureRun run = ScanCaptureFile(file, {});
    if (!SayCaptureProblems(file, run)) {
        return false;
    }
    CapturedDescriptorRequest request;
    request.index = options.index;
    request.interfaceSelector = options.interfaceSelector;
    const auto chosen = ChooseCapturedDescriptor(run.inventory, request, input);
    const std::vector<CapturedDescriptor>& descriptors = run.inventory.descriptors;
    if (!chosen) {
        Complain(file, NoCapturedDescriptorText(chosen.Error(), options, descriptors.size()));
        return false;
    }
    const CapturedDescriptorChoice& choice = *chosen;
    const CapturedDescriptor& d = descriptors[choice.index];
    if (interfaceName != nullptr) {
        *interfaceName = choice.interfaceName;
    }
    if (deviceId != nullptr) {
        *deviceId = choice.deviceId;
    }
    if (descriptors.size() > 1) {
        Complain(file, "holds " + std::to_string(descriptors.size()) +
                           " report descriptors; this is the one at index " +
                           std::to_string(choice.index) + ", of " +
                           InterfaceName(d.bus, d.address, d.interface) + " (--index 0 to " +
                           std::to_string(descriptors.size() - 1) +
                           " or --interface BUS.ADDR:IF picks one)");
    }
    if (d.cut) {
        Complain(file, "warning: the descriptor was cut short by the capture: only " +
                           std::to_string(d.bytes.size()) + " bytes were kept");
    }
    if (options.verbose) {
        Complain(file, "read as a capture, descriptor of " +
                           InterfaceName(d.bus, d.address, d.interface) + " at frame " +
                           std::to_string(d.frame) + ", " + std::to_string(d.bytes.size()) +
                           " bytes");
    }
    return true;
}

int RunCapture(const CommandLine& options)
{
    const CaptureRun run = ScanCaptureFile(options.file, {});
    if (run.error && run.error->kind != CaptureErrorKind::Malformed) {
        Complain(options.file, run.error->message);
        return kExitFailure;
    }
    // A file cut short still lists what came before the cut; the error says where.
    if (options.format == "json") {
        WriteJson(std::cout, options.file, run);
    } else {
        WriteText(std::cout, options.file, run);
    }
    std::cout.flush();
    const bool ok = SayCaptureProblems(options.file, run);
    if (!std::cout) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return ok ? kExitOk : kExitFailure;
}

} // namespace quorlix
