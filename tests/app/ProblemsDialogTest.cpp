#include "app/ProblemsDialog.h"

#include "app/FindingDisplay.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CQuorlixDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include "app/ItemListModel.h"
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

// The findings' indices as the dialog lists them.
std::vector<std::size_t> Listed(const ProblemsDialog& dialog)
{
    return dialog.ShownOrder();
}

TEST(FindingDisplay, EveryCheckHasItsChineseTextsAndAHostRuleKeepsItsOwn)
{
    for (std::size_t check = 0; check < kCheckCount; ++check) {
        SCOPED_TRACE(check);
        Finding finding{ Severity::Warning, static_cast<CheckId>(check), 0, 1, "message", "fix" };
        const bool hostRule = finding.check == CheckId::HostRule;
        EXPECT_FALSE(FindingMessageText(finding).isEmpty());
        EXPECT_FALSE(FindingFixText(finding).isEmpty());
        EXPECT_EQ(FindingMessageText(finding) == QStringLiteral("message"), hostRule);
        EXPECT_EQ(FindingFixText(finding) == QStringLiteral("fix"), hostRule);
    }
}

TEST(ProblemsDialog, ListsEachFindingWithSeverityOffsetCheckProblemAndFix)
{
    ProblemsDialog dialog(kGamepadFindings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("问题列表"));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.Counts()->text(), QStringLiteral("1 个错误，2 个警告，0 个提示"));
    QTreeWidget* list = dialog.List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const QTreeWidgetItem* second = list->topLevelItem(1);
    EXPECT_EQ(second->text(0), QStringLiteral("警告"));
    EXPECT_EQ(second->text(1), QStringLiteral("38"));
    EXPECT_EQ(second->text(2), QStringLiteral("logical-sign"));
    EXPECT_EQ(second->text(3), QStringLiteral("逻辑值按有符号数读出，与本意不符"));
    EXPECT_EQ(second->text(4), QStringLiteral("用更多的数据字节写出这个值"));
    // The tooltip keeps the check's own particulars.
    EXPECT_TRUE(second->toolTip(3).contains(QStringLiteral("write 26 FF 00 for 255")))
        << second->toolTip(3).toStdString();
    EXPECT_FALSE(second->icon(0).isNull());
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(dialog.GoToButton()->isDefault());
}

TEST(ProblemsDialog, KeysAndMouseGoToAFindingAndLeaveTheListOpen)
{
    struct Case
    {
        const char* name;
        std::function<void(ProblemsDialog&)> act;
        std::vector<std::size_t> goneTo;
        std::vector<bool> steps;
        bool open;
    };
    const auto rowCentre = [](ProblemsDialog& dialog, int row) {
        return dialog.List()->visualItemRect(dialog.List()->topLevelItem(row)).center();
    };
    const Case cases[] = {
        { "Enter goes to the first",
          [](ProblemsDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Return); },
          { 0 },
          {},
          true },
        { "Down, Down, Enter goes to the third",
          [](ProblemsDialog& dialog) {
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Enter);
          },
          { 2 },
          {},
          true },
        { "a double click goes to that row",
          [&](ProblemsDialog& dialog) {
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 1));
              QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                 rowCentre(dialog, 1));
          },
          { 1 },
          {},
          true },
        { "a click on a row, then on 转到",
          [&](ProblemsDialog& dialog) {
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 2));
              QTest::mouseClick(dialog.GoToButton(), Qt::LeftButton);
          },
          { 2 },
          {},
          true },
        { "F8, Shift+F8 and the two buttons step",
          [](ProblemsDialog& dialog) {
              QTest::keyClick(dialog.List(), Qt::Key_F8);
              QTest::keyClick(dialog.List(), Qt::Key_F8, Qt::ShiftModifier);
              QTest::mouseClick(dialog.NextButton(), Qt::LeftButton);
              QTest::mouseClick(dialog.PreviousButton(), Qt::LeftButton);
          },
          {},
          { true, false, true, false },
          true },
        { "Escape closes",
          [](ProblemsDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Escape); },
          {},
          {},
          false },
        { "关闭 closes",
          [](ProblemsDialog& dialog) { QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton); },
          {},
          {},
          false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProblemsDialog dialog(kGamepadFindings);
        std::vector<std::size_t> goneTo;
        std::vector<bool> steps;
        QObject::connect(&dialog, &ProblemsDialog::GoToRequested,
                         [&](std::size_t index) { goneTo.push_back(index); });
        QObject::connect(&dialog, &ProblemsDialog::StepRequested,
                         [&](bool forward) { steps.push_back(forward); });
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(dialog.List()->hasFocus());
        c.act(dialog);
        EXPECT_EQ(dialog.isVisible(), c.open);
        EXPECT_EQ(goneTo, c.goneTo);
        EXPECT_EQ(steps, c.steps);
    }
}

TEST(ProblemsDialog, HeaderClicksSortBySeverityOffsetAndCheck)
{
    // Offsets out of severity order, and two of one check.
    const std::vector<Finding> findings = {
        { Severity::Note, CheckId::RedundantGlobal, 2, 2, "again", "remove" },
        { Severity::Error, CheckId::CollectionBalance, 10, 2, "open", "close" },
        { Severity::Warning, CheckId::LogicalSign, 20, 2, "sign", "widen" },
        { Severity::Error, CheckId::CollectionBalance, 30, 1, "open", "close" },
    };
    ProblemsDialog dialog(findings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QHeaderView* header = dialog.List()->header();
    const auto clickHeader = [&](int column) {
        const QPoint centre(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    };
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 0, 1, 2, 3 })) << "by offset at first";
    clickHeader(0);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 1, 3, 2, 0 })) << "errors first";
    clickHeader(0);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 0, 2, 3, 1 })) << "notes first";
    clickHeader(2);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 1, 3, 2, 0 }))
        << "collection-balance, logical-sign, redundant-global";
    clickHeader(1);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 0, 1, 2, 3 }));
    clickHeader(1);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 3, 2, 1, 0 }));
}

TEST(ProblemsDialog, SeverityBoxesFilterTheRows)
{
    const std::vector<Finding> findings = {
        { Severity::Note, CheckId::RedundantGlobal, 2, 2, "again", "remove" },
        { Severity::Error, CheckId::CollectionBalance, 10, 2, "open", "close" },
        { Severity::Warning, CheckId::LogicalSign, 20, 2, "sign", "widen" },
    };
    ProblemsDialog dialog(findings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.SeverityFilter(Severity::Note), Qt::LeftButton);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 1, 2 }));
    EXPECT_EQ(dialog.CurrentIndex(), std::optional<std::size_t>(1))
        << "the hidden current row gives way to the first shown";
    QTest::mouseClick(dialog.SeverityFilter(Severity::Error), Qt::LeftButton);
    QTest::mouseClick(dialog.SeverityFilter(Severity::Warning), Qt::LeftButton);
    EXPECT_TRUE(Listed(dialog).empty());
    EXPECT_FALSE(dialog.GoToButton()->isEnabled());
    QTest::mouseClick(dialog.SeverityFilter(Severity::Warning), Qt::LeftButton);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 2 }));

    // A new analysis keeps the filter.
    dialog.SetFindings(kGamepadFindings);
    EXPECT_EQ(Listed(dialog), (std::vector<std::size_t>{ 1, 2 }));
}

TEST(ProblemsDialog, WithoutFindingsSaysSo)
{
    ProblemsDialog dialog({});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Counts()->text(), QStringLiteral("无问题"));
    EXPECT_FALSE(dialog.GoToButton()->isEnabled());
    EXPECT_TRUE(dialog.CloseButton()->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
}

QAction* ProblemsEntry(const CQuorlixDlg& window)
{
    for (QAction* action : window.ContextMenu()->actions()) {
        if (action->text() == QStringLiteral("问题列表…")) {
            return action;
        }
    }
    return nullptr;
}

TEST(ProblemsDialog, WindowMarksRowsShowsTipsAndStepsThroughFindings)
{
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    auto* path = FindControl<QLineEdit>(window, 1001);
    auto* list = FindControl<QTableView>(window, 1002);
    path->setText(QString::fromStdString(ExamplePath("gamepad-report.h")));
    {
        StandardOutputSilenced quiet;
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    }
    const QAbstractItemModel* items = list->model();
    // 23 items of two bytes each: Collection (Application) at byte 4 is row 2, Logical Maximum
    // 0xFF at byte 38 row 19, the last Input at byte 44 row 22.
    ASSERT_EQ(items->rowCount(), 23);
    EXPECT_FALSE(items->index(2, 0).data(Qt::DecorationRole).isNull());
    const auto* status = window.findChild<QLabel*>(QStringLiteral("status"));
    EXPECT_EQ(
        status->text().remove(QChar(0x200B)),
        QStringLiteral("已分析 46 字节（C 源代码），1 个错误，2 个警告，0 个提示（F8 逐个查看）"));

    // Hovering a marked row's offset shows its finding, not only a cut cell's text.
    const QPoint marked = list->visualRect(items->index(2, 0)).center();
    QHelpEvent hover(QEvent::ToolTip, marked, list->viewport()->mapToGlobal(marked));
    QApplication::sendEvent(list->viewport(), &hover);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("错误：Collection 与 End Collection")))
        << QToolTip::text().toStdString();
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("opened at byte 4 is never closed")));
    QToolTip::hideText();

    // F8 steps by offset with the list closed, and round the end.
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(list->currentIndex().row(), 2);
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(list->currentIndex().row(), 19);
    EXPECT_TRUE(status->text().remove(QChar(0x200B)).startsWith(QStringLiteral("问题 2/3，警告：")))
        << status->text().toStdString();
    QTest::keyClick(list, Qt::Key_F8);
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(list->currentIndex().row(), 2);
    QTest::keyClick(list, Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_EQ(list->currentIndex().row(), 22);

    // The list opens beside the window, which stays usable.
    QAction* entry = ProblemsEntry(window);
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    auto* problems = window.findChild<ProblemsDialog*>();
    ASSERT_NE(problems, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(problems));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(problems->CurrentIndex(), std::optional<std::size_t>(2)) << "marks the current one";

    QTest::keyClick(problems->List(), Qt::Key_Up);
    QTest::keyClick(problems->List(), Qt::Key_Return);
    EXPECT_EQ(list->currentIndex().row(), 19);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(19, QModelIndex()));
    EXPECT_TRUE(problems->isVisible());

    // Filtered to the error, stepping keeps to it; sorted by severity, stepping follows it.
    QTest::mouseClick(problems->SeverityFilter(Severity::Warning), Qt::LeftButton);
    QTest::keyClick(problems->List(), Qt::Key_F8);
    EXPECT_EQ(list->currentIndex().row(), 2);
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(list->currentIndex().row(), 2);
    QTest::mouseClick(problems->SeverityFilter(Severity::Warning), Qt::LeftButton);
    problems->List()->sortByColumn(0, Qt::DescendingOrder); // warnings 2 and 1, then error 0
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(problems->CurrentIndex(), std::optional<std::size_t>(2));
    EXPECT_EQ(list->currentIndex().row(), 22);
    QTest::keyClick(list, Qt::Key_F8);
    EXPECT_EQ(problems->CurrentIndex(), std::optional<std::size_t>(1));
    EXPECT_EQ(list->currentIndex().row(), 19);

    // A new analysis lists its own findings in the open list.
    path->setText(QString::fromStdString(ExamplePath("mouse.txt")));
    {
        StandardOutputSilenced quiet;
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    }
    EXPECT_EQ(problems->ShownOrder().size(), window.findChild<ItemListModel*>()->Findings().size());
    QTest::keyClick(problems, Qt::Key_Escape);
    EXPECT_FALSE(problems->isVisible());
}

TEST(ProblemsDialog, HandlerStepsInTheListsOrderOrByOffset)
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
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ShowProblems" });
    ASSERT_EQ(platform.offeredFindings.size(), 1u);
    EXPECT_EQ(platform.offeredFindings[0].size(), 3u);
    EXPECT_TRUE(platform.selectedOffsets.empty());

    platform.problemsHandlers.goTo(2);
    EXPECT_EQ(platform.selectedOffsets, std::vector<std::size_t>{ 44 });
    EXPECT_EQ(platform.markedFindings, std::vector<std::size_t>{ 2 });
    // An index beyond the list, which only a broken platform gives, selects nothing.
    platform.problemsHandlers.goTo(3);
    EXPECT_EQ(platform.selectedOffsets.size(), 1u);

    struct Step
    {
        std::optional<std::vector<std::size_t>> order;
        bool forward;
        std::size_t offset;
    };
    const Step steps[] = {
        { std::nullopt, true, 4 },                      // past the end, round to the first
        { std::nullopt, false, 44 },                    // and back
        { std::vector<std::size_t>{ 1, 0 }, true, 38 }, // 2 is not listed: start over
        { std::vector<std::size_t>{ 1, 0 }, true, 4 },
        { std::vector<std::size_t>{ 1, 0 }, true, 38 },
    };
    for (const Step& step : steps) {
        platform.problemsOrder = step.order;
        platform.problemsHandlers.step(step.forward);
        EXPECT_EQ(platform.selectedOffsets.back(), step.offset);
    }
    platform.problemsOrder = std::vector<std::size_t>{};
    const std::size_t selected = platform.selectedOffsets.size();
    window.OnStepFinding(true);
    EXPECT_EQ(platform.selectedOffsets.size(), selected) << "every row filtered out";
    EXPECT_EQ(platform.status, QStringLiteral("没有可转到的问题"));
}

} // namespace
} // namespace quorlix::test
