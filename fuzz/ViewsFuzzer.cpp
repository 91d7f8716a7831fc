// Any bytes as a descriptor through every view the program has: the parse with its layout
// records and pane texts, the JSON document, the report model, decode, the C header and check.
// Each must tell the same report lengths as the one report model (test::FirstDisagreement
// says which views it compares, and which descriptors may differ by design).

#include "support/ViewsAgree.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <span>
#include <string>

namespace {

using namespace quorlix;

// Descriptors whose Input, Output and Feature items ask for more fields than this in all are
// left to fuzz_analysis and the tests of hostile sizes. A few bytes can ask for the parse's
// bound of 262,144 fields, and every view then writes each of them: such an input took up to
// 2 s here (measured over the corpus), where a descriptor of real size takes well under a
// millisecond, and the fuzzer spent most of its time on them. The lengths such fields sum to
// are the same arithmetic the smaller counts reach.
constexpr std::uint64_t kMostFields = 4096;

bool FewFields(std::span<const std::uint8_t> bytes)
{
    std::uint64_t fields = 0;
    ItemStateWalker walker;
    WalkItems(bytes, walker, [&](const DecodedItem& item, const ItemStateWalker& state) {
        if (IsItem(item, MainTag::Input) || IsItem(item, MainTag::Output) ||
            IsItem(item, MainTag::Feature)) {
            fields += state.Globals().ReportCount();
        }
    });
    return fields <= kMostFields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!FewFields({ data, size })) {
        return 0;
    }
    const std::string disagreement = quorlix::test::FirstDisagreement({ data, size });
    quorlix::fuzz::Require("views fuzzer", disagreement.empty(), disagreement.c_str());
    return 0;
}
