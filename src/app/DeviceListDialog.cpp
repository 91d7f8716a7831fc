#include "app/DeviceListDialog.h"

#include "app/MainDialogTemplate.h"
#include "devices/HidDevice.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorlix {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString Hex4(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

QTreeWidgetItem* DeviceRow(const HidDevice& device)
{
    const QString name =
        device.name.empty() ? QString::fromStdString(device.id) : QString::fromUtf8(device.name);
    const std::string_view interfaceName = InterfaceName(device);
    auto* row = new QTreeWidgetItem(QStringList{
        name, Hex4(device.vendorId) + QLatin1Char(':') + Hex4(device.productId),
        QString::fromUtf8(BusName(device.bus).data(), static_cast<int>(BusName(device.bus).size())),
        interfaceName.empty()
            ? QStringLiteral("-")
            : QString::fromUtf8(interfaceName.data(), static_cast<int>(interfaceName.size())) });
    const QString path = QFile::decodeName(QByteArray::fromStdString(device.descriptorPath));
    row->setData(0, kPathRole, path);
    const QString length = device.descriptorLength
                               ? QStringLiteral("%1 bytes").arg(*device.descriptorLength)
                               : QStringLiteral("its descriptor cannot be read");
    const QString tip =
        QStringLiteral("%1, %2\n%3").arg(QString::fromStdString(device.id), length, path);
    for (int column = 0; column < row->columnCount(); ++column) {
        row->setToolTip(column, tip);
    }
    return row;
}

} // namespace

DeviceListDialog::DeviceListDialog(const HidDeviceList& list, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "从设备读取")));

    m_message = new QLabel(this);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({ WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "名称")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "厂商:产品")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "总线")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "接口")) });
    for (const HidDevice& device : list.devices) {
        m_list->addTopLevelItem(DeviceRow(device));
    }
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < m_list->columnCount(); ++column) {
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_read = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "读取")),
                                QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "取消")),
                                  QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_read->setEnabled(current != nullptr); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    // A listing that stopped part way still offers what it found, and says why it stopped.
    QString message = QString::fromStdString(list.error);
    if (list.devices.empty() && message.isEmpty()) {
        message = QStringLiteral("no HID devices found");
    }
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    m_list->setVisible(!list.devices.empty());
    m_read->setEnabled(!list.devices.empty());
    // Enter reads the chosen device, or closes a dialog that has none to offer.
    m_read->setDefault(!list.devices.empty());
    m_cancel->setDefault(list.devices.empty());
    if (!list.devices.empty()) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
        m_list->setFocus();
    }
    // Room for long device names; a dialog that only says there is nothing stays small.
    if (!list.devices.empty()) {
        resize(sizeHint().expandedTo(
            QSize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 16)));
    }
}

std::string DeviceListDialog::ChosenPath() const
{
    if (result() != QDialog::Accepted || m_list->currentItem() == nullptr) {
        return {};
    }
    return QFile::encodeName(m_list->currentItem()->data(0, kPathRole).toString()).toStdString();
}

} // namespace quorlix
