#include "files/HexTextReader.h"

#include <cassert>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

// The value of an ASCII hex digit, or -1 for every other byte (those from 0x80 up included).
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads the stream to its end in blocks and tokenises it a whole line at a time, so no pair or
// comment is ever cut. A line that runs past a block is gathered in pending first.
ReadOutcome ReadLines(std::FILE* stream, std::string& bytes)
{
    const std::size_t sizeBefore = bytes.size();
    constexpr std::size_t kBlockSize = 64 * 1024;
    std::string block(kBlockSize, '\0');
    std::string pending;
    std::size_t total = 0;

    ReadOutcome outcome;
    const auto tokenise = [&](const char* line, std::size_t length) {
        TokeniseHexChunk(line, length, bytes);
        // The rows of an analysis grow with the bytes, so their number is bounded here.
        if (bytes.size() - sizeBefore > kMaxDescriptorBytes) {
            outcome.status = ReadStatus::TooManyBytes;
        }
    };
    for (;;) {
        const std::size_t count = std::fread(block.data(), 1, kBlockSize, stream);
        if (count == 0) {
            break;
        }
        total += count;
        if (total > kMaxDescriptorTextBytes) {
            outcome.status = ReadStatus::TooLarge;
            break;
        }
        std::size_t start = 0;
        while (start < count && outcome.status == ReadStatus::Ok) {
            const void* feed = std::memchr(block.data() + start, '\n', count - start);
            if (feed == nullptr) {
                pending.append(block.data() + start, count - start);
                break;
            }
            const std::size_t end = static_cast<const char*>(feed) - block.data() + 1;
            if (pending.empty()) {
                tokenise(block.data() + start, end - start);
            } else {
                pending.append(block.data() + start, end - start);
                tokenise(pending.data(), pending.size());
                pending.clear();
            }
            start = end;
        }
        if (outcome.status != ReadStatus::Ok) {
            break;
        }
    }
    if (outcome.status == ReadStatus::Ok && !pending.empty()) {
        tokenise(pending.data(), pending.size());
    }
    if (outcome.status == ReadStatus::Ok && std::ferror(stream) != 0) {
        outcome = { ReadStatus::ReadError, errno };
    }

    if (outcome.status != ReadStatus::Ok) {
        // Half a descriptor would pass for a whole one, so a failed read gives nothing.
        bytes.resize(sizeBefore);
        return outcome;
    }
    if (bytes.size() == sizeBefore) {
        outcome.status = ReadStatus::NoHexDigits;
    }
    return outcome;
}

std::string WithSystemReason(const char* what, int systemError)
{
    std::string text = what;
    if (systemError != 0) {
        text += ": ";
        text += std::strerror(systemError);
    }
    return text;
}

} // namespace

void ReadHexTextFile(const char* path, std::string& bytes)
{
    ReadHexTextFileChecked(path, bytes);
}

ReadOutcome ReadHexTextFileChecked(const char* path, std::string& bytes)
{
    if (path == nullptr) {
        return { ReadStatus::CannotOpen, EINVAL };
    }
    // O_NONBLOCK: opening a FIFO without a writer (or some devices) would otherwise wait forever
    // before fstat could tell us it is no file at all. It changes nothing for a regular file.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return { ReadStatus::CannotOpen, errno };
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return { ReadStatus::CannotOpen, error };
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return { ReadStatus::NotRegularFile, 0 };
    }
    const auto fileSize = static_cast<std::size_t>(info.st_size);
    if (fileSize > kMaxDescriptorTextBytes) {
        ::close(fd);
        return { ReadStatus::TooLarge, 0 };
    }
    std::FILE* stream = ::fdopen(fd, "r");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        return { ReadStatus::CannotOpen, error };
    }
    // Every byte takes two characters of text, so half the file size is always enough. The size
    // is only a hint: the read itself still enforces the bound, should the file grow meanwhile.
    bytes.reserve(bytes.size() + fileSize / 2);
    const ReadOutcome outcome = ReadLines(stream, bytes);
    std::fclose(stream);
    return outcome;
}

ReadOutcome ReadHexTextStream(std::FILE* stream, std::string& bytes)
{
    assert(stream != nullptr && "the caller opens the stream");
    return ReadLines(stream, bytes);
}

void TokeniseHexChunk(const char* chunk, std::size_t length, std::string& bytes)
{
    const void* nul = std::memchr(chunk, '\0', length);
    const std::size_t n = nul != nullptr ? static_cast<const char*>(nul) - chunk : length;

    std::size_t p = 0;
    while (p < n) {
        // The comment and prefix test needs three characters from p on: a "//" or "0x" that ends
        // the chunk is left to the digit rules below, so a last line "0x" gives the byte 00.
        if (p + 2 < n) {
            if (chunk[p] == '/' && chunk[p + 1] == '/') {
                return;
            }
            // An upper-case X takes the character before it along, whatever that is.
            if ((chunk[p] == '0' && chunk[p + 1] == 'x') || chunk[p + 1] == 'X') {
                p += 2;
            }
        }
        const int high = HexDigitValue(chunk[p]);
        if (high < 0) {
            ++p;
            continue;
        }
        if (p + 1 == n) {
            return; // A lone last digit makes no byte.
        }
        // The second character is consumed even when it is no digit; it then counts as 0.
        const int low = HexDigitValue(chunk[p + 1]);
        bytes.push_back(static_cast<char>((high << 4) | (low < 0 ? 0 : low)));
        p += 2;
    }
}

std::string DescribeReadOutcome(const ReadOutcome& outcome)
{
    switch (outcome.status) {
    case ReadStatus::Ok:
        return "ok";
    case ReadStatus::CannotOpen:
        return WithSystemReason("cannot open file", outcome.systemError);
    case ReadStatus::NotRegularFile:
        return "not a regular file";
    case ReadStatus::TooLarge:
        return "file too large (more than " + std::to_string(kMaxDescriptorTextBytes) + " bytes)";
    case ReadStatus::TooManyBytes:
        return "too many bytes for a descriptor (more than " + std::to_string(kMaxDescriptorBytes) +
               ")";
    case ReadStatus::ReadError:
        return WithSystemReason("cannot read file", outcome.systemError);
    case ReadStatus::NoHexDigits:
        return "no hex digits";
    }
    return "unknown read outcome";
}

} // namespace quorlix
