#include "files/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <streambuf>
#include <vector>

#include <fcntl.h>
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

bool Fail(std::string* error, int systemError)
{
    if (error != nullptr) {
        *error = std::strerror(systemError);
    }
    return false;
}

} // namespace

bool WriteOutputFile(const std::string& path,
                     const std::function<void(std::ostream&)>& writeContent, std::string* error)
{
    // O_NONBLOCK: opening a FIFO that no one reads would otherwise wait forever; this way it
    // fails at once (ENXIO). A directory fails too (EISDIR). Writes then block as usual.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0) {
        return Fail(error, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int failure = errno;
        ::close(fd);
        return Fail(error, failure);
    }
    DescriptorBuffer buffer(fd);
    std::ostream out(&buffer);
    writeContent(out);

    int failure = buffer.Flush() ? 0 : buffer.Error();
    if (failure == 0 && !out) {
        failure = EIO; // The stream failed without a write failing; still never a success.
    }
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && failure == 0) {
        failure = errno;
    }
    if (failure != 0) {
        return Fail(error, failure);
    }
    if (error != nullptr) {
        error->clear();
    }
    return true;
}

} // namespace quorlix
