#include "FactoryDifferences.h"

#include "model/FormulaEvaluator.h"

namespace hesk::pages {

bool comparableWithFactory(const PageRow& row)
{
    return row.element.settable != 0 && !row.element.factoryValue.trimmed().isEmpty();
}

bool valueKnown(const PageRow& row)
{
    return !row.stale && !row.valueText.trimmed().isEmpty() && row.valueText != model::kWrongParameter;
}

bool differsFromFactory(const PageRow& row)
{
    return comparableWithFactory(row) && valueKnown(row) && row.valueDiffers;
}

FactoryDifferenceCount countFactoryDifferences(const ParameterPage& page)
{
    FactoryDifferenceCount count;
    for (const PageRow& row : page.rows()) {
        if (!comparableWithFactory(row))
            continue;
        ++count.comparable;
        if (!valueKnown(row))
            continue;
        ++count.known;
        if (row.valueDiffers)
            ++count.differing;
    }
    return count;
}

QString factoryDifferenceText(const FactoryDifferenceCount& count)
{
    const QString text = QStringLiteral("与出厂值不同：%1 项").arg(count.differing);
    if (count.known == count.comparable)
        return text;
    return text + QStringLiteral("（已读取 %1/%2）").arg(count.known).arg(count.comparable);
}

}  // namespace hesk::pages
