#pragma once

#include <QObject>
#include <QSize>
#include <QString>

class QDialog;

namespace quorlix {

// Keeps a dialog's size between runs: when it is first shown it takes the size the user left it
// at (fitted to its screen), else the size its contents ask for, at least minimum; whenever it is
// hidden the size is kept under key in the program's settings. Lives as the dialog's child.
class RememberedSize final : public QObject
{
    Q_OBJECT

public:
    RememberedSize(QDialog* dialog, const QString& key, QSize minimum = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog* m_dialog;
    QString m_key;
    QSize m_minimum;
    bool m_restored = false;
};

} // namespace quorlix
