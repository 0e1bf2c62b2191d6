#include "FactoryDifferences.h"

#include "ValueComparison.h"

#include "model/FormulaEvaluator.h"

#include <QCoreApplication>

#include <optional>

namespace hesk::pages {

bool comparableWithFactory(const PageRow& row)
{
    return row.element.settable != 0 && !row.element.factoryValue.trimmed().isEmpty();
}

bool valueKnown(const PageRow& row)
{
    return !row.stale && !row.valueText.trimmed().isEmpty() && row.valueText != model::kWrongParameter;
}

namespace {

// The same number written otherwise is no change; beyond that the approximate
// comparison decides.
bool differs(const PageRow& row)
{
    if (sameNumber(row.valueText, row.element.factoryValue))
        return false;
    return !valuesEqual(row.element, row.valueText, row.element.factoryValue, true);
}

}  // namespace

bool differsFromFactory(const PageRow& row)
{
    return comparableWithFactory(row) && valueKnown(row) && differs(row);
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
        if (differs(row))
            ++count.differing;
    }
    return count;
}

QString factoryDifferenceText(const FactoryDifferenceCount& count)
{
    const QString text = QCoreApplication::translate("FactoryDifferences", "与出厂值不同：%1 项").arg(count.differing);
    if (count.known == count.comparable)
        return text;
    return text
           + QCoreApplication::translate("FactoryDifferences", "（已读取 %1/%2）").arg(count.known).arg(count.comparable);
}

}  // namespace hesk::pages
