#pragma once

#include "files/OutputFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quorlix {

// Why a write failed, as the system says it; "" for a write that succeeded.
inline std::string Reason(const Expected<void, WriteError>& written)
{
    return written ? std::string() : WriteErrorText(written.Error());
}

// A fresh directory under the system's temporary folder, removed with everything in it when the
// test ends.
class ScratchDirectory
{
public:
    ScratchDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorlix-files-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a scratch directory";
        }
        m_path = pattern;
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string PathOf(std::string_view name) const { return m_path / name; }

    // Writes content byte for byte to name and gives its path.
    std::string Write(std::string_view name, std::string_view content) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        return path;
    }

private:
    std::filesystem::path m_path;
};

// The whole file byte for byte, or an empty string when it cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace quorlix
