#pragma once

#include "capture/CaptureScan.h"
#include "capture/CapturedDescriptors.h"
#include "cli/CommandLine.h"
#include "forms/DescriptorInput.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlix {

// A capture read to its end for a command, with what went wrong on the way.
struct CaptureRun
{
    CaptureInventory inventory;
    std::optional<CaptureError> error;
    std::vector<std::string> warnings; // the first kMaxShownWarnings
    std::uint64_t warningCount = 0;
};

inline constexpr std::size_t kMaxShownWarnings = 20;

// Reads the capture at path, handing each report to onReport. On a terminal (standard error),
// a file of more than a few megabytes gets a progress line that the end of the reading erases.
CaptureRun ScanCaptureFile(const std::string& path, const CaptureCallbacks& callbacks);

// Writes the run's warnings and error to standard error, one line each, the file name first.
// Gives false when the reading stopped on an error.
bool SayCaptureProblems(const std::string& file, const CaptureRun& run);

// The descriptor of a capture that --index N or --interface BUS.ADDR:IF picks, as the other
// commands read a descriptor file. Writes on standard error why there is none, and how many the
// capture holds when it holds several. Gives false when there is nothing to analyse.
// interfaceName, when given, receives the chosen descriptor's "BUS.ADDR:IF".
bool ReadCaptureDescriptor(const CommandLine& options, DescriptorInput& input,
                           std::string* interfaceName = nullptr, std::string* deviceId = nullptr);

// Whether options ask for FILE to be read as a capture: --input capture, or auto and a file that
// starts as one.
bool IsCaptureInput(const CommandLine& options);

// Which reports of a capture a command takes: -1 in a field takes any. An interrupt report whose
// interface the capture does not tell (its configuration was not captured) belongs to the
// interface named only when --endpoint names its endpoint.
struct ReportSelector
{
    int bus = -1;
    int address = -1;
    int interface = -1;
    int endpoint = -1;

    bool Matches(const CapturedReport& report, int reportInterface) const;
    // True when only the interface keeps the report out: it is of the chosen device, no endpoint
    // was chosen, and the capture has no configuration that places its endpoint.
    bool LeavesOutUnplaced(const CapturedReport& report, int reportInterface) const;
};

// "0x81".
std::string EndpointName(std::uint8_t address);

// The selector of --interface and --endpoint; writes why on standard error and gives false when
// either cannot be read.
bool ReadReportSelector(const CommandLine& options, ReportSelector& selector);

// The report's interface, from the capture's configuration when the report does not carry it.
int ResolveInterface(const CaptureInventory& inventory, const CapturedReport& report);

// quorlix-cli capture: what a capture holds, as text or JSON.
int RunCapture(const CommandLine& options);

} // namespace quorlix
