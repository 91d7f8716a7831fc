#include "app/RememberedSize.h"

#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QDialog>

namespace quorlix {

RememberedSize::RememberedSize(QDialog* dialog, const QString& key, QSize minimum)
    : QObject(dialog), m_dialog(dialog), m_key(QStringLiteral("dialogs/") + key + "/size"),
      m_minimum(minimum)
{
    dialog->installEventFilter(this);
    dialog->setSizeGripEnabled(true);
}

bool RememberedSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_dialog) {
        return false;
    }
    if (event->type() == QEvent::Show && !m_restored) {
        m_restored = true;
        QSize size = QSettings().value(m_key).toSize();
        if (!size.isValid()) {
            // The layout's own wish, so no column is cut and no title is clipped.
            size = m_dialog->sizeHint().expandedTo(m_minimum);
        }
        if (const QScreen* screen = m_dialog->screen()) {
            // A size kept on a larger screen still fits this one.
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        }
        m_dialog->resize(size.expandedTo(m_dialog->minimumSizeHint()));
    } else if (event->type() == QEvent::Hide && m_restored) {
        QSettings().setValue(m_key, m_dialog->size());
    }
    return false;
}

} // namespace quorlix
