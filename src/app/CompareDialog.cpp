#include "app/CompareDialog.h"

#include "app/FindingDisplay.h"
#include "app/StatusTexts.h"
#include "app/MainDialogTemplate.h"
#include "app/RememberedSize.h"
#include "diff/DescriptorDiff.h"
#include "diff/DiffText.h"
#include "forms/DescriptorInput.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>
#include <sstream>

namespace quorlix {
namespace {

std::span<const std::uint8_t> BytesOf(const std::string& bytes)
{
    return { reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() };
}

QString VerdictText(DiffVerdict verdict)
{
    switch (verdict) {
    case DiffVerdict::Equivalent:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "等价：两个描述符的含义相同"));
    case DiffVerdict::Compatible:
        return WindowText(
            QT_TRANSLATE_NOOP("CQuorlixDlg", "兼容：只有新增，旧的报告照旧解码为相同的值"));
    case DiffVerdict::Incompatible:
        break;
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "不兼容：旧的读取方依赖的内容改变或消失了"));
}

} // namespace

CompareDialog::CompareDialog(const std::string& descriptor, const std::string& name,
                             QWidget* parent)
    : QDialog(parent), m_descriptor(descriptor), m_name(name)
{
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "比较")));
    m_path = new QLineEdit(this);
    m_path->setClearButtonEnabled(true);
    auto* form = new QFormLayout;
    form->addRow(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "另一个描述符(&P):")), m_path);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(this);
    m_compare = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "比较(&C)")),
                                   QDialogButtonBox::ActionRole);
    m_compare->setDefault(true);
    m_close = buttons->addButton(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "关闭")),
                                 QDialogButtonBox::RejectRole);
    connect(m_compare, &QPushButton::clicked, this, [this] { Compare(); });
    connect(m_path, &QLineEdit::returnPressed, this, [this] { Compare(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    new RememberedSize(this, QStringLiteral("compare"),
                       QSize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 28));
}

void CompareDialog::Compare()
{
    const std::string path = m_path->text().trimmed().toStdString();
    DescriptorInput input;
    const InputOutcome outcome = ReadDescriptorInput(path, {}, input);
    if (outcome.status != InputStatus::Ok) {
        // The last comparison stays, but never passes for this file's.
        m_text->clear();
        m_status->setText(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2"))
                              .arg(PathForDisplay(path), InputOutcomeText(outcome, input.form)));
        m_status->setToolTip(InputOutcomeDetails(outcome));
        return;
    }
    const DescriptorDiff diff = DiffDescriptors(BytesOf(m_descriptor), BytesOf(input.bytes));
    std::ostringstream text;
    WriteDiffText(text, diff, BytesOf(m_descriptor), BytesOf(input.bytes), m_name, path);
    m_text->setPlainText(QString::fromStdString(text.str()));
    // The comparison below is the command line's text; the verdict above it is the window's.
    m_status->setToolTip(QString());
    m_status->setText(WindowShowsChinese()
                          ? VerdictText(diff.verdict)
                          : QString::fromStdString(std::string(DiffVerdictName(diff.verdict)) +
                                                   ": " + diff.reason));
}

} // namespace quorlix
