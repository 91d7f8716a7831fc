#include "cli/HeaderCommand.h"

#include "cli/CommandInput.h"
#include "codegen/CHeader.h"
#include "codegen/CIdentifier.h"
#include "files/OutputFile.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <span>
#include <string>

namespace quorlix {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr const char* kProgram = "quorlix-cli";

void Complain(const std::string& file, const std::string& reason)
{
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, file.c_str(), reason.c_str());
}

// The prefix the names take: --name, else FILE's name; a device or standard input gives "hid".
std::string HeaderPrefix(const CommandLine& options)
{
    if (!options.headerName.empty()) {
        return options.headerName;
    }
    if (!options.device.empty() || options.file == "-") {
        return "hid";
    }
    return DefaultHeaderPrefix(options.file);
}

} // namespace

int RunHeader(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    const std::span<const std::uint8_t> descriptor(
        reinterpret_cast<const std::uint8_t*>(input.bytes.data()), input.bytes.size());
    if (descriptor.empty()) {
        Complain(InputName(options), "empty descriptor: no header to write");
        return kExitFailure;
    }
    const std::string prefix = HeaderPrefix(options);
    if (options.outPath.empty()) {
        WriteCHeader(std::cout, descriptor, prefix);
        std::cout.flush();
        if (!std::cout) {
            Complain("<stdout>", "write failed");
            return kExitFailure;
        }
        return kExitOk;
    }
    // Replaced only once the whole header is written, so a failure keeps the old one.
    std::string error;
    if (!WriteOutputFile(
            options.outPath, [&](std::ostream& out) { WriteCHeader(out, descriptor, prefix); },
            &error)) {
        Complain(options.outPath, "cannot write file: " + error);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quorlix
