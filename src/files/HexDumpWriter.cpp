#include "files/HexDumpWriter.h"

#include "files/OutputFile.h"
#include "support/HexDigits.h"

#include <algorithm>
#include <charconv>

namespace quorlix {

void WriteHexDump(std::ostream& out, std::string_view bytes)
{
    // Line ends are CR LF, as a text-mode file on the system the dumps are read on stores them.
    constexpr std::string_view kTotal = "total = ";
    char line[64];
    char* end = std::copy(kTotal.begin(), kTotal.end(), line);
    end = std::to_chars(end, line + sizeof line, bytes.size()).ptr;
    *end++ = '\r';
    *end++ = '\n';
    out.write(line, end - line);

    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const auto value = static_cast<unsigned char>(bytes[index]);
        end = line;
        *end++ = '0';
        *end++ = 'x';
        *end++ = kUpperHexDigits[value >> 4];
        *end++ = kUpperHexDigits[value & 0x0F];
        *end++ = ',';
        *end++ = '/';
        *end++ = '/';
        end = std::to_chars(end, line + sizeof line, index).ptr;
        *end++ = '\r';
        *end++ = '\n';
        out.write(line, end - line);
    }
}

std::string HexDumpPath(const std::string& inputPath)
{
    return inputPath + "-hex.txt";
}

Expected<void, WriteError> WriteHexDumpFile(const std::string& inputPath, std::string_view bytes)
{
    if (bytes.empty()) {
        // Nothing was found, so an earlier dump of the same file stays as it is.
        return {};
    }
    return WriteOutputFile(HexDumpPath(inputPath),
                           [bytes](std::ostream& out) { WriteHexDump(out, bytes); });
}

} // namespace quorlix
