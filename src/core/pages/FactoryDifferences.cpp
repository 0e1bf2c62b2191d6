#include "FactoryDifferences.h"

#include "ValueComparison.h"

#include "model/FormulaEvaluator.h"

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

// A hexadecimal text ("0X0003" as the page writes it, "0x0003" in a factory value).
std::optional<qulonglong> hexNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const qulonglong number = trimmed.mid(2).toULongLong(&ok, 16);
    return ok ? std::optional<qulonglong>(number) : std::nullopt;
}

// Two texts of the same number ("0.50" shown for a factory "0.5", "0X0003" for "0x0003")
// are the same value whatever the display type; otherwise the approximate comparison
// decides.
bool differs(const PageRow& row)
{
    const std::optional<qulonglong> valueHex = hexNumber(row.valueText);
    const std::optional<qulonglong> factoryHex = hexNumber(row.element.factoryValue);
    if (valueHex && factoryHex)
        return *valueHex != *factoryHex;
    bool valueIsNumber = false;
    bool factoryIsNumber = false;
    const double value = row.valueText.trimmed().toDouble(&valueIsNumber);
    const double factory = row.element.factoryValue.trimmed().toDouble(&factoryIsNumber);
    if (valueIsNumber && factoryIsNumber && value == factory)
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
    const QString text = QStringLiteral("与出厂值不同：%1 项").arg(count.differing);
    if (count.known == count.comparable)
        return text;
    return text + QStringLiteral("（已读取 %1/%2）").arg(count.known).arg(count.comparable);
}

}  // namespace hesk::pages
