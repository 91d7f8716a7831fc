#include "app/ProblemsDialog.h"

#include "app/FindingDisplay.h"
#include "app/MainDialogTemplate.h"
#include "app/RememberedSize.h"
#include "hosts/HostProfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <tuple>

namespace quorlix {
namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kSeverityColumn = 0;
constexpr int kOffsetColumn = 1;
constexpr int kCheckColumn = 2;

QString ViewText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "host-rule" says little: a host's finding shows its profile and rule instead ("macos MAC-04").
QString CheckText(const Finding& finding)
{
    if (finding.profile.empty()) {
        return ViewText(CheckName(finding.check));
    }
    return ViewText(finding.profile) + QLatin1Char(' ') + ViewText(finding.rule);
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

// A row that sorts by what its cells mean: severity by rank, the offset as a number, and the
// findings' own order where the sort column is equal, so a sort is always the same.
class FindingRow final : public QTreeWidgetItem
{
public:
    FindingRow(const Finding& finding, std::size_t index)
        : QTreeWidgetItem(QStringList{
              SeverityText(finding.severity), QString::number(finding.offset), CheckText(finding),
              FindingMessageText(finding), FindingFixText(finding), ViewText(finding.source) }),
          m_severity(finding.severity), m_offset(finding.offset), m_index(index)
    {
        setIcon(kSeverityColumn, SeverityIcon(finding.severity));
        setData(kSeverityColumn, kIndexRole, QVariant::fromValue<qulonglong>(index));
        const QString tip = FindingTip(finding);
        for (int column = 0; column < columnCount(); ++column) {
            setToolTip(column, tip);
        }
    }

    Severity FindingSeverity() const { return m_severity; }
    std::size_t Index() const { return m_index; }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const auto& row = static_cast<const FindingRow&>(other);
        switch (treeWidget() != nullptr ? treeWidget()->sortColumn() : kOffsetColumn) {
        case kSeverityColumn:
            return std::tie(m_severity, m_index) < std::tie(row.m_severity, row.m_index);
        case kOffsetColumn:
            return std::tie(m_offset, m_index) < std::tie(row.m_offset, row.m_index);
        default:
            break;
        }
        const int column = treeWidget()->sortColumn();
        const int order = text(column).localeAwareCompare(row.text(column));
        return order != 0 ? order < 0 : m_index < row.m_index;
    }

private:
    Severity m_severity;
    std::size_t m_offset;
    std::size_t m_index;
};

const FindingRow* RowOf(const QTreeWidgetItem* item)
{
    return static_cast<const FindingRow*>(item);
}

} // namespace

ProblemsDialog::ProblemsDialog(const std::vector<Finding>& findings, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "问题列表")));
    // Beside the window, not over it: the user steps through findings in both at once.
    setModal(false);

    m_counts = new QLabel(this);
    m_counts->setTextFormat(Qt::PlainText);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(m_counts, 1);
    filterRow->addWidget(new QLabel(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "显示："))));
    const char* const filterNames[] = { QT_TRANSLATE_NOOP("CQuorlixDlg", "错误(&E)"),
                                        QT_TRANSLATE_NOOP("CQuorlixDlg", "警告(&W)"),
                                        QT_TRANSLATE_NOOP("CQuorlixDlg", "提示(&N)") };
    for (std::size_t i = 0; i < 3; ++i) {
        m_filters[i] = new QCheckBox(WindowText(filterNames[i]), this);
        m_filters[i]->setChecked(true);
        connect(m_filters[i], &QCheckBox::toggled, this, [this] { ApplyFilter(); });
        filterRow->addWidget(m_filters[i]);
    }

    // Whose rules check adds besides HID's own; the window remembers the choice.
    m_host = new QComboBox(this);
    m_host->addItem(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "仅 HID 规则")), QString());
    for (const HostProfile& profile : HostProfiles()) {
        m_host->addItem(ViewText(profile.name), ViewText(profile.name));
    }
    auto* hostLabel = new QLabel(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "主机(&H)：")), this);
    hostLabel->setBuddy(m_host);
    filterRow->addWidget(hostLabel);
    filterRow->addWidget(m_host);
    connect(m_host, &QComboBox::activated, this,
            [this](int index) { emit HostChosen(m_host->itemData(index).toString()); });

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({ WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "严重性")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "偏移")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "检查")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "问题")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "修正")),
                              WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "来源")) });
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(kOffsetColumn, Qt::AscendingOrder);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionResizeMode(QHeaderView::Interactive);

    auto* buttons = new QDialogButtonBox(this);
    m_previous = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "上一个")),
                                    QDialogButtonBox::ActionRole);
    m_next = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "下一个")),
                                QDialogButtonBox::ActionRole);
    m_goTo = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "转到")),
                                QDialogButtonBox::ActionRole);
    m_close = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "关闭")),
                                 QDialogButtonBox::RejectRole);
    m_previous->setToolTip(QStringLiteral("Shift+F8"));
    m_next->setToolTip(QStringLiteral("F8"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_goTo, &QPushButton::clicked, this, [this] { GoToCurrent(); });
    connect(m_previous, &QPushButton::clicked, this, [this] { emit StepRequested(false); });
    connect(m_next, &QPushButton::clicked, this, [this] { emit StepRequested(true); });
    // Enter reaches 转到, the default button; a double click goes there by itself.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { GoToCurrent(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_goTo->setEnabled(current != nullptr); });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F8), this);
    connect(next, &QShortcut::activated, this, [this] { emit StepRequested(true); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), this);
    connect(previous, &QShortcut::activated, this, [this] { emit StepRequested(false); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    // Enter goes to the current finding; with nothing listed it closes.
    m_goTo->setAutoDefault(false);
    m_previous->setAutoDefault(false);
    m_next->setAutoDefault(false);
    m_close->setAutoDefault(false);
    SetFindings(findings);
    const QFontMetrics metrics = fontMetrics();
    new RememberedSize(this, QStringLiteral("problems"),
                       QSize(metrics.averageCharWidth() * 120, metrics.height() * 20));
}

void ProblemsDialog::SetHost(const QString& name)
{
    const int index = m_host->findData(name);
    m_host->setCurrentIndex(index < 0 ? 0 : index);
}

void ProblemsDialog::SetFindings(const std::vector<Finding>& findings)
{
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(findings.size()));
    for (std::size_t i = 0; i < findings.size(); ++i) {
        rows.append(new FindingRow(findings[i], i));
    }
    m_list->addTopLevelItems(rows);
    // Each column as wide as its texts, within reason: a long message does not push its fix
    // out of sight, and the last column takes what is left.
    const int widest = fontMetrics().averageCharWidth() * 70;
    for (int column = 0; column + 1 < m_list->columnCount(); ++column) {
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::min(m_list->columnWidth(column), widest));
    }
    m_counts->setText(FindingCountsText(CountFindings(findings)));

    const bool any = !findings.empty();
    m_list->setEnabled(any);
    m_goTo->setDefault(any);
    m_close->setDefault(!any);
    m_previous->setEnabled(any);
    m_next->setEnabled(any);
    ApplyFilter();
    if (any) {
        m_list->setFocus();
    } else {
        m_close->setFocus();
    }
}

QSize ProblemsDialog::sizeHint() const
{
    // Wide enough for every column as sized to its texts.
    QSize hint = QDialog::sizeHint();
    int width = 0;
    for (int column = 0; column < m_list->columnCount(); ++column) {
        width += m_list->header()->sectionSizeHint(column) > m_list->columnWidth(column)
                     ? m_list->header()->sectionSizeHint(column)
                     : m_list->columnWidth(column);
    }
    const int frame = m_list->frameWidth() * 2 +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) +
                      layout()->contentsMargins().left() + layout()->contentsMargins().right();
    hint.setWidth(std::max(hint.width(), width + frame));
    return hint;
}

void ProblemsDialog::ApplyFilter()
{
    QTreeWidgetItem* current = m_list->currentItem();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const auto severity = static_cast<std::size_t>(RowOf(item)->FindingSeverity());
        item->setHidden(!m_filters[severity]->isChecked());
    }
    if (current == nullptr || current->isHidden()) {
        QTreeWidgetItem* first = nullptr;
        for (int i = 0; i < m_list->topLevelItemCount() && first == nullptr; ++i) {
            if (!m_list->topLevelItem(i)->isHidden()) {
                first = m_list->topLevelItem(i);
            }
        }
        m_list->setCurrentItem(first);
    }
    m_goTo->setEnabled(m_list->currentItem() != nullptr && !m_list->currentItem()->isHidden());
}

std::vector<std::size_t> ProblemsDialog::ShownOrder() const
{
    std::vector<std::size_t> order;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (!item->isHidden()) {
            order.push_back(RowOf(item)->Index());
        }
    }
    return order;
}

void ProblemsDialog::MarkFinding(std::size_t index)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (RowOf(item)->Index() == index) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
            return;
        }
    }
}

std::optional<std::size_t> ProblemsDialog::CurrentIndex() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr || item->isHidden()) {
        return std::nullopt;
    }
    return RowOf(item)->Index();
}

QCheckBox* ProblemsDialog::SeverityFilter(Severity severity) const
{
    return m_filters[static_cast<std::size_t>(severity)];
}

void ProblemsDialog::GoToCurrent()
{
    if (const std::optional<std::size_t> index = CurrentIndex()) {
        emit GoToRequested(*index);
    }
}

} // namespace quorlix
