#include "app/CQuorlixDlg.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "capture/CaptureFixtures.h"
#include "app/ItemListModel.h"
#include "app/ItemListView.h"

#include "app/CAboutDlg.h"
#include "app/CompareDialog.h"
#include "app/DecodeReportDialog.h"
#include "app/DescriptorChooserDialog.h"
#include "app/DeviceListDialog.h"
#include "app/ProblemsDialog.h"
#include "app/WindowTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QXmlStreamReader>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorlix::test {
namespace {

// The rows of a saved analysis without its five header lines, with line feeds for CR LF: what
// copying every row gives.
std::string SavedRowsAsCopied(const std::string& saved)
{
    std::size_t start = 0;
    for (int line = 0; line < 5; ++line) {
        start = saved.find("\r\n", start) + 2;
    }
    std::string rows;
    for (std::size_t i = start; i < saved.size(); ++i) {
        if (saved[i] != '\r') {
            rows += saved[i];
        }
    }
    return rows;
}

std::string GoldenPath(const char* name)
{
    return std::string(QUORLIX_SOURCE_DIR) + "/tests/data/cli/" + name;
}

// Answers the modal dialogs a command opens, one step per dialog in the order they come, from
// inside the event loop each dialog runs. A dialog beyond the script is cancelled, so a wrong
// turn fails the test instead of hanging it.
class ModalScript
{
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    std::vector<QString> seen; // class names of the dialogs, in order

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        const QString name = QString::fromLatin1(modal->metaObject()->className());
        if (m_next >= m_steps.size()) {
            seen.push_back(name);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
            return;
        }
        // A dialog still busy setting itself up may ignore the step; it is tried again then,
        // for a few seconds at most.
        m_steps[m_next](modal);
        if (!modal->isVisible()) {
            seen.push_back(name);
            ++m_next;
            m_tries = 0;
        } else if (++m_tries > kMostTries) {
            seen.push_back(name + QStringLiteral(" ignored its step"));
            ++m_next;
            m_tries = 0;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
        }
    }

    static constexpr int kMostTries = 300;
    int m_tries = 0;

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QTimer m_timer;
};

ModalScript::Step ClickButton(QMessageBox::StandardButton which)
{
    return [which](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->button(which), nullptr);
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    };
}

ModalScript::Step PressEscape()
{
    return [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); };
}

ModalScript::Step ChooseFile(const QString& path, QStringList* filters,
                             QString* suggested = nullptr)
{
    return [path, filters, suggested](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        *filters = dialog->nameFilters();
        // Typed into the name field, as a user would; the dialog's own selection changes while
        // it reads the folder.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        if (suggested != nullptr) {
            *suggested = QDir(dialog->directory()).filePath(name->text());
        }
        name->setText(path);
        static_cast<QDialog*>(dialog)->accept(); // as the dialog's own Save button does
    };
}

// The window on screen and active, so keys go where a user's would; the fake platform tells
// which handler a key reached without opening any dialog.
class ActiveDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    FakeDialogPlatform platform;
    CQuorlixDlg dialog{ platform };
};

using QuorlixDlgKeys = ActiveDialog;

TEST_F(QuorlixDlgKeys, PathEditHasTheFocusAndAnalyseIsTheDefaultButton)
{
    EXPECT_EQ(QApplication::focusWidget(), FindControl<QLineEdit>(dialog, 1001));
    EXPECT_TRUE(FindControl<QPushButton>(dialog, 1004)->isDefault());
    EXPECT_FALSE(FindControl<QPushButton>(dialog, 1000)->isDefault());
    EXPECT_FALSE(FindControl<QPushButton>(dialog, 1006)->isDefault());
}

TEST_F(QuorlixDlgKeys, EnterAndShortcutsInThePathEditRunTheirCommandOnce)
{
    struct Case
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* handlersFirstCall;
    };
    const Case cases[] = {
        { "Enter analyses", Qt::Key_Return, Qt::NoModifier, "PathText" },
        { "keypad Enter analyses", Qt::Key_Enter, Qt::KeypadModifier, "PathText" },
        { "F5 analyses", Qt::Key_F5, Qt::NoModifier, "PathText" },
        { "Ctrl+R analyses", Qt::Key_R, Qt::ControlModifier, "PathText" },
        { "Ctrl+O browses", Qt::Key_O, Qt::ControlModifier, "ChooseOpenFile" },
        { "Ctrl+S saves", Qt::Key_S, Qt::ControlModifier, "AskYesNoCancel" },
    };
    auto* pathEdit = FindControl<QLineEdit>(dialog, 1001);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.calls.clear();
        QTest::keyClick(pathEdit, c.key, c.modifiers);
        ASSERT_FALSE(platform.calls.empty());
        EXPECT_EQ(platform.calls.front(), c.handlersFirstCall);
        EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), c.handlersFirstCall), 1);
        EXPECT_EQ(QApplication::focusWidget(), pathEdit);
    }
}

// The real window with its own platform: its list, its clipboard, its dialogs.
class RealDialog : public ::testing::Test
{
protected:
    void AnalyseMouse()
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        FindControl<QLineEdit>(dialog, 1001)
            ->setText(QString::fromStdString(ExamplePath("mouse.txt")));
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1004), Qt::LeftButton);
        list = FindControl<ItemListView>(dialog, 1002);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->model()->rowCount(), 26);
    }

    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QRect cell = list->visualRect(list->model()->index(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    std::string Clipboard() const { return QGuiApplication::clipboard()->text().toStdString(); }

    CQuorlixDlg dialog;
    ItemListView* list = nullptr;
    QTemporaryDir folder;
};

using QuorlixDlgCopy = RealDialog;
using QuorlixDlgItemList = RealDialog;
using QuorlixDlgSaveQuestion = RealDialog;

TEST_F(QuorlixDlgCopy, ClickedRowsCtrlAAndTheMenuEntryCopyWholeSavedLines)
{
    AnalyseMouse();
    QGuiApplication::clipboard()->clear();

    // A click and a shift-click select two whole rows; Ctrl+C copies both, not one cell.
    ClickRow(1);
    ClickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "09 02               \t\t//2   \tLOCAL_USAGE(Mouse)\t\n"
                           "A1 01               \t\t//4   \tMAIN_COLLECTION(Applicatior)\t\n");

    // Ctrl+A then Ctrl+C gives the plain saved file's rows.
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 26);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), SavedRowsAsCopied(ReadBinaryFile(GoldenPath("mouse-plain.txt"))));

    // The context menu's 复制 copies the selection too.
    ClickRow(12);
    QGuiApplication::clipboard()->clear();
    QAction* copy = dialog.ContextMenu()->actions().front();
    ASSERT_EQ(copy->text(), QStringLiteral("复制"));
    EXPECT_EQ(copy->shortcut(), QKeySequence(QKeySequence::Copy));
    copy->trigger();
    EXPECT_EQ(Clipboard(),
              "81 02               \t\t//24  \tMAIN_INPUT(data var absolute NoWrap linear "
              "PreferredState NoNullPosition NonVolatile )\tInput 0.3\n");
}

TEST_F(QuorlixDlgItemList, ColumnsResizeByDraggingAndCutCellsShowTheirWholeText)
{
    AnalyseMouse();
    QHeaderView* header = list->horizontalHeader();
    ASSERT_EQ(header->sectionResizeMode(0), QHeaderView::Interactive);

    // Drag the border between the first two headers 40 pixels to the right.
    const QPoint border(header->sectionViewportPosition(0) + header->sectionSize(0) - 1,
                        header->height() / 2);
    const QPoint dropped = border + QPoint(40, 0);
    QWidget* headerArea = header->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, border, headerArea->mapToGlobal(border),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(headerArea, &press);
    QMouseEvent move(QEvent::MouseMove, dropped, headerArea->mapToGlobal(dropped), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(headerArea, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, dropped, headerArea->mapToGlobal(dropped),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(headerArea, &release);
    EXPECT_EQ(list->columnWidth(0), 100);

    // Row 12's name is wider than 300 pixels; row 0's offset fits in its column.
    const QModelIndex cut = list->model()->index(12, 2);
    const QModelIndex whole = list->model()->index(0, 0);
    EXPECT_TRUE(list->IsCut(cut));
    EXPECT_FALSE(list->IsCut(whole));
    const QPoint at = list->visualRect(cut).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    // The whole text as the list shows it, its padding before the parenthesis collapsed.
    EXPECT_EQ(QToolTip::text(), QStringLiteral("MAIN_INPUT(data var absolute NoWrap linear "
                                               "PreferredState NoNullPosition NonVolatile)"));
    QToolTip::hideText();
}

TEST_F(QuorlixDlgItemList, AWiderWindowGivesTheNamesTheirRoomBeforeTheLastColumn)
{
    AnalyseMouse();
    const QModelIndex longest = list->model()->index(12, 2);
    ASSERT_TRUE(list->IsCut(longest)) << "at the designed size the longest name is cut";
    const int position = list->columnWidth(3);

    dialog.resize(1900, 1000);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QCoreApplication::processEvents();
    EXPECT_FALSE(list->IsCut(longest));
    EXPECT_GE(list->horizontalHeader()->sectionSize(3), position / 2)
        << "the last column keeps its room";
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "nothing runs past the view";
}

TEST_F(QuorlixDlgSaveQuestion, YesNoAndCancelOnTheRealBoxes)
{
    struct Case
    {
        const char* name;
        ModalScript::Step answer;
        const char* golden; // nullptr: nothing is saved
    };
    const Case cases[] = {
        { "Yes saves the C form", ClickButton(QMessageBox::Yes), "mouse-c.txt" },
        { "No saves the plain form", ClickButton(QMessageBox::No), "mouse-plain.txt" },
        { "Cancel saves nothing", ClickButton(QMessageBox::Cancel), nullptr },
        { "Escape cancels", PressEscape(), nullptr },
    };
    AnalyseMouse();
    int caseNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QStringLiteral("saved-%1.txt").arg(++caseNumber));
        QStringList filters;
        QString suggested;
        QString question;
        QStringList answers;
        std::vector<ModalScript::Step> steps{ [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            question = box->text();
            for (const QMessageBox::StandardButton button :
                 { QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel }) {
                answers << box->button(button)->text();
            }
            c.answer(modal);
        } };
        if (c.golden != nullptr) {
            steps.push_back(ChooseFile(path, &filters, &suggested));
            steps.push_back(ClickButton(QMessageBox::Ok)); // SAVE OK
        }
        ModalScript script(std::move(steps));

        QTest::mouseClick(FindControl<QPushButton>(dialog, 1006), Qt::LeftButton);

        // The designed question, with buttons that name what they save.
        EXPECT_EQ(question, QStringLiteral("是否存储成带0x格式？"));
        EXPECT_EQ(answers, QStringList({ QStringLiteral("C 常量"), QStringLiteral("纯文本"),
                                         QStringLiteral("取消") }));
        if (c.golden == nullptr) {
            EXPECT_EQ(script.seen, std::vector<QString>{ "QMessageBox" });
            EXPECT_FALSE(FileExists(path.toStdString()));
            continue;
        }
        const std::vector<QString> dialogs = { "QMessageBox", "QFileDialog", "QMessageBox" };
        EXPECT_EQ(script.seen, dialogs);
        EXPECT_EQ(ReadBinaryFile(path.toStdString()), ReadBinaryFile(GoldenPath(c.golden)));
        const QStringList offered = { QStringLiteral("文本文件 (*.txt)"),
                                      QStringLiteral("所有文件 (*)") };
        EXPECT_EQ(filters, offered);
        // Beside the descriptor, named after it.
        EXPECT_EQ(suggested, QFileInfo(QString::fromStdString(ExamplePath("mouse.txt")))
                                 .absoluteDir()
                                 .filePath(QStringLiteral("mouse-analysis.txt")));
    }
}

TEST(QuorlixDlgEnglish, TextsAreTranslatedFitTheirPlacesAndSavedFilesStayTheSame)
{
    EnglishTexts english;
    ASSERT_TRUE(english.loaded) << "no quorlix_en.qm in " << QUORLIX_TRANSLATIONS_DIR;
    CQuorlixDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    const std::pair<int, const char*> buttons[] = { { 1000, "Browse..." },
                                                    { 1004, "Analyse" },
                                                    { 1006, "Save" } };
    for (const auto& [id, text] : buttons) {
        EXPECT_EQ(FindControl<QPushButton>(dialog, id)->text(), QString::fromUtf8(text));
    }
    const char* headers[] = { "Offset", "Bytes", "Item", "Position" };
    auto* list = FindControl<ItemListView>(dialog, 1002);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromUtf8(headers[column]));
    }
    for (const int id : { 1007, 1008, 1009, 1010, 1012 }) {
        SCOPED_TRACE(id);
        auto* link = FindControl<QLabel>(dialog, id);
        EXPECT_LE(link->sizeHint().width(), link->width()) << link->text().toStdString();
    }
    EXPECT_EQ(dialog.ContextMenu()->actions().front()->text(), QStringLiteral("Copy"));
    EXPECT_EQ(dialog.ContextMenu()->actions().back()->text(), QStringLiteral("&About Quorlix..."));
    // The title is the same in every language.
    EXPECT_EQ(dialog.windowTitle(),
              QStringLiteral("QuorlixV3.1 Ferrowan - https://www.ferrowan.com"));

    FindControl<QLineEdit>(dialog, 1001)->setText(QString::fromStdString(ExamplePath("mouse.txt")));
    QTest::keyClick(FindControl<QLineEdit>(dialog, 1001), Qt::Key_Return);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("english.txt"));
    QStringList filters;
    QString question;
    QStringList answers;
    ModalScript script({ [&](QWidget* modal) {
                            auto* box = qobject_cast<QMessageBox*>(modal);
                            question = box->text();
                            for (const QMessageBox::StandardButton button :
                                 { QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel }) {
                                answers << box->button(button)->text();
                            }
                            ClickButton(QMessageBox::Yes)(modal);
                        },
                         ChooseFile(path, &filters), ClickButton(QMessageBox::Ok) });
    QTest::keyClick(FindControl<QLineEdit>(dialog, 1001), Qt::Key_S, Qt::ControlModifier);

    EXPECT_TRUE(question.startsWith(QStringLiteral("Save the bytes as C constants")));
    EXPECT_EQ(answers, QStringList({ QStringLiteral("C constants"), QStringLiteral("Plain text"),
                                     QStringLiteral("Cancel") }));
    EXPECT_EQ(filters, QStringList({ QStringLiteral("Text files (*.txt)"),
                                     QStringLiteral("All files (*)") }));
    EXPECT_EQ(ReadBinaryFile(path.toStdString()), ReadBinaryFile(GoldenPath("mouse-c.txt")));
}

TEST_F(QuorlixDlgItemList, ShiftF10OpensTheMenuAtTheCurrentRow)
{
    AnalyseMouse();
    ClickRow(5);
    ASSERT_EQ(list->currentIndex().row(), 5);
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = dialog.ContextMenu();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    // Under the current row, as a right click on it would place it.
    const QRect row = list->visualRect(list->currentIndex());
    EXPECT_EQ(menu->pos(), list->viewport()->mapToGlobal(row.bottomLeft()));
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
}

TEST(RememberedSize, EachDialogReopensAtTheSizeTheUserLeftItAt)
{
    struct Case
    {
        const char* key;
        std::function<std::unique_ptr<QDialog>()> make;
    };
    const std::string descriptor("\x05\x01\x09\x02\xA1\x01\xC0", 7);
    const Case cases[] = {
        { "decode", [&] { return std::make_unique<DecodeReportDialog>(descriptor); } },
        { "devices", [] { return std::make_unique<DeviceListDialog>(HidDeviceList{}); } },
        { "problems", [] { return std::make_unique<ProblemsDialog>(std::vector<Finding>{}); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const QString key = QStringLiteral("dialogs/%1").arg(QString::fromLatin1(c.key));
        QSettings().remove(key);
        QSize chosen;
        {
            const std::unique_ptr<QDialog> first = c.make();
            first->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(first.get()));
            // As the user drags its corner: narrower (the first size may already fill the
            // offscreen screen as far as a dialog may) and taller.
            const QSize opened = first->size();
            first->resize(opened + QSize(-37, 23));
            chosen = first->size();
            ASSERT_NE(chosen, opened);
            first->close();
        }
        const std::unique_ptr<QDialog> again = c.make();
        again->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(again.get()));
        EXPECT_EQ(again->size(), chosen);
        again->close();
        QSettings().remove(key);
    }
}

// The problems list the window shows beside itself, once 问题列表… opened it.
ProblemsDialog* OpenProblems(CQuorlixDlg& window)
{
    window.OnProblems();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<ProblemsDialog*>(top);
            found != nullptr && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// The check column of every listed finding, in the list's order.
QStringList ListedChecks(const ProblemsDialog& problems)
{
    QStringList checks;
    const QTreeWidget* list = problems.findChild<QTreeWidget*>();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        checks << list->topLevelItem(row)->text(2);
    }
    return checks;
}

TEST(QuorlixDlgHosts, TheProblemsListChecksWithTheChosenHostAndTheWindowRemembersIt)
{
    const QString key = QStringLiteral("check/hostProfile");
    QSettings().remove(key);
    const QString path = QStringLiteral(QUORLIX_SOURCE_DIR "/examples/hosts/mouse-and-gamepad.txt");
    const auto analyse = [&](CQuorlixDlg& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        FindControl<QLineEdit>(window, 1001)->setText(path);
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    };
    {
        CQuorlixDlg window;
        analyse(window);
        ProblemsDialog* problems = OpenProblems(window);
        ASSERT_NE(problems, nullptr);
        QComboBox* hosts = problems->HostChoice();
        EXPECT_EQ(hosts->currentIndex(), 0);
        EXPECT_EQ(hosts->currentText(), QStringLiteral("仅 HID 规则"));
        EXPECT_FALSE(ListedChecks(*problems).join(u' ').contains(QStringLiteral("MAC-")));

        // The arrow keys pick macOS in the choice, as a user would.
        hosts->setFocus();
        for (int i = 0; i < hosts->count() && hosts->currentData() != QStringLiteral("macos");
             ++i) {
            QTest::keyClick(hosts, Qt::Key_Down);
        }
        ASSERT_EQ(hosts->currentData().toString(), QStringLiteral("macos"));
        EXPECT_EQ(QSettings().value(key).toString(), QStringLiteral("macos"));
        EXPECT_EQ(window.HostProfile(), "macos");
        // The host's finding names its profile and rule, and where the rule comes from.
        const QTreeWidget* list = problems->findChild<QTreeWidget*>();
        const QStringList checks = ListedChecks(*problems);
        const qsizetype row = checks.indexOf(QStringLiteral("macos MAC-04"));
        ASSERT_GE(row, 0) << checks.join(u',').toStdString();
        EXPECT_EQ(list->topLevelItem(static_cast<int>(row))->text(1), QStringLiteral("56"));
        EXPECT_TRUE(list->topLevelItem(static_cast<int>(row))
                        ->text(5)
                        .contains(QStringLiteral("circuitpython")));
        EXPECT_EQ(list->headerItem()->text(5), QStringLiteral("来源"));
        problems->close();
    }
    {
        // A new window, as on the next start, checks with the remembered host.
        CQuorlixDlg window;
        window.RestoreHostProfile(QSettings());
        EXPECT_EQ(window.HostProfile(), "macos");
        analyse(window);
        ProblemsDialog* problems = OpenProblems(window);
        ASSERT_NE(problems, nullptr);
        EXPECT_EQ(problems->HostChoice()->currentData().toString(), QStringLiteral("macos"));
        EXPECT_TRUE(ListedChecks(*problems).contains(QStringLiteral("macos MAC-04")));

        // Home goes back to HID's own rules, and the host's finding goes with it.
        problems->HostChoice()->setFocus();
        QTest::keyClick(problems->HostChoice(), Qt::Key_Home);
        EXPECT_EQ(window.HostProfile(), "");
        EXPECT_FALSE(ListedChecks(*problems).join(u' ').contains(QStringLiteral("MAC-")));
        EXPECT_EQ(QSettings().value(key).toString(), QString());
        problems->close();
    }
    // A name no profile has, as an older settings file may hold, checks HID's rules only.
    QSettings().setValue(key, QStringLiteral("no-such-host"));
    CQuorlixDlg window;
    window.RestoreHostProfile(QSettings());
    EXPECT_EQ(window.HostProfile(), "");
    QSettings().remove(key);
}

// The chooser's rows as the user reads them, cells joined by '|'.
QStringList ChooserRows(DescriptorChooserDialog& chooser)
{
    const QTreeWidget* list = chooser.List();
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column) {
            cells << list->topLevelItem(row)->text(column);
        }
        rows << cells.join(u'|');
    }
    return rows;
}

TEST(QuorlixDlgChooser, KeysPickADescriptorOfSeveralOnTheRealDialog)
{
    QTemporaryDir folder;
    // A C source of two arrays: the second is the mouse's first five items.
    const std::string path = WriteTextFile(folder, "two.c",
                                           "const unsigned char keyboard[] = { 0x05, 0x01 };\n"
                                           "const unsigned char mouse[] = { 0x05, 0x01, 0x09, "
                                           "0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0 };\n");
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    FindControl<QLineEdit>(window, 1001)->setText(QString::fromStdString(path));

    QStringList rows;
    {
        ModalScript choose({ [&](QWidget* modal) {
            auto* chooser = qobject_cast<DescriptorChooserDialog*>(modal);
            ASSERT_NE(chooser, nullptr);
            const QTreeWidget* list = chooser->List();
            rows = ChooserRows(*chooser);
            EXPECT_TRUE(chooser->OpenButton()->isDefault());
            QTest::keyClick(list->viewport(), Qt::Key_Down);
            QTest::keyClick(modal, Qt::Key_Return);
        } });
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
        EXPECT_EQ(choose.seen,
                  std::vector<QString>{ QStringLiteral("quorlix::DescriptorChooserDialog") });
        EXPECT_EQ(rows, (QStringList{ QStringLiteral("1|keyboard|1|2 字节|不像报告描述符"),
                                      QStringLiteral("2|mouse|2|9 字节|报告描述符") }));
        EXPECT_EQ(FindControl<ItemListView>(window, 1002)->model()->rowCount(), 5);
    }

    // Escape leaves the analysis on screen.
    ModalScript cancel({ PressEscape() });
    QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    EXPECT_EQ(cancel.seen,
              std::vector<QString>{ QStringLiteral("quorlix::DescriptorChooserDialog") });
    EXPECT_EQ(FindControl<ItemListView>(window, 1002)->model()->rowCount(), 5);
}

// Captures written by the capture tests' fixtures: the enumeration of device 1.5 (1234:5678)
// with its 27-byte report descriptor, then its reports.
std::string WriteCapture(const QTemporaryDir& folder, const char* name, int devices,
                         bool enumeration)
{
    std::vector<FixturePacket> packets = EnumerationPackets();
    if (!enumeration) {
        packets.erase(packets.begin(), packets.begin() + 6);
    }
    std::vector<Bytes> frames;
    for (int device = 0; device < devices; ++device) {
        for (FixturePacket packet : packets) {
            packet.address = static_cast<std::uint8_t>(5 + device);
            packet.urbId += 100 * static_cast<std::uint64_t>(device);
            frames.push_back(UsbmonFrame(packet));
        }
    }
    const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
    WritePcap(path, 220, frames);
    return path;
}

TEST(QuorlixDlgCapture, OpensTheDescriptorsOfAUsbCaptureOnTheRealDialog)
{
    QTemporaryDir folder;
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* path = FindControl<QLineEdit>(window, 1001);
    const QAbstractItemModel* items = FindControl<ItemListView>(window, 1002)->model();
    const auto* status = window.findChild<QLabel*>(QStringLiteral("status"));
    const auto statusText = [&] { return status->text().remove(QChar(0x200B)); };

    // Browse offers captures among the files it shows at first, and writes no dump of one.
    const QString one = QString::fromStdString(WriteCapture(folder, "one.pcap", 1, true));
    QStringList filters;
    {
        ModalScript browse({ ChooseFile(one, &filters) });
        QTest::mouseClick(FindControl<QPushButton>(window, 1000), Qt::LeftButton);
        EXPECT_EQ(browse.seen, std::vector<QString>{ QStringLiteral("QFileDialog") });
    }
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_TRUE(filters.front().contains(QStringLiteral("*.pcap *.pcapng")))
        << filters.front().toStdString();
    EXPECT_EQ(statusText(), QStringLiteral("已选择 %1（USB 捕获），按“分析”分析它").arg(one));
    EXPECT_FALSE(FileExists(one.toStdString() + "-hex.txt"));

    // One descriptor is analysed at once, Enter in the path edit as Analyse.
    {
        ModalScript none({});
        QTest::keyClick(path, Qt::Key_Return);
        EXPECT_TRUE(none.seen.empty());
    }
    const int rows = items->rowCount();
    EXPECT_GT(rows, 0);
    EXPECT_TRUE(statusText().startsWith(
        QStringLiteral("已分析 27 字节（USB 捕获中 1.5:0，1234:5678 的描述符），")))
        << statusText().toStdString();

    // Several open the chooser; the second device's is taken by the keys.
    path->setText(QString::fromStdString(WriteCapture(folder, "two.pcap", 2, true)));
    QStringList listed;
    ModalScript choose({ [&](QWidget* modal) {
        auto* chooser = qobject_cast<DescriptorChooserDialog*>(modal);
        ASSERT_NE(chooser, nullptr);
        const QTreeWidget* list = chooser->List();
        listed = ChooserRows(*chooser);
        QTest::keyClick(list->viewport(), Qt::Key_Down);
        QTest::keyClick(modal, Qt::Key_Return);
    } });
    QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    EXPECT_EQ(choose.seen,
              std::vector<QString>{ QStringLiteral("quorlix::DescriptorChooserDialog") });
    EXPECT_EQ(listed, (QStringList{ QStringLiteral("1|1.5:0 (1234:5678)||27 字节|报告描述符"),
                                    QStringLiteral("2|1.6:0 (1234:5678)||27 字节|报告描述符") }));
    EXPECT_TRUE(statusText().startsWith(QStringLiteral(
        "已分析 27 字节（USB 捕获中 1.6:0，1234:5678 的描述符），第 2 个描述符，共 2 个，")))
        << statusText().toStdString();
    EXPECT_EQ(items->rowCount(), rows);

    // None, and a capture cut inside a frame: the status says why, the analysis stays.
    const std::string empty = WriteCapture(folder, "none.pcap", 1, false);
    std::string cut = ReadBinaryFile(WriteCapture(folder, "cut.pcap", 1, true));
    cut.resize(cut.size() - 5);
    const std::string cutPath = WriteTextFile(folder, "cut-short.pcap", cut);
    const std::string ethernet = folder.filePath(QStringLiteral("ethernet.pcap")).toStdString();
    WritePcap(ethernet, 1, { Bytes(14, 0) });
    struct Case
    {
        std::string file;
        QString status;
    };
    const Case cases[] = {
        { empty,
          QStringLiteral("%1：这个捕获不含报告描述符（捕获时设备是否已插上？），未分析任何内容") },
        { cutPath, QStringLiteral("%1：捕获文件在第 11 帧处损坏或被截断，未分析任何内容") },
        { ethernet,
          QStringLiteral(
              "%1：链路类型 1 不含 USB 数据包（可读取 usbmon 和 USBPcap 捕获），未分析任何内容") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        path->setText(QString::fromStdString(c.file));
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
        EXPECT_EQ(statusText(), c.status.arg(QString::fromStdString(c.file)));
        EXPECT_EQ(items->rowCount(), rows);
    }

    EnglishTexts english;
    ASSERT_TRUE(english.loaded);
    path->setText(QString::fromStdString(WriteCapture(folder, "again.pcap", 1, true)));
    QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    EXPECT_TRUE(statusText().startsWith(QStringLiteral(
        "analysed 27 bytes (the descriptor of 1.5:0, 1234:5678 in a USB capture), ")))
        << statusText().toStdString();
}

// Lower-case words of three letters or more in the English translation that no Chinese source
// text uses ("Usage Page" and "hid-recorder" are the same in both languages).
QSet<QString> EnglishOnlyWords()
{
    QFile file(QStringLiteral(QUORLIX_SOURCE_DIR "/src/app/translations/quorlix_en.ts"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QSet<QString> english;
    QSet<QString> chinese;
    const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView element = xml.name();
        QSet<QString>* words = element == u"source"                                     ? &chinese
                               : element == u"translation" || element == u"numerusform" ? &english
                                                                                        : nullptr;
        if (words == nullptr) {
            continue;
        }
        const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
            words->insert(match.captured().toLower());
        }
    }
    return english - chinese;
}

// The texts a user reads on a window and its children: titles, labels, buttons, tool tips,
// placeholders, choices, column headers and menu entries; not the contents they show (item
// rows, panes), which are the descriptor's own words.
QStringList ChromeTexts(const QWidget& window)
{
    QStringList texts{ window.windowTitle() };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(const_cast<QWidget*>(&window));
    for (const QWidget* widget : widgets) {
        texts << widget->toolTip();
        for (const QAction* action : widget->actions()) {
            texts << action->text() << action->toolTip();
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            texts << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            texts << edit->placeholderText();
        } else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < box->count(); ++i) {
                texts << box->itemText(i);
            }
        } else if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
            if (header->model() != nullptr) {
                for (int i = 0; i < header->model()->columnCount(); ++i) {
                    texts << header->model()->headerData(i, Qt::Horizontal).toString();
                }
            }
        }
    }
    return texts;
}

// The English-only words among the window's texts; paths are left out.
QStringList UntranslatedWords(const QWidget& window, const QSet<QString>& englishOnly)
{
    QStringList found;
    const QRegularExpression path(QStringLiteral("\\S*/\\S*"));
    const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    for (QString text : ChromeTexts(window)) {
        text.remove(path);
        for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
            if (englishOnly.contains(match.captured().toLower())) {
                found << QStringLiteral("%1 (in \"%2\")").arg(match.captured(), text);
            }
        }
    }
    return found;
}

// Words of three letters or more in a status other than the tools' and forms' own names, which
// the Chinese texts keep; the path is left out.
QStringList EnglishWordsOf(QString status, const QString& path)
{
    status.remove(QChar(0x200B)).remove(path);
    static const QSet<QString> names{ QStringLiteral("hid"),    QStringLiteral("recorder"),
                                      QStringLiteral("usbhid"), QStringLiteral("dump"),
                                      QStringLiteral("lsusb"),  QStringLiteral("usb"),
                                      QStringLiteral("usbmon"), QStringLiteral("usbpcap") };
    QStringList found;
    const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    for (const QRegularExpressionMatch& match : word.globalMatch(status)) {
        if (!names.contains(match.captured().toLower())) {
            found << match.captured();
        }
    }
    return found;
}

TEST(QuorlixDlgChinese, EveryRefusalAndEveryFormIsSaidInChinese)
{
    QTemporaryDir folder;
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* path = FindControl<QLineEdit>(window, 1001);
    const auto* status = window.findChild<QLabel*>(QStringLiteral("status"));
    const auto analyse = [&](const std::string& file) {
        path->setText(QString::fromStdString(file));
        StandardOutputSilenced quiet;
        QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    };

    struct Case
    {
        const char* name;
        std::string file;
        const char* status; // after "PATH：", before "，未分析任何内容"
        const char* detail; // in the status's tip: the reader's words, or nothing
    };
    const std::string folderPath = folder.path().toStdString();
    const Case cases[] = {
        { "missing", folderPath + "/missing.txt", "无法打开文件：文件不存在", "" },
        { "a folder", folderPath, "不是普通文件", "" },
        { "empty", WriteTextFile(folder, "empty.txt", ""), "没有十六进制数字", "" },
        { "a comment that never ends",
          WriteTextFile(folder, "open.c", "const unsigned char d[] = {\n 0x05, /* 0x01 };\n"),
          "C 源代码第 2 行格式有误", "never ends" },
        { "a recorder line shorter than it says",
          WriteTextFile(folder, "short.hid", "D: 0\nR: 5 05 01\n"),
          "hid-recorder 输出第 2 行格式有误", "R: says 5" },
        { "markup", WriteTextFile(folder, "items.xml", "<items>05 01</items>\n"),
          "没有一种描述符格式能准确读取这段文本", "XML" },
        { "words", WriteTextFile(folder, "words.txt", "Usage Page 05 01\n"),
          "没有一种描述符格式能准确读取这段文本", "Usage" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        analyse(c.file);
        const QString file = QString::fromStdString(c.file);
        const QString text = status->text().remove(QChar(0x200B));
        EXPECT_EQ(text.toStdString(),
                  (file + u'：' + QString::fromUtf8(c.status) + QStringLiteral("，未分析任何内容"))
                      .toStdString());
        EXPECT_EQ(EnglishWordsOf(text, file), QStringList());
        if (*c.detail != '\0') {
            EXPECT_TRUE(status->toolTip().contains(QString::fromUtf8(c.detail)))
                << status->toolTip().toStdString();
        }
    }

    // Every form the window reads, as users' tools write it, gets a Chinese status.
    const QDir forms(QStringLiteral(QUORLIX_TEST_DATA_DIR "/forms"));
    const QStringList files = forms.entryList({ QStringLiteral("*.txt"), QStringLiteral("*.bin") });
    ASSERT_GE(files.size(), 15);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QString file = forms.filePath(name);
        ModalScript first({ [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); } });
        analyse(file.toStdString());
        const QString text = status->text();
        EXPECT_TRUE(text.startsWith(QStringLiteral("已分析"))) << text.toStdString();
        EXPECT_EQ(EnglishWordsOf(text, file), QStringList());
    }

    // The English window keeps the reader's own words in the status itself.
    EnglishTexts english;
    ASSERT_TRUE(english.loaded);
    analyse(cases[3].file);
    EXPECT_TRUE(status->text().contains(QStringLiteral("never ends")))
        << status->text().toStdString();
    analyse(cases[0].file);
    EXPECT_TRUE(
        status->text().contains(QStringLiteral("cannot open file: No such file or directory")))
        << status->text().toStdString();
}

TEST(QuorlixDlgChinese, EveryDialogSpeaksChineseOnly)
{
    const QSet<QString> englishOnly = EnglishOnlyWords();
    // The walk is only as good as its list: words every window would have in English.
    for (const char* known : { "analyse", "save", "close", "bytes", "report", "problems" }) {
        ASSERT_TRUE(englishOnly.contains(QString::fromLatin1(known))) << known;
    }
    QTranslator qtChinese;
    ASSERT_TRUE(InstallQtTranslation(qtChinese, WindowLanguage::Chinese, QLocale::c(),
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    const auto expectChinese = [&](const QWidget& window, const char* name) {
        SCOPED_TRACE(name);
        EXPECT_EQ(UntranslatedWords(window, englishOnly), QStringList());
    };

    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    expectChinese(window, "main window before an analysis");
    expectChinese(*window.ContextMenu(), "item list's menu");
    // A descriptor with errors, warnings and notes, so the status and the list have all three.
    FindControl<QLineEdit>(window, 1001)
        ->setText(QString::fromStdString(ExamplePath("frtec-raptor-mach2-original.txt")));
    QTest::mouseClick(FindControl<QPushButton>(window, 1004), Qt::LeftButton);
    expectChinese(window, "main window after an analysis");

    window.OnProblems();
    ProblemsDialog* problems = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<ProblemsDialog*>(top);
            found != nullptr && found->isVisible()) {
            problems = found;
        }
    }
    ASSERT_NE(problems, nullptr);
    expectChinese(*problems, "problems list");
    problems->close();

    ModalScript question({ [&](QWidget* modal) {
        expectChinese(*modal, "save question");
        QTest::keyClick(modal, Qt::Key_Escape);
    } });
    window.OnSave();
    EXPECT_EQ(question.seen, std::vector<QString>{ QStringLiteral("QMessageBox") });

    const std::string mouse(
        "\x05\x01\x09\x02\xA1\x01\x09\x01\xA1\x00\x05\x09\x19\x01\x29\x03\x15\x00\x25\x01"
        "\x95\x03\x75\x01\x81\x02\xC0\xC0",
        28);
    DecodeReportDialog decode(mouse);
    decode.show();
    expectChinese(decode, "decode, nothing typed");
    for (const char* typed : { "01", "zz", "07" }) {
        decode.ReportEdit()->setText(QString::fromLatin1(typed));
        expectChinese(decode, typed);
    }
    QTest::keyClick(decode.TypeBox(), Qt::Key_Down);
    expectChinese(decode, "decode, no output report");

    CompareDialog compare(mouse, "mouse.txt");
    compare.show();
    compare.PathEdit()->setText(QStringLiteral("/nonexistent/other.txt"));
    QTest::mouseClick(compare.CompareButton(), Qt::LeftButton);
    expectChinese(compare, "compare, unreadable file");
    compare.PathEdit()->setText(QString::fromStdString(ExamplePath("mouse.txt")));
    QTest::mouseClick(compare.CompareButton(), Qt::LeftButton);
    expectChinese(compare, "compare, a verdict");

    DeviceListDialog noDevices(HidDeviceList{});
    expectChinese(noDevices, "no devices");
    HidDeviceList one;
    one.devices.push_back(HidDevice{});
    one.devices.back().id = "0003:046D:C077.0001";
    DeviceListDialog devices(one);
    expectChinese(devices, "device list");

    std::vector<DescriptorCandidate> candidates(2);
    candidates[0].name = "keyboard";
    candidates[1] = { 1, "", 7, 50, true, "interface 1", "", 2, "" };
    DescriptorChooserDialog chooser(candidates, 1);
    expectChinese(chooser, "descriptor chooser");

    CAboutDlg about;
    expectChinese(about, "about box");
    QCoreApplication::removeTranslator(&qtChinese);
}

} // namespace
} // namespace quorlix::test
