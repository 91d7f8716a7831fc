// Any bytes as a descriptor through every view the program has: the parse with its layout
// records and pane texts, the JSON document, the report model, decode, the C header and check.
// Each must tell the same report lengths as the one report model (test::FirstDisagreement
// says which views it compares, and which descriptors may differ by design).

#include "support/ViewsAgree.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string disagreement = quorlix::test::FirstDisagreement({ data, size });
    quorlix::fuzz::Require("views fuzzer", disagreement.empty(), disagreement.c_str());
    return 0;
}
