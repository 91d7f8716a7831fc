#pragma once

#include "files/OutputFile.h"

#include <ostream>
#include <string>
#include <string_view>

namespace quorlix {

// Writes the dump of bytes: "total = N", then "0xHH,//i" per byte (upper-case hex, the index in
// decimal from 0), each line ended by CR LF. Writes the total line even for no bytes.
void WriteHexDump(std::ostream& out, std::string_view bytes);

// The dump's file name: the input path with "-hex.txt" appended behind its own extension.
std::string HexDumpPath(const std::string& inputPath);

// Writes the dump of bytes beside inputPath, replacing an earlier one. Gives the system's error
// when the file cannot be created or written. An empty byte string creates and changes no file
// and succeeds: there is nothing to dump, which is no failure.
Expected<void, WriteError> WriteHexDumpFile(const std::string& inputPath, std::string_view bytes);

} // namespace quorlix
