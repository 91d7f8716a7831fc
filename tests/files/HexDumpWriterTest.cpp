#include "files/HexDumpWriter.h"

#include "files/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace quorlix {
namespace {

// The dump of the first bytes of the mouse descriptor, 05 01 09 02.
constexpr const char* kMouseStartDump = "total = 4\r\n"
                                        "0x05,//0\r\n"
                                        "0x01,//1\r\n"
                                        "0x09,//2\r\n"
                                        "0x02,//3\r\n";

std::string DumpOf(std::string_view bytes)
{
    std::ostringstream out;
    WriteHexDump(out, bytes);
    return out.str();
}

TEST(WriteHexDump, WritesTheTotalThenOneLinePerByteEndedByCrLf)
{
    EXPECT_EQ(DumpOf("\x05\x01\x09\x02"), kMouseStartDump);
}

TEST(WriteHexDump, WritesUpperCaseHexAndTheIndexWithoutPadding)
{
    const std::string bytes("\x00\x0A\xA1\xFF\x10\x20\x30\x40\x50\x60\xC0", 11);
    EXPECT_EQ(DumpOf(bytes), "total = 11\r\n"
                             "0x00,//0\r\n"
                             "0x0A,//1\r\n"
                             "0xA1,//2\r\n"
                             "0xFF,//3\r\n"
                             "0x10,//4\r\n"
                             "0x20,//5\r\n"
                             "0x30,//6\r\n"
                             "0x40,//7\r\n"
                             "0x50,//8\r\n"
                             "0x60,//9\r\n"
                             "0xC0,//10\r\n");
}

TEST(HexDumpPath, AppendsBehindTheInputsOwnExtension)
{
    EXPECT_EQ(HexDumpPath("/home/user/mouse.txt"), "/home/user/mouse.txt-hex.txt");
}

TEST(WriteHexDumpFile, ReplacesAnEarlierDumpBesideTheInput)
{
    const ScratchDirectory directory;
    const std::string input = directory.Write("mouse.txt", "05 01 09 02\n");
    ASSERT_EQ(Reason(WriteHexDumpFile(input, "\x05\x01\x09\x02\xA1\x01")), "");
    ASSERT_EQ(Reason(WriteHexDumpFile(input, "\x05\x01\x09\x02")), "");
    EXPECT_EQ(ReadWholeFile(directory.PathOf("mouse.txt-hex.txt")), kMouseStartDump);
}

TEST(WriteHexDumpFile, EmptyBytesCreateNoFile)
{
    const ScratchDirectory directory;
    const std::string input = directory.Write("comments.txt", "// nothing\n");
    EXPECT_TRUE(WriteHexDumpFile(input, ""));
    EXPECT_FALSE(std::filesystem::exists(directory.PathOf("comments.txt-hex.txt")));
}

TEST(WriteHexDumpFile, FailureGivesTheSystemsReason)
{
    const ScratchDirectory directory;
    // The dump's name is fixed by the input's, so a link of that name leads to the full device.
    std::filesystem::create_symlink("/dev/full", directory.PathOf("full.txt-hex.txt"));
    struct Case
    {
        const char* name;
        std::string input;
        const char* reason;
    };
    const Case cases[] = {
        { "no such folder", directory.PathOf("missing/mouse.txt"), "No such file or directory" },
        { "disk full", directory.PathOf("full.txt"), "No space left on device" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Reason(WriteHexDumpFile(c.input, "\x05\x01")), c.reason);
    }
}

} // namespace
} // namespace quorlix
