#include "files/HexTextReader.h"

#include "files/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::string_view_literals;

namespace quorlix {
namespace {

// Bytes as "05 01", so a mismatch shows which byte went wrong.
std::string HexOf(std::string_view bytes)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto value = static_cast<unsigned char>(c);
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[value >> 4];
        text += kDigits[value & 0x0F];
    }
    return text;
}

std::string ReadFileAsHex(const std::string& path)
{
    std::string bytes;
    ReadHexTextFile(path.c_str(), bytes);
    return HexOf(bytes);
}

TEST(ReadHexTextFile, TakesDigitPairsSkipsPrefixesAndStopsAtComments)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        const char* bytes;
    };
    const Case cases[] = {
        { "C array line", "0x05, 0x01,  // USAGE_PAGE (Generic Desktop)\n"sv, "05 01" },
        { "plain dump", "05 01 09 02\n"sv, "05 01 09 02" },
        { "no separators needed", "050109\n"sv, "05 01 09" },
        { "digits in either case", "0X1F 0x1f\n"sv, "1F 1F" },
        { "a lone digit takes the next character as a low 0", "0x5, 0x1\n"sv, "50 10" },
        { "prefixes back to back", "0x0A0x0B\n"sv, "0A 0B" },
        { "letters a to f outside a comment", "USAGE_PAGE 05\n"sv, "A0 E0 A0 E0 05" },
        { "comment marker eaten as a low digit", "0x5// Usage\n"sv, "50 A0 E0" },
        { "block comments are data", "/* c */ 05\n"sv, "C0 05" },
        { "comment line", "// 05 01\n"sv, "" },
        { "lone last digit of the file", "05 1"sv, "05" },
        { "prefix as the last two characters of the file", "0x"sv, "00" },
        { "upper-case X removes the digit before it", "05 1X2A\n"sv, "05 2A" },
        { "no second test straight after a skip", "0x5X1F\n"sv, "50 1F" },
        { "X is only skipped with a character after it", "1X"sv, "10" },
        { "skipped separators and other scripts",
          "{\t0x05;\xEF\xBC\x8C"
          "0x01 }\r\n"sv,
          "05 01" },
        { "CR LF lines", "0x05, 0x01,\r\n0x09, 0x02,\r\n"sv, "05 01 09 02" },
        { "a NUL ends its line's chunk", "05\0 01\n09\n"sv, "05 09" },
        { "empty file", ""sv, "" },
    };
    const ScratchDirectory directory;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadFileAsHex(directory.Write("descriptor.txt", c.text)), c.bytes);
    }
}

TEST(ReadHexTextFile, ReadsLinesOfAnyLengthWhole)
{
    // A comment longer than 1023 characters stays a comment to its line's end, and a pair at
    // characters 1023 and 1024 stays one pair.
    const std::string text =
        "//" + std::string(1021, 'z') + "05 01\n" + std::string(1022, ' ') + "12\n";
    const ScratchDirectory directory;
    EXPECT_EQ(ReadFileAsHex(directory.Write("long-lines.txt", text)), "12");
}

TEST(ReadHexTextFile, Utf16TextGivesNothing)
{
    // Saved as "Unicode" by a Windows editor: every chunk ends at the NUL of its first character.
    EXPECT_EQ(ReadFileAsHex(QUORLIX_TEST_DATA_DIR "/files/utf16le-bom-c-array.txt"), "");
}

// The plain dumps are read independently of the code under test: blank-separated hex bytes.
std::string ParsePlainDump(const std::string& path)
{
    std::ifstream in(path);
    std::string bytes;
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

TEST(ReadHexTextFile, FirmwareSourceArraysGiveTheBytesOfTheirPlainDumps)
{
    const std::filesystem::path corpus = QUORLIX_CORPUS_DIR;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "source-form")) {
        constexpr std::string_view kSuffix = ".c.txt";
        const std::string fileName = entry.path().filename();
        if (!fileName.ends_with(kSuffix)) {
            continue;
        }
        const std::string name = fileName.substr(0, fileName.size() - kSuffix.size());
        SCOPED_TRACE(fileName);
        const std::string expected = ParsePlainDump(corpus / (name + ".txt"));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ReadFileAsHex(entry.path()), HexOf(expected));
        ++checked;
    }
    EXPECT_GT(checked, 0) << "no source-form files in " << corpus;
}

TEST(ReadHexTextFileChecked, TellsWhyNothingCameAndLeavesTheBytesAlone)
{
    const ScratchDirectory directory;
    const std::string fifo = directory.PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string tooLarge = directory.Write("too-large.txt", "");
    // Sparse, so it takes no disk space; it must be refused before a single byte is read.
    ASSERT_EQ(::truncate(tooLarge.c_str(), kMaxDescriptorTextBytes + 1), 0);

    struct Case
    {
        const char* name;
        std::string path;
        ReadStatus status;
        int systemError;
        const char* reason;
    };
    const Case cases[] = {
        { "missing file", directory.PathOf("missing.txt"), ReadStatus::CannotOpen, ENOENT,
          "cannot open file: No such file or directory" },
        { "directory", directory.PathOf(""), ReadStatus::NotRegularFile, 0, "not a regular file" },
        { "FIFO without a writer", fifo, ReadStatus::NotRegularFile, 0, "not a regular file" },
        { "endless device", "/dev/zero", ReadStatus::NotRegularFile, 0, "not a regular file" },
        { "larger than the bound", tooLarge, ReadStatus::TooLarge, 0,
          "file too large (more than 16777216 bytes)" },
        { "comments only", directory.Write("comments.txt", "// 05 01\n  // 09 02\n"),
          ReadStatus::NoHexDigits, 0, "no hex digits" },
    };
    // A read that blocks would hang the whole test run; the alarm ends it with a failure instead.
    ::alarm(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = "\xAA";
        const ReadOutcome outcome = ReadHexTextFileChecked(c.path.c_str(), bytes);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.systemError, c.systemError);
        EXPECT_EQ(DescribeReadOutcome(outcome), c.reason);
        EXPECT_EQ(bytes, "\xAA");
    }
    ::alarm(0);
}

TEST(ReadHexTextFileChecked, TextOfMoreBytesThanTheBoundGivesNothing)
{
    const ScratchDirectory directory;
    std::string atBound;
    for (std::size_t i = 0; i < kMaxDescriptorBytes; ++i) {
        atBound += "00 ";
    }
    struct Case
    {
        const char* name;
        std::string text;
        ReadStatus status;
        std::size_t bytes;
    };
    const Case cases[] = {
        { "exactly at the bound", atBound, ReadStatus::Ok, kMaxDescriptorBytes },
        { "one byte more", atBound + "01", ReadStatus::TooManyBytes, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes;
        const ReadOutcome outcome =
            ReadHexTextFileChecked(directory.Write("bytes.txt", c.text).c_str(), bytes);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(bytes.size(), c.bytes);
    }
    EXPECT_EQ(DescribeReadOutcome({ ReadStatus::TooManyBytes, 0 }),
              "too many bytes for a descriptor (more than 262144)");
}

TEST(ReadHexTextFileChecked, AppendsBehindWhatTheBytesHeld)
{
    const ScratchDirectory directory;
    std::string bytes = "\xAA";
    const ReadOutcome outcome =
        ReadHexTextFileChecked(directory.Write("one.txt", "0x05\n").c_str(), bytes);
    EXPECT_EQ(outcome.status, ReadStatus::Ok);
    EXPECT_EQ(HexOf(bytes), "AA 05");
}

TEST(ReadHexTextStream, ReadsTheTextToItsEnd)
{
    char text[] = "0x05, 0x01, // usage page\n09";
    std::FILE* stream = ::fmemopen(text, sizeof text - 1, "r");
    ASSERT_NE(stream, nullptr);
    std::string bytes;
    EXPECT_EQ(ReadHexTextStream(stream, bytes).status, ReadStatus::Ok);
    EXPECT_EQ(HexOf(bytes), "05 01 09");
    std::fclose(stream);
}

TEST(ReadHexTextStream, EndlessStreamStopsAtTheBoundWithNothing)
{
    std::FILE* stream = std::fopen("/dev/zero", "r");
    ASSERT_NE(stream, nullptr);
    std::string bytes;
    EXPECT_EQ(ReadHexTextStream(stream, bytes).status, ReadStatus::TooLarge);
    EXPECT_EQ(bytes, "");
    std::fclose(stream);
}

TEST(ReadHexTextStream, FailedReadGivesNothingAndTheSystemsReason)
{
    const ScratchDirectory directory;
    std::FILE* stream = std::fopen(directory.PathOf("write-only.txt").c_str(), "w");
    ASSERT_NE(stream, nullptr);
    std::string bytes = "\xAA";
    const ReadOutcome outcome = ReadHexTextStream(stream, bytes);
    EXPECT_EQ(outcome.status, ReadStatus::ReadError);
    EXPECT_EQ(DescribeReadOutcome(outcome), "cannot read file: Bad file descriptor");
    EXPECT_EQ(bytes, "\xAA");
    std::fclose(stream);
}

} // namespace
} // namespace quorlix
