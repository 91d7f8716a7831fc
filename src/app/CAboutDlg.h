#pragma once

#include <QDialog>

namespace quorlix {

// The About box: the icon, the version and an OK button. OK, Escape and the close box end it.
class CAboutDlg final : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace quorlix
