// Any bytes through the diagnostics pass, as quorlix-cli check and the window run it. Besides not
// crashing, it checks what every finding promises its readers: a place inside the descriptor
// (only the item that runs past the end reaches beyond it, and that item is then reported as
// truncated), a known check with its own severity and name, a message and a fix, and the
// findings in offset order.

#include "diagnostics/CheckDescriptor.h"

#include "FuzzSupport.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using namespace quorlix;

void Require(bool condition, const char* what)
{
    fuzz::Require("check fuzzer", condition, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const std::vector<Finding> findings = CheckDescriptor(bytes);
    Require(size > 0 || findings.empty(), "a finding in an empty descriptor");

    // The offset where the descriptor's last item starts, when it runs past the end.
    bool truncated = false;
    std::size_t truncatedOffset = 0;
    for (const Finding& finding : findings) {
        if (finding.check == CheckId::TruncatedItem) {
            Require(!truncated, "two truncated items");
            truncated = true;
            truncatedOffset = finding.offset;
        }
    }

    std::size_t previousOffset = 0;
    std::array<bool, kCheckCount> named{};
    for (const Finding& finding : findings) {
        const auto index = static_cast<std::size_t>(finding.check);
        Require(index < kCheckCount, "a check that does not exist");
        Require(finding.severity == CheckSeverity(finding.check) ||
                    finding.severity == Severity::Note,
                "a check of the wrong severity");
        if (!named[index]) { // a name lookup is a walk through every name: once per check
            named[index] = true;
            Require(FindCheck(CheckName(finding.check)) == finding.check,
                    "a check without its name");
        }
        Require(!finding.message.empty() && !finding.fix.empty(), "a finding without its texts");
        Require(finding.offset >= previousOffset, "findings out of offset order");
        previousOffset = finding.offset;
        Require(finding.offset < size, "a finding past the descriptor's end");
        Require(finding.length > 0, "a finding of no bytes");
        if (finding.length > size - finding.offset) {
            Require(truncated && finding.offset == truncatedOffset,
                    "a finding past the end that is not about the truncated item");
        }
    }
    return 0;
}
