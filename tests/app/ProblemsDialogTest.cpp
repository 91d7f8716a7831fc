#include "app/ProblemsDialog.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CQuorlixDlg.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quorlix::test {
namespace {

// What check finds in examples/gamepad-report.h, in its order.
const std::vector<Finding> kGamepadFindings = {
    { Severity::Error, CheckId::CollectionBalance, 4, 2, "Collection never closed", "add C0" },
    { Severity::Warning, CheckId::LogicalSign, 38, 2, "Logical Maximum reads as -1",
      "write 26 FF 00 for 255" },
    { Severity::Warning, CheckId::ReportNotByteAligned, 44, 2, "28 bits long", "pad it" },
};

TEST(ProblemsDialog, ListsEachFindingWithSeverityOffsetCheckAndFix)
{
    ProblemsDialog dialog(kGamepadFindings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("问题列表"));
    EXPECT_EQ(dialog.Counts()->text(), QStringLiteral("1 error, 2 warnings, 0 notes"));
    QTreeWidget* list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const QTreeWidgetItem* second = list->topLevelItem(1);
    EXPECT_EQ(second->text(0), QStringLiteral("warning"));
    EXPECT_EQ(second->text(1), QStringLiteral("38"));
    EXPECT_EQ(second->text(2), QStringLiteral("logical-sign"));
    EXPECT_EQ(second->text(3),
              QStringLiteral("Logical Maximum reads as -1; write 26 FF 00 for 255"));
    EXPECT_FALSE(second->icon(0).isNull());
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(dialog.GoToButton()->isDefault());
}

TEST(ProblemsDialog, KeysAndMouseChooseAFinding)
{
    struct Case
    {
        const char* name;
        std::function<void(ProblemsDialog&)> act;
        std::optional<std::size_t> chosen;
    };
    const auto rowCentre = [](ProblemsDialog& dialog, int row) {
        return dialog.List()->visualItemRect(dialog.List()->topLevelItem(row)).center();
    };
    const Case cases[] = {
        { "Enter goes to the first",
          [](ProblemsDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Return); }, 0 },
        { "Down, Down, Enter goes to the third",
          [](ProblemsDialog& dialog) {
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Enter);
          },
          2 },
        { "a double click goes to that row",
          [&](ProblemsDialog& dialog) {
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 1));
              QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                 rowCentre(dialog, 1));
          },
          1 },
        { "a click on a row, then on 转到",
          [&](ProblemsDialog& dialog) {
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 2));
              QTest::mouseClick(dialog.GoToButton(), Qt::LeftButton);
          },
          2 },
        { "Escape chooses nothing",
          [](ProblemsDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Escape); },
          std::nullopt },
        { "关闭 chooses nothing",
          [](ProblemsDialog& dialog) { QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton); },
          std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProblemsDialog dialog(kGamepadFindings);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_TRUE(dialog.List()->hasFocus());
        c.act(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.ChosenIndex(), c.chosen);
    }
}

TEST(ProblemsDialog, WithoutFindingsSaysSoAndOffersNothing)
{
    ProblemsDialog dialog({});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Counts()->text(), QStringLiteral("no problems found"));
    EXPECT_FALSE(dialog.List()->isVisible());
    EXPECT_FALSE(dialog.GoToButton()->isEnabled());
    EXPECT_TRUE(dialog.CloseButton()->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ChosenIndex(), std::nullopt);
}

// Runs answer on the problems' list that the next modal run shows, once it is up.
void AnswerNextProblems(std::function<void(ProblemsDialog&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QElapsedTimer waited;
        waited.start();
        ProblemsDialog* dialog = nullptr;
        while (dialog == nullptr && waited.elapsed() < 5000) {
            dialog = qobject_cast<ProblemsDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                QTest::qWait(10);
            }
        }
        ASSERT_NE(dialog, nullptr) << "the problems' list did not come up";
        answer(*dialog);
    });
}

QAction* ProblemsEntry(const CQuorlixDlg& window)
{
    for (QAction* action : window.ContextMenu()->actions()) {
        if (action->text() == QStringLiteral("问题列表")) {
            return action;
        }
    }
    return nullptr;
}

TEST(ProblemsDialog, WindowMarksRowsCountsInTheStatusAndGoesToTheChosenRow)
{
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* path = FindControl<QLineEdit>(window, 1001);
    auto* list = FindControl<QTableView>(window, 1002);
    path->setText(QString::fromStdString(ExamplePath("gamepad-report.h")));
    {
        StandardOutputSilenced quiet;
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    }
    const QAbstractItemModel* items = list->model();
    // 23 items of two bytes each: Collection (Application) at byte 4 is row 2, Logical Maximum
    // 0xFF at byte 38 row 19.
    ASSERT_EQ(items->rowCount(), 23);
    EXPECT_FALSE(items->index(2, 0).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(items->index(2, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral(
                        "error: Collection (Application) opened at byte 4 is never closed")));
    EXPECT_TRUE(items->index(3, 0).data(Qt::DecorationRole).isNull());
    EXPECT_FALSE(items->index(19, 0).data(Qt::DecorationRole).isNull());
    const auto* status = window.findChild<QLabel*>(QStringLiteral("status"));
    // The status line lets long paths wrap after each slash.
    const QString file = QString::fromStdString(ExamplePath("gamepad-report.h"));
    EXPECT_EQ(status->text().remove(QChar(0x200B)),
              file + QStringLiteral(": read as c-source; ") + file +
                  QStringLiteral(": 1 error, 2 warnings, 0 notes (问题列表 lists them)"));
    EXPECT_TRUE(status->isVisible());

    QAction* entry = ProblemsEntry(window);
    ASSERT_NE(entry, nullptr);
    AnswerNextProblems([](ProblemsDialog& dialog) {
        QTest::keyClick(dialog.List(), Qt::Key_Down);
        QTest::keyClick(dialog.List(), Qt::Key_Return);
    });
    entry->trigger();
    EXPECT_EQ(list->currentIndex().row(), 19);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(19, QModelIndex()));
    // The list is what has the focus once the window is active again.
    EXPECT_EQ(window.focusWidget(), list);

    // Closing the list leaves the selection where it was.
    AnswerNextProblems(
        [](ProblemsDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Escape); });
    entry->trigger();
    EXPECT_EQ(list->currentIndex().row(), 19);
}

TEST(ProblemsDialog, HandlerOffersTheFindingsOnScreenAndSelectsTheChosenOne)
{
    FakeDialogPlatform platform;
    CQuorlixDlg window(platform);
    platform.pathText = ExamplePath("gamepad-report.h");
    {
        StandardOutputSilenced quiet;
        window.OnAnalyse();
    }
    std::vector<CheckId> checks;
    for (const Finding& finding : platform.findings) {
        checks.push_back(finding.check);
    }
    EXPECT_EQ(checks, (std::vector<CheckId>{ CheckId::CollectionBalance, CheckId::LogicalSign,
                                             CheckId::ReportNotByteAligned }));

    platform.calls.clear();
    window.OnProblems();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ChooseFinding" });
    ASSERT_EQ(platform.offeredFindings.size(), 1u);
    EXPECT_EQ(platform.offeredFindings[0].size(), 3u);
    EXPECT_TRUE(platform.selectedOffsets.empty());

    platform.findingAnswer = 2;
    window.OnProblems();
    EXPECT_EQ(platform.selectedOffsets, std::vector<std::size_t>{ 44 });
    // An answer beyond the list, which only a broken platform gives, selects nothing.
    platform.findingAnswer = 3;
    window.OnProblems();
    EXPECT_EQ(platform.selectedOffsets.size(), 1u);
}

} // namespace
} // namespace quorlix::test
