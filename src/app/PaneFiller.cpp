#include "app/PaneFiller.h"

#include "app/ShownText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace quorlix {
namespace {

// The text with each CR LF, and each lone CR, as one line feed: a plain-text view would show a
// CR as a glyph of its own. One pass, since replacing in place moves the rest once per line.
QString DisplayText(const std::u16string& text)
{
    QString shown(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = shown.data();
    qsizetype length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                continue;
            }
            c = u'\n';
        }
        out[length++] = QChar(c);
    }
    shown.truncate(length);
    return shown;
}

} // namespace

PaneFiller::PaneFiller(QPlainTextEdit* pane) : QObject(pane), m_pane(pane)
{
    // A zero timer runs once per turn of the event loop, after the input that waited.
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PaneFiller::AppendNextSlice);
}

void PaneFiller::SetText(const std::u16string& text)
{
    m_timer.stop();
    m_text = CollapsePadding(DisplayText(text));
    m_next = 0;
    const qsizetype end = SliceEnd();
    // Replacing the whole text puts the view back at the top, where the later slices leave it.
    m_pane->setPlainText(m_text.first(end));
    m_next = end;
    if (Filling()) {
        m_timer.start();
    } else {
        m_text.clear();
        m_next = 0;
    }
}

qsizetype PaneFiller::SliceEnd() const
{
    const qsizetype left = m_text.size() - m_next;
    if (left <= kSliceChars) {
        return m_text.size();
    }
    const qsizetype lastLineFeed = m_text.lastIndexOf(QLatin1Char('\n'), m_next + kSliceChars - 1);
    if (lastLineFeed >= m_next) {
        return lastLineFeed + 1;
    }
    // One line longer than a slice: cut it anyway, it joins up again in the document.
    return m_next + kSliceChars;
}

void PaneFiller::AppendNextSlice()
{
    const qsizetype end = SliceEnd();
    QTextCursor cursor(m_pane->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_text.sliced(m_next, end - m_next));
    m_next = end;
    if (Filling()) {
        m_timer.start();
        return;
    }
    m_text.clear();
    m_next = 0;
}

} // namespace quorlix
