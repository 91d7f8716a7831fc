#include "files/OutputFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <streambuf>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

// A stream buffer over a file descriptor that remembers the errno of its first failed write.
// After a failure it takes nothing more, so the stream goes bad and stays bad.
class DescriptorBuffer : public std::streambuf
{
public:
    explicit DescriptorBuffer(int fd) : m_fd(fd), m_storage(kBufferBytes) { ResetPutArea(); }

    // Writes out what is buffered; false once any write has failed.
    bool Flush() { return WritePending(); }

    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (!WritePending()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return WritePending() ? 0 : -1; }

private:
    void ResetPutArea() { setp(m_storage.data(), m_storage.data() + m_storage.size()); }

    bool WritePending()
    {
        if (m_error != 0) {
            return false;
        }
        const char* data = pbase();
        auto left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0) {
            const ssize_t written = ::write(m_fd, data, left);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                // A write that takes nothing without saying why would loop forever otherwise.
                m_error = written < 0 ? errno : EIO;
                return false;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        ResetPutArea();
        return true;
    }

    int m_fd;
    std::vector<char> m_storage;
    int m_error = 0;
};

// Where a write to path lands: path with its symbolic links followed, as open would follow
// them, so that a link keeps pointing at the file it named. exists tells whether something is
// there, and info what it is. Gives 0 or the system's error.
int ResolveTarget(const std::string& path, std::string& target, struct stat& info, bool& exists)
{
    constexpr int kMaxLinks = 40; // the kernel's own limit before ELOOP
    target = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (::lstat(target.c_str(), &info) != 0) {
            exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) {
            return errno;
        }
        link.resize(static_cast<std::size_t>(length));
        if (link.empty() || link.front() != '/') {
            const std::string::size_type slash = target.rfind('/');
            link.insert(0,
                        slash == std::string::npos ? std::string() : target.substr(0, slash + 1));
        }
        target = std::move(link);
    }
    return ELOOP;
}

// Fills the open file fd through writeContent and makes sure it reached the disk; gives 0 or
// the first failure. fd is closed in every case.
int FillAndClose(int fd, const std::function<void(std::ostream&)>& writeContent, bool sync)
{
    int failure = 0;
    {
        DescriptorBuffer buffer(fd);
        std::ostream out(&buffer);
        writeContent(out);
        failure = buffer.Flush() ? 0 : buffer.Error();
        if (failure == 0 && !out) {
            failure = EIO; // The stream failed without a write failing; still never a success.
        }
    }
    if (failure == 0 && sync && ::fsync(fd) != 0) {
        failure = errno;
    }
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    return failure;
}

// Devices, FIFOs and sockets are written where they are: there is no file in them to keep,
// and replacing them would take the device or pipe away from its readers.
int WriteInPlace(const std::string& path, const std::function<void(std::ostream&)>& writeContent)
{
    // O_NONBLOCK: opening a FIFO that no one reads would otherwise wait forever; this way it
    // fails at once (ENXIO). Writes then block as usual.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return errno;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int failure = errno;
        ::close(fd);
        return failure;
    }
    return FillAndClose(fd, writeContent, false);
}

// A new file beside target, under a hidden name no other file has, for the content to go to
// before it takes target's place; gives its descriptor, or -1 with errno set.
int CreateTemporaryBeside(const std::string& target, std::string& temporary)
{
    const std::string::size_type slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Cut long names so the temporary's name stays within the file system's 255 bytes.
    const std::string name = target.substr(folder.size()).substr(0, 200);
    std::random_device seed;
    std::minstd_rand random(seed() ^ static_cast<unsigned>(::getpid()));
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "." + name + ".";
        for (int i = 0; i < 8; ++i) {
            temporary += kLetters[random() % (sizeof kLetters - 1)];
        }
        temporary += ".tmp";
        // 0666 less the umask, as the file would have had if created in place.
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Writes the content to a temporary file beside target and renames it over target only when
// all of it was written, synced and closed: a full disk or any other failure leaves the old
// file as it was, and the temporary file is removed.
int WriteAndReplace(const std::string& target, const struct stat* old,
                    const std::function<void(std::ostream&)>& writeContent)
{
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0) {
        return errno;
    }
    if (old != nullptr) {
        // The file keeps its permissions and, where allowed, its owner.
        (void)::fchown(fd, old->st_uid, old->st_gid);
        (void)::fchmod(fd, old->st_mode & 07777);
    }
    int failure = FillAndClose(fd, writeContent, true);
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = errno;
    }
    if (failure != 0) {
        ::unlink(temporary.c_str());
        return failure;
    }
    // The rename itself reaches the disk with the folder's entry; a folder that cannot be
    // synced (some file systems refuse) leaves the file written all the same.
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        (void)::fsync(folderFd);
        ::close(folderFd);
    }
    return 0;
}

} // namespace

std::string WriteErrorText(const WriteError& error)
{
    return std::strerror(error.systemError);
}

Expected<void, WriteError> WriteOutputFile(const std::string& path,
                                           const std::function<void(std::ostream&)>& writeContent)
{
    int failure = 0;
    struct stat info
    {};
    std::string target;
    struct stat resolved
    {};
    bool exists = false;
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            failure = EISDIR;
        } else if (!S_ISREG(info.st_mode)) {
            failure = WriteInPlace(path, writeContent);
        } else if (ResolveTarget(path, target, resolved, exists) == 0 && exists &&
                   resolved.st_dev == info.st_dev && resolved.st_ino == info.st_ino) {
            failure = WriteAndReplace(target, &info, writeContent);
        } else {
            // A file reached through a link whose text leads elsewhere, such as /dev/stdout
            // when standard output is a file: it can only be written where it is.
            failure = WriteInPlace(path, writeContent);
        }
    } else if (errno != ENOENT) {
        failure = errno;
    } else {
        // Nothing there yet, or a link to nothing: the new file goes where the link points.
        failure = ResolveTarget(path, target, resolved, exists);
        if (failure == 0) {
            failure = WriteAndReplace(target, nullptr, writeContent);
        }
    }
    if (failure != 0) {
        return Unexpected(WriteError{ failure });
    }
    return {};
}

} // namespace quorlix
