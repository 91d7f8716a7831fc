#include "app/DeviceListDialog.h"

#include "app/FindingDisplay.h"
#include "app/MainDialogTemplate.h"
#include "app/RememberedSize.h"
#include "devices/HidDevice.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorlix {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString Hex4(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString LengthText(const HidDevice& device)
{
    if (!device.descriptorLength) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法读取"));
    }
    return QCoreApplication::translate(kTextContext, QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 字节"),
                                       nullptr, static_cast<int>(*device.descriptorLength));
}

QTreeWidgetItem* DeviceRow(const HidDevice& device)
{
    const QString name =
        device.name.empty() ? QString::fromStdString(device.id) : QString::fromUtf8(device.name);
    const std::string_view interfaceName = InterfaceName(device);
    QStringList nodes;
    for (const std::string& node : device.hidraw) {
        nodes << QStringLiteral("/dev/") + QString::fromStdString(node);
    }
    auto* row = new QTreeWidgetItem(
        QStringList{ name, Hex4(device.vendorId) + QLatin1Char(':') + Hex4(device.productId),
                     Utf8(BusName(device.bus)),
                     interfaceName.empty() ? QStringLiteral("-") : Utf8(interfaceName),
                     nodes.isEmpty() ? QStringLiteral("-") : nodes.join(QStringLiteral(", ")),
                     LengthText(device) });
    row->setTextAlignment(5, Qt::AlignRight | Qt::AlignVCenter);
    const QString path = QFile::decodeName(QByteArray::fromStdString(device.descriptorPath));
    row->setData(0, kPathRole, path);
    const QString tip = QStringLiteral("%1, %2\n%3")
                            .arg(QString::fromStdString(device.id), LengthText(device), path);
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
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "接口")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "节点")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "描述符长度")) });
    for (const HidDevice& device : list.devices) {
        m_list->addTopLevelItem(DeviceRow(device));
    }
    // Every column as wide as its texts at first, the name taking what the window gains; the
    // user may drag any of them.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < m_list->columnCount(); ++column) {
        m_list->resizeColumnToContents(column);
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
    // The listing's reason carries the folder and the system's own words for what failed.
    // The Chinese window says so in Chinese and leaves the listing's English words to the tip.
    QString message;
    if (!list.error.empty() && WindowShowsChinese()) {
        message = WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "列出设备时出错，列表可能不完整"));
        m_message->setToolTip(Utf8(list.error));
    } else if (!list.error.empty()) {
        message = WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "列出设备时出错：%1"))
                      .arg(Utf8(list.error));
    }
    if (list.devices.empty() && message.isEmpty()) {
        message = WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有找到 HID 设备"));
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
    // Room for every column and for the title; the size the user leaves it at is kept.
    new RememberedSize(this, QStringLiteral("devices"),
                       QSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 8));
}

QSize DeviceListDialog::sizeHint() const
{
    QSize hint = QDialog::sizeHint();
    int width = 0;
    for (int column = 0; column < m_list->columnCount(); ++column) {
        width += m_list->columnWidth(column);
    }
    const QMargins margins = layout()->contentsMargins();
    const int frame = m_list->frameWidth() * 2 + margins.left() + margins.right() +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The title needs its room too, or the window manager cuts it.
    const int title = fontMetrics().horizontalAdvance(windowTitle()) * 2;
    hint.setWidth(std::max({ hint.width(), width + frame, title }));
    return hint;
}

std::string DeviceListDialog::ChosenPath() const
{
    if (result() != QDialog::Accepted || m_list->currentItem() == nullptr) {
        return {};
    }
    return QFile::encodeName(m_list->currentItem()->data(0, kPathRole).toString()).toStdString();
}

} // namespace quorlix
