#include "app/ProblemsDialog.h"

#include "app/MainDialogTemplate.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorlix {
namespace {

constexpr int kIndexRole = Qt::UserRole;

QString Latin(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon SeverityIcon(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    case Severity::Warning:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    case Severity::Note:
        break;
    }
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
}

QString Counted(std::size_t count, const char* word)
{
    return QStringLiteral("%1 %2%3")
        .arg(count)
        .arg(QLatin1String(word))
        .arg(count == 1 ? QString() : QStringLiteral("s"));
}

QTreeWidgetItem* FindingRow(const Finding& finding, std::size_t index)
{
    const QString text = QString::fromStdString(finding.message) + QStringLiteral("; ") +
                         QString::fromStdString(finding.fix);
    auto* row = new QTreeWidgetItem(QStringList{ Latin(SeverityName(finding.severity)),
                                                 QString::number(finding.offset),
                                                 Latin(CheckName(finding.check)), text });
    row->setIcon(0, SeverityIcon(finding.severity));
    row->setData(0, kIndexRole, QVariant::fromValue<qulonglong>(index));
    for (int column = 0; column < row->columnCount(); ++column) {
        row->setToolTip(column, text);
    }
    return row;
}

} // namespace

QString FindingCountsText(const FindingCounts& counts)
{
    if (counts.errors + counts.warnings + counts.notes == 0) {
        return QStringLiteral("no problems found");
    }
    return Counted(counts.errors, "error") + QStringLiteral(", ") +
           Counted(counts.warnings, "warning") + QStringLiteral(", ") +
           Counted(counts.notes, "note");
}

ProblemsDialog::ProblemsDialog(const std::vector<Finding>& findings, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "问题列表")));

    m_counts = new QLabel(FindingCountsText(CountFindings(findings)), this);
    m_counts->setTextFormat(Qt::PlainText);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({ WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "严重性")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "偏移")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "检查")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "问题与修正")) });
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(findings.size()));
    for (std::size_t i = 0; i < findings.size(); ++i) {
        rows.append(FindingRow(findings[i], i));
    }
    m_list->addTopLevelItems(rows);
    m_list->header()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column) {
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_goTo = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "转到")),
                                QDialogButtonBox::AcceptRole);
    m_close = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "关闭")),
                                 QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_goTo->setEnabled(current != nullptr); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_counts);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    const bool any = !findings.empty();
    m_list->setVisible(any);
    m_goTo->setEnabled(any);
    // Enter goes to the chosen finding, or closes a list that has none.
    m_goTo->setDefault(any);
    m_close->setDefault(!any);
    if (any) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
        m_list->setFocus();
        // Room for a message and its fix on one line.
        resize(sizeHint().expandedTo(
            QSize(fontMetrics().averageCharWidth() * 140, fontMetrics().height() * 22)));
    }
}

std::optional<std::size_t> ProblemsDialog::ChosenIndex() const
{
    if (result() != QDialog::Accepted || m_list->currentItem() == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(m_list->currentItem()->data(0, kIndexRole).toULongLong());
}

} // namespace quorlix
