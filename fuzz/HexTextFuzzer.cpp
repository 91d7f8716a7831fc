// The descriptor text reader on arbitrary text: the stream reading rule against the same text cut
// into lines here, and the hex dump of what came out.

#include "files/HexDumpWriter.h"
#include "files/HexTextReader.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("hex text fuzzer", condition, what);
}

using fuzz::CountingBuffer;

// The bytes of the text read a line at a time: each line ends after its line feed, however
// long, and is tokenised on its own.
std::string BytesByLines(const char* text, std::size_t size)
{
    std::string bytes;
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size) {
            if (text[end++] == '\n') {
                break;
            }
        }
        TokeniseHexChunk(text + start, end - start, bytes);
        start = end;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);

    // The whole text as one chunk: every byte takes two characters at least.
    std::string whole;
    TokeniseHexChunk(text, size, whole);
    Require(whole.size() <= size / 2, "one chunk gave more bytes than half its characters");

    const std::string expected = BytesByLines(text, size);
    Require(expected.size() <= size / 2, "the lines gave more bytes than half the characters");

    if (size > 0) {
        std::FILE* stream = ::fmemopen(const_cast<std::uint8_t*>(data), size, "r");
        Require(stream != nullptr, "cannot open a memory stream");
        std::string bytes = "kept";
        const ReadOutcome outcome = ReadHexTextStream(stream, bytes);
        std::fclose(stream);
        Require(bytes.compare(0, 4, "kept") == 0, "the reader changed bytes it was given");
        Require(bytes.substr(4) == expected, "the stream reader differs from line by line");
        Require(outcome.status == (expected.empty() ? ReadStatus::NoHexDigits : ReadStatus::Ok),
                "the reader's status does not match what it read");
    }

    // "total = N" and one "0xHH,//i" line per byte, CR LF each.
    CountingBuffer counter;
    std::ostream out(&counter);
    WriteHexDump(out, expected);
    Require(out.good(), "the hex dump failed on a stream that cannot fail");
    Require(counter.Count() >= 11 + expected.size() * 10, "the hex dump is too short");
    return 0;
}
