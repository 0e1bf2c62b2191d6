#include "FormulaState.h"

namespace hesk::model {

namespace {
const QString kDataSetKey = QStringLiteral("P0109");
const QString kPowerUnitKey = QStringLiteral("P0070");
}  // namespace

QStringList FormulaState::referenceKeyTexts()
{
    return {QStringLiteral("P0071"), QStringLiteral("P0072"), QStringLiteral("P0073"),
            QStringLiteral("r0071"), QStringLiteral("r0072"), kDataSetKey};
}

QStringList FormulaState::suppliedKeyTexts()
{
    QStringList keys = referenceKeyTexts();
    keys.removeAll(kDataSetKey);
    for (int dataSet = 1; dataSet <= kDataSetCount; ++dataSet)
        keys << kDataSetKey + QLatin1Char('.') + QString::number(dataSet);
    return keys;
}

void FormulaState::setReferenceValue(const QString& keyText, const QString& valueText)
{
    if (valueText.isEmpty())
        referenceValues_.remove(keyText);
    else
        referenceValues_.insert(keyText, valueText);
}

void FormulaState::setActiveDataSet(std::optional<int> dataSet)
{
    if (dataSet && *dataSet >= 1 && *dataSet <= kDataSetCount)
        activeDataSet_ = dataSet;
    else
        activeDataSet_.reset();
}

std::optional<QString> FormulaState::referenceValue(const QString& keyText) const
{
    static const QStringList allowed = referenceKeyTexts();
    if (!allowed.contains(keyText))
        return std::nullopt;
    QString key = keyText;
    if (keyText == kDataSetKey) {
        if (!activeDataSet_)
            return std::nullopt;
        key += QLatin1Char('.') + QString::number(*activeDataSet_);
    }
    const auto it = referenceValues_.constFind(key);
    if (it == referenceValues_.constEnd())
        return std::nullopt;
    return it.value();
}

BaseValueSelection FormulaState::selectBaseValues(const HeskProject& project,
                                                  const SpecialParameterTable& specials,
                                                  DeviceClass deviceClass)
{
    const HeskParameterElement* powerUnit = specials.element(project, kPowerUnitKey);
    const std::optional<QString> code =
        powerUnit ? std::optional<QString>(powerUnit->currentValueText) : std::nullopt;
    return baseValues_.select(deviceClass, project.ubaseTable, code);
}

bool FormulaState::recompute(HeskProject& project, const SpecialParameterTable& specials,
                             DeviceClass deviceClass, const std::optional<QString>& powerUnitText)
{
    if (!powerUnitText)
        return false;
    HeskParameterElement* powerUnit = specials.element(project, kPowerUnitKey);
    const bool changed = powerUnit && powerUnit->currentValueText != *powerUnitText;
    if (firstRecomputationDone_ && !changed)
        return false;
    if (powerUnit)
        powerUnit->currentValueText = *powerUnitText;
    selectBaseValues(project, specials, deviceClass);
    firstRecomputationDone_ = true;
    return true;
}

}  // namespace hesk::model
