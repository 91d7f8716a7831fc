#include "devices/BoundedFileRead.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef __linux__
#include "devices/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorlix {

#ifdef __linux__

Expected<std::string, DeviceFileError> ReadBoundedRegularFile(const std::string& path,
                                                              std::size_t limit)
{
    const auto fail = [](std::string reason) {
        return Unexpected(DeviceFileError{ std::move(reason) });
    };
    // O_NONBLOCK: a FIFO put where a sysfs file should be must not stop the program in open().
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        return fail(std::string("cannot open file: ") + std::strerror(errno));
    }
    struct stat status
    {};
    if (::fstat(file.Get(), &status) != 0) {
        return fail(std::string("cannot read file: ") + std::strerror(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        return fail("not a regular file");
    }
    // A sysfs attribute's size says nothing about its contents, so read until the end, one byte
    // past the limit at most to know that the file is too long.
    std::string bytes(limit + 1, '\0');
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(std::string("cannot read file: ") + std::strerror(errno));
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    if (total > limit) {
        return fail("longer than " + std::to_string(limit) + " bytes");
    }
    bytes.resize(total);
    return bytes;
}

#else

Expected<std::string, DeviceFileError> ReadBoundedRegularFile(const std::string&, std::size_t)
{
    return Unexpected(DeviceFileError{ "connected devices are read on Linux only" });
}

#endif

} // namespace quorlix
