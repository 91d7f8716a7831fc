#include "DialogTestSupport.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix::test {

std::string ExamplePath(const char* name)
{
    return std::string(QUORLIX_SOURCE_DIR) + "/examples/" + name;
}

std::string WriteTextFile(const QTemporaryDir& folder, const char* name, const std::string& text)
{
    const std::string path = folder.filePath(QString::fromUtf8(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadBinaryFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0;
}

StandardOutputSilenced::StandardOutputSilenced()
{
    std::fflush(stdout);
    m_saved = ::dup(STDOUT_FILENO);
    const int sink = ::open("/dev/null", O_WRONLY);
    if (sink >= 0) {
        ::dup2(sink, STDOUT_FILENO);
        ::close(sink);
    }
}

StandardOutputSilenced::~StandardOutputSilenced()
{
    std::fflush(stdout);
    if (m_saved >= 0) {
        ::dup2(m_saved, STDOUT_FILENO);
        ::close(m_saved);
    }
}

} // namespace quorlix::test
