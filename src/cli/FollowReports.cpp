#include "cli/FollowReports.h"

#include "devices/DeviceSelector.h"
#include "devices/HidDevice.h"
#include "devices/HidDeviceList.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace quorlix {
namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void RequestStop(int)
{
    g_stopRequested = 1;
}

} // namespace

Expected<std::string, std::string> HidrawNodeOf(const std::string& selector)
{
    std::string node;
    if (ParseHidrawName(selector, node)) {
        return "/dev/" + node;
    }
    const HidDeviceList list = ListHidDevices(SysfsRoot());
    const DeviceSelection selection = SelectDevice(list.devices, selector);
    if (selection.device == nullptr) {
        return Unexpected(selection.error);
    }
    if (selection.device->hidraw.empty()) {
        return Unexpected(std::string("the device has no hidraw node to read reports from"));
    }
    return "/dev/" + selection.device->hidraw.front();
}

std::string FollowOpenErrorText(const std::string& path, int error)
{
    if (error == EACCES || error == EPERM) {
        return "cannot read reports: permission denied; following needs read access to " + path +
               ", e.g. a udev rule that gives your user or group read access to it";
    }
    return std::string("cannot read reports: ") + std::strerror(error);
}

void StopFollowingOnInterrupt()
{
    struct sigaction action
    {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: the blocked read returns, and the loop ends
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

Expected<void, std::string> FollowReports(int fd, const ReportModel& model, ReportType type,
                                          const std::string& where, DecodedReportWriter& writer)
{
    // One byte more than the longest report, so that a longer one shows as too long rather
    // than cut to fit.
    std::vector<std::uint8_t> buffer(kMaxDecodedReportBytes + 1);
    ReportLine line;
    line.kind = ReportLineKind::Report;
    DecodedReport decoded;
    for (std::size_t number = 1; g_stopRequested == 0; ++number) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count == 0) {
            return {};
        }
        if (count < 0) {
            if (errno == EINTR) {
                --number;
                continue;
            }
            return Unexpected(std::string("read failed: ") + std::strerror(errno));
        }
        line.bytes.assign(buffer.begin(), buffer.begin() + count);
        writer.Write(where + ": report " + std::to_string(number), line, decoded,
                     DecodeReport(model, type, line.bytes, decoded));
    }
    return {};
}

} // namespace quorlix
