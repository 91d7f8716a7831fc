#include "app/QtDialogPlatform.h"

#include "DialogTestSupport.h"
#include "app/CQuorlixDlg.h"
#include "app/CompareDialog.h"
#include "app/ItemListModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

// The real window with its own platform, and a second platform over the same widgets to drive
// them directly.
class QtPlatformFixture : public ::testing::Test
{
protected:
    CQuorlixDlg dialog;
    QtDialogPlatform platform{ dialog.Controls() };
};

using QuorlixQtPlatform = QtPlatformFixture;

TEST_F(QuorlixQtPlatform, PanesShowCrLfTextsAsLinesWithoutStrayCr)
{
    platform.SetDetailText(u"----Col_1---\r\n\tReportID=0(0)\r\n");
    platform.SetSummaryText(u"one\r\ntwo");

    auto* detail = FindControl<QPlainTextEdit>(dialog, 1014);
    auto* summary = FindControl<QPlainTextEdit>(dialog, 1013);
    EXPECT_EQ(detail->toPlainText(), QStringLiteral("----Col_1---\n\tReportID=0(0)\n"));
    EXPECT_EQ(detail->document()->blockCount(), 3);
    EXPECT_EQ(summary->toPlainText(), QStringLiteral("one\ntwo"));
}

TEST_F(QuorlixQtPlatform, PathTextComesBackWholeAndByteForByte)
{
    std::string path = "/tmp/描述符/";
    while (path.size() < 400) {
        path += "鼠标-mouse-";
    }
    path += ".txt";
    platform.SetPathText(path);
    EXPECT_EQ(platform.PathText(), path);
    EXPECT_EQ(FindControl<QLineEdit>(dialog, 1001)->text(), QString::fromStdString(path));
}

TEST_F(QuorlixQtPlatform, ItemListTakesSixtyThousandRowsAndGivesTheirTexts)
{
    std::vector<ItemRow> rows(60000);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].offset = static_cast<std::int32_t>(i);
        rows[i].prefix = 0xC0;
    }
    rows.back().name = u"MAIN_COLLECTION_END";
    platform.InsertItemRows(std::move(rows));

    auto* list = FindControl<QTableView>(dialog, 1002);
    EXPECT_EQ(list->model()->rowCount(), 60000);
    EXPECT_EQ(platform.ItemCount(), 60000u);
    EXPECT_EQ(platform.ItemText(59999, ItemColumn::Offset), u"59999");
    EXPECT_EQ(platform.ItemText(59999, ItemColumn::Bytes), u"C0");
    EXPECT_EQ(list->model()->index(59999, 2).data().toString(),
              QStringLiteral("MAIN_COLLECTION_END"));

    platform.DeleteAllItems();
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(platform.ItemCount(), 0u);
}

TEST_F(QuorlixQtPlatform, StatusBarKeepsItsLineAndShowsAWholeMessage)
{
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("status"));
    ASSERT_NE(status, nullptr);
    auto* list = FindControl<QTableView>(dialog, 1002);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect listAlone = list->geometry();
    EXPECT_TRUE(status->isVisible());

    // A one-line message moves nothing.
    platform.ShowStatus(QStringLiteral("已分析 50 字节，无问题"));
    EXPECT_EQ(list->geometry(), listAlone);
    EXPECT_LT(list->geometry().bottom(), status->geometry().top());

    // Longer than the window is wide, with a path that has no blank to wrap at.
    const QString path = QStringLiteral("/home/user/descriptors/a-rather-long-folder-name/"
                                        "and-another-one-below-it/game-pad-with-many-reports.txt");
    const QString message = path + QStringLiteral(": cannot open file (No such file or "
                                                  "directory); nothing was analysed");
    platform.ShowStatus(message);

    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(status->wordWrap());
    QString shown = status->text();
    EXPECT_EQ(shown.remove(QChar(0x200B)), message) << "nothing is elided";
    EXPECT_GE(status->height(), status->heightForWidth(status->width()));
    EXPECT_GT(status->heightForWidth(status->width()), status->fontMetrics().height())
        << "the message wraps";
    EXPECT_LE(status->geometry().right(), dialog.width());
    EXPECT_LE(status->geometry().bottom(), dialog.height());
    EXPECT_LT(list->geometry().bottom(), status->geometry().top());
    EXPECT_LT(list->height(), listAlone.height());

    platform.ShowStatus(QString());
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(list->geometry(), listAlone);
}

TEST_F(QuorlixQtPlatform, AnalyseButtonFillsTheRealWidgets)
{
    FindControl<QLineEdit>(dialog, 1001)->setText(QString::fromStdString(ExamplePath("mouse.txt")));
    QTest::mouseClick(FindControl<QPushButton>(dialog, 1004), Qt::LeftButton);

    auto* list = FindControl<QTableView>(dialog, 1002);
    ASSERT_EQ(list->model()->rowCount(), 26);
    EXPECT_EQ(list->model()->index(2, 2).data().toString(),
              QStringLiteral("MAIN_COLLECTION(Applicatior)"));
    EXPECT_EQ(FindControl<QPlainTextEdit>(dialog, 1013)->toPlainText(),
              QStringLiteral("----Col_1---USAGE_PAGE:1----USAGE:2-----\n"
                             "\tReportID=0(0)\n"
                             "\tReportContentSize=3 Bytes(24 Bits)\n"
                             "\tReportType=1(InputReport)\n"));
    EXPECT_TRUE(
        FindControl<QPlainTextEdit>(dialog, 1014)
            ->toPlainText()
            .endsWith(QStringLiteral("[5]\tByteoffset=2\n\tBitCount=8\n\tShift=0\n"
                                     "\tUsageMinimum=00010031\n\tUsageMaximum=00010031\n")));
}

TEST_F(QuorlixQtPlatform, CompareStaysOpenBesideTheWindowWhichStillTakesInput)
{
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    platform.RunCompareDialog(std::string("\x05\x01\x09\x02", 4), "mouse.txt");
    const QList<CompareDialog*> compares = dialog.findChildren<CompareDialog*>();
    ASSERT_EQ(compares.size(), 1);
    CompareDialog* compare = compares.front();
    EXPECT_TRUE(compare->isVisible());
    EXPECT_FALSE(compare->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QRect room = dialog.screen()->availableGeometry();
    if (room.width() > dialog.frameGeometry().width() + compare->frameGeometry().width()) {
        dialog.move(room.topLeft());
        platform.RunCompareDialog(std::string("\x05\x01", 2), "mouse.txt");
        const QList<CompareDialog*> both = dialog.findChildren<CompareDialog*>();
        ASSERT_EQ(both.size(), 2);
        EXPECT_FALSE(both.back()->frameGeometry().intersects(dialog.frameGeometry()))
            << "beside the window, not over it, where the screen has room";
        both.back()->close();
    }

    // The window goes on taking keys while the differences are open.
    auto* path = FindControl<QLineEdit>(dialog, 1001);
    path->clear();
    path->setFocus();
    QTest::keyClicks(path, QStringLiteral("x.txt"));
    EXPECT_EQ(path->text(), QStringLiteral("x.txt"));

    // Closing it frees it.
    QTest::mouseClick(compare->CloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog.findChildren<CompareDialog*>().size(), 0) << "closed ones are freed";
}

} // namespace
} // namespace quorlix::test
