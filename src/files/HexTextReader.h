#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quorlix {

// A report descriptor is at most 65535 bytes (its length travels in a 16-bit field). Even as a
// firmware C array with a comment on every item that is a few MiB of text at most; 16 MiB is far
// above that, yet keeps one analysis bounded in time and memory when someone hands us a disk image.
inline constexpr std::size_t kMaxDescriptorTextBytes = std::size_t{ 16 } * 1024 * 1024;

// The most bytes one text may make: four times the largest descriptor a device can declare, so
// a file of several descriptors still reads. The analysis gives a row with its texts to every
// item, at least one byte each, so this bound is what keeps the rows of one analysis to a
// quarter of a million and about 100 MiB even when every item is a single byte.
inline constexpr std::size_t kMaxDescriptorBytes = std::size_t{ 256 } * 1024;

// Why a descriptor text gave no bytes, for the messages at the program's edges.
enum class ReadStatus
{
    Ok,             // at least one byte was appended
    CannotOpen,     // missing, no access, or the open failed otherwise (errno tells)
    NotRegularFile, // a directory, a FIFO, a device: never read, so it cannot hang
    TooLarge,       // more than kMaxDescriptorTextBytes of text
    TooManyBytes,   // the text makes more than kMaxDescriptorBytes bytes
    ReadError,      // the read itself failed part-way (errno tells)
    NoHexDigits,    // the text was read but makes no byte (empty, comments only, UTF-16)
};

struct ReadOutcome
{
    ReadStatus status = ReadStatus::Ok;
    int systemError = 0; // errno of a failed open or read, else 0
};

// Reads the descriptor text file at path and appends the bytes its hex digits make to bytes,
// tokenising each line whole, however long.
// Whatever goes wrong (no such file, not a regular file, too large, too many bytes, a failed read)
// leaves bytes unchanged; the caller treats "no bytes" as nothing to do.
void ReadHexTextFile(const char* path, std::string& bytes);

// The same reading rule, telling why nothing came when nothing did. On any status but Ok and
// NoHexDigits, bytes is left as it was.
ReadOutcome ReadHexTextFileChecked(const char* path, std::string& bytes);

// The same reading rule over an open stream (standard input, for "-"), read to its end. Stops
// with TooLarge once more than kMaxDescriptorTextBytes came, so an endless stream cannot run us
// out of memory; on TooLarge, TooManyBytes and ReadError bytes is left as it was.
ReadOutcome ReadHexTextStream(std::FILE* stream, std::string& bytes);

// Appends the bytes of one chunk of text (a line, its line feed included) to bytes. The chunk
// ends at length or at its first NUL, whichever comes first; it is taken as a whole, never
// split, and nothing carries over from it to the next chunk.
void TokeniseHexChunk(const char* chunk, std::size_t length, std::string& bytes);

// A one-line, lower-case reason for an outcome, without the file name ("cannot open file: ...").
std::string DescribeReadOutcome(const ReadOutcome& outcome);

} // namespace quorlix
