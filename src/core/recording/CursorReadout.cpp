#include "CursorReadout.h"

#include <algorithm>
#include <cmath>

namespace hesk::recording {

QString cursorTimeText(double ms)
{
    return QString::asprintf("%.3f", ms);
}

QString cursorSpanText(double ms)
{
    if (ms > 1000.0 || ms < -1000.0)
        return QString::asprintf("(%.1f s)", ms / 1000.0);
    if (ms >= 1.0 || ms <= -1.0)
        return QString::asprintf("(%.1f ms)", ms);
    return QString::asprintf("(%.1f us)", ms * 1000.0);
}

QString cursorValueText(std::optional<double> value)
{
    return value ? QString::asprintf("%.3f %c", *value, '%') : QString();
}

std::optional<double> seriesValueAt(const SeriesPoints& points, double x)
{
    const qsizetype count = std::min(points.x.size(), points.y.size());
    if (count == 0 || std::isnan(x))
        return std::nullopt;
    const auto begin = points.x.cbegin();
    const auto after = std::upper_bound(begin, begin + count, x);
    if (after == begin)
        return std::nullopt;
    return points.y[(after - begin) - 1];
}

CursorReadoutTexts cursorReadout(double x1, double x2, const SeriesPoints* points)
{
    CursorReadoutTexts texts;
    texts.x1 = cursorTimeText(x1);
    texts.x2 = cursorTimeText(x2);
    texts.dx = cursorTimeText(x2 - x1);
    texts.dxUnit = cursorSpanText(x2 - x1);
    if (points) {
        const std::optional<double> y1 = seriesValueAt(*points, x1);
        const std::optional<double> y2 = seriesValueAt(*points, x2);
        texts.y1 = cursorValueText(y1);
        texts.y2 = cursorValueText(y2);
        if (y1 && y2)
            texts.dy = cursorValueText(*y2 - *y1);
    }
    return texts;
}

}  // namespace hesk::recording
