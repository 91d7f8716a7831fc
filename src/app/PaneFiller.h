#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <string>

class QPlainTextEdit;

namespace quorlix {

// Puts a text into a plain-text pane a slice of whole lines at a time, the first at once and
// the rest from the event loop, so the window keeps answering while hundreds of thousands of
// lines arrive. A new text replaces one still arriving.
class PaneFiller final : public QObject
{
    Q_OBJECT

public:
    // The number of characters a slice takes at most, unless one line is longer.
    static constexpr qsizetype kSliceChars = qsizetype{ 1 } << 17;

    explicit PaneFiller(QPlainTextEdit* pane);

    // Shows text, whose lines end with CR LF, as lines.
    void SetText(const std::u16string& text);

    // True while part of the last text has still to arrive.
    bool Filling() const { return m_next < m_text.size(); }

private:
    // The end of the slice that starts at m_next: after its last line feed, if it has one.
    qsizetype SliceEnd() const;
    void AppendNextSlice();

    QPlainTextEdit* m_pane;
    QString m_text;
    qsizetype m_next = 0;
    QTimer m_timer;
};

} // namespace quorlix
