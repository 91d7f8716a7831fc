#include "cli/HeaderCommand.h"

#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"
#include "codegen/CHeader.h"
#include "codegen/CIdentifier.h"

#include <cstdint>
#include <span>
#include <string>

namespace quorlix {
namespace {

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
    return WriteCommandOutput(options.outPath,
                              [&](std::ostream& out) { WriteCHeader(out, descriptor, prefix); });
}

} // namespace quorlix
