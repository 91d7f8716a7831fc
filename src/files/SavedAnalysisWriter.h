#pragma once

#include "files/OutputFile.h"

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace quorlix {

// Plain: the bytes as the item list shows them (05 01); C: as constants (0x05,0x01,).
enum class SavedForm
{
    Plain,
    C,
};

// The bytes of the Chinese texts: GBK in saved files, pipes and everywhere by default; UTF-8
// only for a terminal, where GBK could not be read.
enum class SavedEncoding
{
    Gbk,
    Utf8,
};

// The four column texts of one row of the item list.
struct SavedRowTexts
{
    std::u16string_view offset;
    std::u16string_view bytes;
    std::u16string_view name;
    std::u16string_view description;
};

// Writes the five header lines (fixed texts in GBK, CR LF line ends).
void WriteSavedAnalysisHeader(std::ostream& out, SavedEncoding encoding = SavedEncoding::Gbk);

// Writes one row's line: the bytes in a field of at least 20 characters, "\t\t//", the offset in
// a field of at least 4, a tab, the name, a tab, the description and CR LF. The texts go out one
// byte per character, blanks and tabs at their edges kept; the characters of "(自定义)" in GBK,
// any other above 0xFF as '?', and a line feed inside a text as CR LF.
void WriteSavedAnalysisRow(std::ostream& out, SavedForm form, const SavedRowTexts& row,
                           SavedEncoding encoding = SavedEncoding::Gbk);

// Writes the header and rowCount rows, asking rowAt for each row's texts in order. Stops asking
// once the stream has failed.
void WriteSavedAnalysis(std::ostream& out, SavedForm form, std::size_t rowCount,
                        const std::function<SavedRowTexts(std::size_t)>& rowAt,
                        SavedEncoding encoding = SavedEncoding::Gbk);

// Writes the saved analysis to a file at path, replacing it. Gives the system's error when the
// file cannot be created or a write fails (disk full included).
Expected<void, WriteError>
WriteSavedAnalysisFile(const std::string& path, SavedForm form, std::size_t rowCount,
                       const std::function<SavedRowTexts(std::size_t)>& rowAt);

} // namespace quorlix
