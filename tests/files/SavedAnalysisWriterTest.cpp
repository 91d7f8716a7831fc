#include "files/SavedAnalysisWriter.h"

#include "files/ScratchDirectory.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

// The five header lines: the title, the maker with the address, an empty line, the hyphen line
// with 报告描述符 in GBK, an empty line.
std::string ExpectedHeader()
{
    const std::string makerLine = std::string("Ferrowan ") + kHomePage + "\r\n";
    return "Quorlix\r\n" + makerLine +
           "\r\n-----\xB1\xA8\xB8\xE6\xC3\xE8\xCA\xF6\xB7\xFB--------------\r\n\r\n";
}

const SavedRowTexts kUsagePageRow = { u"0", u"05 01",
                                      u"GLOBAL_USAGE_PAGE(Generic Desktop Controls)", u"" };

TEST(WriteSavedAnalysis, EmptyListGivesOnlyTheHeaderInEitherForm)
{
    for (const SavedForm form : { SavedForm::Plain, SavedForm::C }) {
        SCOPED_TRACE(form == SavedForm::C ? "C form" : "plain form");
        std::ostringstream out;
        WriteSavedAnalysis(out, form, 0, [](std::size_t) { return kUsagePageRow; });
        EXPECT_EQ(out.str(), ExpectedHeader());
    }
}

TEST(WriteSavedAnalysisRow, LaysOutTheColumnsInFixedFields)
{
    struct Case
    {
        const char* name;
        SavedForm form;
        SavedRowTexts row;
        std::string line;
    };
    const Case cases[] = {
        { "plain form pads the bytes to 20", SavedForm::Plain, kUsagePageRow,
          "05 01               \t\t//0   \tGLOBAL_USAGE_PAGE(Generic Desktop Controls)\t\r\n" },
        { "C form writes constants", SavedForm::C, kUsagePageRow,
          "0x05,0x01,          \t\t//0   \tGLOBAL_USAGE_PAGE(Generic Desktop Controls)\t\r\n" },
        { "four data bytes overflow the field in C form",
          SavedForm::C,
          { u"12", u"27 FF FF 00 00", u"GLOBAL_LOGICAL_MAXIMUM(65535)", u"" },
          "0x27,0xFF,0xFF,0x00,0x00,\t\t//12  \tGLOBAL_LOGICAL_MAXIMUM(65535)\t\r\n" },
        { "item without data, plain",
          SavedForm::Plain,
          { u"1234", u"C0", u"MAIN_END_COLLECTION", u"" },
          "C0                  \t\t//1234\tMAIN_END_COLLECTION\t\r\n" },
        { "item without data, C, offset overflows its field",
          SavedForm::C,
          { u"12345", u"C0", u"MAIN_END_COLLECTION", u"" },
          "0xC0,               \t\t//12345\tMAIN_END_COLLECTION\t\r\n" },
        { "description follows the name",
          SavedForm::Plain,
          { u"24", u"81 02", u"MAIN_INPUT(Data,Var,Abs)", u"byte 0 bit 3" },
          "81 02               \t\t//24  \tMAIN_INPUT(Data,Var,Abs)\tbyte 0 bit 3\r\n" },
        { "usage name keeps its tabs and blanks",
          SavedForm::Plain,
          { u"8", u"09 01", u"LOCAL_USAGE(\tNum Lock \t)", u"" },
          "09 01               \t\t//8   \tLOCAL_USAGE(\tNum Lock \t)\t\r\n" },
        { "unnamed collection kind in GBK",
          SavedForm::Plain,
          { u"4", u"A1 80", u"MAIN_COLLECTION(\u81EA\u5B9A\u4E49)", u"" },
          "A1 80               \t\t//4   \tMAIN_COLLECTION(\xD7\xD4\xB6\xA8\xD2\xE5)\t\r\n" },
        // A Latin-1 byte would be a lead byte in GBK and swallow the character after it.
        { "one byte per ASCII character, e acute in GBK, '?' for any other",
          SavedForm::Plain,
          { u"9", u"09 01", u"\u00B5s Moir\u00E9 \u03A9 \U0001F600", u"a\nb" },
          "09 01               \t\t//9   \t?s Moir\xA8\xA6 ? ?\ta\r\nb\r\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out;
        WriteSavedAnalysisRow(out, c.form, c.row);
        EXPECT_EQ(out.str(), c.line);
    }
}

TEST(WriteSavedAnalysisFile, ReplacesTheFileWithHeaderAndRowsInListOrder)
{
    const ScratchDirectory directory;
    const std::string path = directory.Write("mouse-analysis.txt", std::string(4096, 'x'));
    const std::vector<SavedRowTexts> rows = {
        kUsagePageRow,
        { u"2", u"09 02", u"LOCAL_USAGE(Mouse)", u"" },
        { u"4", u"A1 01", u"MAIN_COLLECTION(Application)", u"" },
    };
    ASSERT_EQ(Reason(WriteSavedAnalysisFile(path, SavedForm::C, rows.size(),
                                            [&](std::size_t index) { return rows.at(index); })),
              "");
    EXPECT_EQ(
        ReadWholeFile(path),
        ExpectedHeader() +
            "0x05,0x01,          \t\t//0   \tGLOBAL_USAGE_PAGE(Generic Desktop Controls)\t\r\n"
            "0x09,0x02,          \t\t//2   \tLOCAL_USAGE(Mouse)\t\r\n"
            "0xA1,0x01,          \t\t//4   \tMAIN_COLLECTION(Application)\t\r\n");
}

TEST(WriteSavedAnalysisFile, FailedCreateOrWriteIsNeverSuccess)
{
    const ScratchDirectory directory;
    const std::string fifo = directory.PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    // The full device takes the open but refuses the buffered bytes when they are written out.
    const Case cases[] = {
        { "no such folder", directory.PathOf("missing/analysis.txt"), "No such file or directory" },
        { "disk full", "/dev/full", "No space left on device" },
        { "a folder", directory.PathOf(""), "Is a directory" },
        { "a FIFO no one reads", fifo, "No such device or address" },
    };
    // An open that blocks would hang the whole test run; the alarm ends it with a failure instead.
    ::alarm(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Reason(WriteSavedAnalysisFile(c.path, SavedForm::Plain, 1,
                                                [](std::size_t) { return kUsagePageRow; })),
                  c.reason);
    }
    ::alarm(0);
}

} // namespace
} // namespace quorlix
