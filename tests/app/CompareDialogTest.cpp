#include "app/CompareDialog.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CQuorlixDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace quorlix::test {
namespace {

const std::string kData = std::string(QUORLIX_TEST_DATA_DIR) + "/";

std::string HexFileBytes(const std::string& path)
{
    std::ifstream file(path);
    std::string bytes;
    unsigned value = 0;
    while (file >> std::hex >> value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

TEST(CompareDialog, EnterInThePathComparesAndShowsTheDifferences)
{
    CompareDialog dialog(HexFileBytes(kData + "descriptors/frtec-raptor-mach2-original.txt"),
                         "original.txt");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.CompareButton()->isDefault());

    QTest::keyClicks(dialog.PathEdit(), QString::fromStdString(kData + "fixups/frtec-raptor-"
                                                                       "mach2-fixed.txt"));
    QTest::keyClick(dialog.PathEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("不兼容：旧的读取方依赖的内容改变或消失了"));
    const QString text = dialog.Differences()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("--- original.txt\n"))) << text.toStdString();
    EXPECT_TRUE(
        text.contains(QStringLiteral("-  176  26 EF 00         GLOBAL_LOCAL_MAXIMUM(239)")));
    EXPECT_TRUE(dialog.isVisible()); // Enter compares; it does not close the dialog

    // A file that cannot be read clears the last comparison and says why.
    dialog.PathEdit()->clear();
    QTest::keyClicks(dialog.PathEdit(), QStringLiteral("/nonexistent/other.txt"));
    QTest::mouseClick(dialog.CompareButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.Differences()->toPlainText().isEmpty());
    EXPECT_EQ(dialog.Status()->text(),
              QStringLiteral("/nonexistent/other.txt：无法打开文件：文件不存在"));

    // In English the verdict gives the command line's reason.
    {
        EnglishTexts english;
        ASSERT_TRUE(english.loaded);
        dialog.PathEdit()->setText(
            QString::fromStdString(kData + "fixups/frtec-raptor-mach2-fixed.txt"));
        QTest::mouseClick(dialog.CompareButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Status()->text(),
                  QStringLiteral("incompatible: input report 1: Hat Switch (Generic Desktop) "
                                 "logical range changed: 0 to 239 -> 0 to 7"));
    }

    QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Compare, TheEntryNeedsAnAnalysisAndThenGetsItsDescriptorAndName)
{
    FakeDialogPlatform platform;
    CQuorlixDlg window(platform);
    window.OnCompare();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ShowStatus" });
    EXPECT_EQ(platform.status, QStringLiteral("还没有分析描述符：先分析一个，再比较"));

    platform.pathText = ExamplePath("mouse.txt");
    {
        StandardOutputSilenced quiet;
        window.OnAnalyse();
    }
    platform.calls.clear();
    window.OnCompare();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "RunCompareDialog" });
    ASSERT_EQ(platform.comparedNames.size(), 1u);
    EXPECT_EQ(platform.decodedDescriptors.back().size(), 50u);
}

} // namespace
} // namespace quorlix::test
