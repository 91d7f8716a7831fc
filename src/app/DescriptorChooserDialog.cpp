#include "app/DescriptorChooserDialog.h"

#include "app/MainDialogTemplate.h"
#include "app/RememberedSize.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace quorlix {
namespace {

constexpr int kIndexRole = Qt::UserRole;

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The array's name, else what tells it apart ("interface 1"), else nothing; then the device's
// vendor and product where known ("1.4:0 (1234:5678)").
QString NameText(const DescriptorCandidate& candidate)
{
    QString text = Utf8(candidate.name.empty() ? candidate.label : candidate.name);
    if (!candidate.name.empty() && !candidate.label.empty()) {
        text += QStringLiteral(" (") + Utf8(candidate.label) + u')';
    }
    if (!candidate.device.empty()) {
        text += QStringLiteral(" (") + Utf8(candidate.device) + u')';
    }
    return text;
}

QString StateText(const DescriptorCandidate& candidate)
{
    if (!candidate.error.empty()) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法读取"));
    }
    return candidate.reportDescriptor
               ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "报告描述符"))
               : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "不像报告描述符"));
}

} // namespace

DescriptorChooserDialog::DescriptorChooserDialog(const std::vector<DescriptorCandidate>& candidates,
                                                 std::size_t proposed, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "选择描述符")));
    auto* message = new QLabel(
        QCoreApplication::translate(
            kTextContext,
            QT_TRANSLATE_N_NOOP("CQuorlixDlg", "这个文件含有 %n 个描述符，选择要分析的一个："),
            nullptr, static_cast<int>(std::min<std::size_t>(candidates.size(), INT_MAX))),
        this);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({ WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "序号")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "名称")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "行")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "长度")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "内容")) });
    for (const DescriptorCandidate& candidate : candidates) {
        const int length = static_cast<int>(std::min<std::size_t>(candidate.length, INT_MAX));
        auto* row = new QTreeWidgetItem(
            m_list, QStringList{ QString::number(candidate.index + 1), NameText(candidate),
                                 candidate.line != 0 ? QString::number(candidate.line) : QString(),
                                 QCoreApplication::translate(
                                     kTextContext, QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 字节"),
                                     nullptr, length),
                                 StateText(candidate) });
        row->setData(0, kIndexRole, QVariant::fromValue<qulonglong>(candidate.index));
        if (!candidate.error.empty()) {
            row->setToolTip(4, Utf8(candidate.error));
        }
        if (candidate.index == proposed) {
            m_list->setCurrentItem(row);
        }
    }
    for (int column = 0; column < m_list->columnCount(); ++column) {
        m_list->resizeColumnToContents(column);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "分析")),
                                QDialogButtonBox::AcceptRole);
    buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "取消")),
                       QDialogButtonBox::RejectRole);
    m_open->setDefault(true);
    m_open->setEnabled(m_list->currentItem() != nullptr);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_open->setEnabled(current != nullptr); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_list->setFocus();
    new RememberedSize(this, QStringLiteral("descriptors"),
                       QSize(fontMetrics().averageCharWidth() * 70, fontMetrics().height() * 12));
}

std::optional<std::size_t> DescriptorChooserDialog::ChosenIndex() const
{
    if (result() != QDialog::Accepted || m_list->currentItem() == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(m_list->currentItem()->data(0, kIndexRole).toULongLong());
}

} // namespace quorlix
