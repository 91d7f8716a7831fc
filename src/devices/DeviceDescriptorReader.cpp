#include "devices/DeviceDescriptorReader.h"

#include "devices/BoundedFileRead.h"
#include "devices/DeviceSelector.h"
#include "devices/HidDevice.h"
#include "devices/HidDeviceList.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#ifdef __linux__
#include "devices/FileDescriptor.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorlix {
namespace {

DeviceDescriptor Failed(std::string error)
{
    DeviceDescriptor descriptor;
    descriptor.error = std::move(error);
    return descriptor;
}

// How reading a node's descriptor through the hidraw calls went.
enum class NodeRead
{
    Ok,
    Unavailable, // try sysfs instead
    Odd,
};

#ifdef __linux__

// A node that cannot be opened or is no hidraw node is Unavailable; one that opens but is not a
// character device, or answers with an impossible size, is Odd and not papered over.
NodeRead ReadNode(const std::string& nodePath, std::string& bytes, std::string& reason)
{
    // Non-blocking and read-only: the descriptor calls need neither a report nor write access.
    const FileDescriptor node(
        ::open(nodePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    const int fd = node.Get();
    if (fd < 0) {
        reason = std::string("cannot open the node: ") + std::strerror(errno);
        return NodeRead::Unavailable;
    }
    struct stat status
    {};
    if (::fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) {
        reason = "not a character device";
        return NodeRead::Odd;
    }
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) != 0) {
        reason = std::string("not a hidraw node: ") + std::strerror(errno);
        return NodeRead::Unavailable;
    }
    if (size <= 0 || static_cast<unsigned>(size) > HID_MAX_DESCRIPTOR_SIZE) {
        reason = "the node gives a descriptor size of " + std::to_string(size);
        return NodeRead::Odd;
    }
    const auto descriptor = std::make_unique<hidraw_report_descriptor>();
    descriptor->size = static_cast<unsigned>(size);
    if (::ioctl(fd, HIDIOCGRDESC, descriptor.get()) != 0) {
        reason = std::string("cannot read the descriptor from the node: ") + std::strerror(errno);
        return NodeRead::Unavailable;
    }
    bytes.assign(reinterpret_cast<const char*>(descriptor->value), static_cast<std::size_t>(size));
    return NodeRead::Ok;
}

#else

NodeRead ReadNode(const std::string&, std::string&, std::string& reason)
{
    reason = "hidraw nodes are read on Linux only";
    return NodeRead::Unavailable;
}

#endif

DeviceDescriptor ReadDeviceOf(const HidDevice& device)
{
    DeviceDescriptor descriptor = ReadSysfsDescriptor(device.descriptorPath);
    descriptor.deviceId = device.id;
    if (!descriptor.ok) {
        descriptor.error = "report descriptor of " + device.id + ": " + descriptor.error;
    }
    return descriptor;
}

} // namespace

DeviceDescriptor ReadSysfsDescriptor(const std::string& path)
{
    DeviceDescriptor descriptor;
    descriptor.path = path;
    auto read = ReadBoundedRegularFile(path, kMaxDeviceDescriptorSize);
    if (!read) {
        descriptor.error = read.Error().reason;
        return descriptor;
    }
    descriptor.bytes = std::move(*read);
    if (descriptor.bytes.empty()) {
        descriptor.error = "empty report descriptor";
        return descriptor;
    }
    descriptor.ok = true;
    return descriptor;
}

DeviceDescriptor ReadHidrawDescriptor(const std::string& nodePath, const std::string& sysfsRoot)
{
    DeviceDescriptor descriptor;
    std::string reason;
    switch (ReadNode(nodePath, descriptor.bytes, reason)) {
    case NodeRead::Ok:
        descriptor.ok = true;
        descriptor.path = nodePath;
        return descriptor;
    case NodeRead::Odd:
        return Failed(reason);
    case NodeRead::Unavailable:
        break;
    }
    // Without access to the node, sysfs still has the same descriptor for everyone.
    std::string node;
    std::error_code ignored;
    const std::string real = std::filesystem::weakly_canonical(nodePath, ignored).string();
    if (!ParseHidrawName(real, node) && !ParseHidrawName(nodePath, node)) {
        return Failed(reason);
    }
    const HidDeviceList list = ListHidDevices(sysfsRoot);
    const DeviceSelection selection = SelectDevice(list.devices, node);
    if (selection.device == nullptr) {
        return Failed(reason + "; under " + sysfsRoot + ": " +
                      (list.error.empty() ? selection.error : list.error));
    }
    return ReadDeviceOf(*selection.device);
}

DeviceDescriptor ReadSelectedDescriptor(const std::string& sysfsRoot, std::string_view selector)
{
    if (selector.substr(0, 5) == "/dev/") {
        std::string node;
        if (ParseHidrawName(selector, node)) {
            return ReadHidrawDescriptor(std::string(selector), sysfsRoot);
        }
    }
    const HidDeviceList list = ListHidDevices(sysfsRoot);
    if (!list.error.empty()) {
        return Failed(list.error);
    }
    const DeviceSelection selection = SelectDevice(list.devices, selector);
    if (selection.device == nullptr) {
        return Failed(selection.error);
    }
    return ReadDeviceOf(*selection.device);
}

std::vector<std::string> SelectedDeviceFiles(const std::string& sysfsRoot,
                                             std::string_view selector)
{
    std::vector<std::string> files;
    std::string node;
    if (selector.substr(0, 5) == "/dev/" && ParseHidrawName(selector, node)) {
        files.emplace_back(selector);
    }
    const HidDeviceList list = ListHidDevices(sysfsRoot);
    const DeviceSelection selection = SelectDevice(list.devices, node.empty() ? selector : node);
    if (selection.device != nullptr) {
        files.push_back(selection.device->descriptorPath);
        for (const std::string& hidraw : selection.device->hidraw) {
            files.push_back("/dev/" + hidraw);
        }
    }
    return files;
}

bool IsHidrawNodePath(const std::string& path)
{
    std::string node;
    if (path.substr(0, 5) == "/dev/" && ParseHidrawName(path, node)) {
        return true;
    }
#ifdef __linux__
    struct stat status
    {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) {
        return false;
    }
    std::error_code error;
    const std::string real = std::filesystem::canonical(path, error).string();
    return !error && real.substr(0, 5) == "/dev/" && ParseHidrawName(real, node);
#else
    return false;
#endif
}

} // namespace quorlix
