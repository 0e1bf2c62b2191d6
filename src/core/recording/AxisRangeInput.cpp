#include "AxisRangeInput.h"

#include <QCoreApplication>

#include <cmath>

namespace hesk::recording {

AxisRangeTexts axisRangeTexts(const AxisRange& range)
{
    return {QString::asprintf("%f", range.xMin), QString::asprintf("%f", range.xMax),
            QString::asprintf("%f", range.yMin), QString::asprintf("%f", range.yMax)};
}

std::optional<double> axisNumber(const QString& text)
{
    bool ok = false;
    // QString::toDouble reads the C locale and refuses blanks inside; outer blanks go first.
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::variant<AxisRange, model::UserMessage> checkAxisRange(const AxisRangeTexts& texts)
{
    const std::optional<double> xMin = axisNumber(texts.xMin);
    if (!xMin)
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "X轴最小值格式不符！"));
    const std::optional<double> xMax = axisNumber(texts.xMax);
    if (!xMax)
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "X轴最大值格式不符！"));
    const std::optional<double> yMin = axisNumber(texts.yMin);
    if (!yMin)
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "Y轴最小值格式不符！"));
    const std::optional<double> yMax = axisNumber(texts.yMax);
    if (!yMax)
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "Y轴最大值格式不符！"));
    if (!(*xMax > *xMin))
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "X轴最大值必须大于最小值！"));
    if (!(*yMax > *yMin))
        return model::UserMessage::warning(QCoreApplication::translate("AxisRangeInput", "Y轴最大值必须大于最小值！"));
    return AxisRange{*xMin, *xMax, *yMin, *yMax};
}

}  // namespace hesk::recording
