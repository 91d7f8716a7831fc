#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorlix::bench {

// What one whole analysis produced, kept so the compiler cannot drop any of the work.
struct AnalysisSizes
{
    std::size_t bytes = 0;      // descriptor bytes read from the text
    std::size_t rows = 0;       // item rows
    std::size_t paneChars = 0;  // characters of the detail and the summary text together
    std::size_t savedBytes = 0; // bytes of the saved analysis (plain form)
    std::size_t findings = 0;   // what check found
};

// One Analyse as the window runs it, with the saved analysis the window's Save would write:
// read the descriptor text at path, analyse it whole without debug lines (item list, pane
// texts, report model, findings), and write the item list as a saved analysis into savedText
// (cleared first, its storage reused). A text without a descriptor gives zero bytes and
// nothing else.
AnalysisSizes AnalyseDescriptorFile(const char* path, std::string& savedText);

// A folder for the files one benchmark program writes, removed with everything in it when the
// object goes.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes text to the file name inside the folder and gives its path.
    std::string Write(std::string_view name, std::string_view text) const;

private:
    std::filesystem::path m_path;
};

} // namespace quorlix::bench
