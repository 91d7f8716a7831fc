#include "app/ShownText.h"

namespace quorlix {
namespace {

bool IsPadding(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QString CollapsePadding(const QString& text)
{
    // Most texts have nothing to collapse: give them back without a copy.
    bool any = false;
    for (qsizetype i = 0; i + 1 < text.size() && !any; ++i) {
        const QChar c = text[i];
        const QChar next = text[i + 1];
        any = (c == QLatin1Char('(') && IsPadding(next)) ||
              (IsPadding(c) && (next == QLatin1Char(')') || IsPadding(next))) ||
              c == QLatin1Char('\t');
    }
    if (!any) {
        return text;
    }
    QString shown;
    shown.reserve(text.size());
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            depth = 0;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')') && depth > 0) {
            --depth;
            while (!shown.isEmpty() && shown.back() == QLatin1Char(' ')) {
                shown.chop(1);
            }
        } else if (IsPadding(c) && depth > 0) {
            if (shown.isEmpty() || shown.back() == QLatin1Char(' ') ||
                shown.back() == QLatin1Char('(')) {
                continue;
            }
            shown.append(QLatin1Char(' '));
            continue;
        }
        shown.append(c);
    }
    return shown;
}

} // namespace quorlix
