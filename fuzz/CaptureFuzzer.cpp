// Any bytes as a capture file, through the readers quorlix-cli capture, decode and audit run:
// libpcap for pcap and pcapng, this program's usbmon text reader, the link headers, the pairing
// of control requests, the descriptors found, and the audit of every report against the first
// descriptor. Besides not crashing, it checks what the scan promises: reports in the order they
// completed, none before its frame, reports no longer than their length on the bus, descriptors
// within the bounds.

#include "audit/TrafficAudit.h"
#include "capture/CaptureReader.h"
#include "capture/CaptureScan.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <memory>
#include <span>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("capture fuzzer", condition, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint64_t warnings = 0;
    CaptureReader reader([&](const CaptureWarning& warning) {
        Require(!warning.message.empty(), "a warning without a text");
        ++warnings;
    });
    if (const auto opened = reader.OpenMemory(std::span(data, size)); !opened) {
        Require(!opened.Error().message.empty(), "an error without a text");
        return 0;
    }
    CaptureInventory inventory;
    std::unique_ptr<TrafficAudit> audit;
    std::uint64_t lastFrame = 0;
    CaptureCallbacks callbacks;
    callbacks.onReport = [&](const CapturedReport& report) {
        Require(report.completedFrame >= lastFrame, "reports out of the order they completed");
        Require(report.frame <= report.completedFrame, "a report completed before it was sent");
        lastFrame = report.completedFrame;
        Require(report.bytes.size() <= report.length, "a report longer than its length");
        if (!audit && !inventory.descriptors.empty()) {
            audit = std::make_unique<TrafficAudit>(inventory.descriptors.front().bytes);
        }
        if (audit) {
            audit->Take(report);
        }
    };
    const auto read = ScanCapture(reader, inventory, callbacks);
    Require(read || !read.Error().message.empty(), "an error without a text");
    Require(inventory.devices.size() <= kMaxCapturedDevices, "devices past the bound");
    Require(inventory.descriptors.size() <= kMaxCapturedDescriptors, "descriptors past the bound");
    for (const CapturedDescriptor& descriptor : inventory.descriptors) {
        Require(!descriptor.bytes.empty() && descriptor.bytes.size() <= 65535,
                "a descriptor of no bytes or past a request's length");
        Require(descriptor.requestFrame < descriptor.frame, "an answer before its request");
    }
    if (audit) {
        (void)audit->Finish("fuzz");
    }
    return 0;
}
