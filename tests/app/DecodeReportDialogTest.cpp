#include "app/DecodeReportDialog.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CQuorlixDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace quorlix::test {
namespace {

// The bytes of the Arduino mouse (report id 1: three buttons, X, Y, wheel).
std::string ArduinoMouse()
{
    std::ifstream file(std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/arduino-mouse.txt");
    std::string bytes;
    unsigned value = 0;
    while (file >> std::hex >> value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

QStringList Row(const QTableWidget& table, int row)
{
    QStringList cells;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* item = table.item(row, column);
        cells << (item != nullptr ? item->text() : QString());
    }
    return cells;
}

TEST(DecodeReportDialog, TypingARowUpdatesTheTableAsTheUserGoes)
{
    DecodeReportDialog dialog(ArduinoMouse());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("解码报告"));
    EXPECT_TRUE(dialog.ReportEdit()->hasFocus());
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("输入报告：编号 1，5 字节"));
    EXPECT_EQ(dialog.Table()->rowCount(), 0);

    // Part way the report is too short and says so; the table stays empty.
    QTest::keyClicks(dialog.ReportEdit(), "01 05");
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("输入报告 1 应有 5 字节，而不是 2"));
    EXPECT_EQ(dialog.Table()->rowCount(), 0);

    QTest::keyClicks(dialog.ReportEdit(), " FB 02 FF");
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("输入报告 1（5 字节）"));
    ASSERT_EQ(dialog.Table()->rowCount(), 6);
    EXPECT_EQ(Row(*dialog.Table(), 0), (QStringList{ "Button 1", "8", "1", "1", "" }));
    EXPECT_EQ(Row(*dialog.Table(), 3), (QStringList{ "X", "16-23", "251", "-5", "" }));
    EXPECT_EQ(Row(*dialog.Table(), 5), (QStringList{ "Wheel", "32-39", "255", "-1", "" }));

    // A stray letter gets the shape a line must have, and Backspace brings the table back.
    QTest::keyClicks(dialog.ReportEdit(), "x");
    EXPECT_EQ(dialog.Status()->text(),
              QStringLiteral(
                  "无法读取：请输入十六进制字节（如 01 05 FB），或 hid-recorder 的 E: 事件行"));
    EXPECT_EQ(dialog.Table()->rowCount(), 0);
    QTest::keyClick(dialog.ReportEdit(), Qt::Key_Backspace);
    EXPECT_EQ(dialog.Table()->rowCount(), 6);

    // Enter in the edit keeps the dialog open; Escape closes it.
    QTest::keyClick(dialog.ReportEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.CloseButton()->isDefault());
    QTest::keyClick(dialog.ReportEdit(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DecodeReportDialog, TheTypeDecidesWhichReportIsRead)
{
    // The boot keyboard: an input report of 8 bytes and an output report of LEDs, 1 byte.
    const std::string keyboard = [] {
        std::ifstream file(std::string(QUORLIX_TEST_DATA_DIR) +
                           "/descriptors/hid-example-keyboard.txt");
        std::string bytes;
        unsigned value = 0;
        while (file >> std::hex >> value) {
            bytes.push_back(static_cast<char>(value));
        }
        return bytes;
    }();
    DecodeReportDialog dialog(keyboard);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.ReportEdit(), "0200040500000000");
    ASSERT_EQ(dialog.Table()->rowCount(), 9);
    EXPECT_EQ(Row(*dialog.Table(), 1), (QStringList{ "Keyboard LeftShift", "1", "1", "1", "" }));
    EXPECT_EQ(Row(*dialog.Table(), 8),
              (QStringList{ "数组", "16-63 (6 × 8)", "", "Keyboard A, Keyboard B", "" }));

    // Down in the type box picks Output: the same bytes are too long for the LEDs.
    QTest::keyClick(dialog.TypeBox(), Qt::Key_Down);
    EXPECT_EQ(dialog.TypeBox()->currentIndex(), 1);
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("输出报告 应有 1 字节，而不是 8"));
    EXPECT_EQ(dialog.Table()->rowCount(), 0);

    dialog.ReportEdit()->selectAll();
    QTest::keyClicks(dialog.ReportEdit(), "02");
    ASSERT_EQ(dialog.Table()->rowCount(), 5);
    EXPECT_EQ(Row(*dialog.Table(), 1), (QStringList{ "Caps Lock", "1", "1", "1", "" }));

    QTest::keyClick(dialog.TypeBox(), Qt::Key_Down);
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("描述符没有声明特征报告"));
    QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DecodeReportDialog, EnglishSaysWhatTheCommandLineSays)
{
    EnglishTexts english;
    ASSERT_TRUE(english.loaded) << "no quorlix_en.qm in " << QUORLIX_TRANSLATIONS_DIR;
    DecodeReportDialog dialog(ArduinoMouse());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    struct Case
    {
        const char* typed;
        const char* status;
    };
    const Case cases[] = {
        { "", "input reports: id 1, 5 bytes" },
        { "01", "input report 1 takes 5 bytes, not 1" },
        { "02 00", "no input report with id 2" },
        { "01 05 FB 02 FF", "input report 1 (5 bytes)" },
        { "01 5", "not a hex report: \"5\" has an odd number of digits" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        dialog.ReportEdit()->clear();
        QTest::keyClicks(dialog.ReportEdit(), c.typed);
        EXPECT_EQ(dialog.Status()->text(), QString::fromUtf8(c.status));
    }
    dialog.ReportEdit()->clear();
    QTest::keyClick(dialog.TypeBox(), Qt::Key_Down);
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("the descriptor declares no output report"));
}

TEST(DecodeReport, TheEntryNeedsAnAnalysisAndThenGetsItsDescriptor)
{
    FakeDialogPlatform platform;
    CQuorlixDlg window(platform);
    window.OnDecodeReport();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ShowStatus" });
    EXPECT_EQ(platform.status, QStringLiteral("还没有分析描述符：先分析一个，再解码它的报告"));

    platform.pathText = ExamplePath("mouse.txt");
    {
        StandardOutputSilenced quiet;
        window.OnAnalyse();
    }
    platform.calls.clear();
    window.OnDecodeReport();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "RunDecodeReportDialog" });
    ASSERT_EQ(platform.decodedDescriptors.size(), 1u);
    EXPECT_EQ(platform.decodedDescriptors[0].size(), 50u);
    EXPECT_EQ(platform.decodedDescriptors[0].substr(0, 2), std::string("\x05\x01"));
}

TEST(DecodeReport, TheContextMenuOpensTheRealDialog)
{
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    FindControl<QLineEdit>(window, 1001)->setText(QString::fromStdString(ExamplePath("mouse.txt")));
    {
        StandardOutputSilenced quiet;
        window.OnAnalyse();
    }
    QAction* entry = nullptr;
    for (QAction* action : window.ContextMenu()->actions()) {
        if (action->text() == QStringLiteral("解码报告…")) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr);

    bool seen = false;
    QTimer::singleShot(0, [&] {
        QElapsedTimer waited;
        waited.start();
        DecodeReportDialog* dialog = nullptr;
        while (dialog == nullptr && waited.elapsed() < 5000) {
            dialog = qobject_cast<DecodeReportDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                QTest::qWait(10);
            }
        }
        ASSERT_NE(dialog, nullptr) << "the decode dialog did not come up";
        // The example mouse has no report id: buttons, X and Y in three bytes.
        QTest::keyClicks(dialog->ReportEdit(), "01 FF 01");
        seen = dialog->Table()->rowCount() == 5 &&
               dialog->Table()->item(3, 3)->text() == QStringLiteral("-1");
        QTest::keyClick(dialog->ReportEdit(), Qt::Key_Escape);
    });
    entry->trigger();
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace quorlix::test
