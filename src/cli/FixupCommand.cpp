#include "cli/FixupCommand.h"

#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"
#include "codegen/CIdentifier.h"
#include "diagnostics/CheckDescriptor.h"
#include "diff/DescriptorDiff.h"
#include "fixup/FixupProgram.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>

namespace quorlix {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& bytes)
{
    return { reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() };
}

FixupForm FormOf(const std::string& emit)
{
    return emit == "kernel" ? FixupForm::Kernel : emit == "c" ? FixupForm::C : FixupForm::HidBpf;
}

// --device-id exactly as BUS:VID:PID; nothing (and a complaint) for anything else.
bool ParseDeviceIdOption(const std::string& text, std::optional<MatchedDevice>& id)
{
    id = FindDeviceId(text);
    const std::size_t colons = static_cast<std::size_t>(std::count(text.begin(), text.end(), ':'));
    if (!id || colons != 2 ||
        text.find_first_not_of("0123456789abcdefABCDEF:") != std::string::npos) {
        Complain("--device-id",
                 text + " is not BUS:VID:PID in hexadecimal, such as 0003:11C0:5606");
        return false;
    }
    return true;
}

} // namespace

int RunFixup(const CommandLine& options)
{
    FixupRequest request;
    request.form = FormOf(options.emit);
    request.originalName = options.file;
    request.fixedName = options.secondFile;
    if (!options.deviceId.empty()) {
        if (!ParseDeviceIdOption(options.deviceId, request.device)) {
            return kExitFailure;
        }
    } else {
        // A sysfs path names its device: /sys/bus/hid/devices/0003:11C0:5606.0001/...
        request.device = FindDeviceId(options.file);
    }
    request.prefix = !options.headerName.empty() ? options.headerName
                     : options.file == "-"       ? std::string("hid")
                                                 : DefaultHeaderPrefix(options.file);

    DescriptorInput original;
    DescriptorInput fixed;
    CommandLine second = options;
    second.file = options.secondFile;
    std::string originDevice;
    if (!ReadCommandInput(options, original, &originDevice) || !ReadCommandInput(second, fixed)) {
        return kExitFailure;
    }
    // A connected device or a capture names the device the original came from.
    if (!request.device && !originDevice.empty()) {
        request.device = FindDeviceId(originDevice);
    }
    const std::span<const std::uint8_t> originalBytes = BytesOf(original.bytes);
    const std::span<const std::uint8_t> fixedBytes = BytesOf(fixed.bytes);

    const FindingCounts counts = CountFindings(CheckDescriptor(fixedBytes));
    if (counts.errors > 0 && !options.force) {
        Complain(options.secondFile, "has " + std::to_string(counts.errors) +
                                         (counts.errors == 1 ? " check error" : " check errors") +
                                         " (see quorlix-cli check); --force writes the fix anyway");
        return kExitFailure;
    }
    const DescriptorDiff diff = DiffDescriptors(originalBytes, fixedBytes);
    // Made whole first, so that an error writes nothing anywhere.
    std::ostringstream program;
    const auto written = WriteFixup(program, originalBytes, fixedBytes, request);
    if (!written) {
        Complain(options.secondFile, std::string(FixupErrorText(written.Error())));
        return kExitFailure;
    }
    const std::string text = program.str();
    if (WriteCommandOutput(options.outPath, [&](std::ostream& out) { out << text; }) != kExitOk) {
        return kExitFailure;
    }
    Complain(options.secondFile, std::string(DiffVerdictName(diff.verdict)) + ": " + diff.reason);
    if (!request.device && request.form == FixupForm::HidBpf) {
        Complain(options.file, "no device id known: the program matches every device; give "
                               "--device-id BUS:VID:PID");
    }
    return kExitOk;
}

} // namespace quorlix
