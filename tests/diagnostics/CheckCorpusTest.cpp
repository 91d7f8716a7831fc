#include "diagnostics/CheckDescriptor.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace quorlix {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(QUORLIX_TEST_DATA_DIR) / "descriptors";

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names of the checks that report an error on the descriptor.
std::set<std::string> ErrorChecks(const fs::path& path)
{
    std::set<std::string> names;
    for (const Finding& finding : CheckDescriptor(test::HexBytes(ReadText(path)))) {
        if (finding.severity == Severity::Error) {
            names.emplace(CheckName(finding.check));
        }
    }
    return names;
}

// The descriptors of the corpus with errors, each read by hand: a Usage Page 0, collections
// whose top level is not an Application, fields whose logical range cannot fit their bits, a
// Push never popped, reports with and without ids side by side, a report id of several top-level
// collections. Every other descriptor of the
// corpus must give no error at all: an error there would be a check firing on a sound
// descriptor.
const std::map<std::string, std::set<std::string>> kErrorsFound = {
    { "deep-nesting-collection-overflow.txt", { "report-id-mixed" } },
    { "dualshock4-usb.txt", { "size-too-small" } },               // 0..127 in 6 bits
    { "elan-touchscreen-zenbook-duo.txt", { "size-too-small" } }, // 0..63 in 5 bits
    { "frtec-raptor-mach2-original.txt", { "usage-page-zero" } },
    { "hid-example-alnum-display.txt", { "main-outside-collection" } },
    { "ite-keyboard.txt", { "size-too-small" } },
    { "kye-easypen-i405x-original.txt", { "push-pop" } },
    { "surface-book2-keyboard.txt", { "size-too-small" } },
    { "surface-book2-touch.txt", { "main-outside-collection", "size-too-small" } },
    // Three top-level collections, each with input report 172 of its own length.
    { "thinkpad-t14s-vendor-ffff.txt", { "main-outside-collection", "report-id-shared" } },
    { "viewsonic-pd1011-original.txt", { "usage-page-zero" } },
    { "waltop-slim-5.8-original.txt", { "push-pop" } },
    { "xusb-wheel.txt", { "size-too-small" } }, // 0..255 in 1 bit
};

TEST(CheckCorpus, ErrorsOnlyWhereReadingByHandFoundThem)
{
    std::size_t descriptors = 0;
    for (const auto& entry : fs::directory_iterator(kCorpus)) {
        const fs::path& path = entry.path();
        if (path.extension() != ".txt") {
            continue;
        }
        ++descriptors;
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        const auto expected = kErrorsFound.find(name);
        EXPECT_EQ(ErrorChecks(path),
                  expected == kErrorsFound.end() ? std::set<std::string>{} : expected->second);
    }
    EXPECT_EQ(descriptors, 68u);
}

TEST(CheckCorpus, KnownBrokenDescriptorsHaveAnError)
{
    std::istringstream sources(ReadText(kCorpus / "SOURCES.md"));
    std::size_t broken = 0;
    for (std::string row; std::getline(sources, row);) {
        if (row.rfind("| ", 0) != 0 || row.find("known-broken") == std::string::npos) {
            continue;
        }
        const std::string name = row.substr(2, row.find(' ', 2) - 2);
        ++broken;
        SCOPED_TRACE(name);
        // The Thrustmaster yoke's bug is that its vendor Inputs are declared Data where a host
        // wants them ignored; by the HID rules every item of it is sound, so no check can fault
        // it without faulting sound descriptors too.
        if (name == "thrustmaster-tca-yoke-original.txt") {
            EXPECT_TRUE(ErrorChecks(kCorpus / name).empty());
            continue;
        }
        EXPECT_FALSE(ErrorChecks(kCorpus / name).empty());
    }
    EXPECT_EQ(broken, 5u);
}

} // namespace
} // namespace quorlix
