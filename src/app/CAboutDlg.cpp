#include "app/CAboutDlg.h"

#include "app/ApplicationIcon.h"
#include "app/DialogUnits.h"
#include "app/MainDialogTemplate.h"

#include <QLabel>
#include <QPushButton>

namespace quorlix {
namespace {

// clang-format off
constexpr DialogRect kAboutRect{      0,  0, 170, 62 };
constexpr DialogRect kIconRect{      14, 14,  20, 20 };
constexpr DialogRect kVersionRect{   42, 14, 114,  8 };
constexpr DialogRect kOkRect{       113, 41,  50, 14 };
// clang-format on

const char* const kAboutCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "关于 Quorlix");
const char* const kVersionText = QT_TRANSLATE_NOOP("CQuorlixDlg", "版本 1.5");
const char* const kOkCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "确定");

// The OK button keeps the number dialogs give it.
constexpr int kOkId = 1;

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setFont(DialogFont());
    setWindowTitle(WindowText(kAboutCaption));
    setWindowIcon(ApplicationIcon());
    const DialogBaseUnits units = DialogBaseUnitsOf(font());

    const QRect iconRect = DialogRectToPixels(kIconRect, units);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));

    // No mnemonic: the text is shown as it is written.
    auto* version = new QLabel(WindowText(kVersionText), this);
    version->setObjectName(QStringLiteral("version"));
    version->setTextFormat(Qt::PlainText);
    version->setGeometry(DialogRectToPixels(kVersionRect, units));

    auto* ok = new QPushButton(WindowText(kOkCaption), this);
    ok->setObjectName(QString::number(kOkId));
    ok->setProperty("controlId", kOkId);
    ok->setDefault(true);
    ok->setGeometry(DialogRectToPixels(kOkRect, units));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // A modal frame: the box keeps its size.
    setFixedSize(DialogRectToPixels(kAboutRect, units).size());
}

} // namespace quorlix
