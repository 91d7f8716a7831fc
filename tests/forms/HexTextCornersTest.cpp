// The designed lenient reading of --input hex-text at its corners, and the firmware arrays of the
// repository's descriptors read by it, each against its plain dump read independently here.

#include "forms/DescriptorInput.h"

#include "forms/FormsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace quorlix {
namespace {

using test::HexOf;
using test::ReadText;

TEST(HexTextCorners, SkipsNulsAndTextWithoutDigitsAsDesigned)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        InputStatus status;
        const char* bytes;
    };
    const Case cases[] = {
        { "no second test straight after a skip", "0x5X1F\n"sv, InputStatus::Ok, "50 1F" },
        { "X is only skipped with a character after it", "1X"sv, InputStatus::Ok, "10" },
        { "a NUL ends its line's chunk", "05\0 01\n09\n"sv, InputStatus::Ok, "05 09" },
        { "comment line", "// 05 01\n"sv, InputStatus::NoBytes, "" },
        { "empty text", ""sv, InputStatus::NoBytes, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        EXPECT_EQ(ReadText(c.text, InputForm::HexText, input).status, c.status);
        EXPECT_EQ(HexOf(input.bytes), c.bytes);
    }
}

// Blank-separated hex bytes, read without the code under test.
std::string ParsePlainDump(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::string bytes;
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

TEST(HexTextCorners, FirmwareSourceArraysGiveTheBytesOfTheirPlainDumps)
{
    const std::filesystem::path corpus = QUORLIX_CORPUS_DIR;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "source-form")) {
        constexpr std::string_view kSuffix = ".c.txt";
        const std::string fileName = entry.path().filename();
        if (!fileName.ends_with(kSuffix)) {
            continue;
        }
        SCOPED_TRACE(fileName);
        const std::string name = fileName.substr(0, fileName.size() - kSuffix.size());
        const std::string expected = ParsePlainDump(corpus / (name + ".txt"));
        ASSERT_FALSE(expected.empty());
        DescriptorInput input;
        ASSERT_EQ(ReadDescriptorInput(entry.path(), { InputForm::HexText }, input).status,
                  InputStatus::Ok);
        EXPECT_EQ(HexOf(input.bytes), HexOf(expected));
        ++checked;
    }
    EXPECT_EQ(checked, 10) << "source-form files in " << corpus;
}

} // namespace
} // namespace quorlix
