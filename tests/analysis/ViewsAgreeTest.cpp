#include "support/TestDescriptors.h"
#include "support/ViewsAgree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorlix {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadDescriptor(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return test::HexBytes(text.str());
}

TEST(ViewsAgree, OnEveryRepositoryDescriptor)
{
    std::size_t descriptors = 0;
    for (const auto& entry : fs::directory_iterator(QUORLIX_CORPUS_DIR)) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        ++descriptors;
        EXPECT_EQ(test::FirstDisagreement(ReadDescriptor(entry.path())), "");
    }
    EXPECT_GE(descriptors, 60u);
}

TEST(ViewsAgree, OnTheCasesTheViewsOnceDisagreedOn)
{
    const char* cases[] = {
        // 12 bits behind report id 1: the layout rounded down.
        "05 01 09 02 A1 01 85 01 09 30 75 0C 95 01 81 02 C0",
        // Input report 1 in two top-level collections.
        "09 02 A1 01 85 01 75 04 95 01 81 02 C0 09 02 A1 01 85 01 75 08 81 02 C0",
        // An unknown main item between a usage and its Input item.
        "05 01 09 02 A1 01 09 30 D0 75 08 95 01 81 02 C0",
        // A 70,000-byte report.
        "A1 01 75 08 97 70 11 01 00 81 02 C0",
        // Delimiter sets.
        "05 01 A1 01 A9 01 09 30 09 40 A9 00 A9 01 09 31 A9 00 75 08 95 02 81 02 C0",
    };
    for (const char* hex : cases) {
        SCOPED_TRACE(hex);
        EXPECT_EQ(test::FirstDisagreement(test::HexBytes(hex)), "");
    }
}

} // namespace
} // namespace quorlix
