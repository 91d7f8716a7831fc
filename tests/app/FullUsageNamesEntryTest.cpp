#include "app/CQuorlixDlg.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

// A UPS: the Power page (0x84), whose page and usages the designed tables do not name.
constexpr const char* kUpsText = "05 84        // Usage Page (Power)\n"
                                 "09 04        // Usage (UPS)\n"
                                 "A1 01        // Collection (Application)\n"
                                 "09 30        //   Usage (Voltage)\n"
                                 "75 08 95 01  //   Report Size 8, Report Count 1\n"
                                 "B1 02        //   Feature (Data, Variable)\n"
                                 "C0           // End Collection\n";

QAction* FullNamesEntry(const CQuorlixDlg& dialog)
{
    for (QAction* action : dialog.ContextMenu()->actions()) {
        if (action->text() == QStringLiteral("完整用法名称")) {
            return action;
        }
    }
    return nullptr;
}

class FullUsageNamesEntry : public ::testing::Test
{
protected:
    QTemporaryDir folder;
    FakeDialogPlatform platform;
    CQuorlixDlg dialog{ platform };

    void Analyse()
    {
        platform.pathText = WriteTextFile(folder, "ups.txt", kUpsText);
        const StandardOutputSilenced quiet;
        dialog.OnAnalyse();
    }
};

TEST_F(FullUsageNamesEntry, IsACheckableEntryBeforeAboutAndOffAtFirst)
{
    QAction* entry = FullNamesEntry(dialog);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isCheckable());
    EXPECT_FALSE(entry->isChecked());
    const QList<QAction*> actions = dialog.ContextMenu()->actions();
    EXPECT_LT(actions.indexOf(entry), actions.indexOf(actions.back()));
    EXPECT_EQ(dialog.ShownUsageNames(), UsageNames::Classic);
}

TEST_F(FullUsageNamesEntry, TurnsTheShownAnalysisToFullNamesAndBack)
{
    Analyse();
    ASSERT_EQ(platform.rows.size(), 8u);
    EXPECT_EQ(platform.rows[0].name, u"GLOBAL_USAGE_PAGE(Reserved or Other)");
    EXPECT_EQ(platform.rows[1].name, u"LOCAL_USAGE()");

    dialog.OnFullUsageNames(true);
    ASSERT_EQ(platform.rows.size(), 8u);
    EXPECT_EQ(platform.rows[0].name, u"GLOBAL_USAGE_PAGE(Power)");
    EXPECT_EQ(platform.rows[1].name, u"LOCAL_USAGE(UPS)");
    EXPECT_EQ(platform.rows[3].name, u"LOCAL_USAGE(Voltage)");
    EXPECT_EQ(platform.summaryText, u"----Col_1---USAGE_PAGE:132(Power)----USAGE:4(UPS)-----\r\n"
                                    u"\tReportID=0(0)\r\n"
                                    u"\tReportContentSize=1 Bytes(8 Bits)\r\n"
                                    u"\tReportType=4(FeatuerReport)\r\n");
    EXPECT_NE(platform.detailText.find(u"\tUsageMinimum=00840030(Voltage)\r\n"),
              std::u16string::npos);

    // A new analysis keeps the choice.
    Analyse();
    EXPECT_EQ(platform.rows[1].name, u"LOCAL_USAGE(UPS)");

    dialog.OnFullUsageNames(false);
    EXPECT_EQ(platform.rows[1].name, u"LOCAL_USAGE()");
    EXPECT_EQ(platform.summaryText.rfind(u"----Col_1---USAGE_PAGE:132----USAGE:4-----\r\n", 0), 0u);
}

TEST_F(FullUsageNamesEntry, BeforeAnyAnalysisOnlyTheChoiceChanges)
{
    dialog.OnFullUsageNames(true);
    EXPECT_EQ(dialog.ShownUsageNames(), UsageNames::Full);
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(FullUsageNamesEntry, SaveWritesTheNamesTheListShows)
{
    Analyse();
    dialog.OnFullUsageNames(true);
    const std::string saved = (folder.path() + QStringLiteral("/saved.txt")).toStdString();
    platform.saveFileAnswer = saved;
    platform.answer = Answer::No; // plain form
    dialog.OnSave();
    const std::string text = ReadBinaryFile(saved);
    EXPECT_NE(text.find("05 84               \t\t//0   \tGLOBAL_USAGE_PAGE(Power)\t\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("09 04               \t\t//2   \tLOCAL_USAGE(UPS)\t\r\n"),
              std::string::npos);
}

TEST_F(FullUsageNamesEntry, ChoiceIsRememberedBetweenRuns)
{
    const QString file = folder.path() + QStringLiteral("/quorlix.conf");
    {
        QSettings settings(file, QSettings::IniFormat);
        dialog.RestoreUsageNames(settings); // nothing kept yet: designed names
        EXPECT_EQ(dialog.ShownUsageNames(), UsageNames::Classic);
        dialog.OnFullUsageNames(true);
        dialog.SaveUsageNames(settings);
    }
    FakeDialogPlatform nextPlatform;
    CQuorlixDlg nextRun{ nextPlatform };
    QSettings settings(file, QSettings::IniFormat);
    nextRun.RestoreUsageNames(settings);
    EXPECT_EQ(nextRun.ShownUsageNames(), UsageNames::Full);
    EXPECT_TRUE(FullNamesEntry(nextRun)->isChecked());
}

TEST(FullUsageNamesEntryWidgets, RightClickAndAClickOnTheEntryRenameTheRealList)
{
    QTemporaryDir folder;
    CQuorlixDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    FindControl<QLineEdit>(dialog, 1001)
        ->setText(QString::fromStdString(WriteTextFile(folder, "ups.txt", kUpsText)));
    {
        const StandardOutputSilenced quiet;
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1004), Qt::LeftButton);
    }
    auto* list = FindControl<QTableView>(dialog, 1002);
    ASSERT_EQ(list->model()->rowCount(), 8);
    EXPECT_EQ(list->model()->index(1, 2).data().toString(), QStringLiteral("LOCAL_USAGE()"));

    // A right click on the background opens the menu; a click on the entry checks it.
    const QPoint background(dialog.width() - 5, dialog.height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, background, dialog.mapToGlobal(background));
    QCoreApplication::sendEvent(&dialog, &event);
    QMenu* menu = dialog.ContextMenu();
    ASSERT_TRUE(menu->isVisible());
    QAction* entry = FullNamesEntry(dialog);
    {
        const StandardOutputSilenced quiet;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }
    EXPECT_TRUE(entry->isChecked());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(list->model()->index(0, 2).data().toString(),
              QStringLiteral("GLOBAL_USAGE_PAGE(Power)"));
    EXPECT_EQ(list->model()->index(1, 2).data().toString(), QStringLiteral("LOCAL_USAGE(UPS)"));
    EXPECT_TRUE(
        FindControl<QPlainTextEdit>(dialog, 1013)
            ->toPlainText()
            .startsWith(QStringLiteral("----Col_1---USAGE_PAGE:132(Power)----USAGE:4(UPS)")));

    // The keyboard reaches it too: open the menu, Down to the entry, Enter turns it off.
    QCoreApplication::sendEvent(&dialog, &event);
    ASSERT_TRUE(menu->isVisible());
    for (qsizetype i = 0; i < menu->actions().size() && menu->activeAction() != entry; ++i) {
        QTest::keyClick(menu, Qt::Key_Down);
    }
    ASSERT_EQ(menu->activeAction(), entry);
    {
        const StandardOutputSilenced quiet;
        QTest::keyClick(menu, Qt::Key_Return);
    }
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(list->model()->index(1, 2).data().toString(), QStringLiteral("LOCAL_USAGE()"));
}

} // namespace
} // namespace quorlix::test
