// Hostile descriptors and files that are no text files, through the built quorlix-cli: every
// run ends by itself, with exit status 0 and a note on standard error at a bound, or 1 and one
// line naming the file and the reason.

#include "cli/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using quorlix::test::CliRun;
using quorlix::test::ReadFile;

// Occurrences of needle in text.
std::size_t Count(std::string_view text, std::string_view needle)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

// Bytes as a descriptor text, sixteen to a line.
std::string HexText(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
        text += (i % 16 == 15) ? '\n' : ' ';
    }
    return text;
}

void Append(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> item, int times)
{
    for (int i = 0; i < times; ++i) {
        bytes.insert(bytes.end(), item);
    }
}

class HostileInput : public quorlix::test::CliFixture
{
protected:
    std::filesystem::path WriteDescriptor(const char* name,
                                          const std::vector<std::uint8_t>& bytes) const
    {
        const std::filesystem::path path = Dir() / name;
        std::ofstream(path, std::ios::binary) << HexText(bytes);
        return path;
    }
};

TEST_F(HostileInput, ThirtyThousandNestedCollectionsGoThroughEveryOutput)
{
    // 30,000 Collection items, never closed, and one 8-bit Input field in the innermost.
    std::vector<std::uint8_t> bytes;
    Append(bytes, { 0xA1, 0x00 }, 30000);
    Append(bytes, { 0x75, 0x08, 0x95, 0x01, 0x81, 0x02 }, 1);
    const std::string file = WriteDescriptor("nested.txt", bytes).string();
    constexpr std::size_t kRows = 30003;

    for (const char* command : { "analyse", "analyse --format c" }) {
        SCOPED_TRACE(command);
        const CliRun run = Cli(std::string(command) + " " + file);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(Count(run.out, "\r\n"), 5 + kRows); // the five header lines, then the rows
    }

    const CliRun json = Cli("analyse --format json " + file);
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.err, "");
    EXPECT_TRUE(nlohmann::json::accept(json.out));
    EXPECT_EQ(Count(json.out, "{\"offset\":"), kRows);
    EXPECT_EQ(Count(json.out, "\"children\":[]"), 1u); // only the innermost has no child
    EXPECT_EQ(Count(json.out, "\"byteOffset\":0,"), 1u);

    const CliRun layout = Cli("layout " + file);
    EXPECT_EQ(layout.status, 0);
    EXPECT_EQ(layout.err, "");
    EXPECT_EQ(layout.out, "----Col_1---USAGE_PAGE:0----USAGE:0-----\r\n"
                          "\tReportID=0(0)\r\n\tReportContentSize=1 Bytes(8 Bits)\r\n"
                          "\tReportType=1(InputReport)\r\n"
                          "[0]\tByteoffset=0\r\n\tBitCount=8\r\n\tShift=0\r\n"
                          "\tUsageMinimum=00000000\r\n\tUsageMaximum=00000000\r\n");
}

TEST_F(HostileInput, LargestReportCountOnThousandsOfInputItemsStopsAtTheFieldBound)
{
    // Report Count 65535 of 1-bit fields, then 30,000 Input items: four items fill the 262,144
    // fields a parse keeps, the others add none, yet every item keeps its row.
    std::vector<std::uint8_t> bytes = { 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,
                                        0x75, 0x01, 0x96, 0xFF, 0xFF };
    Append(bytes, { 0x81, 0x02 }, 30000);
    const std::string file = WriteDescriptor("counts.txt", bytes).string();
    const std::string fieldsNote =
        "quorlix-cli: " + file + ": a bound was reached: some report fields were not kept\n";

    const CliRun plain = Cli("analyse " + file);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, fieldsNote);
    EXPECT_EQ(Count(plain.out, "\r\n"), 5u + 5u + 30000u);

    const CliRun json = Cli("analyse --format json " + file);
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.err, fieldsNote);
    EXPECT_EQ(Count(json.out, "{\"offset\":"), 30005u);
    EXPECT_EQ(Count(json.out, "{\"byteOffset\":"), 4u * 65535u);

    // About a hundred characters a field: the detail text meets its own bound too.
    const CliRun layout = Cli("layout " + file);
    EXPECT_EQ(layout.status, 0);
    EXPECT_EQ(layout.err, fieldsNote + "quorlix-cli: " + file +
                              ": a bound was reached: the layout text was cut short\n");
    EXPECT_LE(layout.out.size(), std::size_t{ 1 } << 24);
    EXPECT_EQ(layout.out.substr(layout.out.size() - 2), "\r\n");
}

TEST_F(HostileInput, InputThatIsNoTextFileGivesOneLineAndNeverHangs)
{
    const fs::path fifo = Dir() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // One byte more than the reader takes from one text.
    std::vector<std::uint8_t> bytes(256 * 1024 + 1, 0x00);
    const std::string tooMany = WriteDescriptor("too-many.txt", bytes).string();

    struct Case
    {
        const char* name;
        std::string arguments;
        std::string stdinPath;
        std::string error;
    };
    const std::string dir = Dir().string();
    const Case cases[] = {
        { "a directory", "analyse " + dir, "/dev/null",
          "quorlix-cli: " + dir + ": not a regular file\n" },
        { "a FIFO no one writes", "layout " + fifo.string(), "/dev/null",
          "quorlix-cli: " + fifo.string() + ": not a regular file\n" },
        { "an endless device", "hexdump /dev/zero", "/dev/null",
          "quorlix-cli: /dev/zero: not a regular file\n" },
        { "an endless standard input", "analyse -", "/dev/zero",
          "quorlix-cli: -: file too large (more than 16777216 bytes)\n" },
        { "more bytes than a text may make", "analyse --format json " + tooMany, "/dev/null",
          "quorlix-cli: " + tooMany + ": too many bytes for a descriptor (more than 262144)\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = Cli(c.arguments, c.stdinPath);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.error);
    }
}

TEST_F(HostileInput, FailedWriteExitsOneWithTheReasonNeverSuccess)
{
    const std::string mouse = std::string(QUORLIX_SOURCE_DIR) + "/examples/mouse.txt";
    const fs::path fifo = Dir() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string dir = Dir().string();
    struct Case
    {
        const char* name;
        std::string out;
        std::string error;
    };
    const Case cases[] = {
        { "disk full", "/dev/full", "/dev/full: cannot write file: No space left on device" },
        { "a folder", dir, dir + ": cannot write file: Is a directory" },
        { "a folder that cannot be", mouse + "/saved.txt",
          mouse + "/saved.txt: cannot write file: Not a directory" },
        { "a FIFO no one reads", fifo.string(),
          fifo.string() + ": cannot write file: No such device or address" },
    };
    for (const char* command : { "analyse", "analyse --format json", "layout", "hexdump" }) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(command) + ": " + c.name);
            const CliRun run = Cli(std::string(command) + " -o " + c.out + " " + mouse);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "quorlix-cli: " + c.error + "\n");
        }
        SCOPED_TRACE(std::string(command) + ": standard output on a full disk");
        const CliRun full = Cli(std::string(command) + " " + mouse, "/dev/null", "/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "quorlix-cli: <stdout>: write failed\n");
    }
}

} // namespace
