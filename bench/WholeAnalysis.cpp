#include "WholeAnalysis.h"

#include "analysis/AnalyseDescriptor.h"
#include "cli/SavedRows.h"
#include "forms/DescriptorInput.h"

#include <fstream>
#include <streambuf>

#include <unistd.h>

namespace quorlix::bench {
namespace {

// A stream buffer that appends everything to a string, so the saved analysis is measured
// without a file system in the way.
class StringSink : public std::streambuf
{
public:
    explicit StringSink(std::string& text) : m_text(text) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        m_text.append(data, static_cast<std::size_t>(count));
        return count;
    }

    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            m_text.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }

private:
    std::string& m_text;
};

} // namespace

AnalysisSizes AnalyseDescriptorFile(const char* path, std::string& savedText)
{
    AnalysisSizes sizes;
    DescriptorInput input;
    if (ReadDescriptorInput(path, { InputForm::HexText, 0 }, input).status != InputStatus::Ok) {
        return sizes;
    }
    sizes.bytes = input.bytes.size();

    Analysis analysis;
    AnalyseDescriptor(input.bytes, AnalysisOptions{}, analysis);
    const DeviceDescription& description = analysis.description;
    sizes.rows = description.rows.size();
    sizes.paneChars = analysis.layout.detail.size() + analysis.layout.summary.size();
    sizes.findings = analysis.findings.size();

    savedText.clear();
    StringSink sink(savedText);
    std::ostream out(&sink);
    WriteRowsAsSavedAnalysis(out, SavedForm::Plain, description.rows);
    sizes.savedBytes = savedText.size();
    return sizes;
}

ScratchFolder::ScratchFolder()
    : m_path(std::filesystem::temp_directory_path() /
             ("quorlix-bench-" + std::to_string(::getpid())))
{
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ScratchFolder::Write(std::string_view name, std::string_view text) const
{
    const std::filesystem::path file = m_path / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return file.string();
}

} // namespace quorlix::bench
