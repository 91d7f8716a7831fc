#include "app/CQuorlixDlg.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "parser/DeviceDescription.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace quorlix::test {
namespace {

// The three-button mouse's panes: one collection, one 24-bit Input report, six fields.
const std::u16string kMouseSummary = u"----Col_1---USAGE_PAGE:1----USAGE:2-----\r\n"
                                     u"\tReportID=0(0)\r\n"
                                     u"\tReportContentSize=3 Bytes(24 Bits)\r\n"
                                     u"\tReportType=1(InputReport)\r\n";

const std::u16string kMouseDetail = kMouseSummary + u"[0]\tByteoffset=0\r\n\tBitCount=1\r\n"
                                                    u"\tShift=0\r\n\tUsageMinimum=00090001\r\n"
                                                    u"\tUsageMaximum=00090001\r\n"
                                                    u"[1]\tByteoffset=0\r\n\tBitCount=1\r\n"
                                                    u"\tShift=1\r\n\tUsageMinimum=00090002\r\n"
                                                    u"\tUsageMaximum=00090002\r\n"
                                                    u"[2]\tByteoffset=0\r\n\tBitCount=1\r\n"
                                                    u"\tShift=2\r\n\tUsageMinimum=00090003\r\n"
                                                    u"\tUsageMaximum=00090003\r\n"
                                                    u"[3]\tByteoffset=0\r\n\tBitCount=5\r\n"
                                                    u"\tShift=3\r\n\tUsageMinimum=00090000\r\n"
                                                    u"\tUsageMaximum=00090000\r\n"
                                                    u"[4]\tByteoffset=1\r\n\tBitCount=8\r\n"
                                                    u"\tShift=0\r\n\tUsageMinimum=00010030\r\n"
                                                    u"\tUsageMaximum=00010030\r\n"
                                                    u"[5]\tByteoffset=2\r\n\tBitCount=8\r\n"
                                                    u"\tShift=0\r\n\tUsageMinimum=00010031\r\n"
                                                    u"\tUsageMaximum=00010031\r\n";

// A Generic Desktop mouse collection and nothing in it: four rows, no report.
constexpr const char* kEmptyMouseCollectionHex = "05 01 // Usage Page (Generic Desktop)\n"
                                                 "09 02 // Usage (Mouse)\n"
                                                 "A1 01 // Collection (Application)\n"
                                                 "C0    // End Collection\n";

// Twenty Inputs of 65535 one-bit fields: more than a million fields pass the field bound
// whatever it is set to, and the fields kept overflow the layout text's bound.
const std::string kFieldBoundHex = "05 01 09 02 A1 01 // mouse collection\n"
                                   "75 01             // Report Size (1)\n"
                                   "96 FF FF          // Report Count (65535)\n" +
                                   [] {
                                       std::string inputs;
                                       for (int i = 0; i < 20; ++i) {
                                           inputs += "81 02 // Input\n";
                                       }
                                       return inputs;
                                   }() +
                                   "C0\n";

// GBK for the five header lines, byte for byte.
const std::string kSavedHeader = "Quorlix\r\n"
                                 "Ferrowan https://www.ferrowan.com\r\n"
                                 "\r\n"
                                 "-----\xB1\xA8\xB8\xE6\xC3\xE8\xCA\xF6\xB7\xFB--------------\r\n"
                                 "\r\n";

class DialogCommands : public ::testing::Test
{
protected:
    void Analyse(const std::string& path)
    {
        platform.pathText = path;
        dialog.OnAnalyse();
    }

    // Column texts of a row as the fake's list gives them.
    std::vector<std::u16string> Row(std::size_t index) const
    {
        return { platform.ItemText(index, ItemColumn::Offset),
                 platform.ItemText(index, ItemColumn::Bytes),
                 platform.ItemText(index, ItemColumn::Name),
                 platform.ItemText(index, ItemColumn::Description) };
    }

    FakeDialogPlatform platform;
    CQuorlixDlg dialog{ platform };
    QTemporaryDir folder;
};

using QuorlixDlgAnalyse = DialogCommands;
using QuorlixDlgSave = DialogCommands;
using QuorlixDlgBrowse = DialogCommands;

TEST_F(QuorlixDlgAnalyse, MouseFillsListAndBothPanes)
{
    Analyse(ExamplePath("mouse.txt"));

    ASSERT_EQ(platform.rows.size(), 26u);
    const std::vector<std::vector<std::u16string>> firstRows = {
        { u"0", u"05 01", u"GLOBAL_USAGE_PAGE(Generic Desktop Controls)", u"" },
        { u"2", u"09 02", u"LOCAL_USAGE(Mouse)", u"" },
        { u"4", u"A1 01", u"MAIN_COLLECTION(Applicatior)", u"" },
        { u"6", u"09 01", u"LOCAL_USAGE(Pointer)", u"" },
    };
    for (std::size_t i = 0; i < firstRows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Row(i), firstRows[i]);
    }
    EXPECT_EQ(platform.ItemText(12, ItemColumn::Description), u"Input 0.3");
    EXPECT_EQ(platform.ItemText(25, ItemColumn::Offset), u"49");
    EXPECT_EQ(platform.summaryText, kMouseSummary);
    EXPECT_EQ(platform.detailText, kMouseDetail);
    EXPECT_EQ(platform.status, QStringLiteral("已分析 50 字节，无问题"));
    EXPECT_EQ(platform.title,
              QStringLiteral("mouse.txt - QuorlixV3.1 Ferrowan - https://www.ferrowan.com"));
    // The list is emptied before the panes are set and filled after them.
    const std::vector<std::string> order = { "PathText",       "DeleteAllItems", "SetDetailText",
                                             "SetSummaryText", "InsertItemRows", "SetFindings",
                                             "ShowStatus",     "SetTitle" };
    EXPECT_EQ(platform.calls, order);
    EXPECT_TRUE(platform.pathText == ExamplePath("mouse.txt")) << "Analyse never sets the path";
}

TEST_F(QuorlixDlgAnalyse, EachAnalyseReplacesTheWholeResult)
{
    Analyse(ExamplePath("mouse.txt"));
    Analyse(ExamplePath("mouse.txt"));
    EXPECT_EQ(platform.rows.size(), 26u) << "rows were appended to the previous ones";

    Analyse(WriteTextFile(folder, "empty-collection.txt", kEmptyMouseCollectionHex));
    ASSERT_EQ(platform.rows.size(), 4u);
    const std::u16string offsets[] = { u"0", u"2", u"4", u"6" };
    const std::u16string bytes[] = { u"05 01", u"09 02", u"A1 01", u"C0" };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(platform.ItemText(i, ItemColumn::Offset), offsets[i]);
        EXPECT_EQ(platform.ItemText(i, ItemColumn::Bytes), bytes[i]);
    }
    EXPECT_EQ(platform.summaryText, u"----Col_1---USAGE_PAGE:1----USAGE:2-----\r\n");
    EXPECT_EQ(platform.detailText, u"----Col_1---USAGE_PAGE:1----USAGE:2-----\r\n");
}

TEST_F(QuorlixDlgAnalyse, NothingToReadKeepsThePreviousResultAndSaysWhy)
{
    struct Case
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        { "missing file", folder.filePath("missing.txt").toStdString(),
          "无法打开文件：文件不存在" },
        { "comments only", WriteTextFile(folder, "comments.txt", "// no bytes here\n"),
          "没有十六进制数字" },
        { "empty file", WriteTextFile(folder, "empty.txt", ""), "没有十六进制数字" },
        { "a folder", folder.path().toStdString(), "不是普通文件" },
        { "empty path", "", "(无路径)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Analyse(ExamplePath("mouse.txt"));
        ASSERT_EQ(platform.status, QStringLiteral("已分析 50 字节，无问题"));

        Analyse(c.path);
        EXPECT_EQ(platform.rows.size(), 26u);
        EXPECT_EQ(platform.summaryText, kMouseSummary);
        EXPECT_EQ(platform.detailText, kMouseDetail);
        EXPECT_TRUE(platform.title.startsWith(QStringLiteral("mouse.txt - ")))
            << "the title names the file whose result is on screen";
        EXPECT_TRUE(platform.status.contains(QString::fromStdString(c.path)))
            << platform.status.toStdString();
        EXPECT_TRUE(platform.status.contains(QString::fromUtf8(c.reason)))
            << platform.status.toStdString();
        EXPECT_FALSE(platform.status.contains(QLatin1Char('\n')));
        if (!c.path.empty()) {
            EXPECT_EQ(platform.status.count(QString::fromStdString(c.path)), 1)
                << "the path is said once";
        }
    }
}

TEST_F(QuorlixDlgAnalyse, PastedPathIsCleanedOfBlanksQuotesAndFileAddress)
{
    const std::string path = WriteTextFile(folder, "my mouse.txt", "05 01 09 02\n");
    const QString encoded =
        QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded);
    const std::string typed[] = {
        path + " ",
        " \"" + path + "\"\n",
        "'" + path + "'",
        encoded.toStdString(),
    };
    ASSERT_NE(encoded.indexOf(QStringLiteral("%20")), -1) << "the blank is escaped";
    for (const std::string& text : typed) {
        SCOPED_TRACE(text);
        platform.rows.clear();
        Analyse(text);
        EXPECT_EQ(platform.rows.size(), 2u) << platform.status.toStdString();
        EXPECT_EQ(platform.pathText, path) << "the edit shows the clean path";
    }
    // A name that really ends in a blank is read as it is.
    const std::string blankEnd = WriteTextFile(folder, "blank-end.txt ", "05 01\n");
    Analyse(blankEnd);
    EXPECT_EQ(platform.rows.size(), 1u);
    EXPECT_EQ(platform.pathText, blankEnd);
}

TEST_F(QuorlixDlgAnalyse, StatusSaysTheFormAndWhereTextWasTakenAsData)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::size_t rows;
        const char* status; // empty: no status about the form
        // What check finds, as quorlix-cli check does: no Input, Output or Feature item in the
        // first two; the Input of the third has no Report Size, Report Count or logical limits.
        const char* findings;
    };
    const Case cases[] = {
        { "plain hex text says nothing", "05 01 09 02\n", 2, "已分析 4 字节",
          "0 个错误，1 个警告，0 个提示（F8 逐个查看）" },
        { "a C array is read as one", "static const char d[] = { 0x05, 0x01, /* x */ 0x09, 2 };\n",
          2, "已分析 4 字节（C 源代码）", "0 个错误，1 个警告，0 个提示（F8 逐个查看）" },
        { "several descriptors, one a report descriptor",
          "D: 0\nR: 9 05 01 09 02 a1 01 81 02 c0\nD: 1\nR: 1 c0\n", 5,
          "已分析 9 字节（hid-recorder 输出），第 1 个描述符，共 2 个",
          "3 个错误，0 个警告，0 个提示（F8 逐个查看）" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteTextFile(folder, "form.txt", c.text);
        Analyse(path);
        EXPECT_EQ(platform.rows.size(), c.rows);
        EXPECT_EQ(
            platform.status.toStdString(),
            (QString::fromUtf8(c.status) + QStringLiteral("，") + QString::fromUtf8(c.findings))
                .toStdString());
    }
    // Words read as digits would be other bytes: the window, like the command line, reads none.
    const std::string worded = WriteTextFile(folder, "worded.txt", "Usage 05 01\n");
    Analyse(worded);
    EXPECT_EQ(platform.status,
              QString::fromStdString(worded) +
                  QStringLiteral("：没有一种描述符格式能准确读取这段文本，未分析任何内容"));
    // The reader's own words, which say what it saw, are the details.
    EXPECT_TRUE(platform.statusDetails.contains(QStringLiteral("the letters of \"Usage\"")))
        << platform.statusDetails.toStdString();
}

TEST_F(QuorlixDlgAnalyse, AFileOfSeveralDescriptorsAsksWhichOne)
{
    // Two recorded devices; the second is a report descriptor too, of 4 bytes.
    const std::string path = WriteTextFile(
        folder, "two.txt", "D: 0\nR: 9 05 01 09 02 a1 01 81 02 c0\nD: 1\nR: 4 05 01 09 02\n");
    platform.descriptorAnswer = 1;
    Analyse(path);
    ASSERT_EQ(platform.offeredDescriptors.size(), 1u);
    ASSERT_EQ(platform.offeredDescriptors[0].size(), 2u);
    EXPECT_EQ(platform.offeredDescriptors[0][1].length, 4u);
    EXPECT_TRUE(platform.status.startsWith(
        QStringLiteral("已分析 4 字节（hid-recorder 输出），第 2 个描述符，共 2 个")))
        << platform.status.toStdString();

    // Cancel keeps what is on screen and says nothing was analysed.
    platform.descriptorCancel = true;
    const std::size_t rows = platform.rows.size();
    Analyse(path);
    EXPECT_EQ(platform.rows.size(), rows);
    EXPECT_EQ(platform.status,
              QString::fromStdString(path) + QStringLiteral("：没有选择描述符，未分析任何内容"));

    // A file of one descriptor asks nothing.
    platform.offeredDescriptors.clear();
    Analyse(WriteTextFile(folder, "one.txt", "05 01 09 02 a1 01 81 02 c0\n"));
    EXPECT_TRUE(platform.offeredDescriptors.empty());
}

TEST_F(QuorlixDlgAnalyse, DebugLinesGoOnlyWhereAsked)
{
    QTemporaryFile capturedOut;
    QTemporaryFile debugFile;
    ASSERT_TRUE(capturedOut.open());
    ASSERT_TRUE(debugFile.open());
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = ::dup(STDOUT_FILENO);
    const int savedErr = ::dup(STDERR_FILENO);
    ::dup2(capturedOut.handle(), STDOUT_FILENO);
    ::dup2(capturedOut.handle(), STDERR_FILENO);
    Analyse(ExamplePath("mouse.txt"));
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut, STDOUT_FILENO);
    ::dup2(savedErr, STDERR_FILENO);
    ::close(savedOut);
    ::close(savedErr);
    EXPECT_EQ(capturedOut.size(), 0) << "by default an analysis writes nothing";

    std::FILE* debug = ::fdopen(::dup(debugFile.handle()), "w");
    ASSERT_NE(debug, nullptr);
    dialog.SetDebugOutput(debug);
    Analyse(ExamplePath("mouse.txt"));
    std::fclose(debug);
    const std::string lines = ReadBinaryFile(debugFile.fileName().toStdString());
    EXPECT_NE(lines.find("HIDPARSE"), std::string::npos) << "the parser's lines";
    EXPECT_NE(lines.find("UsageMinimum"), std::string::npos) << "the layout's plain copy";
}

TEST_F(QuorlixDlgAnalyse, CopyGivesTheSelectedRowsAsUtf8SavedLines)
{
    // A vendor collection's kind is the one Chinese text a row can hold; the file stores it in
    // GBK, the clipboard in UTF-8.
    Analyse(WriteTextFile(folder, "vendor.txt", "A1 80\nC0\n"));
    ASSERT_EQ(platform.rows.size(), 2u);

    platform.calls.clear();
    dialog.OnCopy();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "SelectedItemRows" })
        << "nothing selected, nothing copied";

    platform.selectedRows = { 0, 1 };
    dialog.OnCopy();
    EXPECT_EQ(platform.clipboard, "A1 80               \t\t//0   \tMAIN_COLLECTION("
                                  "\xE8\x87\xAA\xE5\xAE\x9A\xE4\xB9\x89)\t\n"
                                  "C0                  \t\t//2   \tMAIN_COLLECTION_END\t\n");
}

TEST_F(QuorlixDlgAnalyse, ReachedBoundIsShownBesideTheResult)
{
    const std::string path = WriteTextFile(folder, "field-bound.txt", kFieldBoundHex);
    {
        // Hundreds of thousands of fields make megabytes of debug lines.
        const StandardOutputSilenced silenced;
        Analyse(path);
    }

    EXPECT_EQ(platform.rows.size(), 26u);
    EXPECT_FALSE(platform.detailText.empty());
    EXPECT_TRUE(platform.status.contains(QStringLiteral("已达上限，部分报告字段未保留")))
        << platform.status.toStdString();
    EXPECT_TRUE(platform.status.contains(QStringLiteral("已达上限，布局文本被截短")))
        << platform.status.toStdString();

    Analyse(ExamplePath("mouse.txt"));
    EXPECT_EQ(platform.status, QStringLiteral("已分析 50 字节，无问题"))
        << "a whole result leaves no bound on the status";
}

TEST_F(QuorlixDlgAnalyse, LongUnicodePathIsReadWhole)
{
    // Three nested folders of 100 characters make a path far longer than 259 bytes.
    QString folderPath = folder.path();
    for (int depth = 0; depth < 3; ++depth) {
        folderPath += QStringLiteral("/描述符") + QString(97, QLatin1Char('d'));
        ASSERT_TRUE(QDir().mkpath(folderPath));
    }
    const std::string path = (folderPath + QStringLiteral("/鼠标.txt")).toStdString();
    ASSERT_GT(path.size(), 259u);
    std::ofstream(path) << ReadBinaryFile(ExamplePath("mouse.txt"));

    Analyse(path);
    EXPECT_EQ(platform.rows.size(), 26u) << platform.status.toStdString();
}

TEST_F(QuorlixDlgAnalyse, DropAnalysesOnlyTheFirstFile)
{
    const std::string first = WriteTextFile(folder, "first.txt", kEmptyMouseCollectionHex);
    dialog.OnDropFiles({ first, ExamplePath("mouse.txt") });

    EXPECT_EQ(platform.pathText, first);
    EXPECT_EQ(platform.rows.size(), 4u);

    platform.calls.clear();
    dialog.OnDropFiles({});
    EXPECT_TRUE(platform.calls.empty()) << "a drop without a file does nothing";
}

TEST_F(QuorlixDlgAnalyse, FileGivenAtStartIsAnalysedOnceTheWindowIsShown)
{
    dialog.AnalyseOnceShown(ExamplePath("mouse.txt"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(platform.calls.empty());

    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(platform.pathText, ExamplePath("mouse.txt"));
    EXPECT_EQ(platform.rows.size(), 26u);

    dialog.hide();
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "InsertItemRows"), 1)
        << "showing the window again analyses again";
}

// A golden file of the repository: the mouse's saved analysis in each form, byte for byte.
std::string GoldenFile(const char* name)
{
    return ReadBinaryFile(std::string(QUORLIX_SOURCE_DIR) + "/tests/data/cli/" + name);
}

TEST_F(QuorlixDlgSave, BothFormsWriteTheListAfterAskingFirst)
{
    struct Case
    {
        const char* name;
        Answer answer;
        const char* golden;
        const char* firstRow;
    };
    const Case cases[] = {
        { "Yes saves C constants", Answer::Yes, "mouse-c.txt",
          "0x05,0x01,          \t\t//0   \tGLOBAL_USAGE_PAGE(Generic Desktop Controls)\t\r\n" },
        { "No saves the list's bytes", Answer::No, "mouse-plain.txt",
          "05 01               \t\t//0   \tGLOBAL_USAGE_PAGE(Generic Desktop Controls)\t\r\n" },
    };
    Analyse(ExamplePath("mouse.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.calls.clear();
        platform.messages.clear();
        platform.questions.clear();
        platform.answer = c.answer;
        platform.saveFileAnswer = folder.filePath(QString::fromUtf8(c.name)).toStdString();

        dialog.OnSave();

        const std::string saved = ReadBinaryFile(*platform.saveFileAnswer);
        const std::string golden = GoldenFile(c.golden);
        ASSERT_FALSE(golden.empty());
        EXPECT_EQ(saved, golden);
        EXPECT_EQ(saved.substr(0, kSavedHeader.size() + std::string(c.firstRow).size()),
                  kSavedHeader + c.firstRow);
        const std::vector<std::string> order = { "AskYesNoCancel", "ChooseSaveFile",
                                                 "ShowMessage" };
        EXPECT_EQ(platform.calls, order);
        ASSERT_EQ(platform.questions.size(), 1u);
        EXPECT_EQ(platform.questions[0], QStringLiteral("提示: 是否存储成带0x格式？"));
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, QStringLiteral("SAVE OK"));
        EXPECT_EQ(platform.messages[0].caption, QStringLiteral("quorlix"));
    }
}

TEST_F(QuorlixDlgSave, EmptyListSavesTheHeaderOnly)
{
    platform.saveFileAnswer = folder.filePath("empty.txt").toStdString();
    dialog.OnSave();
    EXPECT_EQ(ReadBinaryFile(*platform.saveFileAnswer), kSavedHeader);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("SAVE OK"));
}

TEST_F(QuorlixDlgSave, CancelWritesNothing)
{
    Analyse(ExamplePath("mouse.txt"));
    platform.calls.clear();
    platform.saveFileAnswer = std::nullopt;

    dialog.OnSave();

    const std::vector<std::string> order = { "AskYesNoCancel", "ChooseSaveFile" };
    EXPECT_EQ(platform.calls, order);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(QuorlixDlgSave, FailedWriteShowsTheFileAndReasonInsteadOfSaveOk)
{
    struct Case
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        { "missing folder", folder.filePath("no-such-folder/out.txt").toStdString(),
          "：文件不存在" },
        { "a folder", folder.path().toStdString(), "：这是一个文件夹" },
        { "disk full", "/dev/full", "：磁盘空间不足" },
    };
    Analyse(ExamplePath("mouse.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        platform.saveFileAnswer = c.path;

        dialog.OnSave();

        ASSERT_EQ(platform.messages.size(), 1u);
        const FakeDialogPlatform::Message& message = platform.messages[0];
        EXPECT_EQ(message.kind, MessageKind::Error);
        EXPECT_NE(message.text, QStringLiteral("SAVE OK"));
        EXPECT_TRUE(message.text.contains(QString::fromStdString(c.path)))
            << message.text.toStdString();
        EXPECT_TRUE(message.text.contains(QString::fromUtf8(c.reason)))
            << message.text.toStdString();
    }
}

TEST_F(QuorlixDlgBrowse, ChosenFileGoesIntoThePathAndGetsItsDumpButIsNotAnalysed)
{
    const std::string path = WriteTextFile(folder, "two-bytes.txt", "05 01\n");
    platform.openFileAnswer = path;

    dialog.OnBrowse();

    EXPECT_EQ(platform.pathText, path);
    EXPECT_EQ(ReadBinaryFile(path + "-hex.txt"), "total = 2\r\n0x05,//0\r\n0x01,//1\r\n");
    EXPECT_TRUE(platform.rows.empty());
    const std::vector<std::string> order = { "ChooseOpenFile", "SetPathText", "PathText",
                                             "ShowStatus" };
    EXPECT_EQ(platform.calls, order);
    EXPECT_EQ(platform.status,
              QStringLiteral("已选择 %1，按“分析”分析它").arg(QString::fromStdString(path)))
        << "an earlier path's error no longer shows";
}

TEST_F(QuorlixDlgBrowse, CancelOrNoBytesWritesNoDump)
{
    const std::string earlier = WriteTextFile(folder, "earlier.txt", "05 01\n");
    platform.pathText = earlier;
    platform.openFileAnswer = std::nullopt;
    dialog.OnBrowse();
    EXPECT_EQ(platform.pathText, earlier);
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ChooseOpenFile" });
    EXPECT_FALSE(FileExists(earlier + "-hex.txt"));

    // A file with nothing to dump, or too large to read, says so.
    const std::string comments = WriteTextFile(folder, "comments.txt", "// nothing\n");
    const std::string large =
        WriteTextFile(folder, "large.txt", std::string(16 * 1024 * 1024 + 1, '0'));
    struct Case
    {
        std::string path;
        const char* reason;
    };
    for (const Case& c : { Case{ comments, "没有十六进制数字" },
                           Case{ large, "文件太大（超过 16777216 字节）" } }) {
        SCOPED_TRACE(c.path);
        platform.openFileAnswer = c.path;
        dialog.OnBrowse();
        EXPECT_EQ(platform.pathText, c.path);
        EXPECT_FALSE(FileExists(c.path + "-hex.txt"));
        EXPECT_EQ(platform.status,
                  QStringLiteral("%1：%2，没有写出十六进制转储")
                      .arg(QString::fromStdString(c.path), QString::fromUtf8(c.reason)));
    }
}

} // namespace
} // namespace quorlix::test
