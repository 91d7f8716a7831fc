#include "cli/CommandInput.h"

#include "cli/CaptureCommand.h"
#include "cli/CommandOutput.h"
#include "devices/DeviceDescriptorReader.h"
#include "devices/HidDevice.h"

#include <cstdio>
#include <string>

namespace quorlix {
namespace {

// A connected device's descriptor (--device SEL, or a hidraw node as FILE), read as binary.
bool ReadDeviceInput(const CommandLine& options, DescriptorInput& input, std::string& path,
                     std::string* deviceId)
{
    const std::string& name = InputName(options);
    if (options.inputForm != InputForm::Auto && options.inputForm != InputForm::Binary) {
        Complain(name, "--input " + std::string(InputFormName(options.inputForm)) +
                           " does not apply: a device gives its descriptor as binary");
        return false;
    }
    const DeviceDescriptor descriptor = options.device.empty()
                                            ? ReadHidrawDescriptor(options.file, SysfsRoot())
                                            : ReadSelectedDescriptor(SysfsRoot(), options.device);
    if (!descriptor.ok) {
        Complain(name, descriptor.error);
        return false;
    }
    path = descriptor.path;
    if (deviceId != nullptr) {
        *deviceId = descriptor.deviceId;
    }
    const InputOutcome outcome =
        ReadDescriptorContent(descriptor.bytes, descriptor.path,
                              { InputForm::Binary, options.index, options.arrayName }, input);
    if (outcome.status != InputStatus::Ok) {
        Complain(name, DescribeInputOutcome(outcome));
        return false;
    }
    return true;
}

} // namespace

bool ReadCommandInput(const CommandLine& options, DescriptorInput& input, std::string* deviceId)
{
    if (deviceId != nullptr) {
        deviceId->clear();
    }
    if (IsCaptureInput(options)) {
        return ReadCaptureDescriptor(options, input, nullptr, deviceId);
    }
    if (!options.interfaceSelector.empty()) {
        Complain(InputName(options), "--interface picks a descriptor of a capture; this is none");
        return false;
    }
    std::string devicePath;
    if (!options.device.empty() || IsHidrawNodePath(options.file)) {
        if (!ReadDeviceInput(options, input, devicePath, deviceId)) {
            return false;
        }
    } else {
        // A report_descriptor of a stand-in sysfs tree is as binary as one under /sys.
        InputRequest request{ options.inputForm, options.index, options.arrayName };
        if (request.form == InputForm::Auto && IsUnderSysfsRoot(options.file)) {
            request.form = InputForm::Binary;
        }
        const InputOutcome outcome = ReadDescriptorInput(options.file, request, input);
        if (outcome.status != InputStatus::Ok) {
            Complain(options.file, DescribeInputOutcome(outcome));
            return false;
        }
    }
    return SayCommandInput(options, input, devicePath);
}

bool SayCommandInput(const CommandLine& options, const DescriptorInput& input,
                     const std::string& devicePath)
{
    for (const InputWarning& warning : input.warnings) {
        std::fprintf(stderr, "%s: %s:%u:%u: warning: %s\n", kProgramName,
                     InputName(options).c_str(), warning.line, warning.column,
                     warning.message.c_str());
    }
    if (input.descriptors == 1 && !input.choice.empty()) {
        Complain(InputName(options), "read " + input.choice);
    }
    if (input.descriptors > 1) {
        Complain(InputName(options),
                 "holds " + std::to_string(input.descriptors) +
                     " descriptors; this is the one at index " + std::to_string(input.index) +
                     (input.choice.empty() ? std::string{} : ", " + input.choice) +
                     " (--index 0 to " + std::to_string(input.descriptors - 1) + " picks one)");
    }
    if (options.verbose) {
        Complain(InputName(options), "read as " + std::string(InputFormName(input.form)) +
                                         (devicePath.empty() ? "" : " from " + devicePath) + ", " +
                                         std::to_string(input.bytes.size()) + " bytes");
        if (input.descriptors > 1) {
            for (const DescriptorCandidate& candidate : input.candidates) {
                std::fprintf(stderr, "  %s\n", DescribeCandidate(candidate).c_str());
            }
        }
    }
    if (options.strict && !input.warnings.empty()) {
        Complain(InputName(options), "--strict: the reader warned, so nothing is analysed");
        return false;
    }
    return true;
}

} // namespace quorlix
