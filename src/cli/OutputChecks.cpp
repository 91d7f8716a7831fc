#include "cli/OutputChecks.h"

#include "devices/DeviceDescriptorReader.h"
#include "devices/HidDevice.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {

bool OutputIsTheInput(const CommandLine& line)
{
    if (line.outPath.empty()) {
        return false;
    }
    struct stat output
    {};
    if (::stat(line.outPath.c_str(), &output) != 0) {
        return false; // nothing there yet, so it cannot be the input
    }
    const auto isOutput = [&output](const std::string& path) {
        struct stat input
        {};
        const int found =
            path == "-" ? ::fstat(STDIN_FILENO, &input) : ::stat(path.c_str(), &input);
        return found == 0 && input.st_dev == output.st_dev && input.st_ino == output.st_ino;
    };
    if (line.device.empty() && !IsHidrawNodePath(line.file)) {
        return isOutput(line.file);
    }
    // A device is read through its sysfs descriptor or its node: -o may name neither (writing
    // to a hidraw node would send the text to the device as output reports).
    std::error_code ignored;
    const std::string selector =
        line.device.empty() ? std::filesystem::weakly_canonical(line.file, ignored).string()
                            : line.device;
    if (!line.file.empty() && isOutput(line.file)) {
        return true;
    }
    for (const std::string& path : SelectedDeviceFiles(SysfsRoot(), selector)) {
        if (isOutput(path)) {
            return true;
        }
    }
    return false;
}

bool WritesToTerminal(const CommandLine& line)
{
    return line.outPath.empty() && ::isatty(STDOUT_FILENO) == 1;
}

} // namespace quorlix
