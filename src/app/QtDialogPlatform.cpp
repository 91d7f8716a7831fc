#include "app/QtDialogPlatform.h"

#include "app/CAboutDlg.h"
#include "app/DecodeReportDialog.h"
#include "app/DeviceListDialog.h"
#include "devices/HidDeviceList.h"
#include "app/ItemListModel.h"
#include "app/PaneFiller.h"

#include <QCoreApplication>
#include <QEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace quorlix {
namespace {

const QString kTextFileFilter = QStringLiteral("TEXT File(*.txt)");

std::optional<std::string> RunFileDialog(QWidget* owner, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, QString(), QString(), kTextFileFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
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

std::u16string QtDialogPlatform::ItemText(std::size_t row, int column) const
{
    return m_controls.items->ItemText(row, column);
}

void QtDialogPlatform::ShowStatus(const QString& text)
{
    // The line wraps between words; a zero-width space after each slash lets a long path wrap
    // too, rather than run off the window's edge.
    QString shown = text;
    shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    m_controls.status->setText(shown);
    m_controls.status->setToolTip(text);
    // The window makes room for the text now, not at the next turn of the event loop.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(m_controls.window, &request);
}

bool QtDialogPlatform::AskYesNo(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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
    return RunFileDialog(m_controls.window, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogPlatform::ChooseSaveFile()
{
    return RunFileDialog(m_controls.window, QFileDialog::AcceptSave);
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

void QtDialogPlatform::RunDecodeReportDialog(const std::string& descriptor)
{
    DecodeReportDialog dialog(descriptor, m_controls.window);
    dialog.exec();
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
