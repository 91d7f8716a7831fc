#include "app/DialogUnits.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace quorlix {
namespace {

// value * numerator / denominator, rounded half away from zero, for non-negative values.
int ScaleRounded(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + denominator / 2) / denominator);
}

} // namespace

QFont DialogFont()
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    return font;
}

DialogBaseUnits DialogBaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Half of the width of 26 letters, rounded: the mean width of the 52.
    return DialogBaseUnits{ (letters / 26 + 1) / 2, metrics.height() };
}

QRect DialogRectToPixels(const DialogRect& rect, const DialogBaseUnits& units)
{
    const int left = ScaleRounded(rect.x, units.x, 4);
    const int top = ScaleRounded(rect.y, units.y, 8);
    const int right = ScaleRounded(rect.x + rect.width, units.x, 4);
    const int bottom = ScaleRounded(rect.y + rect.height, units.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace quorlix
