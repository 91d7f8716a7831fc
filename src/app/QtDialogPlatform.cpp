#include "app/QtDialogPlatform.h"

#include "app/CAboutDlg.h"
#include "app/CompareDialog.h"
#include "app/DecodeReportDialog.h"
#include "app/DescriptorChooserDialog.h"
#include "app/DeviceListDialog.h"
#include "devices/HidDeviceList.h"
#include "app/ItemListModel.h"
#include "app/ItemListView.h"
#include "app/MainDialogTemplate.h"
#include "app/PaneFiller.h"
#include "app/ProblemsDialog.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTableView>
#include <QUrl>

#include <algorithm>

namespace quorlix {
namespace {

// The forms descriptors come in: hex text, C and C++ sources and headers, binary dumps,
// recordings. The patterns are the same in every language, only the names are translated.
const char* const kDescriptorFilesName = QT_TRANSLATE_NOOP("CQuorlixDlg", "描述符文件");
const char* const kAllFilesName = QT_TRANSLATE_NOOP("CQuorlixDlg", "所有文件");
constexpr const char* kDescriptorPatterns = "*.txt *.h *.c *.hpp *.bin *.rec *.hid";
const char* const kCaptureFilesName = QT_TRANSLATE_NOOP("CQuorlixDlg", "USB 捕获");
// pcap and pcapng files as capture tools name them, and usbmon's text as people save it.
constexpr const char* kCapturePatterns = "*.pcap *.pcapng *.cap *.usbmon *.mon";

const char* const kTextFilesName = QT_TRANSLATE_NOOP("CQuorlixDlg", "文本文件");

std::optional<std::string> RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

QString AllFilesFilter()
{
    return QStringLiteral("%1 (*)").arg(WindowText(kAllFilesName));
}

} // namespace

QtDialogPlatform::QtDialogPlatform(const MainDialogControls& controls) : m_controls(controls) {}

std::string QtDialogPlatform::PathText() const
{
    return QFile::encodeName(m_controls.pathEdit->text()).toStdString();
}

void QtDialogPlatform::SetPathText(const std::string& path)
{
    m_controls.pathEdit->setText(QFile::decodeName(QByteArray::fromStdString(path)));
}

void QtDialogPlatform::SetDetailText(const std::u16string& text)
{
    m_controls.detailPane->SetText(text);
}

void QtDialogPlatform::SetSummaryText(const std::u16string& text)
{
    m_controls.summaryPane->SetText(text);
}

void QtDialogPlatform::DeleteAllItems()
{
    m_controls.items->DeleteAllItems();
}

void QtDialogPlatform::InsertItemRows(std::vector<ItemRow> rows)
{
    m_controls.items->InsertItemRows(std::move(rows));
}

std::size_t QtDialogPlatform::ItemCount() const
{
    return m_controls.items->ItemCount();
}

std::u16string QtDialogPlatform::ItemText(std::size_t row, ItemColumn column) const
{
    return m_controls.items->ItemText(row, column);
}

std::vector<std::size_t> QtDialogPlatform::SelectedItemRows() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_controls.itemList->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    // The selection model gives rows in the order they were selected.
    std::sort(rows.begin(), rows.end());
    return rows;
}

void QtDialogPlatform::SetTitle(const QString& title)
{
    m_controls.window->setWindowTitle(title);
}

void QtDialogPlatform::CopyToClipboard(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtDialogPlatform::ShowStatus(const QString& text, const QString& details)
{
    // The line wraps between words; a zero-width space after each slash lets a long path wrap
    // too, rather than run off the window's edge.
    QString shown = text;
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    m_controls.status->setText(shown);
    m_controls.status->setToolTip(details.isEmpty() ? text : text + u'\n' + details);
    // The window makes room for the text now, not at the next turn of the event loop.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(m_controls.window, &request);
}

Answer QtDialogPlatform::AskYesNoCancel(const QString& text, const QString& caption,
                                        const QStringList& answers)
{
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QMessageBox::StandardButton kinds[] = { QMessageBox::Yes, QMessageBox::No,
                                                  QMessageBox::Cancel };
    for (qsizetype i = 0; i < answers.size() && i < 3; ++i) {
        box.button(kinds[i])->setText(answers[i]);
    }
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes)) {
        return Answer::Yes;
    }
    if (box.clickedButton() == box.button(QMessageBox::No)) {
        return Answer::No;
    }
    return Answer::Cancel;
}

void QtDialogPlatform::ShowMessage(const QString& text, const QString& caption, MessageKind kind)
{
    const QMessageBox::Icon icon =
        kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, m_controls.window);
    box.exec();
}

std::optional<std::string> QtDialogPlatform::ChooseOpenFile()
{
    QFileDialog dialog(m_controls.window, WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "打开")));
    // The first filter, the one shown, takes captures too: they hold descriptors.
    dialog.setNameFilters(
        { QStringLiteral("%1 (%2 %3)")
              .arg(WindowText(kDescriptorFilesName), QString::fromLatin1(kDescriptorPatterns),
                   QString::fromLatin1(kCapturePatterns)),
          QStringLiteral("%1 (%2)").arg(WindowText(kCaptureFilesName),
                                        QString::fromLatin1(kCapturePatterns)),
          AllFilesFilter() });
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<std::string> QtDialogPlatform::ChooseSaveFile(const std::string& suggested)
{
    QFileDialog dialog(m_controls.window, WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "另存为")));
    dialog.setNameFilters(
        { QStringLiteral("%1 (*.txt)").arg(WindowText(kTextFilesName)), AllFilesFilter() });
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!suggested.empty()) {
        const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(suggested)));
        dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    }
    return RunFileDialog(dialog);
}

void QtDialogPlatform::OpenLink(const std::string& address)
{
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

std::optional<std::string> QtDialogPlatform::ChooseDevice()
{
    DeviceListDialog dialog(ListHidDevices(SysfsRoot()), m_controls.window);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenPath().empty()) {
        return std::nullopt;
    }
    return dialog.ChosenPath();
}

std::optional<std::size_t>
QtDialogPlatform::ChooseDescriptor(const std::vector<DescriptorCandidate>& candidates,
                                   std::size_t proposed)
{
    DescriptorChooserDialog dialog(candidates, proposed, m_controls.window);
    dialog.exec();
    return dialog.ChosenIndex();
}

void QtDialogPlatform::RunDecodeReportDialog(const std::string& descriptor)
{
    DecodeReportDialog dialog(descriptor, m_controls.window);
    dialog.exec();
}

void QtDialogPlatform::RunCompareDialog(const std::string& descriptor, const std::string& name)
{
    // Not modal, and beside the window where the screen has room: the differences stay in view
    // while the user reads the item list they refer to.
    auto* dialog = new CompareDialog(descriptor, name, m_controls.window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    const QRect window = m_controls.window->frameGeometry();
    const QScreen* screen = m_controls.window->screen();
    if (screen != nullptr) {
        const QRect room = screen->availableGeometry();
        const QSize size = dialog->frameGeometry().size();
        // On the side with more room; where neither side holds it whole, against that side's
        // screen edge, so that it covers as little of the window as it can.
        const int right = room.right() - window.right();
        const int left = window.left() - room.left();
        const int x = right >= left ? std::min(window.right() + 1, room.right() + 1 - size.width())
                                    : std::max(window.left() - size.width(), room.left());
        dialog->move(std::max(x, room.left()), std::max(window.top(), room.top()));
    }
    dialog->raise();
    dialog->activateWindow();
}

void QtDialogPlatform::SetFindings(std::vector<Finding> findings)
{
    m_controls.items->SetFindings(std::move(findings));
    if (m_problems != nullptr) {
        m_problems->SetFindings(m_controls.items->Findings());
    }
}

std::vector<Finding> QtDialogPlatform::Findings() const
{
    return m_controls.items->Findings();
}

void QtDialogPlatform::ShowProblems(const std::vector<Finding>& findings, ProblemsHandlers handlers)
{
    if (m_problems == nullptr) {
        m_problems = new ProblemsDialog(findings, m_controls.window);
        m_problems->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        m_problems->SetFindings(findings);
        m_problems->disconnect(m_controls.window);
    }
    QObject::connect(m_problems, &ProblemsDialog::GoToRequested, m_controls.window,
                     std::move(handlers.goTo));
    QObject::connect(m_problems, &ProblemsDialog::StepRequested, m_controls.window,
                     std::move(handlers.step));
    QObject::connect(m_problems, &ProblemsDialog::HostChosen, m_controls.window,
                     [chosen = std::move(handlers.hostChosen)](const QString& name) {
                         if (chosen) {
                             chosen(name.toStdString());
                         }
                     });
    m_problems->SetHost(QString::fromStdString(handlers.host));
    m_problems->show();
    m_problems->raise();
    m_problems->activateWindow();
}

std::optional<std::vector<std::size_t>> QtDialogPlatform::ProblemsOrder() const
{
    if (m_problems == nullptr || !m_problems->isVisible()) {
        return std::nullopt;
    }
    return m_problems->ShownOrder();
}

void QtDialogPlatform::MarkFinding(std::size_t index)
{
    if (m_problems != nullptr) {
        m_problems->MarkFinding(index);
    }
}

void QtDialogPlatform::SelectItemAt(std::size_t offset)
{
    const std::optional<std::size_t> row = m_controls.items->RowOfOffset(offset);
    if (!row) {
        return;
    }
    const QModelIndex index = m_controls.items->index(static_cast<int>(*row), 0);
    m_controls.itemList->setCurrentIndex(index);
    m_controls.itemList->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    m_controls.itemList->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_controls.itemList->setFocus();
}

void QtDialogPlatform::RunAboutBox()
{
    CAboutDlg about(m_controls.window);
    about.exec();
}

QString QtDialogPlatform::ExecutableName() const
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace quorlix
