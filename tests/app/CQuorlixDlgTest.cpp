#include "app/CQuorlixDlg.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CAboutDlg.h"
#include "app/DialogUnits.h"
#include "app/ItemListModel.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace quorlix::test {
namespace {

class DialogFixture : public ::testing::Test
{
protected:
    FakeDialogPlatform platform;
    CQuorlixDlg dialog{ platform };
};

using QuorlixDlgStartUp = DialogFixture;
using QuorlixDlgLinks = DialogFixture;
using QuorlixDlgAbout = DialogFixture;
using QuorlixDlgWiring = DialogFixture;

struct ControlPlace
{
    int id;
    DialogRect rect;
};

// Where the template puts each numbered control, in dialog units.
// clang-format off
const ControlPlace kControlPlaces[] = {
    { 1000, { 345,   7,  50,  14 } }, // Browse
    { 1001, {  34,   7, 306,  14 } }, // path edit
    { 1002, {   7, 155, 312, 277 } }, // item list
    { 1004, { 402,   7,  50,  14 } }, // Analyse
    { 1006, { 462,   7,  50,  14 } }, // Save
    { 1007, {  10,  26,  40,   8 } }, // links, in template order
    { 1008, {  62,  26,  39,   8 } },
    { 1009, { 119,  26,  62,   8 } },
    { 1010, { 473,  26,  32,   8 } },
    { 1011, { 251,  26,  48,   8 } },
    { 1012, { 194,  26,  48,   8 } },
    { 1013, {   7,  39, 312, 113 } }, // summary pane
    { 1014, { 327,  39, 185, 393 } }, // detail pane, level with the summary pane
};
// clang-format on

TEST_F(QuorlixDlgStartUp, ControlsCarryTheirIdsAndSitWhereTheTemplatePutsThem)
{
    const DialogBaseUnits units = DialogBaseUnitsOf(dialog.font());
    for (const ControlPlace& place : kControlPlaces) {
        SCOPED_TRACE(place.id);
        auto* control = FindControl<QWidget>(dialog, place.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->property("controlId").toInt(), place.id);
        EXPECT_EQ(control->geometry(), DialogRectToPixels(place.rect, units));
    }
    EXPECT_EQ(FindControl<QWidget>(dialog, 1003), nullptr);
    EXPECT_EQ(FindControl<QWidget>(dialog, 1005), nullptr);
    EXPECT_TRUE(FindControl<QWidget>(dialog, 1011)->isHidden());
}

TEST_F(QuorlixDlgStartUp, PanesAndListGrowInTheirDesignedProportionsAndTheTopRowsStay)
{
    const DialogBaseUnits units = DialogBaseUnitsOf(dialog.font());
    const QRect summary = DialogRectToPixels(kControlPlaces[11].rect, units);
    const QRect list = DialogRectToPixels(kControlPlaces[2].rect, units);
    const QRect detail = DialogRectToPixels(kControlPlaces[12].rect, units);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    // Growing by the designed widths and heights of the columns doubles every pane.
    dialog.resize(dialog.width() + summary.width() + detail.width(),
                  dialog.height() + summary.height() + list.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(FindControl<QWidget>(dialog, 1013)->geometry(),
              QRect(summary.topLeft(), summary.size() * 2));
    EXPECT_EQ(FindControl<QWidget>(dialog, 1002)->geometry(),
              QRect(list.x(), list.y() + summary.height(), list.width() * 2, list.height() * 2));
    EXPECT_EQ(FindControl<QWidget>(dialog, 1014)->geometry(),
              QRect(detail.x() + summary.width(), detail.y(), detail.width() * 2,
                    detail.height() + summary.height() + list.height()));
    EXPECT_EQ(FindControl<QWidget>(dialog, 1014)->geometry().top(),
              FindControl<QWidget>(dialog, 1013)->geometry().top());
    // The last column takes the list's new width; the others keep theirs.
    auto* view = FindControl<QTableView>(dialog, 1002);
    const int widths[] = { 60, 80, 300 };
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(view->columnWidth(column), widths[column]) << column;
    }
    EXPECT_GE(view->columnWidth(3), 70 + list.width() - view->verticalScrollBar()->width() - 4);
    // The path edit grows; the buttons and the link over the detail pane keep to the right edge;
    // the links on the left stay.
    const int grown = summary.width() + detail.width();
    for (const int id : { 1000, 1001, 1004, 1006, 1007, 1008, 1009, 1010, 1012 }) {
        SCOPED_TRACE(id);
        const auto* place = std::find_if(std::begin(kControlPlaces), std::end(kControlPlaces),
                                         [id](const ControlPlace& p) { return p.id == id; });
        QRect expected = DialogRectToPixels(place->rect, units);
        if (id == 1001) {
            expected.setWidth(expected.width() + grown);
        } else if (id == 1000 || id == 1004 || id == 1006 || id == 1010) {
            expected.translate(grown, 0);
        }
        EXPECT_EQ(FindControl<QWidget>(dialog, id)->geometry(), expected);
    }

    // Its minimum leaves room for a 40-pixel panel and a 40-pixel title bar on a 1366x768 screen.
    EXPECT_LE(dialog.minimumWidth(), 1366);
    EXPECT_LE(dialog.minimumHeight(), 768 - 40 - 40);

    // It cannot be made smaller than its minimum, which keeps the buttons whole.
    dialog.resize(100, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.size(), dialog.minimumSize());
    EXPECT_LE(FindControl<QWidget>(dialog, 1006)->geometry().right(), dialog.width());
    EXPECT_LE(FindControl<QWidget>(dialog, 1002)->geometry().bottom(), dialog.height());
}

TEST_F(QuorlixDlgStartUp, GeometryIsKeptForTheNextRun)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("quorlix.conf"));
    {
        QSettings settings(file, QSettings::IniFormat);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.resize(dialog.minimumWidth() + 40, dialog.minimumHeight() + 30);
        dialog.SaveGeometry(settings);
    }
    FakeDialogPlatform otherPlatform;
    CQuorlixDlg next{ otherPlatform };
    QSettings settings(file, QSettings::IniFormat);
    next.RestoreGeometry(settings);
    EXPECT_EQ(next.size(), dialog.size());
}

TEST_F(QuorlixDlgStartUp, FreshWindowIsEmptyWithItsColumnsAndTitle)
{
    EXPECT_EQ(dialog.windowTitle(),
              QStringLiteral("QuorlixV3.1 Ferrowan - https://www.ferrowan.com"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_TRUE(dialog.acceptDrops());
    EXPECT_TRUE(FindControl<QLineEdit>(dialog, 1001)->text().isEmpty());

    const QString buttons[][2] = { { "1000", "浏览..." }, { "1004", "分析" }, { "1006", "存储" } };
    for (const auto& button : buttons) {
        EXPECT_EQ(FindControl<QPushButton>(dialog, button[0].toInt())->text(), button[1]);
    }
    for (const int id : { 1013, 1014 }) {
        SCOPED_TRACE(id);
        auto* pane = FindControl<QPlainTextEdit>(dialog, id);
        ASSERT_NE(pane, nullptr);
        EXPECT_TRUE(pane->toPlainText().isEmpty());
        EXPECT_TRUE(pane->isReadOnly());
        EXPECT_EQ(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    auto* list = FindControl<QTableView>(dialog, 1002);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(list->verticalHeader()->isVisibleTo(list));
    const QString headers[] = { "偏移", "数据", "说明", "数移" };
    const int widths[] = { 60, 80, 300, 70 };
    ASSERT_EQ(list->model()->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        EXPECT_EQ(list->columnWidth(column), widths[column]);
    }
    EXPECT_TRUE(platform.calls.empty()) << "building the window runs no command";
}

TEST_F(QuorlixDlgLinks, EachVisibleLinkOpensItsOwnAddress)
{
    struct Case
    {
        int id;
        const char* caption;
        const char* address;
    };
    const Case cases[] = {
        { 1007, "Ferrowan", "https://www.ferrowan.com?QuorlixV1.8" },
        { 1008, "HID规范教程", "https://www.ferrowan.com/article/forum-5.html?QuorlixV1.8" },
        { 1009, "HID报告描述符大全", "https://www.ferrowan.com/article/forum-10.html?QuorlixV1.8" },
        { 1012, "USB令牌/抓包", "https://www.ferrowan.com/article/forum-44.html?QuorlixV1.8" },
        { 1010, "下载更新", "https://www.ferrowan.com/article/detail-1191.html?QuorlixV3.0" },
    };
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        platform.openedLinks.clear();
        auto* link = FindControl<QLabel>(dialog, c.id);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->isVisible());
        EXPECT_TRUE(link->text().contains(QString::fromUtf8(c.caption)));

        // A click on the caption's first letters.
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, link->height() / 2));

        EXPECT_EQ(platform.openedLinks, std::vector<std::string>{ c.address });
    }
    const std::vector<std::string> onlyLinks(5, "OpenLink");
    EXPECT_EQ(platform.calls, onlyLinks) << "a click does nothing but open its address";

    auto* hidden = FindControl<QLabel>(dialog, 1011);
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(hidden->text().contains(
        QStringLiteral("https://www.ferrowan.com/article/forum-48.html?QuorlixV1.8")));
}

TEST_F(QuorlixDlgAbout, ContextMenuEntryOpensTheAboutBox)
{
    QMenu* menu = dialog.ContextMenu();
    ASSERT_NE(menu, nullptr);
    // The entries of the window's parts come first; the menu ends with a separator and About.
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 3);
    EXPECT_EQ(actions.front()->text(), QStringLiteral("复制"));
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator()) << "the menu ends as the window menu";
    QAction* about = actions.back();
    EXPECT_EQ(about->text(), QStringLiteral("关于 Quorlix(&A)..."));

    about->trigger();
    EXPECT_EQ(platform.aboutBoxRuns, 1);

    // A right click on the window's background shows that menu.
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint background(dialog.width() - 5, dialog.height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, background, dialog.mapToGlobal(background));
    QCoreApplication::sendEvent(&dialog, &event);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(QuorlixDlgAbout, OnlyTheAboutCommandOpensIt)
{
    struct Case
    {
        unsigned command;
        int runs;
    };
    // The low four bits are the platform's and are ignored.
    const Case cases[] = { { 0x0010, 1 }, { 0x001F, 1 }, { 0x0020, 0 }, { 0xF060, 0 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        platform.aboutBoxRuns = 0;
        dialog.OnSysCommand(c.command);
        EXPECT_EQ(platform.aboutBoxRuns, c.runs);
    }
}

TEST(QuorlixAboutBox, ShowsIconVersionAndOk)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 Quorlix"));
    auto* icon = about.findChild<QLabel*>(QStringLiteral("icon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    auto* version = about.findChild<QLabel*>(QStringLiteral("version"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("版本 1.5"));
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    EXPECT_TRUE(ok->isDefault());

    about.open();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(QuorlixDlgWiring, ButtonsReachTheirHandlers)
{
    struct Case
    {
        int id;
        const char* firstCall;
    };
    const Case cases[] = {
        { 1000, "ChooseOpenFile" }, // OnBrowse
        { 1004, "PathText" },       // OnAnalyse
        { 1006, "AskYesNoCancel" }, // OnSave
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        platform.calls.clear();
        QTest::mouseClick(FindControl<QPushButton>(dialog, c.id), Qt::LeftButton);
        ASSERT_FALSE(platform.calls.empty());
        EXPECT_EQ(platform.calls.front(), c.firstCall);
    }
}

TEST_F(QuorlixDlgWiring, DropEventReachesOnDropFilesWithTheFirstLocalFile)
{
    QTemporaryDir folder;
    const std::string first = WriteTextFile(folder, "first.txt", "05 01 09 02 A1 01 C0\n");
    QMimeData data;
    data.setUrls({ QUrl(QStringLiteral("https://www.ferrowan.com/x.txt")),
                   QUrl::fromLocalFile(QString::fromStdString(first)),
                   QUrl::fromLocalFile(QString::fromStdString(ExamplePath("mouse.txt"))) });
    const QPointF where(dialog.width() / 2.0, dialog.height() / 2.0);

    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&dialog, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&dialog, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(platform.calls.empty()) << "the drop ends before the analysis starts";

    QCoreApplication::processEvents();
    EXPECT_EQ(platform.pathText, first);
    EXPECT_EQ(platform.rows.size(), 4u);
}

} // namespace
} // namespace quorlix::test
