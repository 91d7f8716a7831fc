#include "cli/CommandInput.h"

#include <cstdio>
#include <string>

namespace quorlix {
namespace {

constexpr const char* kProgram = "quorlix-cli";

void Say(const std::string& file, const std::string& text)
{
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, file.c_str(), text.c_str());
}

} // namespace

bool ReadCommandInput(const CommandLine& options, DescriptorInput& input)
{
    const InputOutcome outcome =
        ReadDescriptorInput(options.file, { options.inputForm, options.index }, input);
    if (outcome.status != InputStatus::Ok) {
        Say(options.file, DescribeInputOutcome(outcome));
        return false;
    }
    for (const InputWarning& warning : input.warnings) {
        std::fprintf(stderr, "%s: %s:%u:%u: warning: %s\n", kProgram, options.file.c_str(),
                     warning.line, warning.column, warning.message.c_str());
    }
    if (input.descriptors > 1) {
        Say(options.file, "holds " + std::to_string(input.descriptors) +
                              " descriptors; this is the one at index " +
                              std::to_string(input.index) + " (--index 0 to " +
                              std::to_string(input.descriptors - 1) + " picks one)");
    }
    if (options.verbose) {
        Say(options.file, "read as " + std::string(InputFormName(input.form)) + ", " +
                              std::to_string(input.bytes.size()) + " bytes");
    }
    return true;
}

} // namespace quorlix
