#include "devices/BoundedFileRead.h"

#include <cerrno>
#include <cstring>

#ifdef __linux__
#include "devices/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorlix {

#ifdef __linux__

bool ReadBoundedRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                            std::string& reason)
{
    bytes.clear();
    // O_NONBLOCK: a FIFO put where a sysfs file should be must not stop the program in open().
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        reason = std::string("cannot open file: ") + std::strerror(errno);
        return false;
    }
    struct stat status
    {};
    if (::fstat(file.Get(), &status) != 0) {
        reason = std::string("cannot read file: ") + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = "not a regular file";
        return false;
    }
    // A sysfs attribute's size says nothing about its contents, so read until the end, one byte
    // past the limit at most to know that the file is too long.
    bytes.resize(limit + 1);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            reason = std::string("cannot read file: ") + std::strerror(errno);
            bytes.clear();
            return false;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    if (total > limit) {
        reason = "longer than " + std::to_string(limit) + " bytes";
        bytes.clear();
        return false;
    }
    bytes.resize(total);
    return true;
}

#else

bool ReadBoundedRegularFile(const std::string&, std::size_t, std::string& bytes,
                            std::string& reason)
{
    bytes.clear();
    reason = "connected devices are read on Linux only";
    return false;
}

#endif

} // namespace quorlix
