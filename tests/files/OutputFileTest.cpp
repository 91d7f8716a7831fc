#include "files/OutputFile.h"

#include "files/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

namespace fs = std::filesystem;

// The names in a folder, to see that no temporary file is left.
std::set<std::string> Names(const std::string& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::function<void(std::ostream&)> Content(const std::string& text)
{
    return [text](std::ostream& out) { out << text; };
}

TEST(WriteOutputFile, ReplacesTheFileKeepingItsPermissionsAndTheLinkToIt)
{
    const ScratchDirectory directory;
    const std::string path = directory.Write("analysis.txt", std::string(5000, 'o'));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    fs::create_symlink("analysis.txt", directory.PathOf("link.txt"));

    ASSERT_EQ(Reason(WriteOutputFile(path, Content("new\r\n"))), "");
    EXPECT_EQ(ReadWholeFile(path), "new\r\n");
    struct stat info
    {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Through the link the linked file is replaced, and the link stays a link.
    ASSERT_EQ(Reason(WriteOutputFile(directory.PathOf("link.txt"), Content("linked"))), "");
    EXPECT_TRUE(fs::is_symlink(directory.PathOf("link.txt")));
    EXPECT_EQ(ReadWholeFile(path), "linked");
    EXPECT_EQ(Names(directory.PathOf("")), (std::set<std::string>{ "analysis.txt", "link.txt" }));
}

TEST(WriteOutputFile, DevicesAndPipesAreWrittenWhereTheyAre)
{
    ASSERT_EQ(Reason(WriteOutputFile("/dev/null", Content("gone"))), "");
    struct stat info
    {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)); // still the device, not a file put in its place

    // A pipe named through /proc, as /dev/stdout names standard output in a pipeline.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(Reason(WriteOutputFile("/proc/self/fd/" + std::to_string(ends[1]), Content("piped"))),
              "");
    ::close(ends[1]);
    char buffer[16] = {};
    EXPECT_EQ(::read(ends[0], buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer), "piped");
    ::close(ends[0]);
}

TEST(WriteOutputFile, FailedContentLeavesTheOldFileAndNoTemporaryFile)
{
    const ScratchDirectory directory;
    const std::string path = directory.Write("analysis.txt", "old analysis\r\n");
    EXPECT_EQ(Reason(WriteOutputFile(path,
                                     [](std::ostream& out) {
                                         out << "half of it";
                                         out.setstate(std::ios::badbit);
                                     })),
              "Input/output error");
    EXPECT_EQ(ReadWholeFile(path), "old analysis\r\n");
    EXPECT_EQ(Names(directory.PathOf("")), (std::set<std::string>{ "analysis.txt" }));
}

// A 64 KiB tmpfs mounted on a scratch folder while it lives; needs root (or the right to mount).
class SmallFileSystem
{
public:
    SmallFileSystem()
    {
        m_mounted = ::mount("tmpfs", m_folder.PathOf("").c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted) {
            ::umount2(m_folder.PathOf("").c_str(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return m_mounted; }
    const ScratchDirectory& Folder() const { return m_folder; }

private:
    ScratchDirectory m_folder;
    bool m_mounted = false;
};

TEST(WriteOutputFile, FullFileSystemLeavesTheOldFileAndNoTemporaryFile)
{
    const SmallFileSystem fileSystem;
    if (!fileSystem.Mounted()) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    const ScratchDirectory& folder = fileSystem.Folder();
    const std::string old(8192, 'o');
    const std::string path = folder.Write("analysis.txt", old);
    ASSERT_EQ(ReadWholeFile(path), old);
    // Fill what is left, so the next write finds the file system full.
    {
        std::ofstream filler(folder.PathOf("filler"), std::ios::binary);
        const std::string block(4096, 'f');
        for (int i = 0; i < 64 && filler; ++i) {
            filler.write(block.data(), static_cast<std::streamsize>(block.size()));
            filler.flush();
        }
    }

    EXPECT_EQ(Reason(WriteOutputFile(path, Content(std::string(32768, 'n')))),
              "No space left on device");
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(Names(folder.PathOf("")), (std::set<std::string>{ "analysis.txt", "filler" }));
}

} // namespace
} // namespace quorlix
