#include "app/DecodeReportDialog.h"

#include "app/FindingDisplay.h"
#include "app/MainDialogTemplate.h"
#include "app/RememberedSize.h"
#include "reports/ReportLine.h"
#include "reports/ReportText.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <span>

namespace quorlix {
namespace {

enum Column
{
    UsageColumn,
    BitsColumn,
    RawColumn,
    LogicalColumn,
    PhysicalColumn,
    ColumnCount,
};

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "8" for one bit at 8, "16-23" for a byte, "16-63 (6 × 8)" for an array.
QString BitsText(const DecodedEntry& entry)
{
    const std::uint64_t bits = std::uint64_t{ entry.bitSize } * entry.count;
    QString text =
        bits <= 1 ? QString::number(entry.bitOffset)
                  : QStringLiteral("%1-%2").arg(entry.bitOffset).arg(entry.bitOffset + bits - 1);
    if (entry.isArray) {
        text += QStringLiteral(" (%1 × %2)").arg(entry.count).arg(entry.bitSize);
    }
    return text;
}

QString TypeText(ReportType type)
{
    switch (type) {
    case ReportType::Output:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "输出"));
    case ReportType::Feature:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "特征"));
    case ReportType::Input:
        break;
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "输入"));
}

QString BytesText(std::uint64_t bytes)
{
    // Reports are far shorter than an int's range; the clamp only keeps the count's type.
    const int count = static_cast<int>(std::min<std::uint64_t>(bytes, INT_MAX));
    return QCoreApplication::translate(kTextContext, QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 字节"),
                                       nullptr, count);
}

// "输入报告 3" for a numbered report, "输入报告" for the only one.
QString ReportText(ReportType type, std::uint8_t reportId)
{
    return reportId != 0
               ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1报告 %2"))
                     .arg(TypeText(type))
                     .arg(reportId)
               : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1报告")).arg(TypeText(type));
}

// The reports of the type, for a user who has typed nothing yet: "输入报告：5 字节".
QString ReportsOfType(const ReportModel& model, ReportType type)
{
    QStringList reports;
    for (const Report& report : model.reports) {
        if (report.type != type) {
            continue;
        }
        const QString length = BytesText(report.byteLength);
        reports << (report.reportId != 0
                        ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "编号 %1，%2"))
                              .arg(report.reportId)
                              .arg(length)
                        : length);
    }
    if (reports.isEmpty()) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "描述符没有声明%1报告"))
            .arg(TypeText(type));
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1报告：%2"))
        .arg(TypeText(type), reports.join(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "；"))));
}

// Why the bytes did not decode, in the window's language.
QString DecodeFailureText(const DecodeError& error)
{
    const QString report = ReportText(error.type, error.reportId);
    switch (error.kind) {
    case DecodeErrorKind::Empty:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "报告是空的"));
    case DecodeErrorKind::NoReportOfType:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "描述符没有声明%1报告"))
            .arg(TypeText(error.type));
    case DecodeErrorKind::UnknownReportId:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有编号为 %2 的%1报告"))
            .arg(TypeText(error.type))
            .arg(error.reportId);
    case DecodeErrorKind::WrongLength:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1 应有 %2，而不是 %3"))
            .arg(report, BytesText(error.expectedLength))
            .arg(error.length);
    case DecodeErrorKind::TooLong:
        break;
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1 有 %2，超过解码的上限 %3"))
        .arg(report, BytesText(error.expectedLength), BytesText(kMaxDecodedReportBytes));
}

// "输入报告 3（5 字节）", with a remark when several top-level collections share the id.
QString HeadingText(const DecodedReport& decoded)
{
    const QString heading = ReportText(decoded.type, decoded.reportId);
    if (decoded.report != nullptr && decoded.report->spansCollections) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1（%2，多个顶层集合共用的一个报告）"))
            .arg(heading, BytesText(decoded.length));
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1（%2）"))
        .arg(heading, BytesText(decoded.length));
}

} // namespace

DecodeReportDialog::DecodeReportDialog(const std::string& descriptor, QWidget* parent)
    : QDialog(parent),
      m_model(BuildReportModel(std::span<const std::uint8_t>(
          reinterpret_cast<const std::uint8_t*>(descriptor.data()), descriptor.size())))
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "解码报告")));

    m_report = new QLineEdit(this);
    m_report->setPlaceholderText(QStringLiteral("01 05 FB 02 FF"));
    m_report->setClearButtonEnabled(true);
    m_type = new QComboBox(this);
    m_type->addItem(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "输入 (Input)")),
                    static_cast<int>(ReportType::Input));
    m_type->addItem(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "输出 (Output)")),
                    static_cast<int>(ReportType::Output));
    m_type->addItem(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "特征 (Feature)")),
                    static_cast<int>(ReportType::Feature));

    auto* form = new QFormLayout;
    form->addRow(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "报告 (hex)(&R):")), m_report);
    form->addRow(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "类型(&T):")), m_type);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({ WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "用法")),
                                         WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "位")),
                                         WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "原始值")),
                                         WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "逻辑值")),
                                         WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "物理值")) });
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    // One line per element, as compact as the item list: long array texts show whole in their
    // tool tip instead of wrapping.
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(UsageColumn, 200);
    m_table->setColumnWidth(BitsColumn, 100);
    m_table->setColumnWidth(RawColumn, 70);
    m_table->setColumnWidth(LogicalColumn, 150);

    auto* buttons = new QDialogButtonBox(this);
    m_close = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "关闭")),
                                 QDialogButtonBox::RejectRole);
    // Enter in the report edit must not close the dialog under the user's fingers.
    m_close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    new RememberedSize(this, QStringLiteral("decode"),
                       QSize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 24));

    connect(m_report, &QLineEdit::textChanged, this, [this] { Decode(); });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this] { Decode(); });
    Decode();
}

void DecodeReportDialog::Decode()
{
    const auto type = static_cast<ReportType>(m_type->currentData().toInt());
    m_table->setRowCount(0);
    ReportLine line;
    ReadReportLine(m_report->text().toStdString(), line);
    if (line.kind == ReportLineKind::Nothing) {
        m_status->setText(ReportsOfType(m_model, type));
        return;
    }
    if (line.kind == ReportLineKind::Invalid) {
        // The reader's reason names the offending character or count; it is kept where the
        // window speaks English, and replaced by what a report line must look like otherwise.
        m_status->setText(WindowShowsChinese()
                              ? WindowText(QT_TRANSLATE_NOOP(
                                    "CQuorlixDlg", "无法读取：请输入十六进制字节（如 01 05 FB），"
                                                   "或 hid-recorder 的 E: 事件行"))
                              : FromUtf8(line.error));
        return;
    }
    if (const auto decoded = DecodeReport(m_model, type, line.bytes, m_decoded); !decoded) {
        m_status->setText(DecodeFailureText(decoded.Error()));
        return;
    }
    m_status->setText(HeadingText(m_decoded));
    ShowEntries();
}

void DecodeReportDialog::ShowEntries()
{
    m_table->setRowCount(static_cast<int>(m_decoded.entries.size()));
    int row = 0;
    for (const DecodedEntry& entry : m_decoded.entries) {
        const auto set = [&](int column, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setToolTip(text);
            m_table->setItem(row, column, item);
        };
        set(BitsColumn, BitsText(entry));
        if (entry.isArray) {
            QStringList usages;
            for (std::uint32_t i = 0; i < entry.activeCount; ++i) {
                usages << FromUtf8(ReportUsageName(m_decoded.active[entry.firstActive + i]));
            }
            set(UsageColumn, WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "数组")));
            set(LogicalColumn, usages.isEmpty() ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无"))
                                                : usages.join(QStringLiteral(", ")));
        } else {
            set(UsageColumn, FromUtf8(ReportUsageName(entry.usage)));
            if (entry.wide) {
                set(RawColumn, FromUtf8(WideBytesText(m_decoded, entry)));
                ++row;
                continue;
            }
            set(RawColumn, QString::number(entry.raw));
            set(LogicalColumn, entry.isNull ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "空值"))
                                            : QString::number(entry.logical));
            if (entry.hasPhysical) {
                const std::string unit = UnitText(m_decoded.report->fields[entry.fieldIndex].unit);
                set(PhysicalColumn,
                    FromUtf8(PhysicalText(entry.physical)) +
                        (unit.empty() ? QString() : QLatin1Char(' ') + FromUtf8(unit)));
            }
        }
        ++row;
    }
    // Every column but the last as wide as its texts, so no usage name or value is cut.
    for (int column = 0; column + 1 < ColumnCount; ++column) {
        m_table->resizeColumnToContents(column);
    }
}

} // namespace quorlix
